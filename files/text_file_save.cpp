#include "files/text_file_save.h"

#include <cerrno>
#include <filesystem>

#include "files/file_attributes.h"
#include "files/paths.h"
#include "files/text_file_load.h"

namespace tekvo {
namespace {

Text NumberText(std::size_t n) {
  const std::string digits = std::to_string(n);
  return Text(digits.begin(), digits.end());
}

// A symbolic link is saved through: the file it points to gets the new
// content (and the backup beside it), so the link stays a link.
std::string SaveTarget(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  std::filesystem::path target = std::filesystem::canonical(path, ec);
  return ec ? path : target.string();
}

class Saver {
 public:
  Saver(const std::string& path, FileOps& ops)
      : shown_(path), path_(SaveTarget(path)), bak_(BackupPathOf(path_)), ops_(ops) {}

  SaveResult Fail(std::error_code error) const {
    SaveResult result;
    result.status = SaveStatus::kFailed;
    result.message = FileMessage(shown_, u"保存失败~ " + ErrorText(error.value()));
    return result;
  }

  // Puts the old file back when the new one never appeared.
  SaveResult Restore(std::error_code error) {
    FileStat bak, now;
    if (moved_ && !ops_.Stat(bak_, bak) && bak.exists && !ops_.Stat(path_, now) && !now.exists) {
      ops_.Rename(bak_, path_);
    }
    return Fail(error);
  }

  SaveResult FailWhileOpen(int fd, std::error_code error) {
    ops_.Close(fd);
    return Restore(error);
  }

  SaveResult Run(const Text& text, FileEncoding encoding, Prompter& prompter,
                 const SaveOptions& options) {
    FileStat old;
    if (std::error_code e = ops_.Stat(path_, old)) return Fail(e);
    if (old.exists && old.directory) return Fail(std::error_code(EISDIR, std::generic_category()));
    if (old.exists) {
      const int attributes = AttributesFromMode(path_, old.mode);
      if (IsProtected(attributes)) {
        const Text question =
            PathText(shown_) + u"\r\n\r\n" + AttributeText(attributes) + u"\r\n\r\n是否改写文件？";
        if (!prompter.Ask(question)) return Declined();
      }
    }

    const FileEncoding used = IsConcreteEncoding(encoding) ? encoding : FileEncoding::kUnicode;
    // Encoded before anything on disk changes, so that a refusal costs nothing.
    std::optional<ByteString> bytes = EncodeFileText(text, used);
    if (!bytes) return Fail(std::error_code(EILSEQ, std::generic_category()));
    if (options.warn_unmappable) {
      if (std::size_t lost = CountUnmappableCharacters(text, used)) {
        if (!prompter.Ask(UnmappableQuestion(shown_, lost, used), DefaultButton::kNo)) {
          return Declined();
        }
      }
    }

    if (old.exists) {
      FileStat stale;
      if (std::error_code e = ops_.Stat(bak_, stale)) return Fail(e);
      if (stale.exists) {
        if (std::error_code e = ops_.Remove(bak_)) return Fail(e);
      }
      if (std::error_code e = ops_.Rename(path_, bak_)) return Fail(e);
      moved_ = true;
    }

    int fd = -1;
    if (std::error_code e = ops_.Create(path_, fd)) return Restore(e);
    if (std::error_code e = ops_.Write(fd, bytes->data(), bytes->size())) {
      return FailWhileOpen(fd, e);
    }
    if (std::error_code e = ops_.Sync(fd)) return FailWhileOpen(fd, e);
    if (std::error_code e = ops_.Close(fd)) return Restore(e);

    if (moved_) {
      if (std::error_code e = ops_.SetMode(path_, old.mode)) return Restore(e);
      ops_.SetOwner(path_, old.owner, old.group);
      // The new file's name must be on disk before the only other copy goes.
      ops_.SyncFolderOf(path_);
      if (std::error_code e = ops_.Remove(bak_)) return Restore(e);
    }
    ops_.SyncFolderOf(path_);

    SaveResult result;
    result.status = SaveStatus::kSaved;
    result.encoding = used;
    return result;
  }

 private:
  static SaveResult Declined() {
    SaveResult result;
    result.status = SaveStatus::kDeclined;
    return result;
  }

  const std::string shown_;  // as the user named it, for messages
  const std::string path_;   // the file actually written
  const std::string bak_;
  FileOps& ops_;
  bool moved_ = false;
};

}  // namespace

Text UnmappableQuestion(const std::string& path, std::size_t count, FileEncoding encoding) {
  return PathText(path) + u"\r\n\r\n有 " + NumberText(count) + u" 个字符不能用 " +
         EncodingName(encoding) + u" 保存，会变成“?”或相近的字符。\r\n\r\n是否仍然保存？";
}

SaveResult SaveTextFile(const Text& text, const std::string& path, FileEncoding encoding,
                        Prompter& prompter, const SaveOptions& options) {
  FileOps& ops = options.ops ? *options.ops : PosixFileOps();
  Saver saver(path, ops);
  SaveResult result = saver.Run(text, encoding, prompter, options);
  if (result.status != SaveStatus::kSaved) {
    result.encoding = IsConcreteEncoding(encoding) ? encoding : FileEncoding::kUnicode;
  }
  return result;
}

}  // namespace tekvo
