// Every streaming command of tekvo-cli on 64 MiB inputs of one line that
// offer few places to cut: only letters, only digits, Chinese without a
// single ASCII character, kana among full-width punctuation, Hangul, and
// characters past the basic plane. Whatever the shape, a command must stay
// under 64 MiB of peak memory; its figures are given against uconv
// converting the same file to UTF-16 in the same run.
#include <string>
#include <system_error>

#include "bench/child_run.h"

namespace tekvo {
namespace {

using namespace tekvo::bench;

struct Shape {
  const char* name;
  const char* unit;  // repeated to 64 MiB
};

constexpr Shape kShapes[] = {
    {"letters", "abcdefghij"},
    {"digits", "0123456789"},
    {"chinese", "中文字体编码"},
    {"kana-punctuation", "ひらがなカタカナﾊﾝｶｸｶﾀｶﾅ，。、！？：；“”（）【】"},
    {"hangul", "한국어텍스트"},
    {"four-byte", "\U00020000\U00020001"},
};

constexpr const char* kCommands[] = {
    "repair gb--big5", "repair gb--utf8", "repair ja--gb",     "convert --out utf16le",
    "map full",        "map traditional", "encode html-hex",   "encode base64:utf8",
    "encode qp:gb",    "encode utf7",     "encode hz",         "decode html",
    "decode numu1",    "decode url:utf8", "decode url:gb",     "decode qp:gb",
    "decode utf7",     "decode hz",       "decode iso2022:zh", "decode iso2022:ja",
    "shift gb 1",      "suggest --apply",
};

// The shape's file, written on first use. The benchmarks go shape by shape,
// so the file of the shape before is removed then.
const fs::path& ShapeFile(const char* name, const char* unit) {
  static std::string current;
  static fs::path path;
  if (current != name) {
    std::error_code ignored;
    if (!path.empty()) fs::remove(path, ignored);
    path = WriteRepeated((std::string(name) + ".txt").c_str(), unit);
    current = name;
  }
  return path;
}

std::string PeerName(const Shape& shape) { return std::string("uconv -t UTF-16LE, ") + shape.name; }

void RegisterAll() {
  for (const Shape& shape : kShapes) {
    const std::string name = shape.name;
    benchmark::RegisterBenchmark(
        ("uconv/" + name).c_str(),
        [shape](benchmark::State& state) {
          const fs::path& file = ShapeFile(shape.name, shape.unit);
          RunPeer(state, PeerName(shape),
                  "uconv -f UTF-8 -t UTF-16LE " + Quoted(file) + " > /dev/null", file);
        })
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1);
    for (const char* command : kCommands) {
      benchmark::RegisterBenchmark((std::string(command) + "/" + name).c_str(),
                                   [shape, command](benchmark::State& state) {
                                     RunTool(state, command, ShapeFile(shape.name, shape.unit),
                                             PeerName(shape), 0);
                                   })
          ->Unit(benchmark::kMillisecond)
          ->UseManualTime()
          ->Iterations(1);
    }
  }
}

const bool registered = (RegisterAll(), true);

}  // namespace
}  // namespace tekvo
