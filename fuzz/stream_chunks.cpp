// The streaming commands of tekvo-cli reading their input a few bytes at a
// time, so that pieces end at every position a command may cut at: the
// output must be byte for byte the output of the same command reading the
// input in one piece, which is the whole-text routine's result.
//
// The first byte picks the command, the second the read size (1 to 64
// bytes); the rest is standard input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands/commands.h"
#include "cli/stream/stream.h"

namespace {

const std::vector<std::vector<std::string>> kCommands = {
    {"repair", "gb--big5"},
    {"repair", "u--ube"},
    {"repair", "gb--utf8"},
    {"repair", "utf8--gb"},
    {"repair", "ja--ko"},
    {"repair", "cp:1252:65001"},
    {"repair", "cp:-2:936"},
    {"repair", "lcid:big5:ja"},
    {"convert"},
    {"convert", "--out", "utf16be-bom"},
    {"convert", "--in", "utf8-bom", "--out", "gb"},
    {"convert", "--in", "gb"},
    {"map", "full", "--in", "utf16le"},
    {"shift", "gb", "3"},
    {"shift", "-1", "0"},
    {"map", "full"},
    {"map", "half"},
    {"map", "simplified"},
    {"map", "traditional"},
    {"encode", "html-hex"},
    {"encode", "html-dec"},
    {"decode", "html"},
    {"decode", "numu1"},
    {"decode", "numu2"},
    {"decode", "url:gb"},
    {"decode", "url:utf8"},
    {"decode", "qp:gb"},
    {"decode", "qp:ja"},
    {"decode", "base64:gb"},
    {"decode", "base64:utf8"},
    {"decode", "base64url:big5"},
    {"decode", "utf7"},
    {"decode", "hz"},
    {"decode", "iso2022:zh"},
    {"decode", "iso2022:ja"},
    {"decode", "iso2022:ko"},
    {"encode", "qp:gb"},
    {"encode", "qp:utf8"},
    {"encode", "base64:gb"},
    {"encode", "base64:utf8"},
    {"encode", "utf7"},
    {"encode", "hz"},
    {"suggest", "--apply"},
    {"decode", "url:ja"},
    // Pairs whose decoders read the other side's bytes out of step: cut
    // where they rest, in lines without a line feed.
    {"repair", "gb--ja"},
    {"repair", "ko--gb"},
    {"repair", "cp:936:54936"},
    {"repair", "cp:54936:950"},
    {"repair", "cp:936:1361"},
    {"repair", "lcid:u:gb"},
};

struct Run {
  int status;
  std::string out;
};

Run RunWith(const std::vector<std::string>& args, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  tekvo::cli::Io io{in, out, err};
  const int status = tekvo::cli::RunCli(args, io);
  return {status, out.str()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::vector<std::string>& args = kCommands[data[0] % kCommands.size()];
  const std::size_t read_bytes = 1 + data[1] % 64;
  const std::string input(reinterpret_cast<const char*>(data + 2), size - 2);

  tekvo::cli::SetStreamReadBytes(0);
  const Run whole = RunWith(args, input);
  tekvo::cli::SetStreamReadBytes(read_bytes);
  const Run pieces = RunWith(args, input);
  tekvo::cli::SetStreamReadBytes(0);
  if (whole.status != pieces.status || whole.out != pieces.out) std::abort();
  return 0;
}
