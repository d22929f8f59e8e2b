#include "editor/file_commands.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "dialogs/frm_b.h"
#include "dialogs/qtext.h"
#include "editor/menu_captions.h"
#include "files/folder_listing.h"
#include "files/path_text.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

std::string Show(const Text& t) { return ToQString(t).toStdString(); }

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path() + "/config");
    h_.ctx.dialogs.Get<FrmB>().userFolders = {dir_.path() + "/docs", dir_.path() + "/data"};
  }

  QString Folder() const { return dir_.path() + u'/'; }
  std::string PathOf(const QString& name) const { return (Folder() + name).toStdString(); }
  Text TextPathOf(const QString& name) const { return ToText(Folder() + name); }

  void Write(const QString& name, const std::string& bytes) {
    std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::string Read(const QString& name) {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // The next file dialog chooses `name` in the scratch folder with the
  // encoding entry `index` (and the BOM box for save).
  void ChooseToOpen(const QString& name, int index = 0) {
    const QString folder = Folder();
    h_.seam.OnDialog([folder, name, index](QDialog& d) {
      auto& b = dynamic_cast<FrmB&>(d);
      b.SetListFolder(folder);
      ASSERT_TRUE(b.SelectListedFile(name)) << name.toStdString();
      b.cboPat()->setCurrentIndex(index);
      b.cmdA_Click(0);
    });
  }
  void ChooseToSave(const QString& name, int index = 0, bool bom = false) {
    const QString folder = Folder();
    h_.seam.OnDialog([folder, name, index, bom](QDialog& d) {
      auto& b = dynamic_cast<FrmB&>(d);
      b.SetListFolder(folder);
      b.txtA()->setText(name);
      b.cboPat()->setCurrentIndex(index);
      b.cboPat_Click();
      b.chkBom()->setChecked(bom);
      b.cmdA_Click(0);
    });
  }
  void Cancel() {
    h_.seam.OnDialog([](QDialog& d) { dynamic_cast<FrmB&>(d).cmdA_Click(1); });
  }

  QTemporaryDir dir_;
  CommandHarness h_;
};

TEST_F(FileCommandsTest, OpenEveryEncoding) {
  struct Case {
    const char* name;
    std::string bytes;
    int index;  // the dialog's encoding entry
    Text text;
    int used;
  } cases[] = {
      {"gb.txt", "\xD6\xD0\xCE\xC4\r\n", 0, u"中文\r\n", 1},
      {"utf8.txt", "\xE4\xB8\xAD\xE6\x96\x87", 0, u"中文", 7},
      {"utf8bom.txt", "\xEF\xBB\xBF\xE4\xB8\xAD", 0, u"中", 4},
      {"le.txt", std::string("\xFF\xFE\x2D\x4E", 4), 0, u"中", 2},
      {"be.txt", std::string("\xFE\xFF\x4E\x2D", 4), 0, u"中", 3},
      {"le-nobom.txt", std::string("\x2D\x4E\r\0\n\0", 6), 0, u"中\r\n", 5},
      {"be-nobom.txt", std::string("\x4E\x2D\0\r\0\n", 6), 3, u"中\r\n", 6},
      {"eng.txt", "caf\xE9", 5, u"café", 8},
      {"gb-asked.txt", "\xD6\xD0", 1, u"中", 1},
  };
  for (const Case& c : cases) {
    const QString name = QString::fromUtf8(c.name);
    Write(name, c.bytes);
    ChooseToOpen(name, c.index);
    mnuOpen_Click(h_.ctx);
    EXPECT_EQ(h_.box.Text(), c.text) << c.name << ": " << Show(h_.box.Text());
    EXPECT_EQ(ToInt(h_.ctx.file.nFilePat), c.used) << c.name;
    EXPECT_EQ(h_.ctx.file.sFile, TextPathOf(name)) << c.name;
    EXPECT_EQ(h_.ctx.WindowCaption(), ToText(name) + u"  ~Tekvo") << c.name;
    EXPECT_TRUE(h_.history.IsSaved()) << c.name;
    EXPECT_EQ(h_.history.nCur(), History::kOriginal) << c.name;
  }
  EXPECT_TRUE(h_.seam.Messages().empty());
  EXPECT_EQ(h_.seam.Unscripted(), 0);
}

TEST_F(FileCommandsTest, OpenRefusalsLeaveTheDocument) {
  struct Case {
    const char* name;
    std::string bytes;
    const char16_t* reason;
  } cases[] = {
      {"big.txt", std::string(49150, 'a'), u"不能打开~ 文件过大"},
      {"long.txt", std::string(16384, 'a'), u"不能打开~ 文本过长"},
      {"lf-breaks-count-two.txt", std::string(16000, 'a') + std::string(383, '\n'),
       u"不能打开~ 文本过长"},
  };
  for (const Case& c : cases) {
    h_.Load(u"keep");
    h_.seam.ClearEvents();
    const QString name = QString::fromUtf8(c.name);
    Write(name, c.bytes);
    ChooseToOpen(name);
    mnuOpen_Click(h_.ctx);
    EXPECT_EQ(h_.box.Text(), u"keep") << c.name;
    ASSERT_EQ(h_.seam.Messages().size(), 1u) << c.name;
    EXPECT_EQ(h_.seam.Messages()[0], TextPathOf(name) + u"\r\n\r\n" + c.reason) << c.name;
  }
}

TEST_F(FileCommandsTest, ReopeningTheOpenFile) {
  Write("Foo.txt", "one");
  Write("foo.txt", "two");
  struct Case {
    const char* name;
    QString second;  // the path chosen the second time
    bool changed;    // a repair before the second open
    std::vector<bool> answers;
    std::size_t questions;
    Text text;
  } cases[] = {
      {"same-file-no", "Foo.txt", false, {false}, 1, u"one!"},
      {"same-file-yes", "Foo.txt", false, {true}, 1, u"one"},
      {"other-case-is-another-file", "foo.txt", false, {}, 0, u"two"},
      {"changed-asks-discard-only", "Foo.txt", true, {true}, 1, u"one"},
  };
  for (const Case& c : cases) {
    h_.Load(u"");
    h_.ctx.file.sFile.clear();
    ChooseToOpen("Foo.txt");
    mnuOpen_Click(h_.ctx);
    ASSERT_EQ(h_.box.Text(), u"one");
    // A marker that a refused reopen keeps: the box changed without a step
    // when unchanged is wanted.
    h_.box.SetText(u"one!");
    if (c.changed) h_.Change(u"one!", u"repair");
    h_.seam.ClearEvents();
    for (bool a : c.answers) h_.seam.AnswerAsk(a);
    ChooseToOpen(c.second);
    mnuOpen_Click(h_.ctx);
    EXPECT_EQ(h_.seam.Questions().size(), c.questions) << c.name;
    if (c.questions && !c.changed) {
      EXPECT_EQ(h_.seam.Questions()[0],
                TextPathOf("Foo.txt") + u"\r\n\r\n文件已经打开，是否重新打开作原始？")
          << c.name;
    }
    EXPECT_EQ(h_.box.Text(), c.text) << c.name << ": " << Show(h_.box.Text());
    EXPECT_EQ(h_.seam.Unused(), 0) << c.name;
  }
}

TEST_F(FileCommandsTest, DiscardYesThenCancelKeepsEverything) {
  h_.Load(u"abc");
  h_.Change(u"abcd", u"step");
  h_.seam.AnswerAsk(true);
  Cancel();
  mnuOpen_Click(h_.ctx);
  EXPECT_EQ(h_.box.Text(), u"abcd");
  EXPECT_EQ(h_.history.nCur(), 0);
  EXPECT_FALSE(h_.history.IsSaved());
}

TEST_F(FileCommandsTest, SaveUnnamedTextWritesUnicodeWithMark) {
  h_.Load(u"A");
  h_.ctx.file.nFilePat = FileEncoding::kDefaultEncoding;
  ChooseToSave("new.txt");
  mnuSave_Click(h_.ctx);
  EXPECT_EQ(Read("new.txt"), std::string("\xFF\xFE\x41\x00", 4));
  EXPECT_EQ(ToInt(h_.ctx.file.nFilePat), 2);
  EXPECT_EQ(h_.ctx.file.sFile, TextPathOf("new.txt"));
  EXPECT_EQ(h_.ctx.WindowCaption(), u"new.txt  ~Tekvo");
  EXPECT_FALSE(QFile::exists(Folder() + "new.txt.bak"));
}

TEST_F(FileCommandsTest, SaveInEachEncodingOfTheList) {
  struct Case {
    int index;
    bool bom;
    std::string bytes;
    int pat;
  } cases[] = {
      {1, false, "\xD6\xD0", 1},
      {2, true, std::string("\xFF\xFE\x2D\x4E", 4), 2},
      {2, false, std::string("\x2D\x4E", 2), 5},
      {3, true, std::string("\xFE\xFF\x4E\x2D", 4), 3},
      {3, false, std::string("\x4E\x2D", 2), 6},
      {4, true, "\xEF\xBB\xBF\xE4\xB8\xAD", 4},
      {4, false, "\xE4\xB8\xAD", 7},
  };
  for (const Case& c : cases) {
    h_.Load(u"中");
    const QString name = QStringLiteral("enc%1.txt").arg(c.pat);
    ChooseToSave(name, c.index, c.bom);
    mnuSave_Click(h_.ctx);
    EXPECT_EQ(Read(name), c.bytes) << c.pat;
    EXPECT_EQ(ToInt(h_.ctx.file.nFilePat), c.pat) << c.pat;
    EXPECT_TRUE(h_.history.IsSaved()) << c.pat;
  }
  EXPECT_TRUE(h_.seam.Messages().empty());
}

// A file is saved with the line breaks it was loaded with, so that opening
// and saving it again changes no byte.
TEST_F(FileCommandsTest, SaveKeepsTheLineBreaksOfTheFile) {
  struct Case {
    const char* name;
    std::string bytes;  // the file as loaded
    std::string saved;  // the file after open and save
    const char16_t* shown;
  } cases[] = {
      {"lf", "a\nb\n\xD6\xD0\n", "a\nb\n\xD6\xD0\n", u"LF"},
      {"crlf", "a\r\nb\r\n", "a\r\nb\r\n", u"CR LF"},
      {"cr", "a\rb\r", "a\rb\r", u"CR"},
      {"mixed-mostly-lf", "a\nb\r\nc\nd", "a\nb\nc\nd", u"LF"},
      {"no-breaks", "abc", "abc", u"CR LF"},
  };
  for (const Case& c : cases) {
    const QString name = QString::fromUtf8(c.name) + ".txt";
    Write(name, c.bytes);
    ChooseToOpen(name);
    mnuOpen_Click(h_.ctx);
    ChooseToSave(name, 1);
    mnuSave_Click(h_.ctx);
    EXPECT_EQ(Read(name), c.saved) << c.name;
    h_.seam.ClearEvents();
    mnuAttr_Click(h_.ctx);
    ASSERT_EQ(h_.seam.Events().size(), 1u) << c.name;
    EXPECT_TRUE(h_.seam.Events()[0].text.ends_with(Text(u"换行格式： ") + c.shown)) << c.name;
  }
  // A text that came from no file is written with CR LF.
  mnuClear_Click(h_.ctx);
  h_.Load(u"x\r\ny");
  ChooseToSave("pasted.txt", 1);
  mnuSave_Click(h_.ctx);
  EXPECT_EQ(Read("pasted.txt"), "x\r\ny");
}

// A GB file name from a Windows archive: opened and saved by its bytes,
// named the same readable way in the caption and in messages.
TEST_F(FileCommandsTest, NameThatIsNotUtf8OpensAndSavesByItsBytes) {
  const std::string name = "\xD6\xD0\xCE\xC4.txt";
  const std::string file = Folder().toStdString() + name;
  std::ofstream(file, std::ios::binary) << "a\nb";
  const QString lossless = ToQString(LosslessPathText(name));
  ChooseToOpen(lossless);
  mnuOpen_Click(h_.ctx);
  EXPECT_EQ(h_.box.Text(), u"a\r\nb");
  EXPECT_EQ(h_.ctx.WindowCaption(), u"中文.txt [GB]  ~Tekvo");
  h_.box.SetText(u"c\r\nd");
  ChooseToSave(lossless, 1);
  mnuSave_Click(h_.ctx);
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            "c\nd");
  EXPECT_EQ(ListFolder(Folder().toStdString(), "*").files, std::vector<std::string>{name});
  EXPECT_TRUE(h_.seam.Messages().empty());

  ASSERT_EQ(::unlink(file.c_str()), 0);
  mnuAttr_Click(h_.ctx);
  ASSERT_EQ(h_.seam.Messages().size(), 1u);
  EXPECT_EQ(h_.seam.Messages()[0],
            TextPathOf("") + u"中文.txt [GB]\r\n\r\n属性读取失败~ 没有那个文件或目录");
}

TEST_F(FileCommandsTest, SavingOntoAnotherExistingFileAsks) {
  Write("mine.txt", "mine");
  Write("other.txt", "other");
  Write("Mine.txt", "upper");
  struct Case {
    const char* name;
    QString target;
    std::vector<bool> answers;
    std::size_t questions;
    std::string content;
  } cases[] = {
      {"own-path", "mine.txt", {}, 0, "new"},
      {"other-no", "other.txt", {false}, 1, "other"},
      {"other-yes", "other.txt", {true}, 1, "new"},
      {"other-case-asks", "Mine.txt", {false}, 1, "upper"},
  };
  for (const Case& c : cases) {
    Write("mine.txt", "mine");
    h_.Load(u"new");
    h_.ctx.file.sFile = TextPathOf("mine.txt");
    h_.ctx.file.nFilePat = FileEncoding::kUtf8NoBom;
    h_.seam.ClearEvents();
    for (bool a : c.answers) h_.seam.AnswerAsk(a);
    ChooseToSave(c.target, 4, false);
    mnuSave_Click(h_.ctx);
    ASSERT_EQ(h_.seam.Questions().size(), c.questions) << c.name;
    if (c.questions) {
      EXPECT_EQ(h_.seam.Questions()[0],
                ToText(Folder() + c.target) + u"\r\n\r\n文件已经存在。是否改写文件？")
          << c.name;
    }
    EXPECT_EQ(Read(c.target), c.content) << c.name;
  }
}

TEST_F(FileCommandsTest, SaveFailureShowsTheMessageAndKeepsState) {
  h_.Load(u"text");
  QDir().mkpath(Folder() + "folder.txt");
  h_.seam.AnswerAsk(true);  // replace the existing "file"
  ChooseToSave("folder.txt", 4, false);
  mnuSave_Click(h_.ctx);
  ASSERT_EQ(h_.seam.Messages().size(), 1u);
  EXPECT_EQ(h_.seam.Messages()[0], TextPathOf("folder.txt") + u"\r\n\r\n保存失败~ 是一个目录");
  EXPECT_TRUE(h_.ctx.file.sFile.empty());
}

TEST_F(FileCommandsTest, ClearAndFileMenuState) {
  Write("a.txt", "abc");
  ChooseToOpen("a.txt");
  mnuOpen_Click(h_.ctx);
  mnuFiles_Click(h_.ctx);
  EXPECT_TRUE(h_.menus.mnuSave->isChecked());
  EXPECT_TRUE(h_.menus.mnuAttr->isEnabled());
  h_.Change(u"abcd", u"step");
  mnuFiles_Click(h_.ctx);
  EXPECT_FALSE(h_.menus.mnuSave->isChecked());

  h_.seam.AnswerAsk(true);
  mnuClear_Click(h_.ctx);
  EXPECT_EQ(h_.box.Text(), u"");
  EXPECT_EQ(h_.ctx.WindowCaption(), u"清空作原始  ~Tekvo");
  EXPECT_TRUE(h_.ctx.file.sFile.empty());
  EXPECT_EQ(ToInt(h_.ctx.file.nFilePat), 0);
  EXPECT_TRUE(h_.history.IsSaved());
  mnuFiles_Click(h_.ctx);
  EXPECT_FALSE(h_.menus.mnuAttr->isEnabled());
  EXPECT_TRUE(h_.menus.mnuSave->isChecked());
}

// A new original keeps the caret where the command left it, at the start,
// not the selection of the text it replaced: going back to the original
// after a repair puts the caret there.
TEST_F(FileCommandsTest, NewOriginalStoresTheCaretAtTheStart) {
  Write("a.txt", "abcdef");
  for (bool open : {true, false}) {
    SCOPED_TRACE(open ? "open" : "clear");
    h_.Load(u"old text");
    h_.Select(2, 3);
    h_.history.RecordStep(false);
    ASSERT_EQ(h_.history.lStepLen(History::kOriginal), 3);
    if (open) {
      ChooseToOpen("a.txt");
      mnuOpen_Click(h_.ctx);
    } else {
      mnuClear_Click(h_.ctx);
    }
    EXPECT_EQ(h_.history.lStepStart(History::kOriginal), 0);
    EXPECT_EQ(h_.history.lStepLen(History::kOriginal), 0);
    h_.Change(u"x", u"step");
    h_.Select(1, 0);
    h_.history.cmdUd_Click(kBackToOriginal);
    EXPECT_EQ(h_.box.SelStart(), 0);
    EXPECT_EQ(h_.box.SelLength(), 0);
  }
}

TEST_F(FileCommandsTest, AttributesOfTheFile) {
  Write("big.txt", "");
  ASSERT_EQ(::truncate(PathOf("big.txt").c_str(), 1234567), 0);
  h_.ctx.file.sFile = TextPathOf("big.txt");
  h_.ctx.file.nFilePat = FileEncoding::kUtf8NoBom;
  mnuAttr_Click(h_.ctx);
  ASSERT_EQ(h_.seam.Events().size(), 1u);
  const auto& shown = h_.seam.Events()[0];
  EXPECT_EQ(shown.title, u"当前文件属性");
  const QString text = ToQString(shown.text);
  EXPECT_TRUE(text.startsWith("文件路径： " + Folder() + "big.txt\r\n\r\n文件属性： 存档\r\n\r\n"))
      << text.toStdString();
  EXPECT_TRUE(text.contains("文件大小： 1,234,567 字节\r\n\r\n修改时间： ")) << text.toStdString();
  EXPECT_TRUE(text.endsWith("\r\n\r\n编码格式： UTF-8 (No BOM)\r\n\r\n换行格式： CR LF"))
      << text.toStdString();

  h_.seam.ClearEvents();
  h_.ctx.file.nFilePat = FileEncoding::kDefaultEncoding;
  mnuAttr_Click(h_.ctx);
  EXPECT_TRUE(ToQString(h_.seam.Events()[0].text).contains("编码格式： 未知\r\n"));

  h_.seam.ClearEvents();
  QFile::remove(Folder() + "big.txt");
  mnuAttr_Click(h_.ctx);
  ASSERT_EQ(h_.seam.Messages().size(), 1u);
  EXPECT_EQ(h_.seam.Messages()[0],
            TextPathOf("big.txt") + u"\r\n\r\n属性读取失败~ 没有那个文件或目录");
}

// The modification time is shown to the second and in the interface's
// Chinese whatever the system's locale, whose short time formats mostly stop
// at the minutes and whose month names may be English.
TEST_F(FileCommandsTest, AttributeTimeSpeaksChineseToTheSecond) {
  Write("t.txt", "x");
  const QDateTime when(QDate(2021, 3, 4), QTime(5, 6, 37));
  const struct timespec times[2] = {{when.toSecsSinceEpoch(), 0}, {when.toSecsSinceEpoch(), 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, PathOf("t.txt").c_str(), times, 0), 0);
  h_.ctx.file.sFile = TextPathOf("t.txt");
  const QLocale before;
  for (const char* name : {"C", "en_US", "zh_CN", "de_DE", "ja_JP"}) {
    QLocale::setDefault(QLocale(QString::fromLatin1(name)));
    h_.seam.ClearEvents();
    mnuAttr_Click(h_.ctx);
    ASSERT_EQ(h_.seam.Events().size(), 1u) << name;
    const QString text = ToQString(h_.seam.Events()[0].text);
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n修改时间： 2021/3/4 05:06:37\r\n")))
        << name << ": " << text.toStdString();
  }
  QLocale::setDefault(before);
}

}  // namespace
}  // namespace tekvo
