#include "cli/commands/commands.h"

#include <malloc.h>
#include <signal.h>

#include <array>
#include <iostream>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "cli/stream/input_detect.h"

namespace tekvo::cli {
namespace {

constexpr std::array<Command, 10> kCommands = {{
    {"list", "", "list the repairs by name and menu caption", RunList},
    {"repair", "NAME [FILE]", "repair garbled text: a fixed pair, lcid:A:B or cp:A:B", RunRepair},
    {"convert", "[FILE]", "change the encoding of a file (--in, --out, -o)", RunConvert},
    {"shift", "LCID POS [FILE]", "drop one byte at POS (UTF-16 units) and read again", RunShift},
    {"decode", "NAME [FILE]",
     "decode: html, numu1, numu2, url:LANG, qp:LANG, base64:LANG, base64url:LANG, utf7, hz, "
     "iso2022:zh|ja|ko",
     RunDecode},
    {"encode", "NAME [FILE]",
     "encode: html-hex, html-dec, qp:gb, qp:utf8, base64:gb, base64:utf8, utf7, hz", RunEncode},
    {"map", "MAPPING [FILE]", "full, half, simplified or traditional form of the text", RunMap},
    {"suggest", "[FILE]", "rank every repair of the text, best first (--top N, --apply)",
     RunSuggest},
    {"detect", "[FILE]", "rank the encodings the input's bytes may be in, best first (--top N)",
     RunDetect},
    {"names", "[-r] [--apply] PATH...",
     "find garbled file names and their repair; --apply renames, --undo JOURNAL puts back",
     RunNames},
}};

void PrintUsage(std::ostream& os) {
  os << "usage: tekvo-cli COMMAND [OPTIONS] [ARGS]\n"
        "       tekvo-cli --help | --version\ncommands:\n";
  for (const auto& c : kCommands) {
    std::string line = "  " + std::string(c.name);
    if (!c.usage.empty()) line += " " + std::string(c.usage);
    if (line.size() < 24) line.resize(24, ' ');
    os << line << "  " << c.summary << '\n';
  }
  os << "options:\n";
  for (const auto& o : KnownOptions()) {
    std::string line = "  " + std::string(o.name) + " " + std::string(o.value_name);
    if (line.size() < 24) line.resize(24, ' ');
    os << line << "  " << o.help << '\n';
  }
  os << "Text is read from FILE or standard input and written as UTF-8.\n"
        "decode and encode write a lone surrogate (from \"&#xD800;\", \"\\uDC00\"...) as\n"
        "U+FFFD, so that the output is well-formed for the next program in a pipe;\n"
        "--keep-surrogates writes it as it is, three bytes ED A0 80 and the like.\n"
        "names looks at the entries of each folder PATH (-r: all the way down) and at\n"
        "each other PATH itself; it prints one line per garbled name, old -> new\n"
        "[repair], and changes nothing. --apply renames, never over an existing name,\n"
        "and prints the journal (-o JOURNAL to choose it) that --undo JOURNAL reads.\n";
}

}  // namespace

std::span<const Command> Commands() { return kCommands; }

int Fail(const Invocation& inv, std::string_view message) {
  inv.io.err << "tekvo-cli: " << message << '\n';
  return kExitError;
}

int UsageError(const Invocation& inv, std::string_view message) {
  Fail(inv, message);
  inv.io.err << "usage: tekvo-cli " << inv.command.name;
  if (!inv.command.usage.empty()) inv.io.err << ' ' << inv.command.usage;
  inv.io.err << '\n';
  return kExitError;
}

int RunCli(std::span<const std::string> args, Io& io) {
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    PrintUsage(io.out);
    return kExitOk;
  }
  if (!args.empty() && args[0] == "--version") {
    io.out << "tekvo-cli " << TEKVO_VERSION_MAJOR << '.' << TEKVO_VERSION_MINOR << '\n';
    return kExitOk;
  }
  std::string error;
  std::optional<ParsedArgs> parsed = ParseArgs(args, error);
  if (!parsed) {
    io.err << "tekvo-cli: " << error << '\n';
    PrintUsage(io.err);
    return kExitError;
  }
  if (parsed->command.empty() || parsed->command == "help") {
    PrintUsage(parsed->command.empty() ? io.err : io.out);
    return parsed->command.empty() ? kExitError : kExitOk;
  }
  // Known before the command runs, the encoding lets it stream the file.
  if (std::optional<ParsedArgs> settled = SettleAutoInput(*parsed)) parsed = std::move(settled);
  for (const auto& c : kCommands) {
    if (c.name == parsed->command) {
      if (std::optional<int> status = RunOnSettledPipe(c, *parsed, io)) return *status;
      Invocation inv{c, *parsed, io};
      return c.run(inv);
    }
  }
  io.err << "tekvo-cli: unknown command " << parsed->command << '\n';
  PrintUsage(io.err);
  return kExitError;
}

int Main(int argc, char** argv) {
  // Long inputs go through a few buffers of some megabytes each, again and
  // again. Left to its defaults glibc maps and unmaps each of them, and
  // every page of every buffer faults anew; kept in the heap they are reused.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  // Past the file size limit a write should fail and be reported, with the
  // target left whole, rather than end the process mid-save.
  ::signal(SIGXFSZ, SIG_IGN);
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  Io io{std::cin, std::cout, std::cerr};
  int status = kExitError;
  try {
    status = RunCli(args, io);
  } catch (const std::bad_alloc&) {
    // A file too large for the memory at hand: a message, not an abort.
    std::cout.flush();
    std::cerr << "tekvo-cli: not enough memory for this input\n";
    return kExitError;
  }
  std::cout.flush();
  if (!std::cout) {
    // A command that failed has said why already.
    if (status == kExitOk) std::cerr << "tekvo-cli: cannot write the output\n";
    return kExitError;
  }
  return status;
}

}  // namespace tekvo::cli
