// Agreement of the code page bridge with Microsoft's published best-fit
// tables, which say byte for byte what the Windows conversion calls do: every
// byte and byte pair the tables list decodes to their character, and every
// BMP character encodes to their bytes (best fit included) or to "?" when
// they list none. A single difference fails.
//
// The tables live outside the project. Without them the test skips itself,
// loudly; with TEKVO_REQUIRE_SHARED_DATA=1 (as in CI) it fails instead.
#include <gtest/gtest.h>
#include <unicode/utf.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/codepage/codepage.h"
#include "tekvo/source_dir.h"
#include "tests/engine/bestfit_table.h"
#include "tests/engine/test_output.h"
#include "tests/id_output.h"

namespace tekvo {
namespace {

namespace fs = std::filesystem;

fs::path DataDir() {
  if (const char* env = std::getenv("TEKVO_SHARED_DATA"); env != nullptr && *env != '\0') {
    return fs::path(env) / "windows-bestfit";
  }
  return fs::path(TEKVO_SOURCE_DIR) / ".." / "shared" / "data" / "windows-bestfit";
}

std::string HexBytes(const std::string& bytes) { return test_output::Hex(bytes); }
std::string HexUnits(const Text& text) { return test_output::Units(text); }

bool DataRequired() {
  const char* env = std::getenv("TEKVO_REQUIRE_SHARED_DATA");
  return env != nullptr && std::string(env) == "1";
}

// Skips (or, where the data is required, fails) when the tables are absent.
#define REQUIRE_TABLES(dir)                                                                        \
  do {                                                                                             \
    if (!fs::exists(dir)) {                                                                        \
      if (DataRequired()) FAIL() << "no best-fit tables at " << (dir) << " but they are required"; \
      GTEST_SKIP() << "NOT CHECKED: no best-fit tables at " << (dir)                               \
                   << " (set TEKVO_SHARED_DATA to the shared data folder)";                        \
    }                                                                                              \
  } while (0)

// Collects differences, keeping the first few for the failure message.
class Differences {
 public:
  void Add(const std::string& what) {
    if (count_++ < 12) examples_ += "\n  " + what;
  }
  int count() const { return count_; }
  const std::string& examples() const { return examples_; }

 private:
  int count_ = 0;
  std::string examples_;
};

// What Windows writes for `u`: the table's bytes, or the page's default "?".
std::string Expected(const BestFitTable& table, char16_t u) {
  auto it = table.encode.find(u);
  return it == table.encode.end() ? std::string("?") : it->second;
}

struct PageCase {
  const char* name;
  CodePageId cp;
};

const PageCase kPages[] = {
    {"gbk_936", CodePageId{936}},
    {"big5_950", CodePageId{950}},
    {"korean_949", CodePageId{949}},
    {"shift_jis_932", CodePageId{932}},
    {"johab_1361", CodePageId{1361}},
    {"thai_874", CodePageId{874}},
    {"central_europe_1250", CodePageId{1250}},
    {"cyrillic_1251", CodePageId{1251}},
    {"western_1252", CodePageId{1252}},
    {"greek_1253", CodePageId{1253}},
    {"turkish_1254", CodePageId{1254}},
    {"hebrew_1255", CodePageId{1255}},
    {"arabic_1256", CodePageId{1256}},
    {"baltic_1257", CodePageId{1257}},
    {"vietnamese_1258", CodePageId{1258}},
};

class BestFitPage : public testing::TestWithParam<PageCase> {
 protected:
  void SetUp() override {
    const fs::path dir = DataDir();
    REQUIRE_TABLES(dir);
    const fs::path file = dir / ("bestfit" + std::to_string(ToInt(GetParam().cp)) + ".txt");
    ASSERT_TRUE(fs::exists(file)) << file;
    table_ = ParseBestFitTable(file);
    ASSERT_FALSE(table_.decode.empty()) << file;
    ASSERT_TRUE(IsCodePageServed(GetParam().cp));
  }
  BestFitTable table_;
};

TEST_P(BestFitPage, DecodesEveryListedByteAndPair) {
  const CodePageId cp = GetParam().cp;
  Differences diffs;
  for (const auto& [bytes, unit] : table_.decode) {
    const Text got = CodePageBytesToText(bytes, cp);
    if (got != Text(1, unit)) {
      diffs.Add(HexBytes(bytes) + " -> " + HexUnits(got) + ", Windows " + HexUnits(Text(1, unit)));
    }
  }
  EXPECT_EQ(diffs.count(), 0) << "code page " << cp << ": " << diffs.count() << " of "
                              << table_.decode.size() << " sequences differ:" << diffs.examples();
}

TEST_P(BestFitPage, EncodesEveryBasicPlaneCharacter) {
  const CodePageId cp = GetParam().cp;
  Differences diffs;
  for (unsigned u = 0; u <= 0xFFFF; ++u) {
    if (U_IS_SURROGATE(u)) continue;
    const Text one(1, static_cast<char16_t>(u));
    const std::string want = Expected(table_, one[0]);
    const ByteString got = TextToCodePageBytes(one, cp);
    if (got != want)
      diffs.Add(HexUnits(one) + " -> " + HexBytes(got) + ", Windows " + HexBytes(want));
  }
  EXPECT_EQ(diffs.count(), 0) << "code page " << cp << ": " << diffs.count()
                              << " characters differ:" << diffs.examples();
}

// One long text and one long byte string: the bridge converts these through
// its table path and, past a few awkward places (lone surrogates), through
// the converter itself; both must agree with the tables.
TEST_P(BestFitPage, WholeTextsAgree) {
  const CodePageId cp = GetParam().cp;
  Text text;
  std::string want;
  for (unsigned u = 0; u <= 0xFFFF; ++u) {
    if (U_IS_SURROGATE(u)) continue;
    if (u % 2048 == 1) {  // a lone surrogate, written "?"
      text.push_back(u'\xDC00');
      want += '?';
    }
    text.push_back(static_cast<char16_t>(u));
    want += Expected(table_, static_cast<char16_t>(u));
  }
  const ByteString got = TextToCodePageBytes(text, cp);
  EXPECT_TRUE(got == want) << "code page " << cp << ": the whole basic plane encodes to "
                           << got.size() << " bytes, Windows " << want.size();

  std::string bytes;
  Text units;
  for (const auto& [seq, unit] : table_.decode) {
    bytes += seq;
    units.push_back(unit);
  }
  EXPECT_TRUE(CodePageBytesToText(bytes, cp) == units)
      << "code page " << cp << ": the listed sequences in a row decode otherwise";
}

INSTANTIATE_TEST_SUITE_P(Pages, BestFitPage, testing::ValuesIn(kPages),
                         [](const testing::TestParamInfo<PageCase>& info) {
                           return std::string(info.param.name);
                         });

// Every published table is checked above, so a page added to the data and
// served by the bridge cannot slip through.
TEST(BestFitFidelity, EveryPublishedServedPageIsChecked) {
  const fs::path dir = DataDir();
  REQUIRE_TABLES(dir);
  std::set<CodePageId> checked;
  for (const PageCase& p : kPages) checked.insert(p.cp);
  for (const auto& file : fs::directory_iterator(dir)) {
    const std::string name = file.path().filename().string();
    if (name.rfind("bestfit", 0) != 0 || file.path().extension() != ".txt") continue;
    const CodePageId cp{std::stoi(name.substr(7))};
    if (!IsCodePageServed(cp)) continue;
    EXPECT_TRUE(checked.count(cp) == 1) << name << " is not checked";
  }
}

}  // namespace
}  // namespace tekvo
