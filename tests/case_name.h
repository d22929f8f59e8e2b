// Test names from the `name` field of a parameter table row, for
// INSTANTIATE_TEST_SUITE_P: every character a test name may not hold becomes
// an underscore ("gb-read-as-big5" becomes gb_read_as_big5), so ctest lists
// each row under its own name and -R picks rows out.
#ifndef TEKVO_TESTS_CASE_NAME_H_
#define TEKVO_TESTS_CASE_NAME_H_

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace tekvo {

template <class Param>
std::string CaseName(const testing::TestParamInfo<Param>& info) {
  std::string name = info.param.name;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

}  // namespace tekvo

#endif  // TEKVO_TESTS_CASE_NAME_H_
