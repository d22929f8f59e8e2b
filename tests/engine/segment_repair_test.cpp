#include "engine/segment_repair.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/codepage.h"
#include "engine/suggest.h"
#include "tests/case_name.h"
#include "tests/suggest/suggest_corpus.h"

namespace tekvo {
namespace {

std::string Utf8(std::u16string_view t) { return TextToUtf8Bytes(Text(t)); }

Text Utf8ShownAs(const Text& clean, CodePageId shown) {
  return CodePageBytesToText(TextToUtf8Bytes(clean), shown);
}
Text Shown(const Text& clean, CodePageId shown, CodePageId real) {
  return CodePageBytesToText(TextToCodePageBytes(clean, real), shown);
}

const Text kZh1 = u"在 Debian 这种规模的项目中，很难避免遇到与你意见不和的人。";
// Lines whose UTF-8 bytes GB pairs up completely (no 0x80, which GB reads as
// one character, and an even count), so the garble loses nothing.
const Text kZh2 = u"我们接受这个事实";
const Text kZh3 = u"保持礼貌";
const Text kKo = u"설명서 페이지를 실제로 나타내지는 않지만 나타낼 캣 파일의 사전 서식화";
const Text kKo2 = u"자유 소프트웨어는 자유 소프트웨어 사본을 배포하고, 소스 코드를 받거나";
const Text kRu = u"Аппетит приходит и уходит, а кушать хочется всегда.";
const Text kEn = u"Are you sure the back door is locked? The rest is silence.";

struct SegmentCase {
  const char* name;
  Text text;
  Text expected;  // what the first-ranked candidate gives
};

void PrintTo(const SegmentCase& c, std::ostream* os) { *os << c.name; }

class SegmentRanking : public testing::TestWithParam<SegmentCase> {};

TEST_P(SegmentRanking, FirstCandidateRestoresTheText) {
  const SegmentCase& c = GetParam();
  const auto ranked = SuggestRepairs(c.text);
  ASSERT_FALSE(ranked.empty());
  EXPECT_EQ(Utf8(ranked.front().text), Utf8(c.expected))
      << "input: " << Utf8(c.text) << "\nfirst: " << Utf8(ranked.front().name);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SegmentRanking,
    testing::Values(
        SegmentCase{"utf8-line-read-as-gb-among-clean-lines",
                    kZh1 + u"\n" + Utf8ShownAs(kZh2, 936) + u"\n" + kZh3,
                    kZh1 + u"\n" + kZh2 + u"\n" + kZh3},
        SegmentCase{"gb-subject-read-as-western-above-english-body",
                    Shown(kZh3, 1252, 936) + u"\r\n" + kEn + u"\r\n" + kEn,
                    kZh3 + u"\r\n" + kEn + u"\r\n" + kEn},
        SegmentCase{"russian-line-read-as-western-between-chinese",
                    kZh1 + u"\n" + Utf8ShownAs(kRu, 1252) + u"\n" + kZh2,
                    kZh1 + u"\n" + kRu + u"\n" + kZh2},
        SegmentCase{"utf8-name-read-as-western-in-english",
                    u"Please send " + Utf8ShownAs(u"张伟", 1252) + u" the report by Friday.",
                    u"Please send 张伟 the report by Friday."},
        // The garbled line reads as passable hanzi: only the second, lenient
        // look at the line repairs it.
        SegmentCase{"korean-line-read-as-gb-among-clean-korean",
                    kKo + u"\n" + Shown(kKo2, 936, 949) + u"\n" + kKo,
                    kKo + u"\n" + kKo2 + u"\n" + kKo},
        SegmentCase{"garbled-everywhere-takes-the-whole-text-repair",
                    Utf8ShownAs(kZh2 + u"\n" + kZh3, 936), kZh2 + u"\n" + kZh3},
        SegmentCase{"clean-mixed-languages-stay", kZh1 + u"\n" + kRu + u"\n" + kEn + u"\n" + kZh3,
                    kZh1 + u"\n" + kRu + u"\n" + kEn + u"\n" + kZh3},
        SegmentCase{"clean-russian-words-among-hanzi-stay", u"他说 привет 和 спасибо 两个词。",
                    u"他说 привет 和 спасибо 两个词。"}),
    CaseName<SegmentCase>);

TEST(RepairSegments, MarksTheRepairedLineAndNamesItsRepair) {
  const Text text = kZh1 + u"\n" + Utf8ShownAs(kZh2, 936) + u"\n" + kZh3;
  const SegmentRepair r = RepairSegments(text);
  ASSERT_EQ(r.stretches.size(), 1u) << Utf8(text);
  EXPECT_EQ(r.stretches[0].begin, kZh1.size() + 1);
  EXPECT_EQ(r.stretches[0].end, kZh1.size() + 1 + kZh2.size());
  EXPECT_EQ(Utf8(r.name), "逐段修复: GB--UTF8 ×1");
}

TEST(SegmentRepairName, TalliesEachRepairInTableOrder) {
  // Rows 18 and 26 of the table: GB--UTF8 and Eng--UTF8.
  EXPECT_EQ(Utf8(SegmentRepairName({{0, 1, 26}, {2, 3, 18}, {4, 5, 26}})),
            "逐段修复: GB--UTF8 ×1, Eng--UTF8 ×2");
}

struct BadInput {
  const char* name;
  Text text;
  std::size_t max_len;
};

void PrintTo(const BadInput& c, std::ostream* os) { *os << c.name; }

class SegmentBadInput : public testing::TestWithParam<BadInput> {};

TEST_P(SegmentBadInput, StaysWithinTheLimitAndInOrder) {
  const BadInput& c = GetParam();
  const SegmentRepair r = RepairSegments(c.text, c.max_len);
  if (r.stretches.empty()) {
    EXPECT_EQ(r.text, c.text);
  } else {
    EXPECT_LE(r.text.size(), c.max_len) << "input of " << c.text.size() << " units";
  }
  std::size_t last = 0;
  for (const RepairedStretch& s : r.stretches) {
    EXPECT_LE(last, s.begin);
    EXPECT_LT(s.begin, s.end);
    EXPECT_LE(s.end, r.text.size());
    last = s.end;
  }
}

Text Alternating(int times) {
  const Text bad = Utf8ShownAs(u"文件名", 936);
  Text out;
  for (int i = 0; i < times; ++i) out += (i % 2 ? bad : Text(u"中文")) + u"\n";
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SegmentBadInput,
    testing::Values(BadInput{"single-character", u"中", kMaxTextLen},
                    BadInput{"single-garbled-character", u"\u00C3", kMaxTextLen},
                    BadInput{"only-line-breaks", u"\r\n\n\r\r\n", kMaxTextLen},
                    BadInput{"alternating-lines", Alternating(3000), kMaxTextLen},
                    BadInput{"limit-below-the-result", u"ab\n" + Utf8ShownAs(u"文件名", 936), 5},
                    BadInput{"line-at-the-limit",
                             Utf8ShownAs(Text(kMaxTextLen / 3, u'中'), 936).substr(0, kMaxTextLen),
                             kMaxTextLen}),
    CaseName<BadInput>);

}  // namespace
}  // namespace tekvo
