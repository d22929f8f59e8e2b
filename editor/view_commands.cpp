#include "editor/view_commands.h"

#include <QCoreApplication>
#include <QProcess>

#include "dialogs/qtext.h"
#include "editor/menu_captions.h"

#ifndef TEKVO_VERSION_MAJOR
#error "the build defines TEKVO_VERSION_MAJOR and TEKVO_VERSION_MINOR"
#endif

namespace tekvo {

ViewSettings CurrentView(const TextBox& box) {
  ViewSettings settings;
  settings.word_wrap = box.WordWrap();
  settings.font_name = box.FontName();
  settings.font_size = box.FontSize();
  return settings;
}

void ApplyView(TextBox& box, const ViewSettings& settings) {
  box.SetWordWrap(settings.word_wrap);
  box.SetFontName(settings.font_name);
  box.SetFontSize(settings.font_size);
}

void mnuLooks_Click(const TextBox& box, Menus& menus) {
  menus.mnuHScr->setChecked(box.WordWrap());
  menus.mnuFont0->setText(box.FontName());
  menus.mnuSize0->setText(QString::number(RoundedFontSize(box.FontSize())));
}

void mnuHScr_Click(TextBox& box) { box.SetWordWrap(!box.WordWrap()); }

void mnuFont_Click(TextBox& box, int index) {
  if (index < 0 || index >= static_cast<int>(captions::kFont.size())) return;
  box.SetFontName(ToQString(Text(captions::kFont[index])));
}

void mnuSize_Click(TextBox& box, int index) {
  if (index < 0 || index >= captions::kSizeCount) return;
  box.SetFontSize(captions::SizeOfIndex(index));
}

Text AboutText() {
  const QString text =
      QStringLiteral("产品名：Tekvo  版本号：%1.%2\r\n\r\n作者：%3  %4")
          .arg(TEKVO_VERSION_MAJOR)
          .arg(TEKVO_VERSION_MINOR)
          .arg(QString::fromUtf16(kAuthorName), QString::fromUtf16(kDocumentationHint));
  return ToText(text);
}

void mnuAbout_Click(Seam& seam) { seam.Tell(AboutText()); }

void mnuNewWin_Click(const TextBox& box) {
  if (auto store = OpenSettingsStore()) SaveViewSettings(*store, CurrentView(box));
  QProcess::startDetached(QCoreApplication::applicationFilePath(), QStringList());
}

}  // namespace tekvo
