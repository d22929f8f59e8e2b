// Failure output shared by the engine tests: bytes and UTF-16 units as
// upper-case hex, so two strings that differ in one unit show where.
#ifndef TEKVO_TESTS_ENGINE_TEST_OUTPUT_H_
#define TEKVO_TESTS_ENGINE_TEST_OUTPUT_H_

#include <gtest/gtest.h>

#include <string>

#include "engine/text/text.h"
#include "tests/case_name.h"

namespace tekvo::test_output {

// Two hex digits per byte, separated by blanks ("61 62 63").
std::string Hex(const ByteString& bytes);

// Four hex digits per UTF-16 unit, separated by blanks ("4E2D D83D DE00").
std::string Units(const Text& text);

}  // namespace tekvo::test_output

#endif  // TEKVO_TESTS_ENGINE_TEST_OUTPUT_H_
