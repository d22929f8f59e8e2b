#include "files/error_text.h"

#include <array>
#include <cerrno>
#include <string>
#include <system_error>

#include "engine/codepage/codepage.h"

namespace tekvo {
namespace {

struct ErrorEntry {
  int number;
  const char16_t* text;
};

// The errors file work meets, worded as glibc's zh_CN catalogue words them.
constexpr std::array<ErrorEntry, 31> kChineseErrors = {{
    {EPERM, u"不允许的操作"},
    {ENOENT, u"没有那个文件或目录"},
    {EINTR, u"被中断的系统调用"},
    {EIO, u"输入/输出错误"},
    {ENXIO, u"没有那个设备或地址"},
    {EBADF, u"错误的文件描述符"},
    {EAGAIN, u"资源暂时不可用"},
    {ENOMEM, u"无法分配内存"},
    {EACCES, u"权限不够"},
    {EBUSY, u"设备或资源忙"},
    {EEXIST, u"文件已存在"},
    {EXDEV, u"无效的跨设备链接"},
    {ENODEV, u"没有那个设备"},
    {ENOTDIR, u"不是目录"},
    {EISDIR, u"是一个目录"},
    {EINVAL, u"无效的参数"},
    {ENFILE, u"系统中打开的文件过多"},
    {EMFILE, u"打开的文件过多"},
    {ETXTBSY, u"文本文件忙"},
    {EFBIG, u"文件过大"},
    {ENOSPC, u"设备上没有空间"},
    {EROFS, u"只读文件系统"},
    {EMLINK, u"过多的链接"},
    {ENAMETOOLONG, u"文件名过长"},
    {ENOTEMPTY, u"目录非空"},
    {ELOOP, u"符号连接的层数过多"},
    {EOVERFLOW, u"对已定义的数据类型来说值过大"},
    {EILSEQ, u"无效或不完整的多字节字符或宽字符"},
    {ENOTSUP, u"不支持的操作"},
    {ESTALE, u"过旧的文件控柄"},
    {EDQUOT, u"超出磁盘限额"},
}};

}  // namespace

Text ErrorText(int error_number) {
  for (const ErrorEntry& entry : kChineseErrors) {
    if (entry.number == error_number) return entry.text;
  }
  return Utf8BytesToText(std::error_code(error_number, std::generic_category()).message());
}

}  // namespace tekvo
