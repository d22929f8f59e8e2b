#include "cli/commands/args.h"

#include <algorithm>
#include <array>

namespace tekvo::cli {
namespace {

constexpr std::array<OptionSpec, 9> kOptions = {{
    {"-o", "FILE", "write the result to FILE instead of standard output"},
    {"--in", "ENC", "read the input as ENC (default utf8; auto or detect finds it)"},
    {"--out", "ENC", "write as ENC: gb eng utf8 utf8-bom utf16le[-bom] utf16be[-bom]"},
    {"--top", "N", "suggest, detect: list the N best candidates (default 10)"},
    {"--apply", "", "suggest: write the best candidate's text instead of the list; names: rename",
     false},
    {"-r", "", "names: look into sub-folders too, all the way down", false},
    {"--undo", "JOURNAL", "names: give back the names a journal of --apply records"},
    {"--force", "",
     "with -o: replace a read-only or hidden file, write characters the encoding lacks", false},
    {"--keep-surrogates", "", "decode, encode: write lone surrogates as they are, not U+FFFD",
     false},
}};

const OptionSpec* FindOption(std::string_view name) {
  auto it = std::find_if(kOptions.begin(), kOptions.end(),
                         [name](const OptionSpec& o) { return o.name == name; });
  return it == kOptions.end() ? nullptr : &*it;
}

}  // namespace

std::span<const OptionSpec> KnownOptions() { return kOptions; }

std::optional<std::string> ParsedArgs::Option(std::string_view name) const {
  auto it = options.find(std::string(name));
  if (it == options.end()) return std::nullopt;
  return it->second;
}

std::optional<ParsedArgs> ParseArgs(std::span<const std::string> args, std::string& error) {
  ParsedArgs parsed;
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool looks_like_option =
        !options_done && arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9');
    if (!options_done && arg == "--") {
      options_done = true;
      continue;
    }
    if (!looks_like_option) {
      if (parsed.command.empty()) {
        parsed.command = arg;
      } else {
        parsed.positional.push_back(arg);
      }
      continue;
    }
    std::string name = arg;
    std::optional<std::string> value;
    if (auto eq = arg.find('='); eq != std::string::npos && arg.rfind("--", 0) == 0) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
    }
    const OptionSpec* spec = FindOption(name);
    if (spec == nullptr) {
      error = "unknown option " + name;
      return std::nullopt;
    }
    if (!value && !spec->takes_value) value = std::string();
    if (!value) {
      if (i + 1 >= args.size()) {
        error = "option " + name + " needs a value (" + std::string(spec->value_name) + ")";
        return std::nullopt;
      }
      value = args[++i];
    }
    if (parsed.options.count(name) != 0) {
      error = "option " + name + " given twice";
      return std::nullopt;
    }
    parsed.options[name] = *value;
  }
  return parsed;
}

}  // namespace tekvo::cli
