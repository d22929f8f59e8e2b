#include "files/error_text.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "tests/case_name.h"
// After case_name.h, whose "testing" is GoogleTest's.
#include "file_test_support.h"

namespace tekvo {
namespace {

using testing::Show;

struct ErrorCase {
  const char* name;
  int number;
  Text text;
};

class ErrorTextTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTextTest, ChineseForFileErrorsEnglishOtherwise) {
  const ErrorCase& c = GetParam();
  EXPECT_EQ(ErrorText(c.number), c.text) << c.number << ": " << Show(ErrorText(c.number));
}

// The test environment runs in the C locale, where the system itself would
// answer in English.
INSTANTIATE_TEST_SUITE_P(Errors, ErrorTextTest,
                         ::testing::Values(ErrorCase{"permission", EACCES, u"权限不够"},
                                           ErrorCase{"missing", ENOENT, u"没有那个文件或目录"},
                                           ErrorCase{"cross-device", EXDEV, u"无效的跨设备链接"},
                                           ErrorCase{"read-only", EROFS, u"只读文件系统"},
                                           ErrorCase{"full", ENOSPC, u"设备上没有空间"},
                                           ErrorCase{"folder", EISDIR, u"是一个目录"},
                                           ErrorCase{"not-permitted", EPERM, u"不允许的操作"},
                                           ErrorCase{"rare-stays-english", ECONNREFUSED,
                                                     u"Connection refused"}),
                         CaseName<ErrorCase>);

}  // namespace
}  // namespace tekvo
