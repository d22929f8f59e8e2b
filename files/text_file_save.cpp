#include "files/text_file_save.h"

#include <cerrno>
#include <filesystem>

#include "files/file_attributes.h"
#include "files/file_replace.h"
#include "files/paths.h"
#include "files/text_file_load.h"

namespace tekvo {
namespace {

Text NumberText(std::size_t n) {
  const std::string digits = std::to_string(n);
  return Text(digits.begin(), digits.end());
}

// Links followed when saving through a symbolic link, as the kernel allows.
constexpr int kMaxLinkHops = 40;

// A symbolic link is saved through: the file it points to gets the new
// content (and the backup beside it), so the link stays a link. A link to a
// file not there yet names the file to create.
std::string SaveTarget(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path target(path);
  std::error_code ec;
  for (int hops = 0; hops < kMaxLinkHops && fs::is_symlink(target, ec); ++hops) {
    fs::path next = fs::read_symlink(target, ec);
    if (ec) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target.string();
}

SaveResult Declined() {
  SaveResult result;
  result.status = SaveStatus::kDeclined;
  return result;
}

SaveResult Failure(const std::string& shown, std::error_code error) {
  SaveResult result;
  result.status = SaveStatus::kFailed;
  result.message = FileMessage(shown, u"保存失败~ " + ErrorText(error.value()));
  return result;
}

// What every save does before it writes: a folder is refused, and replacing
// a protected file is asked. kSaved means go on.
SaveResult CheckTarget(const std::string& shown, const std::string& path, Prompter& prompter,
                       FileOps& ops, FileStat& old) {
  if (std::error_code e = ops.Stat(path, old)) return Failure(shown, e);
  if (old.exists && old.directory) {
    return Failure(shown, std::error_code(EISDIR, std::generic_category()));
  }
  if (old.exists) {
    const int attributes = AttributesFromMode(path, old.mode);
    if (IsProtected(attributes)) {
      const Text question =
          PathText(shown) + u"\r\n\r\n" + AttributeText(attributes) + u"\r\n\r\n是否改写文件？";
      if (!prompter.Ask(question)) return Declined();
    }
  }
  SaveResult ok;
  ok.status = SaveStatus::kSaved;
  return ok;
}

SaveResult Run(const Text& text, const std::string& shown, FileEncoding encoding,
               Prompter& prompter, const SaveOptions& options, FileOps& ops) {
  auto fail = [&shown](std::error_code error) { return Failure(shown, error); };
  const std::string path = SaveTarget(shown);
  FileStat old;
  if (SaveResult checked = CheckTarget(shown, path, prompter, ops, old); !checked.ok()) {
    return checked;
  }

  const FileEncoding used = IsConcreteEncoding(encoding) ? encoding : FileEncoding::kUnicode;
  // Encoded before anything on disk changes, so that a refusal costs nothing.
  std::optional<ByteString> bytes = EncodeFileText(text, used);
  if (!bytes) return fail(std::error_code(EILSEQ, std::generic_category()));
  if (options.warn_unmappable) {
    if (std::size_t lost = CountUnmappableCharacters(text, used)) {
      if (!prompter.Ask(UnmappableQuestion(shown, lost, used), DefaultButton::kNo)) {
        return Declined();
      }
    }
  }

  const std::error_code e = old.exists && !old.regular ? WriteInPlace(path, *bytes, ops)
                                                       : ReplaceFileContent(path, old, *bytes, ops);
  if (e) return fail(e);
  SaveResult result;
  result.status = SaveStatus::kSaved;
  result.encoding = used;
  return result;
}

FileEncoding UsedEncoding(FileEncoding requested) {
  return IsConcreteEncoding(requested) ? requested : FileEncoding::kUnicode;
}

}  // namespace

TextFileStreamSave::TextFileStreamSave(std::string path, FileEncoding encoding, Prompter& prompter,
                                       const SaveOptions& options)
    : shown_(std::move(path)),
      used_(UsedEncoding(encoding)),
      prompter_(prompter),
      options_(options),
      replacement_(options.ops ? *options.ops : PosixFileOps()) {}

SaveResult TextFileStreamSave::Failed(std::error_code error) const {
  SaveResult result = Failure(shown_, error);
  result.encoding = used_;
  return result;
}

SaveResult TextFileStreamSave::Begin() {
  FileOps& ops = options_.ops ? *options_.ops : PosixFileOps();
  target_ = SaveTarget(shown_);
  FileStat old;
  SaveResult checked = CheckTarget(shown_, target_, prompter_, ops, old);
  checked.encoding = used_;
  if (!checked.ok()) return checked;
  if (std::error_code e = replacement_.Begin(target_, old)) return Failed(e);
  begun_ = true;
  return checked;
}

bool TextFileStreamSave::Write(std::string_view bytes) {
  if (!begun_ || error_) return false;
  error_ = replacement_.Write(bytes);
  return !error_;
}

SaveResult TextFileStreamSave::Finish(std::size_t unmappable) {
  if (!begun_) return Failed(std::error_code(EBADF, std::generic_category()));
  if (error_) return Failed(error_);
  if (options_.warn_unmappable && unmappable > 0 &&
      !prompter_.Ask(UnmappableQuestion(shown_, unmappable, used_), DefaultButton::kNo)) {
    replacement_.Abandon();
    SaveResult declined = Declined();
    declined.encoding = used_;
    return declined;
  }
  if (std::error_code e = replacement_.Commit()) return Failed(e);
  SaveResult saved;
  saved.status = SaveStatus::kSaved;
  saved.encoding = used_;
  return saved;
}

Text UnmappableQuestion(const std::string& path, std::size_t count, FileEncoding encoding) {
  return PathText(path) + u"\r\n\r\n有 " + NumberText(count) + u" 个字符不能用 " +
         EncodingName(encoding) + u" 保存，会变成“?”或相近的字符。\r\n\r\n是否仍然保存？";
}

SaveResult SaveTextFile(const Text& text, const std::string& path, FileEncoding encoding,
                        Prompter& prompter, const SaveOptions& options) {
  FileOps& ops = options.ops ? *options.ops : PosixFileOps();
  SaveResult result = Run(text, path, encoding, prompter, options, ops);
  if (result.status != SaveStatus::kSaved) {
    result.encoding = IsConcreteEncoding(encoding) ? encoding : FileEncoding::kUnicode;
  }
  return result;
}

}  // namespace tekvo
