// The description of a system error as the editor shows it after "打开失败~ ",
// "保存失败~ ", "删除失败~ " and the like. The messages are Chinese, so the
// reasons are too, whatever locale the program runs in and whether or not the
// system has its Chinese message catalogue installed.
#ifndef TEKVO_FILES_ERROR_TEXT_H_
#define TEKVO_FILES_ERROR_TEXT_H_

#include "engine/text/text.h"

namespace tekvo {

// The Chinese description of errno value `error_number` (glibc's zh_CN
// wording) for the errors a file operation meets; for any other value the
// system's English description; never empty.
Text ErrorText(int error_number);

}  // namespace tekvo

#endif  // TEKVO_FILES_ERROR_TEXT_H_
