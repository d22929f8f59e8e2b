// Whole command lines of tekvo-cli, built from the words it knows and some it
// must refuse, with arbitrary bytes on standard input: never crashes, ends
// with status 0 or 2, and a status of 2 always comes with a message.
//
// The words hold no "-o" and no file name, so a run never writes a file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands/commands.h"

namespace {

constexpr const char* kWords[] = {
    "repair",
    "convert",
    "shift",
    "decode",
    "encode",
    "map",
    "suggest",
    "list",
    "-",
    "--",
    "--in",
    "--out",
    "--top",
    "--apply",
    "gb",
    "big5",
    "ja",
    "ko",
    "ru",
    "eng",
    "utf8",
    "utf8-bom",
    "auto",
    "utf16le",
    "utf16be",
    "utf16le-bom",
    "gb--big5",
    "big5--gb",
    "gb--utf8",
    "en--utf8",
    "u--ube",
    "lcid:2052:1028",
    "cp:936:950",
    "cp:65001:1252",
    "lcid:-1:-2",
    "cp:x:1",
    "html",
    "numu1",
    "numu2",
    "url",
    "qp",
    "base64",
    "base64url",
    "utf7",
    "hz",
    "html-hex",
    "qp:gb",
    "base64:utf8",
    "iso2022:ja",
    "iso2022:ko",
    "iso2022:zh",
    "full",
    "half",
    "simplified",
    "traditional",
    "0",
    "1",
    "-1",
    "3",
    "16383",
    "99999999999999999999",
    "12x",
    "2052",
    "1361",
    "",
    "--top=0",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::size_t count = data[0] % 7;
  if (size < 1 + count) return 0;
  std::vector<std::string> args;
  for (std::size_t i = 0; i < count; ++i)
    args.emplace_back(kWords[data[1 + i] % std::size(kWords)]);
  std::istringstream in(
      std::string(reinterpret_cast<const char*>(data + 1 + count), size - 1 - count));
  std::ostringstream out;
  std::ostringstream err;
  tekvo::cli::Io io{in, out, err};
  const int status = tekvo::cli::RunCli(args, io);
  if (status != tekvo::cli::kExitOk && status != tekvo::cli::kExitError) std::abort();
  if (status == tekvo::cli::kExitError && err.str().empty()) std::abort();
  return 0;
}
