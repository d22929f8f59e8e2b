#include "engine/reinterpret.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "engine/codepage.h"
#include "engine/fixed_repairs.h"
#include "tests/case_name.h"
#include "tests/engine/test_output.h"

namespace tekvo {
namespace {

using test_output::Units;

enum class Routine { kLocale, kCodePage };
// At namespace scope so the parameter rows can name the routines bare.
using enum Routine;

struct Case {
  const char* name;
  Routine routine;
  Text input;
  std::int32_t a;
  std::int32_t b;
  Text expected;
};

Converted RunCase(const Case& c) {
  return c.routine == Routine::kLocale ? ReinterpretByLocale(c.input, c.a, c.b)
                                       : ReinterpretByCodePage(c.input, c.a, c.b);
}

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class ReinterpretTable : public testing::TestWithParam<Case> {};

TEST_P(ReinterpretTable, GivesTheText) {
  const Case& c = GetParam();
  Converted r = RunCase(c);
  EXPECT_EQ(Units(r.text), Units(c.expected)) << c.name << " input " << Units(c.input);
  EXPECT_FALSE(r.too_long) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReinterpretTable,
    testing::ValuesIn(std::vector<Case>{
        {"utf16-identity-drops-bom-and-nul", kLocale, Text(u"\uFEFFa\0b\uFEFF", 5), -2, -2,
         u"ab\uFEFF"},
        {"u-as-ube-swaps", kLocale, u"\u4100\u4200", -2, -1, u"AB"},
        {"ube-as-u-swaps", kLocale, u"AB", -1, -2, u"\u4100\u4200"},
        {"lcid-a-zero-unchanged", kLocale, u"abc", 0, 2052, u"abc"},
        {"lcid-b-minus-four-unchanged", kLocale, u"abc", 2052, -4, u"abc"},
        {"lcid-unknown-a-unchanged", kLocale, u"中文", 12345, 2052, u"中文"},
        {"lcid-unknown-b-unchanged", kLocale, u"中文", 2052, 12345, u"中文"},
        {"cp-utf8-id-is-not-a-page", kCodePage, u"\u00C3\u00A9", -3, 65001, u"\u00C3\u00A9"},
        {"cp-utf16be-id-is-not-a-page", kCodePage, u"\u00C3\u00A9", -1, 65001, u"\u00C3\u00A9"},
        {"cp-1252-as-utf8", kCodePage, u"\u00C3\u00A9", 1252, 65001, u"\u00E9"},
        {"cp-rejected-a-unchanged", kCodePage, u"abc", 12345, 936, u"abc"},
        {"cp-rejected-b-unchanged", kCodePage, u"abc", 936, 12345, u"abc"},
        {"cp-utf16le-both-sides", kCodePage, u"\u4100", -2, -2, u"\u4100"},
        {"cp-utf16le-to-page", kCodePage, u"\u4241", -2, 1252, u"AB"},
        {"cp-system-page-is-gbk", kCodePage, u"中文", 0, 936, u"中文"},
        {"gb-as-utf8-drops-decoded-bom", kLocale, u"锘縜bc", 2052, -3, u"abc"},
        {"only-nul-result-unchanged", kLocale, Text(u"\0", 1), -2, -2, Text(u"\0", 1)},
        {"only-bom-result-unchanged", kLocale, u"\uFEFF", -2, -2, u"\uFEFF"},
        {"empty-locale", kLocale, u"", 2052, 1028, u""},
        {"empty-codepage", kCodePage, u"", 936, 950, u""},
        {"ascii-unchanged-by-gb-big5", kLocale, u"plain text", 2052, 1028, u"plain text"},
        {"emoji-survives-utf8-repair", kLocale, u"\u00F0\u0178\u02DC\u20AC", 1033, -3,
         u"\U0001F600"},
        {"invalid-utf8-page-bytes-show-replacement", kCodePage, u"a\u00FF", 1252, 65001,
         u"a\uFFFD"},
        {"own-utf8-coder-drops-cut-lead", kLocale, u"a\u00FF", 1033, -3, u"a"},
        // GB bytes 80 ("€") read as Japanese, and back: Windows reads 80 in 932.
        {"gb-shown-as-japanese-repaired", kLocale,
         u"\u0080"
         u"100\uFF94\uFF6A",
         1041, 2052, u"€100元"},
        {"gb-garbled-as-japanese", kLocale, u"€100元", 2052, 1041,
         u"\u0080"
         u"100\uFF94\uFF6A"},
        // Best fit: Windows writes "A" for "Ā" in 1252, "?" for what it lacks.
        {"best-fit-letter-in-1252", kCodePage, u"Āz", 1252, 1252, u"Az"},
        {"gb-writes-no-control-for-arrows", kCodePage, u"\uFFE9\uFFEE", 936, 936, u"??"},
    }),
    CaseName<Case>);

// Each fixed repair undoes its own garbling: a sentence written in B and
// shown as A comes back whole.
struct RoundTrip {
  const char* name;
  Text sentence;
};

void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }

class EveryFixedRepair : public testing::TestWithParam<RoundTrip> {};

TEST_P(EveryFixedRepair, UndoesItsGarbling) {
  const RoundTrip& c = GetParam();
  const FixedRepair* repair = FindFixedRepair(std::u16string(c.name, c.name + strlen(c.name)));
  ASSERT_NE(repair, nullptr) << c.name;
  std::optional<ByteString> bytes;
  if (repair->b == kIdUtf8) {
    bytes = TextToUtf8Bytes(c.sentence);
  } else if (repair->b == kIdUtf16Be) {
    bytes = SwapBytePairs(TextToUtf16LeBytes(c.sentence));
  } else {
    bytes = TextToLocaleBytes(c.sentence, repair->b);
  }
  ASSERT_TRUE(bytes) << c.name;
  Text garbled = repair->a == kIdUtf16Le ? Utf16LeBytesToText(*bytes)
                                         : LocaleBytesToText(*bytes, repair->a).value();
  EXPECT_NE(Units(garbled), Units(c.sentence)) << c.name;
  EXPECT_EQ(Units(ReinterpretByLocale(garbled, repair->a, repair->b).text), Units(c.sentence))
      << c.name << " garbled " << Units(garbled);
}

INSTANTIATE_TEST_SUITE_P(Cases, EveryFixedRepair,
                         testing::ValuesIn(std::vector<RoundTrip>{
                             {"gb--big5", u"中華民國的歷史悠久，文化豐富。"},
                             {"gb--ja", u"日本語の文章を正しく読みます。"},
                             {"gb--ko", u"한국어 문장을 읽습니다."},
                             {"gb--ru", u"Привет всем, тест"},
                             {"gb--utf8", u"中文测试没有问题"},
                             {"big5--gb", u"简体中文的句子在这里。"},
                             {"big5--ko", u"한국어 문장을 읽습니다."},
                             {"ja--gb", u"简体中文的句子。"},
                             {"ko--gb", u"简体中文的句子。"},
                             {"ru--gb", u"简体中文的句子。"},
                             {"en--gb", u"简体中文的句子。"},
                             {"en--big5", u"中華民國的歷史。"},
                             {"en--utf8", u"中文和日本語と한국어 \U0001F600"},
                             {"u--ube", u"中文 text"},
                         }),
                         CaseName<RoundTrip>);

struct LengthCase {
  const char* name;
  std::size_t length;
  bool leading_bom;
  std::optional<std::size_t> max_len;  // nullopt: the routines' default
  bool too_long;
};

void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.name << " length " << c.length; }

class LengthLimit : public testing::TestWithParam<LengthCase> {};

// UTF-16 to UTF-16 and GBK to GBK change nothing but the byte order mark,
// so only the length check decides.
TEST_P(LengthLimit, RefusesLongerResults) {
  const LengthCase& c = GetParam();
  Text input(c.length, u'\u4E2D');
  if (c.leading_bom) input[0] = u'\uFEFF';
  auto locale = [&](LocaleId a, LocaleId b) {
    return c.max_len ? ReinterpretByLocale(input, a, b, *c.max_len)
                     : ReinterpretByLocale(input, a, b);
  };
  auto code_page = [&](CodePageId a, CodePageId b) {
    return c.max_len ? ReinterpretByCodePage(input, a, b, *c.max_len)
                     : ReinterpretByCodePage(input, a, b);
  };
  std::vector<Converted> results = {locale(-2, -2), code_page(-2, -2)};
  // GBK has no byte order mark to drop.
  if (!c.leading_bom) results.insert(results.end(), {locale(2052, 2052), code_page(936, 936)});
  for (const Converted& r : results) {
    EXPECT_EQ(r.too_long, c.too_long);
    // A refusal hands back the input, mark and all.
    EXPECT_EQ(r.text.size(), c.too_long ? c.length : c.length - (c.leading_bom ? 1 : 0));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LengthLimit,
    testing::Values(LengthCase{"exactly-16383", 16383, false, std::nullopt, false},
                    LengthCase{"16384-refused", 16384, false, std::nullopt, true},
                    LengthCase{"16384-but-bom-dropped-first", 16384, true, std::nullopt, false},
                    LengthCase{"lifted-limit", 16383 * 4, false, kNoLengthLimit, false},
                    LengthCase{"custom-limit", 11, false, 10, true}),
    CaseName<LengthCase>);

TEST(Reinterpret, RefusalHandsBackTheInput) {
  Text input(16384, u'\u4100');
  Converted r = ReinterpretByLocale(input, -2, -1);
  EXPECT_TRUE(r.too_long);
  EXPECT_EQ(r.text, input);
}

// Texts with line feeds, cut after some of them: the pieces repaired one by
// one and joined give what the whole repair gives.
struct PieceCase {
  const char* name;
  bool locale;
  std::int32_t a;
  std::int32_t b;
};

TEST(PiecewiseRepair, JoinedPiecesEqualWholeRepair) {
  const PieceCase cases[] = {
      {"gb--big5", true, 2052, 1028},
      {"gb--utf8", true, 2052, -3},
      {"en--utf8", true, 1033, -3},
      {"u--ube", true, -2, -1},
      {"ube--u", true, -1, -2},
      {"u--gb", true, -2, 2052},
      {"utf8--gb", true, -3, 2052},
      {"ja--ko", true, 1041, 1042},
      {"cp-1252-65001", false, 1252, 65001},
      {"cp-utf16-936", false, -2, 936},
      {"cp-54936-950", false, 54936, 950},
      {"cp-1361-949", false, 1361, 949},
  };
  // Pieces of text, the UTF-8 byte order mark as Windows-1252 shows it
  // among them, so that results can start with U+FEFF anywhere; lead bytes
  // of every page (as the A side writes them) before each cut character.
  const Text tokens[] = {u"中文",        u"한글",       u"カナ",   u"abc",
                         u"\n",          u"\n",         u"\uFEFF", u"\u00E9",
                         u"\u20AC",      u"\U0001F600", u"\xD800", u"\u00EF\u00BB\u00BF",
                         Text(1, u'\0'), u" ",          u"/",      u"(",
                         u"\x01",        u"09",         u"\u00C4", u"\u0081"};
  std::mt19937 rng(99);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(tokens) - 1);
  for (const auto& c : cases) {
    auto piecewise =
        c.locale ? PiecewiseRepair::ForLocales(c.a, c.b) : PiecewiseRepair::ForCodePages(c.a, c.b);
    ASSERT_TRUE(piecewise) << c.name;
    for (int round = 0; round < 50; ++round) {
      Text text;
      for (int i = 0; i < 30; ++i) text += tokens[pick(rng)];
      if (round % 5 == 0) text.insert(0, 1, u'\uFEFF');
      text.insert(3, 1, u'\n');  // at least one cut with text after it
      const Converted whole = c.locale ? ReinterpretByLocale(text, c.a, c.b, kNoLengthLimit)
                                       : ReinterpretByCodePage(text, c.a, c.b, kNoLengthLimit);
      // Every cut position by itself, then all of them at once.
      Text all_cuts;
      std::size_t start = 0;
      for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (!PiecewiseRepair::EndsPiece(text[i])) continue;
        const Text two = piecewise->Piece(text.substr(0, i + 1), true) +
                         piecewise->Piece(text.substr(i + 1), false);
        ASSERT_EQ(Units(two), Units(whole.text))
            << c.name << " cut after " << i << " in " << Units(text);
        all_cuts += piecewise->Piece(text.substr(start, i + 1 - start), start == 0);
        start = i + 1;
      }
      all_cuts += piecewise->Piece(text.substr(start), start == 0);
      ASSERT_EQ(Units(all_cuts), Units(whole.text)) << c.name << " text " << Units(text);
    }
  }
}

TEST(PiecewiseRepair, RefusesPairsThatCannotBeCut) {
  EXPECT_FALSE(PiecewiseRepair::ForCodePages(65000, 936));  // UTF-7 keeps shift state
  EXPECT_FALSE(PiecewiseRepair::ForCodePages(936, 50221));
  EXPECT_FALSE(PiecewiseRepair::ForLocales(2052, -2));  // odd byte counts would shift
  EXPECT_FALSE(PiecewiseRepair::ForLocales(12345, 2052));
  EXPECT_FALSE(PiecewiseRepair::ForLocales(0, 2052));
  EXPECT_FALSE(PiecewiseRepair::ForCodePages(-1, 936));
  EXPECT_FALSE(PiecewiseRepair::ForCodePages(936, 99999));
}

}  // namespace
}  // namespace tekvo
