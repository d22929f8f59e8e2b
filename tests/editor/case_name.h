// Test names from the `name` field of a parameter table row
// ("gb-read-as-big5" becomes gb_read_as_big5).
#ifndef TEKVO_TESTS_EDITOR_CASE_NAME_H_
#define TEKVO_TESTS_EDITOR_CASE_NAME_H_

#include <gtest/gtest.h>

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

#endif  // TEKVO_TESTS_EDITOR_CASE_NAME_H_
