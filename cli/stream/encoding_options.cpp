#include "cli/stream/encoding_options.h"

#include <array>
#include <cerrno>
#include <ostream>

#include "cli/stream/io.h"
#include "engine/codepage/codepage.h"
#include "files/detect_encoding.h"
#include "files/text_file_save.h"

namespace tekvo::cli {
namespace {

// Not a FileEncoding: the input is read as the best of RankEncodings.
constexpr std::string_view kDetectName = "detect";

struct EncodingEntry {
  std::string_view name;
  FileEncoding encoding;
};

constexpr std::array<EncodingEntry, 9> kEncodings = {{
    {"auto", FileEncoding::kDefaultEncoding},
    {"gb", FileEncoding::kAnsiGb},
    {"utf16le-bom", FileEncoding::kUnicode},
    {"utf16be-bom", FileEncoding::kUnicodeBe},
    {"utf8-bom", FileEncoding::kUtf8},
    {"utf16le", FileEncoding::kUnicodeNoBom},
    {"utf16be", FileEncoding::kUnicodeBeNoBom},
    {"utf8", FileEncoding::kUtf8NoBom},
    {"eng", FileEncoding::kAnsiEng},
}};

// File messages carry the editor's two CR LF between path and reason.
std::string OneLine(const Text& message) {
  Text line = message;
  for (std::size_t at; (at = line.find(u"\r\n\r\n")) != Text::npos;) line.replace(at, 4, u": ");
  return TextToUtf8Bytes(line);
}

// Questions of the save cannot be asked of a script: each is shown on
// standard error and answered No, so nothing is replaced or lost unasked,
// or Yes when the user said "--force".
class ScriptedAnswers : public Prompter {
 public:
  ScriptedAnswers(std::ostream& err, bool yes) : err_(err), yes_(yes) {}
  bool Ask(const Text& question, DefaultButton, const Text&) override {
    err_ << "tekvo-cli: " << OneLine(question) << (yes_ ? " -- yes\n" : " -- no\n");
    return yes_;
  }
  void Tell(const Text& message, const Text&) override {
    err_ << "tekvo-cli: " << OneLine(message) << '\n';
  }
  void Beep() override {}

 private:
  std::ostream& err_;
  bool yes_;
};

std::optional<FileEncoding> EncodingOption(const Invocation& inv, std::string_view option,
                                           bool for_input) {
  const std::string name = inv.args.Option(option).value_or("utf8");
  // "detect" is settled on the whole input, as "auto" is.
  if (for_input && name == kDetectName) return FileEncoding::kDefaultEncoding;
  std::optional<FileEncoding> e = ParseEncodingName(name, for_input);
  if (!e) {
    UsageError(inv, "unknown encoding " + name + " for " + std::string(option) +
                        "; one of: " + EncodingNames(for_input));
  }
  return e;
}

class StandardOutput : public EncodedOutput {
 public:
  StandardOutput(const Invocation& inv, FileEncoding encoding)
      : EncodedOutput(encoding), inv_(inv) {}
  bool Write(std::string_view bytes) override {
    if (failed_) return false;
    inv_.io.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!inv_.io.out) {
      failed_ = true;
      Fail(inv_, "cannot write the output");
    }
    return !failed_;
  }
  int Finish(std::size_t) override {
    if (failed_) return kExitError;
    inv_.io.out.flush();
    if (!inv_.io.out) return Fail(inv_, "cannot write the output");
    return kExitOk;
  }

 private:
  const Invocation& inv_;
  bool failed_ = false;
};

class SavedOutput : public EncodedOutput {
 public:
  SavedOutput(const Invocation& inv, const std::string& path, FileEncoding encoding)
      : EncodedOutput(encoding),
        inv_(inv),
        path_(path),
        prompter_(inv.io.err, inv.args.Option("--force").has_value()),
        save_(path, encoding, prompter_) {}

  // kExitOk when ready for the pieces.
  int Begin() { return Report(save_.Begin()); }

  bool CountsUnmappable() const override {
    return encoding() == FileEncoding::kAnsiGb || encoding() == FileEncoding::kAnsiEng;
  }
  bool Write(std::string_view bytes) override {
    if (save_.Write(bytes)) return true;
    if (!reported_) Report(save_.Finish(0));
    reported_ = true;
    return false;
  }
  int Finish(std::size_t unmappable) override {
    if (reported_) return kExitError;
    return Report(save_.Finish(unmappable));
  }
  void Abandon() override { save_.Abandon(); }

 private:
  int Report(const SaveResult& saved) {
    if (saved.status == SaveStatus::kFailed) return Fail(inv_, OneLine(saved.message));
    if (saved.status == SaveStatus::kDeclined) {
      return Fail(inv_, path_ + ": not written (--force answers yes)");
    }
    return kExitOk;
  }

  const Invocation& inv_;
  std::string path_;
  ScriptedAnswers prompter_;
  TextFileStreamSave save_;
  bool reported_ = false;
};

}  // namespace

bool InputStreams(const Invocation& inv, bool& bad) {
  const std::optional<FileEncoding> requested = EncodingOption(inv, "--in", true);
  bad = !requested;
  if (requested && inv.args.reading) return true;
  return requested && *requested != FileEncoding::kDefaultEncoding;
}

void DecodeAsRequested(const Invocation& inv, InputSource& in) {
  if (inv.args.reading) return in.DecodeFrom(*inv.args.reading);
  const std::optional<FileEncoding> requested =
      ParseEncodingName(inv.args.Option("--in").value_or("utf8"), true);
  if (requested && *requested != FileEncoding::kDefaultEncoding &&
      *requested != FileEncoding::kUtf8 && *requested != FileEncoding::kUtf8NoBom) {
    in.DecodeFrom(*requested);
  }
}

std::unique_ptr<EncodedOutput> EncodedOutput::Open(const Invocation& inv) {
  std::optional<FileEncoding> encoding = EncodingOption(inv, "--out", false);
  if (!encoding) return nullptr;
  std::optional<std::string> path = inv.args.Option("-o");
  if (!path || IsStandardOutputName(*path)) {
    return std::make_unique<StandardOutput>(inv, *encoding);
  }
  auto saved = std::make_unique<SavedOutput>(inv, *path, *encoding);
  if (saved->Begin() != kExitOk) return nullptr;
  return saved;
}

std::optional<FileEncoding> ParseEncodingName(std::string_view name, bool for_input) {
  for (const EncodingEntry& entry : kEncodings) {
    if (entry.name != name) continue;
    if (!for_input && entry.encoding == FileEncoding::kDefaultEncoding) return std::nullopt;
    return entry.encoding;
  }
  return std::nullopt;
}

std::string_view EncodingOptionName(FileEncoding encoding) {
  for (const EncodingEntry& entry : kEncodings) {
    if (entry.encoding == encoding) return entry.name;
  }
  return {};
}

std::string EncodingNames(bool for_input) {
  std::string names = for_input ? std::string(kDetectName) : std::string();
  for (const EncodingEntry& entry : kEncodings) {
    if (!for_input && entry.encoding == FileEncoding::kDefaultEncoding) continue;
    if (!names.empty()) names += ' ';
    names += entry.name;
  }
  return names;
}

std::optional<Text> ReadEncodedInput(const Invocation& inv, std::size_t index) {
  std::optional<FileEncoding> requested = EncodingOption(inv, "--in", true);
  if (!requested) return std::nullopt;
  // Files are read here rather than by the editor's loader, which takes a
  // file's size from its directory entry: a pipe, a device or a /proc file
  // would read as empty.
  std::optional<ByteString> bytes = ReadInputBytes(inv, index);
  if (!bytes) return std::nullopt;
  if (bytes->empty()) return Text();
  if (inv.args.reading) {
    // Settled on a sample of a long input, read as the stream reads it.
    return DecodeReading(*bytes, EncodingReading{"", inv.args.reading->id, inv.args.reading->bom});
  }
  if (inv.args.Option("--in") == kDetectName) {
    return DecodeReading(*bytes, RankEncodings(*bytes).front());
  }
  const FileEncoding detected = DetectFileEncoding(*bytes);
  std::optional<Text> text =
      DecodeFileBytes(*bytes, ResolveFileEncoding(*requested, detected), detected);
  if (!text) {
    const std::string name = InputName(inv, index);
    Fail(inv,
         name == kStandardInputName ? "cannot decode standard input" : ReadFailure(name, EILSEQ));
  }
  return text;
}

int WriteEncodedOutput(const Invocation& inv, const Text& text) {
  std::optional<FileEncoding> encoding = EncodingOption(inv, "--out", false);
  if (!encoding) return kExitError;
  std::optional<std::string> path = inv.args.Option("-o");
  if (!path || IsStandardOutputName(*path)) {
    std::optional<ByteString> bytes = EncodeFileText(text, *encoding);
    if (!bytes) return Fail(inv, "cannot encode the output");
    return WriteOutputBytes(inv, *bytes);
  }
  ScriptedAnswers prompter(inv.io.err, inv.args.Option("--force").has_value());
  SaveResult saved = SaveTextFile(text, *path, *encoding, prompter);
  if (saved.status == SaveStatus::kFailed) return Fail(inv, OneLine(saved.message));
  if (saved.status == SaveStatus::kDeclined) {
    return Fail(inv, *path + ": not written (--force answers yes)");
  }
  return kExitOk;
}

}  // namespace tekvo::cli
