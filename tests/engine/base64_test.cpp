#include "engine/transfer/base64.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "tests/case_name.h"
#include "tests/engine/transfer_test_util.h"

namespace tekvo {
namespace {

using transfer_test::Repeat;
using transfer_test::Show;

struct BytesCase {
  const char* name;
  ByteString bytes;
  Text expected;
};

void PrintTo(const BytesCase& c, std::ostream* os) { *os << c.name; }

class BytesToBase64Table : public testing::TestWithParam<BytesCase> {};

TEST_P(BytesToBase64Table, LeftoverBytesAndNoPadding) {
  const BytesCase& c = GetParam();
  EXPECT_EQ(BytesToBase64(c.bytes), c.expected) << c.bytes;
}

INSTANTIATE_TEST_SUITE_P(Cases, BytesToBase64Table,
                         testing::ValuesIn(std::vector<BytesCase>{
                             {"empty", "", u""},
                             {"one-byte", "A", u"QQ"},
                             {"two-bytes", "AB", u"QUI"},
                             {"three-bytes", "ABC", u"QUJD"},
                             {"high-bytes", "\xFF\xFE\xFD", u"//79"},
                             {"nul-bytes", ByteString("\0\0\0\0", 4), u"AAAAAA"},
                         }),
                         CaseName<BytesCase>);

// Short names keep the rows below on one line each.
constexpr auto std_ = Base64Alphabet::kStandard;
constexpr auto url = Base64Alphabet::kUrl;

struct ToBytesCase {
  const char* name;
  Text input;
  Base64Alphabet alphabet;
  ByteString expected;
};

void PrintTo(const ToBytesCase& c, std::ostream* os) { *os << c.name; }

class Base64ToBytesTable : public testing::TestWithParam<ToBytesCase> {};

TEST_P(Base64ToBytesTable, GivesTheBytes) {
  const ToBytesCase& c = GetParam();
  EXPECT_EQ(Base64ToBytes(c.input, c.alphabet), c.expected) << "input " << Show(c.input);
}

INSTANTIATE_TEST_SUITE_P(Cases, Base64ToBytesTable,
                         testing::ValuesIn(std::vector<ToBytesCase>{
                             {"padded", u"QQ==", std_, ByteString("A\0\0", 3)},
                             {"unpadded", u"QQ", std_, "A"},
                             {"three-left", u"QUI", std_, "AB"},
                             {"one-left-gives-nothing", u"QUJDR", std_, "ABC"},
                             {"breaks-and-spaces-skipped", u"QU\r\nJ D\rQU\nJD", std_, "ABCABC"},
                             {"tab-is-not-base64", u"QUJD\t", std_, ""},
                             {"full-width-space-is-not-base64", u"QUJD\u3000", std_, ""},
                             {"non-alphabet-letter", u"QU!D", std_, ""},
                             {"standard-62-63", u"+/+/", std_, "\xFB\xFF\xBF"},
                             {"url-62-63", u"*-*-", url, "\xFB\xFF\xBF"},
                             {"url-rejects-plus", u"QU+D", url, ""},
                             {"url-rejects-slash", u"QU/D", url, ""},
                             {"standard-rejects-star", u"QU*D", std_, ""},
                             {"empty", u"", std_, ""},
                         }),
                         CaseName<ToBytesCase>);

struct EncodeCase {
  const char* name;
  Text input;
  ComposeBytes bytes;
  Text expected;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }

class EncodeBase64TextTable : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeBase64TextTable, EncodesTheText) {
  const EncodeCase& c = GetParam();
  const Converted got = EncodeBase64Text(c.input, c.bytes);
  EXPECT_FALSE(got.too_long);
  EXPECT_EQ(got.text, c.expected) << "input " << Show(c.input) << " got " << Show(got.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodeBase64TextTable,
                         testing::ValuesIn(std::vector<EncodeCase>{
                             {"empty", u"", ComposeBytes::kGb, u""},
                             {"gb-example", u"ASCII 就是", ComposeBytes::kGb, u"QVNDSUkgvs3Kxw=="},
                             {"utf8", u"电", ComposeBytes::kUtf8, u"55S1"},
                             {"one-pad", u"AB", ComposeBytes::kUtf8, u"QUI="},
                             {"bare-cr-becomes-crlf", u"a\rb", ComposeBytes::kGb, u"YQ0KYg=="},
                             {"text-with-lf-kept", u"a\rb\n", ComposeBytes::kGb, u"YQ1iCg=="},
                             // 57 bytes give exactly 76 characters: one line.
                             {"exactly-76-one-line", Repeat(u"abc", 19), ComposeBytes::kGb,
                              Repeat(u"YWJj", 19)},
                             // 58 bytes give 78 characters with padding: a CR after the 76th.
                             {"77-plus-breaks-after-76", Repeat(u"abc", 19) + u"a",
                              ComposeBytes::kGb, Repeat(u"YWJj", 19) + u"\rYQ=="},
                         }),
                         CaseName<EncodeCase>);

TEST(EncodeBase64Text, LengthLimit) {
  EXPECT_FALSE(EncodeBase64Text(Repeat(u"码", 3276), ComposeBytes::kUtf8).too_long);
  const Text over = Repeat(u"码", 3277);
  const Converted refused = EncodeBase64Text(over, ComposeBytes::kGb);
  EXPECT_TRUE(refused.too_long);
  EXPECT_EQ(refused.text, over);
  EXPECT_FALSE(EncodeBase64Text(over, ComposeBytes::kGb, kNoLengthLimit).too_long);
}

struct DecodeCase {
  const char* name;
  Text input;
  LocaleId language;
  Base64Alphabet alphabet;
  Text expected;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeBase64TextTable : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeBase64TextTable, DecodesTheText) {
  const DecodeCase& c = GetParam();
  const Text got = DecodeBase64Text(c.input, c.language, c.alphabet);
  EXPECT_EQ(got, c.expected) << "input " << Show(c.input) << " got " << Show(got);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeBase64TextTable,
    testing::ValuesIn(std::vector<DecodeCase>{
        {"gb-example", u"QVNDSUkgvs3Kxw==", LocaleId{2052}, std_, u"ASCII 就是"},
        {"pad-zeros-removed", u"QQ==", LocaleId{2052}, std_, u"A"},
        {"unpadded", u"QQ", kIdUtf8, std_, u"A"},
        {"three-bytes", u"QUJD", LocaleId{1028}, std_, u"ABC"},
        {"lines-by-cr-lf-or-both", u"QVND\rSUkg\nvs3K\r\nxw==", LocaleId{2052}, std_,
         u"ASCII 就是"},
        {"tab-leaves-text", u"QUJD\tQUJD", LocaleId{2052}, std_, u"QUJD\tQUJD"},
        {"letter-outside-leaves-text", u"QUJD中", LocaleId{2052}, std_, u"QUJD中"},
        {"url-alphabet-star-dash", u"*-*-", LocaleId{1033}, url, u"ûÿ¿"},
        {"url-alphabet-rejects-plus", u"+/+/", kIdUtf8, url, u"+/+/"},
        {"utf8", u"55S1", kIdUtf8, std_, u"电"},
        {"language-zero-leaves-text", u"QUJD", LocaleId{0}, std_, u"QUJD"},
        {"utf16-id-leaves-text", u"QUJD", kIdUtf16Be, std_, u"QUJD"},
        {"empty", u"", LocaleId{2052}, std_, u""},
    }),
    CaseName<DecodeCase>);

}  // namespace
}  // namespace tekvo
