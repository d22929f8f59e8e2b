#include "engine/text/utf8_sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/case_name.h"

namespace tekvo {
namespace {

struct SequenceCase {
  std::string name;
  std::string bytes;
  std::size_t length;  // of the sequence at byte 0; 0 when none is well-formed
};

void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }

class Utf8Sequence : public testing::TestWithParam<SequenceCase> {};

TEST_P(Utf8Sequence, LengthAtTheStart) {
  const SequenceCase& c = GetParam();
  EXPECT_EQ(Utf8SequenceAt(c.bytes, 0), c.length);
  EXPECT_EQ(IsValidUtf8(c.bytes), c.length == c.bytes.size());
}

// The edges of every rule: the last and first values each length may hold,
// the surrogate block and the end of Unicode.
INSTANTIATE_TEST_SUITE_P(Cases, Utf8Sequence,
                         testing::ValuesIn(std::vector<SequenceCase>{
                             {"ascii", "A", 1},
                             {"stray-continuation", "\x80", 0},
                             {"overlong-two-bytes", "\xC1\xBF", 0},
                             {"first-two-bytes", "\xC2\x80", 2},
                             {"overlong-three-bytes", "\xE0\x9F\xBF", 0},
                             {"first-three-bytes", "\xE0\xA0\x80", 3},
                             {"last-before-surrogates", "\xED\x9F\xBF", 3},
                             {"first-surrogate", "\xED\xA0\x80", 0},
                             {"last-surrogate", "\xED\xBF\xBF", 0},
                             {"first-after-surrogates", "\xEE\x80\x80", 3},
                             {"overlong-four-bytes", "\xF0\x8F\xBF\xBF", 0},
                             {"first-four-bytes", "\xF0\x90\x80\x80", 4},
                             {"last-code-point", "\xF4\x8F\xBF\xBF", 4},
                             {"past-last-code-point", "\xF4\x90\x80\x80", 0},
                             {"lead-f5", "\xF5\x80\x80\x80", 0},
                             {"cut-short", "\xE4\xB8", 0},
                             {"continuation-missing", "\xE4\x41\x80", 0},
                         }),
                         CaseName<SequenceCase>);

}  // namespace
}  // namespace tekvo
