#include "cli/stream/repair_pieces.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "cli/commands/repair_name.h"
#include "engine/repair/reinterpret.h"
#include "tests/case_name.h"

namespace tekvo::cli {
namespace {

// One long line without a line feed or space: the repair finds a place to
// cut near the end of what it has read, where one is sound, and none where
// the B side's decoder never rests after a character or the text before
// would repair to nothing.
struct CutCase {
  const char* name;
  const char* repair;
  const char* unit;
  bool cuts;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

class RepairCutsOneLine : public testing::TestWithParam<CutCase> {};

TEST_P(RepairCutsOneLine, NearTheEndOrNowhere) {
  const CutCase& c = GetParam();
  const RepairChoice choice = *ParseRepairName(c.repair);
  const std::optional<PiecewiseRepair> repair =
      choice.kind == RepairKind::kLocale
          ? PiecewiseRepair::ForLocales(LocaleId{choice.a}, LocaleId{choice.b})
          : PiecewiseRepair::ForCodePages(CodePageId{choice.a}, CodePageId{choice.b});
  ASSERT_TRUE(repair) << c.repair;
  std::string line;
  while (line.size() < (std::size_t{64} << 10)) line += c.unit;
  const PieceRules rules = PiecewiseRepairRules(*repair, [](const Text& t) { return t; });
  const std::size_t cut = rules.last_cut(line);
  if (c.cuts) {
    EXPECT_GT(cut, line.size() / 2) << c.repair << " on " << c.unit << "...";
  } else {
    EXPECT_EQ(cut, 0u) << c.repair << " on " << c.unit << "...";
  }
}

const CutCase kCutCases[] = {
    {"cjk-gb-big5", "gb--big5", "中華民國的歷史悠久文化豐富", true},
    {"cjk-gb-utf8", "gb--utf8", "中華民國的歷史悠久文化豐富", true},
    {"cjk-out-of-step-gb-ja", "gb--ja", "中華民國的歷史悠久文化豐富", true},
    {"cjk-gb-gb18030", "cp:936:54936", "中華民國的歷史悠久文化豐富", true},
    {"letters-u-ube", "u--ube", "abcdefghijk", true},
    {"letters-gb-johab", "cp:936:1361", "abcdefghijk", true},
    {"hangul-as-question-marks-gb-ja", "gb--ja", "한국어텍스트다", true},
    {"four-byte-gb18030-gb", "cp:54936:936", "\xF0\xA0\x80\x80\xF0\xA0\x80\x81", true},
    {"four-byte-gb-utf8", "gb--utf8", "\xF0\xA0\x80\x80\xF0\xA0\x80\x81", true},
    // GB's bytes of "中" read as UTF-8 give nothing, and a repair that gives
    // nothing gives its input back.
    {"nothing-gb-utf8", "gb--utf8", "中", false},
    // UTF-16's bytes of Hangul read as GB pair each unit's high byte with the
    // next unit's low byte, all the way.
    {"out-of-step-for-good-u-gb", "lcid:u:gb", "한국어텍스트", false},
};

INSTANTIATE_TEST_SUITE_P(Shapes, RepairCutsOneLine, testing::ValuesIn(kCutCases),
                         CaseName<CutCase>);

}  // namespace
}  // namespace tekvo::cli
