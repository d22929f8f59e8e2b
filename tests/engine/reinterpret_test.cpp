#include "engine/repair/reinterpret.h"

#include <gtest/gtest.h>
#include <unicode/utf.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/codepage/codepage.h"
#include "engine/repair/fixed_repairs.h"
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
  return c.routine == Routine::kLocale
             ? ReinterpretByLocale(c.input, LocaleId{c.a}, LocaleId{c.b})
             : ReinterpretByCodePage(c.input, CodePageId{c.a}, CodePageId{c.b});
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
        {"cp-system-page-writes-gbk-bytes", kCodePage, u"中文", 0, 1252,
         u"\u00D6\u00D0\u00CE\u00C4"},
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
  std::vector<Converted> results = {locale(kIdUtf16Le, kIdUtf16Le),
                                    code_page(CodePageId::kUtf16Le, CodePageId::kUtf16Le)};
  // GBK has no byte order mark to drop.
  if (!c.leading_bom)
    results.insert(results.end(), {locale(LocaleId{2052}, LocaleId{2052}),
                                   code_page(CodePageId{936}, CodePageId{936})});
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
  Converted r = ReinterpretByLocale(input, LocaleId{-2}, LocaleId{-1});
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
    auto piecewise = c.locale ? PiecewiseRepair::ForLocales(LocaleId{c.a}, LocaleId{c.b})
                              : PiecewiseRepair::ForCodePages(CodePageId{c.a}, CodePageId{c.b});
    ASSERT_TRUE(piecewise) << c.name;
    for (int round = 0; round < 50; ++round) {
      Text text;
      for (int i = 0; i < 30; ++i) text += tokens[pick(rng)];
      if (round % 5 == 0) text.insert(0, 1, u'\uFEFF');
      text.insert(3, 1, u'\n');  // at least one cut with text after it
      const Converted whole =
          c.locale ? ReinterpretByLocale(text, LocaleId{c.a}, LocaleId{c.b}, kNoLengthLimit)
                   : ReinterpretByCodePage(text, CodePageId{c.a}, CodePageId{c.b}, kNoLengthLimit);
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

// Texts without line feeds or spaces, cut at every place where the B side's
// decoder rests after the A side's bytes, then at all of them at once.
// Tokens the A side writes as bytes B reads out of step (lead bytes, "?"
// for what A lacks, GB18030's digits, a four-byte UTF-8 sequence as
// Windows-1252 shows it, GB's 81 84 before a byte Johab reads as a
// trail) and ones that bring it back.
TEST(PiecewiseRepair, JoinedAtEveryRestEqualWholeRepair) {
  const PieceCase cases[] = {
      {"gb--big5", true, 2052, 1028},
      {"gb--utf8", true, 2052, -3},
      {"en--utf8", true, 1033, -3},
      {"gb--ja", true, 2052, 1041},
      {"ko--gb", true, 1042, 2052},
      {"u--ube", true, -2, -1},
      {"u--gb", true, -2, 2052},
      {"utf8--gb", true, -3, 2052},
      {"cp-1252-65001", false, 1252, 65001},
      {"cp-936-54936", false, 936, 54936},
      {"cp-54936-950", false, 54936, 950},
      {"cp-1361-949", false, 1361, 949},
      {"cp-936-1361", false, 936, 1361},
  };
  const Text tokens[] = {u"中文",         u"한글",
                         u"カナ",         u"abc",
                         u"\uFEFF",       u"\u00E9",
                         u"\u20AC",       u"\U0001F600",
                         u"\xD800",       u"\u00EF\u00BB\u00BF",
                         Text(1, u'\0'),  u"09",
                         u"\u00C4",       u"\u0081",
                         u"?;",           u"\u00D6",
                         u"\u00B1\u00E0", u"\u00F0\u0178\u02DC\u20AC",
                         u"\u4E9C"};
  std::mt19937 rng(7);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(tokens) - 1);
  for (const auto& c : cases) {
    auto piecewise = c.locale ? PiecewiseRepair::ForLocales(LocaleId{c.a}, LocaleId{c.b})
                              : PiecewiseRepair::ForCodePages(CodePageId{c.a}, CodePageId{c.b});
    ASSERT_TRUE(piecewise) << c.name;
    std::size_t rests = 0;
    for (int round = 0; round < 40; ++round) {
      Text text;
      for (int i = 0; i < 24; ++i) text += tokens[pick(rng)];
      if (round % 5 == 0) text.insert(0, 1, u'\uFEFF');
      const Converted whole =
          c.locale ? ReinterpretByLocale(text, LocaleId{c.a}, LocaleId{c.b}, kNoLengthLimit)
                   : ReinterpretByCodePage(text, CodePageId{c.a}, CodePageId{c.b}, kNoLengthLimit);
      DecoderRest reader = piecewise->ReadRest();
      Text all_cuts;
      std::size_t start = 0;
      for (std::size_t i = 0; i < text.size();) {
        const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        const std::size_t n = pair ? 2 : 1;
        const ByteString bytes = piecewise->Encode(text.substr(i, n));
        ASSERT_FALSE(bytes.empty()) << c.name << " unit " << i << " of " << Units(text);
        if (i > 0 && reader.RestsBefore(static_cast<unsigned char>(bytes[0])) &&
            !piecewise->Piece(text.substr(0, i), true).empty()) {
          ++rests;
          const Text two =
              piecewise->Piece(text.substr(0, i), true) + piecewise->Piece(text.substr(i), false);
          ASSERT_EQ(Units(two), Units(whole.text))
              << c.name << " cut before " << i << " in " << Units(text);
          all_cuts += piecewise->Piece(text.substr(start, i - start), start == 0);
          start = i;
        }
        reader.Feed(bytes);
        i += n;
      }
      all_cuts += piecewise->Piece(text.substr(start), start == 0);
      ASSERT_EQ(Units(all_cuts), Units(whole.text)) << c.name << " text " << Units(text);
    }
    EXPECT_GT(rests, 100u) << c.name;
  }
}

// Every BMP unit, in code order and shuffled among line feeds, repaired the
// way the command-line tool streams: the table-driven stretches and the
// repair of the text up to the next cut after each, joined. Rows cover
// double-byte pages both ways, the Shift-JIS controls, single-byte text
// that B reads as lead bytes, and a unit B's supplement remaps.
struct TableCase {
  const char* name;
  bool locale;
  std::int32_t a;
  std::int32_t b;
};

void PrintTo(const TableCase& c, std::ostream* os) { *os << c.name; }

class PlainUtf8 : public testing::TestWithParam<TableCase> {};

// The stretches PlainUtf8 takes, and the rest repaired up to each cut.
ByteString RepairStretches(const PiecewiseRepair& repair, const ByteString& utf8,
                           std::size_t& taken) {
  ByteString out;
  std::size_t p = 0;
  taken = 0;
  while (p < utf8.size()) {
    const std::size_t n = repair.PlainUtf8(std::string_view(utf8).substr(p), out);
    p += n;
    taken += n;
    std::size_t cut = p;
    while (cut < utf8.size() && (utf8[cut] < 0x01 || utf8[cut] > 0x2F)) ++cut;
    cut = std::min(cut + 1, utf8.size());
    out += TextToUtf8Bytes(repair.Piece(Utf8BytesToText(utf8.substr(p, cut - p)), p == 0));
    p = cut;
  }
  return out;
}

TEST_P(PlainUtf8, StretchesJoinedEqualTheRepair) {
  const TableCase& c = GetParam();
  auto repair = c.locale ? PiecewiseRepair::ForLocales(LocaleId{c.a}, LocaleId{c.b})
                         : PiecewiseRepair::ForCodePages(CodePageId{c.a}, CodePageId{c.b});
  ASSERT_TRUE(repair && repair->HasPlainTables());
  Text in_order;
  for (char32_t u = 0; u <= 0xFFFF; ++u) {
    if (!U_IS_SURROGATE(u)) in_order += static_cast<char16_t>(u);
  }
  Text shuffled = in_order;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  for (Text* text : {&in_order, &shuffled}) {
    for (std::size_t i = 16; i < text->size(); i += 17) text->insert(i, 1, u'\n');
  }
  for (const Text* text : {&in_order, &shuffled}) {
    const ByteString utf8 = TextToUtf8Bytes(*text);
    const ByteString whole = TextToUtf8Bytes(repair->Piece(*text, true));
    std::size_t taken = 0;
    const ByteString joined = RepairStretches(*repair, utf8, taken);
    const auto diff = std::mismatch(joined.begin(), joined.end(), whole.begin(), whole.end());
    ASSERT_TRUE(joined == whole) << c.name << (text == &in_order ? " in order" : " shuffled")
                                 << ": first difference at byte " << diff.first - joined.begin()
                                 << " of the result, "
                                 << test_output::Hex(
                                        ByteString(diff.first, joined.end()).substr(0, 12));
    // A large share of every pair's units is plain: the tables did work.
    EXPECT_GT(taken, utf8.size() / 10) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Pairs, PlainUtf8,
                         testing::Values(TableCase{"gb--big5", true, 2052, 1028},
                                         TableCase{"big5--gb", true, 1028, 2052},
                                         TableCase{"ja--gb", true, 1041, 2052},
                                         TableCase{"gb--ja", true, 2052, 1041},
                                         TableCase{"ko--gb", true, 1042, 2052},
                                         TableCase{"en--gb", true, 1033, 2052},
                                         TableCase{"cp-1252-1253", false, 1252, 1253}),
                         CaseName<TableCase>);

struct TakenCase {
  const char* name;
  ByteString utf8;
  std::size_t taken;
};

// What a table-driven stretch takes of gb--big5's input: whole plain
// characters, stopping where the UTF-8 decoder's own rules or the repair's
// treatment of U+0000 and the mark take over.
TEST(PlainUtf8, StopsBeforeWhatTheTablesDoNotCover) {
  const TakenCase cases[] = {
      {"plain-text", "\xE4\xB8\xAD a\xC3\xA9\n", 8},
      {"cut-short-at-the-end", "ab\xE4\xB8", 2},
      {"four-byte-sequence", "a\xF0\x9F\x98\x80", 1},
      {"overlong-two-byte", "a\xC1\x81", 1},
      {"overlong-three-byte", "a\xE0\x81\x81", 1},
      {"surrogate-half", "a\xED\xA0\x80", 1},
      {"stray-continuation", "a\x80", 1},
      {"nul", std::string("a\0b", 3), 1},
      {"byte-order-mark", "a\xEF\xBB\xBF", 1},
      {"shift-jis-control", "a\x1A", 1},
  };
  const auto repair = PiecewiseRepair::ForLocales(LocaleId{2052}, LocaleId{1028});
  ASSERT_TRUE(repair);
  for (const auto& c : cases) {
    ByteString out;
    EXPECT_EQ(repair->PlainUtf8(c.utf8, out), c.taken)
        << c.name << ": " << test_output::Hex(c.utf8);
    EXPECT_EQ(out, TextToUtf8Bytes(repair->Piece(Utf8BytesToText(c.utf8.substr(0, c.taken)), true)))
        << c.name;
  }
  ByteString out;
  EXPECT_EQ(PiecewiseRepair::ForLocales(LocaleId{2052}, LocaleId{-3})->PlainUtf8("abc", out), 0u)
      << "gb--utf8";
}

TEST(PiecewiseRepair, RefusesPairsThatCannotBeCut) {
  EXPECT_FALSE(PiecewiseRepair::ForCodePages(CodePageId{65000},
                                             CodePageId{936}));  // UTF-7 keeps shift state
  EXPECT_FALSE(PiecewiseRepair::ForCodePages(CodePageId{936}, CodePageId{50221}));
  EXPECT_FALSE(
      PiecewiseRepair::ForLocales(LocaleId{2052}, LocaleId{-2}));  // odd byte counts would shift
  EXPECT_FALSE(PiecewiseRepair::ForLocales(LocaleId{12345}, LocaleId{2052}));
  EXPECT_FALSE(PiecewiseRepair::ForLocales(LocaleId{0}, LocaleId{2052}));
  EXPECT_FALSE(PiecewiseRepair::ForCodePages(CodePageId{-1}, CodePageId{936}));
  EXPECT_FALSE(PiecewiseRepair::ForCodePages(CodePageId{936}, CodePageId{99999}));
}

}  // namespace
}  // namespace tekvo
