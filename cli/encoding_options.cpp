#include "cli/encoding_options.h"

#include <array>
#include <ostream>

#include "cli/io.h"
#include "engine/codepage.h"
#include "files/paths.h"
#include "files/text_file_load.h"
#include "files/text_file_save.h"

namespace tekvo::cli {
namespace {

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
// standard error and answered No, so nothing is replaced or lost unasked.
class RefusingPrompter : public Prompter {
 public:
  explicit RefusingPrompter(std::ostream& err) : err_(err) {}
  bool Ask(const Text& question, DefaultButton, const Text&) override {
    err_ << "tekvo-cli: " << OneLine(question) << " -- no\n";
    return false;
  }
  void Tell(const Text& message, const Text&) override {
    err_ << "tekvo-cli: " << OneLine(message) << '\n';
  }
  void Beep() override {}

 private:
  std::ostream& err_;
};

std::optional<FileEncoding> EncodingOption(const Invocation& inv, std::string_view option,
                                           bool for_input) {
  const std::string name = inv.args.Option(option).value_or("utf8");
  std::optional<FileEncoding> e = ParseEncodingName(name, for_input);
  if (!e) {
    UsageError(inv, "unknown encoding " + name + " for " + std::string(option) +
                        "; one of: " + EncodingNames(for_input));
  }
  return e;
}

}  // namespace

std::optional<FileEncoding> ParseEncodingName(std::string_view name, bool for_input) {
  for (const EncodingEntry& entry : kEncodings) {
    if (entry.name != name) continue;
    if (!for_input && entry.encoding == FileEncoding::kDefaultEncoding) return std::nullopt;
    return entry.encoding;
  }
  return std::nullopt;
}

std::string EncodingNames(bool for_input) {
  std::string names;
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
  const auto& pos = inv.args.positional;
  const bool from_file = index < pos.size() && pos[index] != "-";
  if (from_file) {
    LoadResult loaded =
        LoadTextFile(pos[index], *requested, LoadOptions{kNoLengthLimit, kNoLengthLimit});
    if (!loaded.ok()) {
      Fail(inv, OneLine(loaded.message));
      return std::nullopt;
    }
    return std::move(loaded.text);
  }
  std::optional<ByteString> bytes = ReadInputBytes(inv, index);
  if (!bytes) return std::nullopt;
  if (bytes->empty()) return Text();
  const FileEncoding detected = DetectFileEncoding(*bytes);
  std::optional<Text> text =
      DecodeFileBytes(*bytes, ResolveFileEncoding(*requested, detected), detected);
  if (!text) Fail(inv, "cannot decode standard input");
  return text;
}

int WriteEncodedOutput(const Invocation& inv, const Text& text) {
  std::optional<FileEncoding> encoding = EncodingOption(inv, "--out", false);
  if (!encoding) return kExitError;
  std::optional<std::string> path = inv.args.Option("-o");
  if (!path || *path == "-") {
    std::optional<ByteString> bytes = EncodeFileText(text, *encoding);
    if (!bytes) return Fail(inv, "cannot encode the output");
    return WriteOutputBytes(inv, *bytes);
  }
  RefusingPrompter prompter(inv.io.err);
  SaveResult saved = SaveTextFile(text, *path, *encoding, prompter);
  if (saved.status == SaveStatus::kFailed) return Fail(inv, OneLine(saved.message));
  if (saved.status == SaveStatus::kDeclined) return Fail(inv, *path + ": not written");
  return kExitOk;
}

}  // namespace tekvo::cli
