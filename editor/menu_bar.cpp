#include "editor/menu_bar.h"

#include "dialogs/qtext.h"
#include "editor/menu_captions.h"
#include "editor/suggest_commands.h"

namespace tekvo {
namespace {

namespace c = captions;

QString Q(c::Caption caption) { return ToQString(Text(caption)); }

QString ItemName(const char* name, int index) {
  return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

// An item, or a separator when the caption is "-".
QAction* AddItem(QMenu* menu, c::Caption caption, const QString& name) {
  QAction* action = nullptr;
  if (caption == c::kSeparator) {
    // No text: some styles draw a separator's text as a section title.
    action = menu->addSeparator();
  } else {
    action = menu->addAction(Q(caption));
  }
  action->setObjectName(name);
  return action;
}

QAction* AddItem(QMenu* menu, c::Caption caption, const char* name) {
  return AddItem(menu, caption, QLatin1String(name));
}

template <std::size_t N>
void AddItems(QMenu* menu, const std::array<c::Caption, N>& list, const char* name,
              std::array<QAction*, N>& out) {
  for (std::size_t i = 0; i < N; ++i) out[i] = AddItem(menu, list[i], ItemName(name, int(i)));
}

void AddBar(QMenu* menu, const char* name) { AddItem(menu, c::kSeparator, name); }

QMenu* AddMenu(QMenuBar& bar, c::Caption caption, const char* name) {
  QMenu* menu = bar.addMenu(Q(caption));
  menu->setObjectName(QLatin1String(name));
  menu->menuAction()->setObjectName(QLatin1String(name));
  return menu;
}

QMenu* AddSubmenu(QMenu* parent, c::Caption caption, const char* name) {
  QMenu* menu = parent->addMenu(Q(caption));
  menu->setObjectName(QLatin1String(name));
  menu->menuAction()->setObjectName(QLatin1String(name));
  return menu;
}

}  // namespace

void BuildMenus(Menus& m) {
  // Sizes: index * 2 + 10 points.
  for (int i = 0; i < c::kSizeCount; ++i) {
    m.mnuSize[i] = m.mnuSizes->addAction(QString::number(c::SizeOfIndex(i)));
    m.mnuSize[i]->setObjectName(ItemName("mnuSize", i));
  }
  AddItems(m.mnuFonts, c::kFont, "mnuFont", m.mnuFont);
  AddItems(m.mnuMakes, c::kMake, "mnuMake", m.mnuMake);
}

Menus BuildMenuBar(QMenuBar& bar) {
  Menus m;
  m.mnuFiles = AddMenu(bar, c::kFiles, "mnuFiles");
  m.mnuClear = AddItem(m.mnuFiles, c::kClear, "mnuClear");
  m.mnuOpen = AddItem(m.mnuFiles, c::kOpen, "mnuOpen");
  AddBar(m.mnuFiles, "mnuBarF1");
  m.mnuSave = AddItem(m.mnuFiles, c::kSave, "mnuSave");
  m.mnuSave->setCheckable(true);
  m.mnuAttr = AddItem(m.mnuFiles, c::kAttr, "mnuAttr");
  AddBar(m.mnuFiles, "mnuBarF2");
  m.mnuNewWin = AddItem(m.mnuFiles, c::kNewWin, "mnuNewWin");

  m.mnuEdits = AddMenu(bar, c::kEdits, "mnuEdits");
  m.mnuPasteOrig = AddItem(m.mnuEdits, c::kPasteOrig, "mnuPasteOrig");
  AddBar(m.mnuEdits, "mnuBarE0");
  m.mnuASel = AddItem(m.mnuEdits, c::kASel, "mnuASel");
  m.mnuCopy = AddItem(m.mnuEdits, c::kCopy, "mnuCopy");
  m.mnuPaste = AddItem(m.mnuEdits, c::kPaste, "mnuPaste");
  AddBar(m.mnuEdits, "mnuBarE1");
  AddItems(m.mnuEdits, c::kWnCase, "mnuWnCase", m.mnuWnCase);
  m.mnuMakes = AddSubmenu(m.mnuEdits, c::kMakes, "mnuMakes");
  AddBar(m.mnuEdits, "mnuBarE3");
  m.mnuSeekNew = AddItem(m.mnuEdits, c::kSeekNew, "mnuSeekNew");
  m.mnuReplace = AddItem(m.mnuEdits, c::kReplace, "mnuReplace");
  m.mnuSayCode = AddItem(m.mnuEdits, c::kSayCode, "mnuSayCode");
  AddBar(m.mnuEdits, "mnuBarE4");
  AddItems(m.mnuEdits, c::kIns, "mnuIns", m.mnuIns);

  m.mnuJiedusA = AddMenu(bar, c::kJiedusA, "mnuJiedusA");
  AddItems(m.mnuJiedusA, c::kNumU, "mnuNumU", m.mnuNumU);
  AddBar(m.mnuJiedusA, "mnuBarA1");
  AddItems(m.mnuJiedusA, c::kReadQp, "mnuReadQp", m.mnuReadQp);
  AddBar(m.mnuJiedusA, "mnuBarA3");
  AddItems(m.mnuJiedusA, c::kBase64, "mnuBase64", m.mnuBase64);
  AddBar(m.mnuJiedusA, "mnuBarA4");
  AddItems(m.mnuJiedusA, c::kJieA, "mnuJieA", m.mnuJieA);
  m.mnuAskJieA = AddItem(m.mnuJiedusA, c::kAskJieA, "mnuAskJieA");

  m.mnuJiedusB = AddMenu(bar, c::kJiedusB, "mnuJiedusB");
  AddItems(m.mnuJiedusB, c::kChgA2B, "mnuChgA2B", m.mnuChgA2B);
  AddBar(m.mnuJiedusB, "mnuBarB4");
  AddItems(m.mnuJiedusB, c::kAskA2B, "mnuAskA2B", m.mnuAskA2B);
  AddBar(m.mnuJiedusB, "mnuBarB5");
  m.mnuSuggest = AddItem(m.mnuJiedusB, kSuggestCaption, "mnuSuggest");

  m.mnuJiedusC = AddMenu(bar, c::kJiedusC, "mnuJiedusC");
  AddItems(m.mnuJiedusC, c::kCutaByte, "mnuCutaByte", m.mnuCutaByte);
  m.mnuAskCutaByte = AddItem(m.mnuJiedusC, c::kAskCutaByte, "mnuAskCutaByte");
  AddBar(m.mnuJiedusC, "mnuBarC1");
  AddItems(m.mnuJiedusC, c::k2022, "mnu2022", m.mnu2022);

  m.mnuLooks = AddMenu(bar, c::kLooks, "mnuLooks");
  m.mnuHScr = AddItem(m.mnuLooks, c::kHScr, "mnuHScr");
  m.mnuHScr->setCheckable(true);
  AddBar(m.mnuLooks, "mnuBarL1");
  m.mnuFonts = AddSubmenu(m.mnuLooks, c::kFonts, "mnuFonts");
  m.mnuFont0 = m.mnuFonts->addAction(QString());
  m.mnuFont0->setObjectName(QStringLiteral("mnuFont0"));
  AddBar(m.mnuFonts, "mnuBarL21");
  m.mnuSizes = AddSubmenu(m.mnuLooks, c::kSizes, "mnuSizes");
  m.mnuSize0 = m.mnuSizes->addAction(QString());
  m.mnuSize0->setObjectName(QStringLiteral("mnuSize0"));
  AddBar(m.mnuSizes, "mnuBarL22");
  AddBar(m.mnuLooks, "mnuBarL3");
  m.mnuAbout = AddItem(m.mnuLooks, c::kAbout, "mnuAbout");

  BuildMenus(m);
  return m;
}

}  // namespace tekvo
