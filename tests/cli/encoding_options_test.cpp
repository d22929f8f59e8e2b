#include "cli/stream/encoding_options.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/commands/commands.h"
#include "tests/cli/cli_harness.h"

namespace tekvo::cli {
namespace {

TEST(EncodingNamesTest, EveryNameAndItsValue) {
  struct Case {
    const char* name;
    bool input;
    int value;  // -1: refused
  } cases[] = {
      {"auto", true, 0},         {"auto", false, -1},       {"gb", false, 1},
      {"utf16le-bom", false, 2}, {"utf16be-bom", false, 3}, {"utf8-bom", false, 4},
      {"utf16le", false, 5},     {"utf16be", false, 6},     {"utf8", true, 7},
      {"eng", true, 8},          {"UTF8", true, -1},        {"", true, -1},
  };
  for (const Case& c : cases) {
    std::optional<FileEncoding> e = ParseEncodingName(c.name, c.input);
    EXPECT_EQ(e ? ToInt(*e) : -1, c.value) << c.name << (c.input ? " in" : " out");
  }
}

TEST(ConvertTest, InputsAndOutputs) {
  Scratch dir;
  dir.Write("gb.txt", "\xD6\xD0\xCE\xC4");
  dir.Write("le.txt", std::string("\xFF\xFE\x2D\x4E", 4));
  dir.Write("bom8.txt", "\xEF\xBB\xBF\xE4\xB8\xAD");
  dir.Write("lf.txt", "a\nb\n");
  dir.Write("cr.txt", "a\rb\r");
  dir.Write("big5.txt", "\xA4\xA4\xB5\xD8\xA5\xC1\xB0\xEA");
  // Big5 text shown as GB, stored as UTF-8 with a mark and a stray NUL.
  const std::string garbled =
      "\xEF\xBB\xBF\xe3\x81\x84\xe5\x9c\xb0\xe3\x83\x81" + std::string(1, '\0') + "\xe7\x93\xa3";
  dir.Write("garbled.txt", garbled);
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;
    std::string err_contains;
  } cases[] = {
      {"gb-to-utf8", {"convert", "--in", "gb", dir.File("gb.txt")}, "", 0, "中文", ""},
      {"auto-utf16", {"convert", "--in", "auto", dir.File("le.txt")}, "", 0, "中", ""},
      {"utf8-drops-its-bom", {"convert", dir.File("bom8.txt")}, "", 0, "中", ""},
      {"utf8-bom-out",
       {"convert", "--out", "utf8-bom"},
       "A",
       0,
       "\xEF\xBB\xBF"
       "A",
       ""},
      {"utf16be-out", {"convert", "--out=utf16be"}, "A", 0, std::string("\0A", 2), ""},
      {"utf16le-bom-out",
       {"convert", "--out", "utf16le-bom"},
       "A",
       0,
       std::string("\xFF\xFE\x41\x00", 4),
       ""},
      {"stdin-utf16le", {"convert", "--in", "utf16le"}, std::string("A\0B\0", 4), 0, "AB", ""},
      {"eng-out", {"convert", "--out", "eng"}, "caf\xC3\xA9", 0, "caf\xE9", ""},
      {"keeps-lf", {"convert", "--in", "gb", dir.File("lf.txt")}, "", 0, "a\nb\n", ""},
      {"keeps-cr", {"convert", "--in", "gb", dir.File("cr.txt")}, "", 0, "a\rb\r", ""},
      {"keeps-lf-to-utf16",
       {"convert", "--out", "utf16le"},
       "a\nb",
       0,
       std::string("a\0\n\0b\0", 6),
       ""},
      {"repair-reads-gb",
       {"repair", "gb--big5", "--in", "gb", dir.File("big5.txt")},
       "",
       0,
       "中華民國",
       ""},
      {"repair-default-reads-as-utf8-option",
       {"repair", "gb--big5", dir.File("garbled.txt")},
       "",
       0,
       "中華民國",
       ""},
      {"repair-default-stdin-as-utf8-option", {"repair", "gb--big5"}, garbled, 0, "中華民國", ""},
      {"repair-explicit-utf8", {"repair", "--in", "utf8", "gb--big5"}, garbled, 0, "中華民國", ""},
      {"auto-not-for-output", {"convert", "--out", "auto"}, "A", 2, "", "unknown encoding auto"},
      {"unknown-input", {"convert", "--in", "latin9"}, "A", 2, "", "unknown encoding latin9"},
      {"missing-file",
       {"convert", dir.File("none.txt")},
       "",
       2,
       "",
       "打开失败~ 没有那个文件或目录"},
      {"two-files", {"convert", "a", "b"}, "", 2, "", "at most one FILE"},
  };
  for (const Case& c : cases) {
    Result r = RunTool(c.args, c.input);
    EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
    EXPECT_EQ(r.out, c.out) << c.name;
    if (c.err_contains.empty()) {
      EXPECT_EQ(r.err, "") << c.name;
    } else {
      EXPECT_NE(r.err.find(c.err_contains), std::string::npos) << c.name << ": " << r.err;
    }
  }
}

TEST(ConvertTest, OutputFileGoesThroughTheSave) {
  Scratch dir;
  dir.Write("old.txt", "old");
  Result r = RunTool({"convert", "--out", "utf16le", "-o", dir.File("old.txt")}, "中");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.Read("old.txt"), std::string("\x2D\x4E", 2));
  EXPECT_FALSE(dir.Exists("old.txt.bak"));

  // Characters the code page lacks: the question is answered No.
  r = RunTool({"convert", "--out", "gb", "-o", dir.File("old.txt")}, "\xF0\x9F\x98\x80");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("-- no"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("not written"), std::string::npos) << r.err;
  EXPECT_EQ(dir.Read("old.txt"), std::string("\x2D\x4E", 2));

  r = RunTool({"convert", "-o", dir.File("no/such/dir.txt")}, "x");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("保存失败~ 没有那个文件或目录"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tekvo::cli
