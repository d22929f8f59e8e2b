#include "editor/file_commands.h"

#include <QDateTime>
#include <QLocale>
#include <exception>

#include "dialogs/frm_b.h"
#include "dialogs/qtext.h"
#include "editor/dialog_choice.h"
#include "editor/line_breaks.h"
#include "editor/menu_captions.h"
#include "files/file_attributes.h"
#include "files/file_encoding.h"
#include "files/file_ops.h"
#include "files/paths.h"
#include "files/text_file_load.h"
#include "files/text_file_save.h"

namespace tekvo {
namespace {

constexpr char16_t kBreak2[] = u"\r\n\r\n";

// Runs `body`; an exception that escapes it (in practice bad_alloc) becomes a
// message: `prefix` followed by its description.
template <class Body>
void ShowFailuresAs(Seam& seam, const Text& prefix, Body&& body) {
  try {
    body();
  } catch (const std::exception& failure) {
    seam.Tell(prefix + ToText(QString::fromUtf8(failure.what())));
  }
}

// Paths are lossless text (files/path_text.h): a name that is not UTF-8 shows
// readably in the caption and escaped in messages, and opens by its bytes.
Text CaptionOf(const Text& path) {
  return DocumentCaption(ReadableFileName(FileNameOf(TextPath(path))));
}

bool FileExists(const std::string& path) {
  FileStat st;
  return !PosixFileOps().Stat(path, st) && st.exists;
}

// The size as "#,##0": the locale's thousands separators, even in the C
// locale, which Qt would print without them.
Text SizeText(std::uint64_t size) {
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  return ToText(locale.toString(static_cast<qulonglong>(size)));
}

// The general date form: the short date and the time to the second, as the
// interface speaks, in Simplified Chinese: the system's locale (C in many a
// session) would put English month names into a Chinese box. Most short time
// forms stop at the minutes, too coarse to tell two saves apart.
Text TimeText(std::int64_t seconds) {
  const QDateTime time = QDateTime::fromSecsSinceEpoch(seconds);
  const QLocale chinese(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
  QString clock = chinese.timeFormat(QLocale::ShortFormat);
  if (!clock.contains(u's')) {
    const qsizetype minutes = clock.indexOf(QStringLiteral("mm"));
    if (minutes >= 0) clock.insert(minutes + 2, QStringLiteral(":ss"));
  }
  return ToText(chinese.toString(time.date(), QLocale::ShortFormat) + u' ' +
                chinese.toString(time.time(), clock));
}

// The open command once a file is chosen: the question about re-opening the
// unchanged current file, then the file as the new original.
void OpenChosenFile(EditorContext& ctx, const Text& path, FileEncoding requested) {
  const std::string file = TextPath(path);
  // The same file as the file system sees it; on Linux, names that differ
  // only in letter case are different files.
  if (SameFile(file, TextPath(ctx.file.sFile)) && ctx.history.IsSaved()) {
    if (!ctx.seam.Ask(ShownPath(path) + kBreak2 + u"文件已经打开，是否重新打开作原始？")) return;
  }
  LoadResult loaded = LoadTextFile(file, requested);
  if (!loaded.ok()) {
    ctx.seam.Tell(loaded.message);
    return;
  }
  // Linux files often break lines with LF alone; the box stores CR LF, so
  // the limit applies to the text as the box will hold it.
  if (BoxFormLength(loaded.text) > kMaxTextLen) {
    ctx.seam.Tell(FileMessage(file, u"不能打开~ 文本过长"));
    return;
  }
  ctx.txtA.SetText(loaded.text);
  ctx.lblSay.SetCaption(Text(captions::kOpen));
  ctx.SetWindowCaption(CaptionOf(path));
  ctx.file = {path, loaded.encoding, loaded.line_breaks};
  ctx.history.SetSaved(History::kOriginal);
  ctx.history.ResetOriginal();
}

}  // namespace

void mnuFiles_Click(EditorContext& ctx) {
  ctx.history.RecordStep(false);
  if (ctx.menus.mnuSave) ctx.menus.mnuSave->setChecked(ctx.history.IsSaved());
  if (ctx.menus.mnuAttr) ctx.menus.mnuAttr->setEnabled(!ctx.file.sFile.empty());
}

void mnuClear_Click(EditorContext& ctx) {
  if (!ctx.history.ConfirmDiscard()) return;
  ctx.txtA.SetText(Text());
  ctx.lblSay.SetCaption(Text(captions::kClear));
  ctx.SetWindowCaption(DocumentCaption(u"清空作原始"));
  ctx.file.Clear();
  ctx.history.SetSaved(History::kOriginal);
  ctx.history.ResetOriginal();
}

void mnuOpen_Click(EditorContext& ctx) {
  if (!ctx.history.ConfirmDiscard()) return;
  ShowFailuresAs(ctx.seam, u"打开失败~ ", [&] {
    FrmB& browser = ctx.dialogs.Get<FrmB>();
    browser.bOpen = true;
    const std::optional<FrmB::Choice> chosen = ChooseWith(ctx.seam, browser);
    if (chosen) OpenChosenFile(ctx, chosen->path, chosen->encoding);
  });
}

void OpenFileAsOriginal(EditorContext& ctx, const Text& path) {
  if (!ctx.history.ConfirmDiscard()) return;
  ShowFailuresAs(ctx.seam, u"打开失败~ ",
                 [&] { OpenChosenFile(ctx, path, FileEncoding::kDefaultEncoding); });
}

void mnuSave_Click(EditorContext& ctx) {
  ShowFailuresAs(ctx.seam, u"保存失败~ ", [&] {
    FrmB& browser = ctx.dialogs.Get<FrmB>();
    browser.bOpen = false;
    browser.sWay = ToQString(ctx.file.sFile);
    browser.nPat = ctx.file.nFilePat;
    const std::optional<FrmB::Choice> chosen = ChooseWith(ctx.seam, browser);
    if (!chosen) return;
    const Text& path = chosen->path;
    const std::string file = TextPath(path);
    if (FileExists(file) && !SameFile(file, TextPath(ctx.file.sFile))) {
      if (!ctx.seam.Ask(ShownPath(path) + kBreak2 + u"文件已经存在。是否改写文件？")) return;
    }
    // Not chosen: the document's own.
    const FileEncoding encoding =
        chosen->encoding == FileEncoding::kDefaultEncoding ? ctx.file.nFilePat : chosen->encoding;
    // The box holds CR LF; the file gets the breaks it was loaded with.
    const Text text = ApplyLineBreakStyle(ctx.txtA.Text(), ctx.file.eFileBreak);
    SaveResult saved = SaveTextFile(text, file, encoding, ctx.seam);
    if (saved.status == SaveStatus::kFailed) ctx.seam.Tell(saved.message);
    if (!saved.ok()) return;
    ctx.lblSay.SetCaption(Text(captions::kSave));
    ctx.SetWindowCaption(CaptionOf(path));
    ctx.file.sFile = path;
    ctx.file.nFilePat = saved.encoding;
    ctx.history.SetSaved(ctx.history.nCur());
  });
}

void mnuAttr_Click(EditorContext& ctx) {
  const Text shown = ShownPath(ctx.file.sFile);
  ShowFailuresAs(ctx.seam, shown + kBreak2 + u"属性读取失败~ ", [&] {
    std::error_code error;
    const FileFacts facts = ReadFileFacts(TextPath(ctx.file.sFile), error);
    if (error) {
      ctx.seam.Tell(shown + kBreak2 + u"属性读取失败~ " + ErrorText(error.value()));
      return;
    }
    const FileEncoding encoding = ctx.file.nFilePat;
    Text text = u"文件路径： " + shown + kBreak2;
    text += AttributeText(facts.attributes) + kBreak2;
    text += u"文件大小： " + SizeText(facts.size) + u" 字节" + kBreak2;
    text += u"修改时间： " + TimeText(facts.modified) + kBreak2;
    text += u"编码格式： " + (IsConcreteEncoding(encoding) ? EncodingName(encoding) : u"未知");
    text += Text(kBreak2) + u"换行格式： " + LineBreakStyleName(ctx.file.eFileBreak);
    ctx.seam.Tell(text, u"当前文件属性");
  });
}

}  // namespace tekvo
