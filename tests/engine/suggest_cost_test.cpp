#include "engine/suggest/suggest_cost.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/codepage/codepage.h"
#include "engine/transfer/utf7.h"
#include "tests/case_name.h"
#include "tests/engine/test_output.h"

namespace tekvo {
namespace {

using test_output::Hex;

struct StrayCase {
  const char* name;
  std::string bytes;
  bool cut_before;
  bool cut_after;
  std::size_t stray;
};

void PrintTo(const StrayCase& c, std::ostream* os) { *os << c.name; }

class StrayUtf8BytesCases : public testing::TestWithParam<StrayCase> {};

TEST_P(StrayUtf8BytesCases, CountsTheStrays) {
  const StrayCase& c = GetParam();
  EXPECT_EQ(StrayUtf8Bytes(c.bytes, c.cut_before, c.cut_after), c.stray) << Hex(c.bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, StrayUtf8BytesCases,
                         testing::ValuesIn(std::vector<StrayCase>{
                             {"ascii", "plain", false, false, 0},
                             {"two-three-four-byte-sequences",
                              "\xC3\xA9\xE4\xBD\xA0\xF0\x9F\x98\x80", false, false, 0},
                             {"cesu8-surrogates", "\xED\xA0\xBD\xED\xB8\x8D", false, false, 0},
                             {"latin1-e-acute", "Caf\xE9", false, false, 1},
                             {"lone-continuation",
                              "a\x80"
                              "b",
                              false, false, 1},
                             {"overlong-lead", "\xC0\xAF", false, false, 2},
                             {"lead-cut-by-ascii",
                              "\xE4\xBD"
                              "a",
                              false, false, 2},
                             {"head-after-a-loss",
                              "\xBD\xA0"
                              "ab",
                              true, false, 0},
                             {"head-without-a-loss",
                              "\xBD\xA0"
                              "ab",
                              false, false, 2},
                             {"tail-before-a-loss", "ab\xE4\xBD", false, true, 0},
                             {"tail-without-a-loss", "ab\xE4\xBD", false, false, 2},
                             {"empty", "", true, true, 0},
                         }),
                         CaseName<StrayCase>);

struct Utf7Case {
  const char* name;
  Text text;
  bool ill_formed;
};

void PrintTo(const Utf7Case& c, std::ostream* os) { *os << c.name; }

class IllFormedUtf7UnitsCases : public testing::TestWithParam<Utf7Case> {};

TEST_P(IllFormedUtf7UnitsCases, FindsTheIllFormed) {
  const Utf7Case& c = GetParam();
  EXPECT_EQ(IllFormedUtf7Units(c.text) > 0, c.ill_formed)
      << TextToUtf8Bytes(c.text) << " -> " << IllFormedUtf7Units(c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, IllFormedUtf7UnitsCases,
                         testing::ValuesIn(std::vector<Utf7Case>{
                             {"encoder-output", EncodeUtf7(u"在 Debian 这种规模的项目中").text,
                              false},
                             {"caption-example", u"+UxdOrA- YES +Ti1XC2-", false},
                             {"plus-is-a-digit-inside-a-shift", EncodeUtf7(u"提示：").text, false},
                             {"plus-in-plain-text", u"C++ and a+b", true},
                             {"nonzero-leftover-bits-closed-by-minus", u"+Ti1XC2-", false},
                             {"base64-hash", u"47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuFU=", true},
                             {"nonzero-leftover-bits", u"+UxdOrB =", true},
                             {"six-bits-over", u"+UxdOr-", true},
                         }),
                         CaseName<Utf7Case>);

const Repair* Find(std::u16string_view say) {
  for (const auto& r : SuggestableRepairs()) {
    if (r.say == say) return &r;
  }
  return nullptr;
}

struct CostCase {
  const char* name;
  std::u16string_view repair;
  Text input;
  bool costs;
};

void PrintTo(const CostCase& c, std::ostream* os) { *os << c.name; }

class RepairCostCases : public testing::TestWithParam<CostCase> {};

TEST_P(RepairCostCases, CostsOrNot) {
  const CostCase& c = GetParam();
  const Repair* r = Find(c.repair);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(RepairCost(*r, c.input, 4) > 0, c.costs) << TextToUtf8Bytes(c.input);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RepairCostCases,
    testing::ValuesIn(std::vector<CostCase>{
        {"utf8-read-as-western", u"Eng--UTF8 ", u"caf\u00C3\u00A9", false},
        {"western-text-read-as-utf8", u"Eng--UTF8 ", u"Caf\u00E9 au lait", true},
        {"text-the-page-cannot-write", u"Eng--GB ", u"\u4E2D\u6587", true},
        {"replacement-char-is-exempt", u"GB--Big5 ", u"\u6D6A\uFFFD", false},
        {"swap-of-swapped-text", u"U--UBE ", u"\u2D4E\u8765", false},
        {"swap-of-ascii", u"U--UBE ", u"plain", true},
        {"url-escapes-of-utf8", u"URL--UTF8 ", u"%E4%BD%A0", false},
        {"url-escapes-of-gb-read-as-utf8", u"URL--UTF8 ", u"%C4%E3%BA%C3", true},
        {"base64-of-binary-read-as-utf8", u"Base64--UTF8 ", u"//79/A==", true},
        {"html-references-cost-nothing", u"HTM--U ", u"&#20320;", false},
    }),
    CaseName<CostCase>);

// A second step pays for each U+FFFD of the first step's result that it
// does not keep: 3.5 per unit of the result, over its 4 counted units + 2.
struct LossCase {
  const char* name;
  Text input;
  Text output;
  double cost;
};

void PrintTo(const LossCase& c, std::ostream* os) { *os << c.name; }

class HiddenLossCostCases : public testing::TestWithParam<LossCase> {};

TEST_P(HiddenLossCostCases, GivesTheCost) {
  const LossCase& c = GetParam();
  EXPECT_DOUBLE_EQ(HiddenLossCost(c.input, c.output, 4), c.cost)
      << c.name << ": " << TextToUtf8Bytes(c.input) << " -> " << TextToUtf8Bytes(c.output);
}

INSTANTIATE_TEST_SUITE_P(Cases, HiddenLossCostCases,
                         testing::ValuesIn(std::vector<LossCase>{
                             {"no-replacement-char", u"\u62A4\u58EB", u"\u8BF1\u5B89", 0.0},
                             {"kept", u"\u62A4\uFFFD", u"\u8BF1\uFFFD", 0.0},
                             {"turned-into-question-marks", u"\u62A4\uFFFD", u"\u8BF1??", 3.5 / 6},
                             {"two-hidden", u"\uFFFD\u62A4\uFFFD", u"?\u8BF1?", 7.0 / 6},
                             {"one-of-two-kept", u"\uFFFD\u62A4\uFFFD", u"\uFFFD\u8BF1?", 3.5 / 6},
                             {"more-in-the-output", u"\u62A4", u"\uFFFD\uFFFD", 0.0},
                             {"empty", u"", u"", 0.0},
                         }),
                         CaseName<LossCase>);

// A result is given back the weight of the marks of loss the text held
// already, each of the text's marks covering two of the result's, per unit
// of the result (4 counted units + 2).
struct CreditCase {
  const char* name;
  std::size_t input_lost;
  std::size_t output_lost;
  double output_lost_weight;
  double credit;
};

void PrintTo(const CreditCase& c, std::ostream* os) { *os << c.name; }

class InheritedLossCreditCases : public testing::TestWithParam<CreditCase> {};

TEST_P(InheritedLossCreditCases, GivesTheCredit) {
  const CreditCase& c = GetParam();
  TextScore input;
  input.lost = c.input_lost;
  TextScore output;
  output.lost = c.output_lost;
  output.lost_weight = c.output_lost_weight;
  output.counted = 4;
  EXPECT_DOUBLE_EQ(InheritedLossCredit(input, output), c.credit)
      << c.name << ": " << c.input_lost << " marks in, " << c.output_lost << " out";
}

INSTANTIATE_TEST_SUITE_P(Cases, InheritedLossCreditCases,
                         testing::ValuesIn(std::vector<CreditCase>{
                             {"none-in-the-text", 0, 2, -4.5, 0.0},
                             {"none-in-the-result", 1, 0, 0.0, 0.0},
                             {"one-becomes-two", 1, 2, -4.5, 4.5 / 6},
                             {"one-of-four-covers-half", 1, 4, -9.0, 4.5 / 6},
                             {"fewer-in-the-result", 3, 1, -3.0, 3.0 / 6},
                         }),
                         CaseName<CreditCase>);

}  // namespace
}  // namespace tekvo
