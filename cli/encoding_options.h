// The "--in ENC" and "--out ENC" options: how input files are decoded and
// how output is encoded, with the names of the text file encodings. Input
// goes through the editor's file loading rules (detection, byte order marks)
// without its length limits; output written with "-o" goes through the
// editor's save, backup included.
#ifndef TEKVO_CLI_ENCODING_OPTIONS_H_
#define TEKVO_CLI_ENCODING_OPTIONS_H_

#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "engine/text.h"
#include "files/file_encoding.h"

namespace tekvo::cli {

// "auto" (input only), "gb", "utf16le-bom", "utf16be-bom", "utf8-bom",
// "utf16le", "utf16be", "utf8", "eng"; nullopt for any other name.
std::optional<FileEncoding> ParseEncodingName(std::string_view name, bool for_input);

// The names, for messages.
std::string EncodingNames(bool for_input);

// The text of positional argument `index` (a path) or standard input, decoded
// as "--in" says (default utf8). Reports a failure and gives nullopt.
std::optional<Text> ReadEncodedInput(const Invocation& inv, std::size_t index);

// Writes the text encoded as "--out" says (default utf8) to the "-o" file,
// through the editor's save, or to standard output. The save's questions
// (a read-only or hidden file, characters the encoding lacks) are answered
// No, or Yes with "--force".
int WriteEncodedOutput(const Invocation& inv, const Text& text);

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_ENCODING_OPTIONS_H_
