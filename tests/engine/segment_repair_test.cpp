#include "engine/repair/segment_repair.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/codepage/codepage.h"
#include "engine/suggest/suggest.h"
#include "tests/case_name.h"
#include "tests/suggest/suggest_corpus.h"

namespace tekvo {
namespace {

std::string Utf8(std::u16string_view t) { return TextToUtf8Bytes(Text(t)); }

Text Utf8ShownAs(const Text& clean, std::int32_t shown) {
  return CodePageBytesToText(TextToUtf8Bytes(clean), CodePageId{shown});
}
Text Shown(const Text& clean, std::int32_t shown, std::int32_t real) {
  return CodePageBytesToText(TextToCodePageBytes(clean, CodePageId{real}), CodePageId{shown});
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

// A note whose middle line is its UTF-8 in Base64.
const Text kNote = u"会议纪要\n照片已经上传到服务器\n明天下午三点开会。";
const Text kBase64Note = u"会议纪要\n54Wn54mH5bey57uP5LiK5Lyg5Yiw5pyN5Yqh5Zmo\n明天下午三点开会。";

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
                    u"他说 привет 和 спасибо 两个词。"},
        SegmentCase{"base64-line-between-clean-lines", kBase64Note, kNote},
        SegmentCase{"html-references-line-between-clean-lines",
                    kZh3 + u"\n&#x4F60;&#x597D; &#19990;&#30028;\n" + kEn,
                    kZh3 + u"\n你好 世界\n" + kEn},
        SegmentCase{"ascii-tokens-that-look-encoded-stay",
                    u"Tekvo abcd deadbeef12345678 QVariantMap "
                    u"https://example.org/a%20b.html?dir=%2Fusr%2Fshare 已完成",
                    u"Tekvo abcd deadbeef12345678 QVariantMap "
                    u"https://example.org/a%20b.html?dir=%2Fusr%2Fshare 已完成"}),
    CaseName<SegmentCase>);

TEST(RepairSegments, MarksTheRepairedLineAndNamesItsRepair) {
  const Text text = kZh1 + u"\n" + Utf8ShownAs(kZh2, 936) + u"\n" + kZh3;
  const SegmentRepair r = RepairSegments(text);
  ASSERT_EQ(r.stretches.size(), 1u) << Utf8(text);
  EXPECT_EQ(r.stretches[0].begin, kZh1.size() + 1);
  EXPECT_EQ(r.stretches[0].end, kZh1.size() + 1 + kZh2.size());
  EXPECT_EQ(Utf8(r.name), "逐段修复: GB--UTF8 ×1");
}

struct DecodedCase {
  const char* name;
  Text text;
  Text repaired;
  std::size_t begin;  // of the one stretch, in the repaired text
  std::size_t end;
  const char* caption;
};

void PrintTo(const DecodedCase& c, std::ostream* os) { *os << c.name; }

class SegmentDecoded : public testing::TestWithParam<DecodedCase> {};

TEST_P(SegmentDecoded, MarksTheDecodedStretchAndNamesItsDecoder) {
  const DecodedCase& c = GetParam();
  const SegmentRepair r = RepairSegments(c.text);
  EXPECT_EQ(Utf8(r.text), Utf8(c.repaired)) << "input: " << Utf8(c.text);
  ASSERT_EQ(r.stretches.size(), 1u) << "input: " << Utf8(c.text);
  EXPECT_EQ(r.stretches[0].begin, c.begin);
  EXPECT_EQ(r.stretches[0].end, c.end);
  EXPECT_EQ(Utf8(r.name), c.caption);
}

INSTANTIATE_TEST_SUITE_P(Cases, SegmentDecoded,
                         testing::Values(DecodedCase{"base64-line", kBase64Note, kNote, 5, 15,
                                                     "逐段修复: Base64--UTF8 ×1"},
                                         // Only between escapes does "+" stand for a blank.
                                         DecodedCase{"url-escapes-after-plus-signs",
                                                     u"C++ 文件 %E6%8A%A5%E5%91%8A.txt 已上传",
                                                     u"C++ 文件 报告.txt 已上传", 7, 9,
                                                     "逐段修复: URL--UTF8 ×1"}),
                         CaseName<DecodedCase>);

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

Text AlternatingBase64(int times) {
  Text out;
  for (int i = 0; i < times; ++i) out += (i % 2 ? u"5paH5Lu25ZCN" : u"中文") + Text(u"\n");
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SegmentBadInput,
    testing::Values(BadInput{"single-character", u"中", kMaxTextLen},
                    BadInput{"single-garbled-character", u"\u00C3", kMaxTextLen},
                    BadInput{"only-line-breaks", u"\r\n\n\r\r\n", kMaxTextLen},
                    BadInput{"alternating-lines", Alternating(3000), kMaxTextLen},
                    BadInput{"alternating-base64-lines", AlternatingBase64(3000), kMaxTextLen},
                    BadInput{"limit-below-the-result", u"ab\n" + Utf8ShownAs(u"文件名", 936), 5},
                    BadInput{"line-at-the-limit",
                             Utf8ShownAs(Text(kMaxTextLen / 3, u'中'), 936).substr(0, kMaxTextLen),
                             kMaxTextLen}),
    CaseName<BadInput>);

}  // namespace
}  // namespace tekvo
