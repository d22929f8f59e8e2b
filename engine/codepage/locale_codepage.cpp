// Default ANSI code pages of Windows LCIDs.
//
// Linux locale data has no notion of an LCID, so the facts are kept here: the
// value LOCALE_IDEFAULTANSICODEPAGE has on Windows for each specific locale
// with a non-Unicode-only default. Locales whose default is "0" (Hindi,
// Georgian, Armenian and the other Unicode-only ones) are left out and so
// have no code page. Neutral LCIDs (a primary language alone) answer with the
// page of the language, and the alternative Chinese, Japanese, Korean,
// German and Hungarian sort orders answer like their locale.
#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "engine/codepage/codepage.h"

namespace tekvo {
namespace {

// Raw numbers as Windows documents them: LCID, code page.
using LocaleRow = std::pair<std::int32_t, std::int32_t>;

constexpr LocaleRow kLocales[] = {
    // Arabic script.
    {0x0401, 1256},
    {0x0801, 1256},
    {0x0C01, 1256},
    {0x1001, 1256},
    {0x1401, 1256},
    {0x1801, 1256},
    {0x1C01, 1256},
    {0x2001, 1256},
    {0x2401, 1256},
    {0x2801, 1256},
    {0x2C01, 1256},
    {0x3001, 1256},
    {0x3401, 1256},
    {0x3801, 1256},
    {0x3C01, 1256},
    {0x4001, 1256},
    {0x0429, 1256},
    {0x0420, 1256},
    {0x0480, 1256},
    {0x048C, 1256},
    {0x0492, 1256},
    {0x0846, 1256},
    {0x0859, 1256},
    // Central European.
    {0x041C, 1250},
    {0x041A, 1250},
    {0x101A, 1250},
    {0x0405, 1250},
    {0x040E, 1250},
    {0x0415, 1250},
    {0x0418, 1250},
    {0x041B, 1250},
    {0x0424, 1250},
    {0x141A, 1250},
    {0x181A, 1250},
    {0x081A, 1250},
    {0x241A, 1250},
    {0x2C1A, 1250},
    {0x0442, 1250},
    // Cyrillic.
    {0x0402, 1251},
    {0x0419, 1251},
    {0x0422, 1251},
    {0x0423, 1251},
    {0x042F, 1251},
    {0x043F, 1251},
    {0x0440, 1251},
    {0x0444, 1251},
    {0x0450, 1251},
    {0x046D, 1251},
    {0x0485, 1251},
    {0x0428, 1251},
    {0x082C, 1251},
    {0x0843, 1251},
    {0x0C1A, 1251},
    {0x1C1A, 1251},
    {0x201A, 1251},
    {0x281A, 1251},
    {0x301A, 1251},
    {0x0819, 1251},
    // Greek, Turkish, Hebrew, Baltic, Vietnamese, Thai.
    {0x0408, 1253},
    {0x041F, 1254},
    {0x042C, 1254},
    {0x0443, 1254},
    {0x040D, 1255},
    {0x0425, 1257},
    {0x0426, 1257},
    {0x0427, 1257},
    {0x042A, 1258},
    {0x041E, 874},
    // East Asian.
    {0x0804, 936},
    {0x1004, 936},
    {0x0404, 950},
    {0x0C04, 950},
    {0x1404, 950},
    {0x0411, 932},
    {0x0412, 949},
    // Western European and other Latin-script locales.
    {0x0436, 1252},
    {0x0484, 1252},
    {0x042D, 1252},
    {0x047E, 1252},
    {0x0403, 1252},
    {0x0483, 1252},
    {0x0406, 1252},
    {0x0413, 1252},
    {0x0813, 1252},
    {0x0409, 1252},
    {0x0809, 1252},
    {0x0C09, 1252},
    {0x1009, 1252},
    {0x1409, 1252},
    {0x1809, 1252},
    {0x1C09, 1252},
    {0x2009, 1252},
    {0x2409, 1252},
    {0x2809, 1252},
    {0x2C09, 1252},
    {0x3009, 1252},
    {0x3409, 1252},
    {0x3C09, 1252},
    {0x4009, 1252},
    {0x4409, 1252},
    {0x4809, 1252},
    {0x0438, 1252},
    {0x0464, 1252},
    {0x040B, 1252},
    {0x040C, 1252},
    {0x080C, 1252},
    {0x0C0C, 1252},
    {0x100C, 1252},
    {0x140C, 1252},
    {0x180C, 1252},
    {0x0462, 1252},
    {0x0456, 1252},
    {0x0407, 1252},
    {0x0807, 1252},
    {0x0C07, 1252},
    {0x1007, 1252},
    {0x1407, 1252},
    {0x046F, 1252},
    {0x0468, 1252},
    {0x040F, 1252},
    {0x0470, 1252},
    {0x0421, 1252},
    {0x085D, 1252},
    {0x083C, 1252},
    {0x0434, 1252},
    {0x0435, 1252},
    {0x0410, 1252},
    {0x0810, 1252},
    {0x0486, 1252},
    {0x0487, 1252},
    {0x0441, 1252},
    {0x082E, 1252},
    {0x042E, 1252},
    {0x046E, 1252},
    {0x043E, 1252},
    {0x083E, 1252},
    {0x047A, 1252},
    {0x047C, 1252},
    {0x0414, 1252},
    {0x0814, 1252},
    {0x0482, 1252},
    {0x0416, 1252},
    {0x0816, 1252},
    {0x046B, 1252},
    {0x086B, 1252},
    {0x0C6B, 1252},
    {0x0417, 1252},
    {0x043B, 1252},
    {0x083B, 1252},
    {0x0C3B, 1252},
    {0x103B, 1252},
    {0x143B, 1252},
    {0x183B, 1252},
    {0x1C3B, 1252},
    {0x203B, 1252},
    {0x243B, 1252},
    {0x046C, 1252},
    {0x0432, 1252},
    {0x040A, 1252},
    {0x080A, 1252},
    {0x0C0A, 1252},
    {0x100A, 1252},
    {0x140A, 1252},
    {0x180A, 1252},
    {0x1C0A, 1252},
    {0x200A, 1252},
    {0x240A, 1252},
    {0x280A, 1252},
    {0x2C0A, 1252},
    {0x300A, 1252},
    {0x340A, 1252},
    {0x380A, 1252},
    {0x3C0A, 1252},
    {0x400A, 1252},
    {0x440A, 1252},
    {0x480A, 1252},
    {0x4C0A, 1252},
    {0x500A, 1252},
    {0x540A, 1252},
    {0x041D, 1252},
    {0x081D, 1252},
    {0x085F, 1252},
    {0x0452, 1252},
    {0x0488, 1252},
    {0x046A, 1252},
    {0x0491, 1252},
    {0x0467, 1252},
    {0x0867, 1252},
    {0x0430, 1252},
    {0x0431, 1252},
    {0x0476, 1252},
    {0x0479, 1252},
    {0x0469, 1252},
    {0x0471, 1252},
    {0x0475, 1252},
    {0x0474, 1252},
    {0x0818, 1250},
};

// Neutral LCIDs are the primary language number alone (sublanguage 0).
constexpr LocaleRow kNeutral[] = {
    {0x01, 1256}, {0x02, 1251}, {0x03, 1252}, {0x04, 936},  {0x05, 1250}, {0x06, 1252},
    {0x07, 1252}, {0x08, 1253}, {0x09, 1252}, {0x0A, 1252}, {0x0B, 1252}, {0x0C, 1252},
    {0x0D, 1255}, {0x0E, 1250}, {0x0F, 1252}, {0x10, 1252}, {0x11, 932},  {0x12, 949},
    {0x13, 1252}, {0x14, 1252}, {0x15, 1250}, {0x16, 1252}, {0x17, 1252}, {0x18, 1250},
    {0x19, 1251}, {0x1A, 1250}, {0x1B, 1250}, {0x1C, 1250}, {0x1D, 1252}, {0x1E, 874},
    {0x1F, 1254}, {0x20, 1256}, {0x21, 1252}, {0x22, 1251}, {0x23, 1251}, {0x24, 1250},
    {0x25, 1257}, {0x26, 1257}, {0x27, 1257}, {0x29, 1256}, {0x2A, 1258}, {0x2D, 1252},
    {0x2F, 1251}, {0x36, 1252}, {0x38, 1252}, {0x3E, 1252}, {0x3F, 1251}, {0x41, 1252},
};

// LCIDs with a sort order other than the default that Windows accepts.
constexpr std::array<std::int32_t, 14> kAlternateSorts = {
    0x10407, 0x1040E, 0x10411, 0x10412, 0x20804, 0x21004, 0x30404,
    0x40404, 0x40804, 0x41004, 0x50804, 0x51004, 0x40C04, 0x41404,
};

// kLocales in the order of their ids, for a binary search: the repair
// ranking looks a code page up for every stretch of text it tries.
constexpr auto kSortedLocales = [] {
  std::array<LocaleRow, std::size(kLocales)> sorted{};
  std::copy(std::begin(kLocales), std::end(kLocales), sorted.begin());
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}();

std::optional<CodePageId> FindIn(std::int32_t lcid) {
  const auto* it =
      std::lower_bound(kSortedLocales.begin(), kSortedLocales.end(), lcid,
                       [](const LocaleRow& e, std::int32_t id) { return e.first < id; });
  if (it != kSortedLocales.end() && it->first == lcid) return CodePageId{it->second};
  return std::nullopt;
}

}  // namespace

std::optional<CodePageId> LocaleCodePage(LocaleId id) {
  std::int32_t lcid = ToInt(id);
  if (lcid <= 0) return std::nullopt;
  if (lcid > 0xFFFF) {
    if (std::find(kAlternateSorts.begin(), kAlternateSorts.end(), lcid) == kAlternateSorts.end()) {
      return std::nullopt;
    }
    lcid &= 0xFFFF;
  }
  if (lcid <= 0x3FF) {
    for (const auto& [neutral, cp] : kNeutral) {
      if (neutral == lcid) return CodePageId{cp};
    }
    return std::nullopt;
  }
  return FindIn(lcid);
}

}  // namespace tekvo
