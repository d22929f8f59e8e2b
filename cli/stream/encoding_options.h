// The "--in ENC" and "--out ENC" options: how input files are decoded and
// how output is encoded, with the names of the text file encodings. Input
// goes through the editor's file loading rules (detection, byte order marks)
// without its length limits; output written with "-o" goes through the
// editor's save, backup included.
#ifndef TEKVO_CLI_STREAM_ENCODING_OPTIONS_H_
#define TEKVO_CLI_STREAM_ENCODING_OPTIONS_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands/commands.h"
#include "cli/stream/io.h"
#include "engine/text/text.h"
#include "files/file_encoding.h"

namespace tekvo::cli {

// "auto" (input only), "gb", "utf16le-bom", "utf16be-bom", "utf8-bom",
// "utf16le", "utf16be", "utf8", "eng"; nullopt for any other name.
std::optional<FileEncoding> ParseEncodingName(std::string_view name, bool for_input);

// The name ParseEncodingName reads as `encoding` ("auto" for
// kDefaultEncoding).
std::string_view EncodingOptionName(FileEncoding encoding);

// The names, for messages; for input "detect" too, which reads the input as
// the best reading of files/detect_encoding.h.
std::string EncodingNames(bool for_input);

// The text of positional argument `index` (a path) or standard input, decoded
// as "--in" says (default utf8; "detect": the best ranked reading). Reports a failure and gives
// nullopt.
std::optional<Text> ReadEncodedInput(const Invocation& inv, std::size_t index);

// Writes the text encoded as "--out" says (default utf8) to the "-o" file,
// through the editor's save, or to standard output. The save's questions
// (a read-only or hidden file, characters the encoding lacks) are answered
// No, or Yes with "--force".
int WriteEncodedOutput(const Invocation& inv, const Text& text);

// True when "--in" lets the input be decoded a piece at a time: it names an
// encoding (absent is utf8); "auto" and "detect" are settled on the whole
// file. A bad name is reported and gives false, with `bad` set.
bool InputStreams(const Invocation& inv, bool& bad);

// Makes `in` give UTF-8 when "--in" names another encoding that streams.
void DecodeAsRequested(const Invocation& inv, InputSource& in);

// The output of a command that writes a piece at a time: encoded as "--out"
// says, to standard output or to the "-o" file through the editor's save,
// whose target is replaced only by Finish. Every failure is reported once.
class EncodedOutput {
 public:
  // Reports a bad "--out", a save refused or failed at its start, and gives
  // null; the exit status is then kExitError.
  static std::unique_ptr<EncodedOutput> Open(const Invocation& inv);

  virtual ~EncodedOutput() = default;
  FileEncoding encoding() const { return encoding_; }
  // True when the pieces should count the characters the ANSI page lacks,
  // for the save's question.
  virtual bool CountsUnmappable() const { return false; }
  // Appends the bytes; false after a failure (reported).
  virtual bool Write(std::string_view bytes) = 0;
  // Ends the output: kExitOk, or kExitError after reporting why.
  virtual int Finish(std::size_t unmappable) = 0;
  // Ends it after a failure elsewhere (reported by the caller): an "-o"
  // target keeps its old content.
  virtual void Abandon() {}

 protected:
  explicit EncodedOutput(FileEncoding encoding) : encoding_(encoding) {}

 private:
  FileEncoding encoding_;
};

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_STREAM_ENCODING_OPTIONS_H_
