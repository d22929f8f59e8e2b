#include "editor/command_line.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>

#include "dialogs/qtext.h"
#include "files/path_text.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

using Action = CommandLine::Action;

struct ParseCase {
  std::string name;
  QStringList args;
  Action action;
  QString file;
};

class ParseCommandLineTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, ActionAndFile) {
  const ParseCase& c = GetParam();
  const CommandLine line = ParseCommandLine(c.args);
  EXPECT_EQ(line.action, c.action);
  EXPECT_EQ(line.file, c.file);
  EXPECT_EQ(line.message.isEmpty(), c.action != Action::kError) << line.message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseCommandLineTest,
    testing::Values(
        ParseCase{"nothing", {}, Action::kRun, ""},
        ParseCase{"one-file", {"notes.txt"}, Action::kRun, "notes.txt"},
        ParseCase{"help", {"--help"}, Action::kHelp, ""},
        ParseCase{"short-help", {"-h"}, Action::kHelp, ""},
        ParseCase{"version", {"--version"}, Action::kVersion, ""},
        ParseCase{"short-version", {"-v"}, Action::kVersion, ""},
        ParseCase{"help-after-a-file", {"a.txt", "--help"}, Action::kHelp, ""},
        ParseCase{"help-after-an-unknown-option", {"-x", "--help"}, Action::kHelp, ""},
        ParseCase{"dash-dash-then-dashed-name", {"--", "-draft.txt"}, Action::kRun, "-draft.txt"},
        ParseCase{"help-after-dash-dash-is-a-file", {"--", "--help"}, Action::kRun, "--help"},
        ParseCase{"lone-dash-is-a-name", {"-"}, Action::kRun, "-"},
        ParseCase{"unknown-option", {"--bogus", "a.txt"}, Action::kError, ""},
        ParseCase{"unknown-option-with-value", {"-bogus=1"}, Action::kError, ""},
        // Qt's own options and their values are neither errors nor files.
        ParseCase{"qt-platform", {"-platform", "offscreen", "a.txt"}, Action::kRun, "a.txt"},
        ParseCase{"qt-double-dash-display", {"--display", ":1", "a.txt"}, Action::kRun, "a.txt"},
        ParseCase{"qt-title-value", {"-title", "b.txt"}, Action::kRun, ""},
        ParseCase{"qt-style-equals", {"a.txt", "-style=fusion"}, Action::kRun, "a.txt"},
        ParseCase{"qt-flag", {"-reverse", "a.txt"}, Action::kRun, "a.txt"},
        ParseCase{
            "qt-option-after-dash-dash-is-a-file", {"--", "-reverse"}, Action::kRun, "-reverse"},
        ParseCase{"two-files", {"a.txt", "b.txt"}, Action::kError, ""}),
    CaseName<ParseCase>);

// What the user sees after "tekvo FILE" at start-up: the file's text as the
// original, or the open command's message and the empty editor.
struct OpenCase {
  std::string name;
  std::string bytes;      // the file's content
  const char* argument;   // as typed; "{dir}" stands for the scratch folder
  Text text;              // in the box afterwards
  std::int16_t encoding;  // nFilePat afterwards
  Text reason;            // after path, CR LF, CR LF; empty: no message
};

class OpenCommandLineFileTest : public testing::TestWithParam<OpenCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    old_current_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    Folder().mkdir(QStringLiteral("folder"));
  }
  void TearDown() override { QDir::setCurrent(old_current_); }
  QDir Folder() const { return QDir(dir_.path()); }

  QTemporaryDir dir_;
  QString old_current_;
  CommandHarness h_;
};

TEST_P(OpenCommandLineFileTest, OpensAsTheOpenCommand) {
  const OpenCase& c = GetParam();
  const QString file = Folder().filePath(QStringLiteral("notes.txt"));
  if (!c.bytes.empty()) std::ofstream(file.toStdString(), std::ios::binary) << c.bytes;
  QString argument = QString::fromUtf8(c.argument);
  argument.replace(QStringLiteral("{dir}"), dir_.path());
  const Text full = ToText(QDir::cleanPath(Folder().absoluteFilePath(argument)));

  OpenCommandLineFile(h_.ctx, argument);

  EXPECT_EQ(h_.box.Text(), c.text);
  EXPECT_EQ(ToInt(h_.ctx.file.nFilePat), c.encoding);
  EXPECT_TRUE(h_.history.IsSaved());
  EXPECT_EQ(h_.history.nCur(), History::kOriginal);
  if (c.reason.empty()) {
    EXPECT_TRUE(h_.seam.Messages().empty());
    EXPECT_EQ(h_.ctx.file.sFile, full);
    EXPECT_EQ(h_.ctx.WindowCaption(), u"notes.txt  ~Tekvo");
    EXPECT_EQ(h_.say.Caption(), u"打开作原始 (&O) …");
  } else {
    EXPECT_EQ(h_.seam.Messages(), std::vector<Text>{full + u"\r\n\r\n" + c.reason});
    EXPECT_TRUE(h_.ctx.file.sFile.empty());
    EXPECT_EQ(h_.ctx.WindowCaption(), u"Tekvo");
  }
  EXPECT_TRUE(h_.seam.Questions().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OpenCommandLineFileTest,
    testing::Values(
        OpenCase{"gb-detected", "\xD6\xD0\xCE\xC4", "{dir}/notes.txt", u"中文", 1, u""},
        OpenCase{"utf8-with-lf-breaks", "\xE4\xB8\xAD\n\xE6\x96\x87", "{dir}/notes.txt",
                 u"中\r\n文", 7, u""},
        OpenCase{"relative-to-the-current-folder", "abc", "notes.txt", u"abc", 1, u""},
        OpenCase{"dots-resolved", "abc", "folder/../notes.txt", u"abc", 1, u""},
        OpenCase{"missing", "", "{dir}/missing.txt", u"", 0, u"打开失败~ 没有那个文件或目录"},
        OpenCase{"a-folder", "", "folder", u"", 0, u"打开失败~ 是一个目录"},
        OpenCase{"too-large", std::string(49150, 'a'), "notes.txt", u"", 0, u"不能打开~ 文件过大"}),
    CaseName<OpenCase>);

// A name unpacked from a Windows archive: GB bytes, not UTF-8. The argument
// arrives as lossless path text and must open that very file.
TEST(OpenCommandLineFileBytesTest, NameThatIsNotUtf8OpensByItsBytes) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string name = dir.path().toStdString() + "/\xD6\xD0\xCE\xC4.txt";
  std::ofstream(name, std::ios::binary) << "abc";
  CommandHarness h;

  OpenCommandLineFile(h.ctx, ToQString(LosslessPathText(name)));

  EXPECT_TRUE(h.seam.Messages().empty());
  EXPECT_EQ(h.box.Text(), u"abc");
  EXPECT_EQ(TextPath(h.ctx.file.sFile), name);
}

class OpenCommandLineQuestionsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath(QStringLiteral("notes.txt"));
    std::ofstream(path_.toStdString(), std::ios::binary) << "new";
  }
  QTemporaryDir dir_;
  QString path_;
  CommandHarness h_;
};

// A second "Open with" while the window holds unsaved work asks first.
TEST_F(OpenCommandLineQuestionsTest, UnsavedTextAsksAndNoKeepsIt) {
  h_.Load(u"old");
  h_.Change(u"changed", u"GB--Big5 ");
  h_.seam.AnswerAsk(false);
  OpenCommandLineFile(h_.ctx, path_);
  EXPECT_EQ(h_.seam.Questions().size(), 1u);
  EXPECT_EQ(h_.box.Text(), u"changed");
  EXPECT_TRUE(h_.ctx.file.sFile.empty());
}

TEST_F(OpenCommandLineQuestionsTest, TheOpenUnchangedFileAsksToReopen) {
  OpenCommandLineFile(h_.ctx, path_);
  ASSERT_EQ(h_.box.Text(), u"new");
  h_.seam.AnswerAsk(false);
  OpenCommandLineFile(h_.ctx, path_);
  EXPECT_EQ(h_.seam.Questions(),
            std::vector<Text>{ToText(path_) + u"\r\n\r\n文件已经打开，是否重新打开作原始？"});
}

}  // namespace
}  // namespace tekvo
