// Generates engine/codepage/codepage_supplement_tables.cpp: the differences between
// the code page bridge as its converters alone behave (no supplement linked
// in) and Microsoft's published best-fit tables (bestfit<cp>.txt: the bytes
// of every character each Windows code page reads and writes, best fit
// included). Run through scripts/make-codepage-supplement.
//
// Usage: codepage_supplement_gen DIR > engine/codepage/codepage_supplement_tables.cpp
// A summary and anything that cannot be expressed goes to standard error.
#include <unicode/utf.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/codepage/codepage.h"
#include "engine/codepage/codepage_registry.h"
#include "engine/codepage/codepage_supplement.h"
#include "tests/engine/bestfit_table.h"

namespace tekvo {
// The bridge without any supplement: what the converters do by themselves.
std::span<const CodePageSupplement> CodePageSupplements() { return {}; }
}  // namespace tekvo

namespace {

using namespace tekvo;
namespace fs = std::filesystem;

unsigned Key(const std::string& bytes) {
  unsigned k = 0;
  for (unsigned char b : bytes) k = k << 8 | b;
  return k;
}

struct Diffs {
  std::map<unsigned, char16_t> decodes;
  std::map<char16_t, char16_t> remaps;
  std::map<char16_t, unsigned> encodes;
  bool ok = true;
};

// How many byte sequences of one or two bytes decode to exactly `u`.
int SequencesGiving(CodePageId cp, char16_t u, bool dbcs) {
  int n = 0;
  for (unsigned b = 0; b < 256; ++b) {
    if (CodePageBytesToText(std::string(1, static_cast<char>(b)), cp) == Text(1, u)) ++n;
  }
  if (!dbcs) return n;
  for (unsigned lead = 0x80; lead < 256; ++lead) {
    for (unsigned trail = 0; trail < 256; ++trail) {
      std::string two{static_cast<char>(lead), static_cast<char>(trail)};
      if (CodePageBytesToText(two, cp) == Text(1, u)) ++n;
    }
  }
  return n;
}

Diffs Compare(const CodePageEntry& entry, const BestFitTable& pub) {
  Diffs d;
  const bool dbcs = std::any_of(pub.decode.begin(), pub.decode.end(),
                                [](const auto& kv) { return kv.first.size() == 2; });
  for (const auto& [bytes, unit] : pub.decode) {
    const Text got = CodePageBytesToText(bytes, entry.cp);
    if (got == Text(1, unit)) continue;
    if (entry.backend == ConverterBackend::kIconv || got == Text(1, u'\uFFFD')) {
      d.decodes[Key(bytes)] = unit;
    } else if (got.size() == 1 && SequencesGiving(entry.cp, got[0], dbcs) == 1) {
      d.remaps[got[0]] = unit;
    } else {
      std::fprintf(stderr, "%d: bytes %X read as %zu units cannot be supplemented\n",
                   ToInt(entry.cp), Key(bytes), got.size());
      d.ok = false;
    }
  }
  for (const auto& [from, to] : d.remaps) {
    if (d.remaps.count(to) != 0) {
      std::fprintf(stderr, "%d: remap chain through U+%04X\n", ToInt(entry.cp), to);
      d.ok = false;
    }
  }
  for (unsigned u = 0; u <= 0xFFFF; ++u) {
    if (U_IS_SURROGATE(u)) continue;
    auto it = pub.encode.find(static_cast<char16_t>(u));
    const std::string want = it == pub.encode.end() ? std::string("?") : it->second;
    if (TextToCodePageBytes(Text(1, static_cast<char16_t>(u)), entry.cp) != want) {
      d.encodes[static_cast<char16_t>(u)] = Key(want);
    }
  }
  return d;
}

// The DOS pages show their controls as pictures (U+263A for 0x01 and so
// on), and Windows writes those pictures as the controls; no other page
// does.
bool HasControlPictures(CodePageId cp) {
  const std::int32_t n = ToInt(cp);
  return n == 437 || n == 850 || n == 852 || n == 866;
}

// For a page without a published table: characters that are not controls but
// come out as a C0 control or DEL, which IBM's tables behind some ICU
// converters add as fallbacks and Windows writes as "?".
Diffs ControlFallbacks(const CodePageEntry& entry) {
  Diffs d;
  if (!IsCodePageStateless(entry.cp)) return d;
  for (unsigned u = 0x80; u <= 0xFFFF; ++u) {
    if (U_IS_SURROGATE(u)) continue;
    const ByteString b = TextToCodePageBytes(Text(1, static_cast<char16_t>(u)), entry.cp);
    if (b.size() == 1 && (static_cast<unsigned char>(b[0]) < 0x20 || b[0] == 0x7F)) {
      if (HasControlPictures(entry.cp)) {
        std::fprintf(stderr, "%d: U+%04X -> %02X kept (control picture)\n", ToInt(entry.cp), u,
                     static_cast<unsigned char>(b[0]));
      } else {
        d.encodes[static_cast<char16_t>(u)] = '?';
      }
    }
  }
  return d;
}

void PrintTables(const CodePageEntry& entry, const Diffs& d) {
  const int cp = ToInt(entry.cp);
  std::printf("\n// Code page %d: %zu decodes, %zu remaps, %zu encodes.\n", cp, d.decodes.size(),
              d.remaps.size(), d.encodes.size());
  if (!d.decodes.empty()) {
    std::printf("constexpr SupplementDecode kDecodes%d[] = {\n", cp);
    int col = 0;
    for (const auto& [k, u] : d.decodes) {
      std::printf("%s{0x%04X, 0x%04X},", col == 0 ? "    " : " ", k, u);
      if (++col == 5) {
        std::printf("\n");
        col = 0;
      }
    }
    std::printf("%s};\n", col == 0 ? "" : "\n");
  }
  if (!d.remaps.empty()) {
    std::printf("constexpr SupplementRemap kRemaps%d[] = {\n", cp);
    for (const auto& [from, to] : d.remaps) std::printf("    {0x%04X, 0x%04X},\n", from, to);
    std::printf("};\n");
  }
  if (!d.encodes.empty()) {
    std::printf("constexpr SupplementEncode kEncodes%d[] = {\n", cp);
    int col = 0;
    for (const auto& [u, k] : d.encodes) {
      std::printf("%s{0x%04X, 0x%04X},", col == 0 ? "    " : " ", u, k);
      if (++col == 5) {
        std::printf("\n");
        col = 0;
      }
    }
    std::printf("%s};\n", col == 0 ? "" : "\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s BESTFIT-DIR\n", argv[0]);
    return 2;
  }
  const fs::path dir = argv[1];
  std::vector<std::pair<const CodePageEntry*, Diffs>> pages;
  bool ok = true;
  for (const CodePageEntry& entry : ServedCodePages()) {
    const fs::path file = dir / ("bestfit" + std::to_string(ToInt(entry.cp)) + ".txt");
    Diffs d = fs::exists(file) ? Compare(entry, ParseBestFitTable(file)) : ControlFallbacks(entry);
    ok = ok && d.ok;
    std::fprintf(stderr, "%5d: %zu decodes, %zu remaps, %zu encodes\n", ToInt(entry.cp),
                 d.decodes.size(), d.remaps.size(), d.encodes.size());
    if (!d.decodes.empty() || !d.remaps.empty() || !d.encodes.empty()) {
      pages.emplace_back(&entry, std::move(d));
    }
  }
  std::printf(
      "// Generated by scripts/make-codepage-supplement from Microsoft's published\n"
      "// best-fit tables (bestfit<cp>.txt, \"Windows Best Fit\" mappings on\n"
      "// unicode.org: www.unicode.org/Public/MAPPINGS/VENDORS/MICSFT/WindowsBestFit/).\n"
      "// Do not edit; regenerate when a converter or its configuration changes.\n"
      "#include \"engine/codepage/codepage_supplement.h\"\n\n"
      "namespace tekvo {\nnamespace {\n\n// clang-format off\n");
  for (const auto& [entry, d] : pages) PrintTables(*entry, d);
  std::printf("\nconstexpr CodePageSupplement kSupplements[] = {\n");
  for (const auto& [entry, d] : pages) {
    const int cp = ToInt(entry->cp);
    std::printf("    {CodePageId{%d}, ", cp);
    if (d.decodes.empty())
      std::printf("{}, ");
    else
      std::printf("kDecodes%d, ", cp);
    if (d.remaps.empty())
      std::printf("{}, ");
    else
      std::printf("kRemaps%d, ", cp);
    if (d.encodes.empty())
      std::printf("{}},\n");
    else
      std::printf("kEncodes%d},\n", cp);
  }
  std::printf(
      "};\n// clang-format on\n\n}  // namespace\n\n"
      "std::span<const CodePageSupplement> CodePageSupplements() { return kSupplements; }\n\n"
      "}  // namespace tekvo\n");
  return ok ? 0 : 1;
}
