#include "files/file_attributes.h"

#include <sys/stat.h>

#include <cerrno>

#include "files/paths.h"

namespace tekvo {

Text AttributeText(int attributes) {
  Text text = u"文件属性：";
  if (attributes & kAttrReadOnly) text += u" 只读";
  if (attributes & kAttrHidden) text += u" 隐藏";
  if (attributes & kAttrSystem) text += u" 系统";
  if (attributes & kAttrArchive) text += u" 存档";
  return text;
}

int AttributesFromMode(const std::string& path, mode_t mode) {
  int attributes = 0;
  if ((mode & S_IWUSR) == 0) attributes |= kAttrReadOnly;
  const std::string name = FileNameOf(path);
  if (!name.empty() && name.front() == '.') attributes |= kAttrHidden;
  if (S_ISREG(mode)) attributes |= kAttrArchive;
  return attributes;
}

FileFacts ReadFileFacts(const std::string& path, std::error_code& error) {
  error.clear();
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    error = std::error_code(errno, std::generic_category());
    return {};
  }
  FileFacts facts;
  facts.attributes = AttributesFromMode(path, st.st_mode);
  facts.size = static_cast<std::uint64_t>(st.st_size);
  facts.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  return facts;
}

}  // namespace tekvo
