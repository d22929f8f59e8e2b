#include "engine/suggest/suggest_cost.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <variant>

#include "engine/codepage/codepage.h"
#include "engine/text/ascii.h"
#include "engine/transfer/base64.h"

namespace tekvo {
namespace {

// What each character costs that the shown-as page of a pair cannot write,
// and each byte a reading drops: as much as a hidden U+FFFD. The "?" a page
// writes for a character it lacks can read as a question mark, and a hangul
// word in Chinese text costs more as hangul than as "??", so anything less
// lets a repair gain by throwing away characters the text really holds.
constexpr double kUnshowable = 3.5;
// What each U+FFFD costs that a second step turns into "?" or a letter: all
// the score charges for U+FFFD, and more than a "?" ending a question earns,
// so that hiding the loss never reads better than showing it.
constexpr double kHiddenLoss = 3.5;
// The marks of loss one lost character of a text may leave in a repair.
constexpr std::size_t kMarksPerLoss = 2;

// The stray UTF-8 bytes of `input` written back through LocaleId `a`. Page A
// showed the bytes it could not read as U+FFFD; they are lost already, and
// the sequences they cut are not counted.
std::size_t StrayUtf8BytesShownAs(const Text& input, LocaleId a) {
  Text marked = input;
  std::replace(marked.begin(), marked.end(), u'\uFFFD', u'\0');
  const std::optional<ByteString> bytes = TextToLocaleBytes(marked, a);
  if (!bytes) return 0;
  std::size_t stray = 0;
  std::string_view rest = *bytes;
  bool cut_before = false;
  for (;;) {
    const std::size_t at = rest.find('\0');
    const bool last = at == std::string_view::npos;
    stray += StrayUtf8Bytes(rest.substr(0, last ? rest.size() : at), cut_before, !last);
    if (last) return stray;
    rest.remove_prefix(at + 1);
    cut_before = true;
  }
}

bool IsHexDigitAt(std::u16string_view t, std::size_t i) { return i < t.size() && IsHexDigit(t[i]); }

// The stray UTF-8 bytes of the escaped byte runs ("%E4%BD", "=E4=BD") or of
// the Base64 bytes of `text`: what a UTF-8 reading drops without a trace.
std::size_t StrayTransferBytes(RepairRoutine routine, std::u16string_view t) {
  if (routine == RepairRoutine::kBase64 || routine == RepairRoutine::kBase64Url) {
    return StrayUtf8Bytes(Base64ToBytes(
        t, routine == RepairRoutine::kBase64 ? Base64Alphabet::kStandard : Base64Alphabet::kUrl));
  }
  const char16_t mark = routine == RepairRoutine::kUrl ? u'%' : u'=';
  std::size_t stray = 0;
  ByteString run;
  for (std::size_t i = 0; i < t.size();) {
    if (t[i] == mark && IsHexDigitAt(t, i + 1) && IsHexDigitAt(t, i + 2)) {
      run.push_back(static_cast<char>(HexDigitValue(t[i + 1]) * 16 + HexDigitValue(t[i + 2])));
      i += 3;
      continue;
    }
    // A soft line break of quoted-printable does not end a run.
    if (mark == u'=' && t[i] == u'=' && i + 1 < t.size() &&
        (t[i + 1] == u'\r' || t[i + 1] == u'\n')) {
      i += (i + 2 < t.size() && t[i + 1] == u'\r' && t[i + 2] == u'\n') ? 3 : 2;
      continue;
    }
    if (!run.empty()) {
      stray += StrayUtf8Bytes(run);
      run.clear();
    }
    ++i;
  }
  return stray + StrayUtf8Bytes(run);
}

// Units of Latin-1 letters and signs (U+0021-U+00FF) in a text whose byte
// order is to be swapped: each would come from a character U+2100-U+FF00
// that ends in a zero byte, and no real text is made of those. Text that
// really is UTF-16 of the wrong order shows its ASCII as U+xx00 instead.
std::size_t SwappedLatinUnits(std::u16string_view t) {
  return static_cast<std::size_t>(
      std::count_if(t.begin(), t.end(), [](char16_t c) { return c > 0x20 && c <= 0xFF; }));
}

bool IsBase64Char(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         c == u'+' || c == u'/';
}
int Base64Value(char16_t c) {
  return c >= u'a'   ? c - u'a' + 26
         : c >= u'A' ? c - u'A'
         : c >= u'0' ? c - u'0' + 52
         : c == u'+' ? 62
                     : 63;
}

}  // namespace

std::size_t StrayUtf8Bytes(std::string_view bytes, bool cut_before, bool cut_after) {
  std::size_t stray = 0;
  std::size_t i = 0;
  if (cut_before) {
    while (i < bytes.size() && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80) ++i;
  }
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const std::size_t tail = b < 0x80                 ? 0
                             : b >= 0xC2 && b <= 0xDF ? 1
                             : b >= 0xE0 && b <= 0xEF ? 2
                             : b >= 0xF0 && b <= 0xF4 ? 3
                                                      : 4;
    std::size_t k = 0;
    if (tail < 4) {
      while (k < tail && i + 1 + k < bytes.size() &&
             (static_cast<unsigned char>(bytes[i + 1 + k]) & 0xC0) == 0x80) {
        ++k;
      }
      if (k < tail && i + 1 + k == bytes.size() && cut_after) break;
    }
    if (tail < 4 && k == tail) {
      i += 1 + tail;
    } else {
      ++stray;
      ++i;
    }
  }
  return stray;
}

std::size_t IllFormedUtf7Units(std::u16string_view t) {
  std::size_t units = 0;
  for (std::size_t i = t.find(u'+'); i != t.npos && i + 1 < t.size(); i = t.find(u'+', i + 1)) {
    std::size_t k = i + 1;
    while (k < t.size() && IsBase64Char(t[k])) ++k;  // "+" is a Base64 digit here
    const std::size_t len = k - (i + 1);
    if (len == 0) continue;
    const std::size_t over = (6 * len) % 16;
    const int last = Base64Value(t[k - 1]);
    // Encoders write the bits left over as zeros; a shift closed by "-" is
    // forgiven others (the menu's own example has them).
    const bool closed = k < t.size() && t[k] == u'-';
    if (over >= 6 || (!closed && (last & ((1 << over) - 1)) != 0)) units += len + 1;
    i = k - 1;
  }
  return units;
}

double HiddenLossCost(std::u16string_view input, std::u16string_view output,
                      std::size_t out_counted) {
  const auto in = std::count(input.begin(), input.end(), u'\uFFFD');
  const auto out = std::count(output.begin(), output.end(), u'\uFFFD');
  if (in <= out) return 0;
  return kHiddenLoss * static_cast<double>(in - out) / (static_cast<double>(out_counted) + 2);
}

double InheritedLossCredit(const TextScore& input, const TextScore& output) {
  if (input.lost == 0 || output.lost == 0) return 0;
  const double share = std::min(
      1.0, static_cast<double>(kMarksPerLoss * input.lost) / static_cast<double>(output.lost));
  return -output.lost_weight * share / (static_cast<double>(output.counted) + 2);
}

double RepairCost(const Repair& r, const Text& input, std::size_t out_counted) {
  const double per_unit = kUnshowable / (static_cast<double>(out_counted) + 2);
  const auto* pair = std::get_if<LocalePair>(&r.param);
  const auto* language = std::get_if<ByteLanguage>(&r.param);
  if (r.routine == RepairRoutine::kReinterpret && pair && pair->a == kIdUtf16Le &&
      pair->b == kIdUtf16Be) {
    return per_unit * static_cast<double>(SwappedLatinUnits(input));
  }
  if (language && language->id == kIdUtf8 &&
      (r.routine == RepairRoutine::kBase64 || r.routine == RepairRoutine::kBase64Url ||
       r.routine == RepairRoutine::kUrl || r.routine == RepairRoutine::kQuotedPrintable)) {
    return per_unit * static_cast<double>(StrayTransferBytes(r.routine, input));
  }
  if (r.routine == RepairRoutine::kUtf7) {
    return per_unit * static_cast<double>(IllFormedUtf7Units(input));
  }
  if (r.routine != RepairRoutine::kReinterpret || pair == nullptr || !IsLcid(pair->a)) return 0;
  const std::optional<ByteString> bytes = TextToLocaleBytes(input, pair->a);
  if (!bytes) return 0;
  const std::optional<Text> back = LocaleBytesToText(*bytes, pair->a);
  if (!back) return 0;
  std::ptrdiff_t lost = 0;
  if (back->size() == input.size()) {
    for (std::size_t i = 0; i < input.size(); ++i) {
      lost += (*back)[i] != input[i] && input[i] != 0xFFFD;
    }
  } else {
    // A best fit of another length: count the difference and the new "?".
    lost = std::abs(static_cast<std::ptrdiff_t>(back->size()) -
                    static_cast<std::ptrdiff_t>(input.size())) +
           std::max<std::ptrdiff_t>(0, std::count(back->begin(), back->end(), u'?') -
                                           std::count(input.begin(), input.end(), u'?'));
  }
  if (pair->b == kIdUtf8) {
    lost += static_cast<std::ptrdiff_t>(StrayUtf8BytesShownAs(input, pair->a));
  }
  return per_unit * static_cast<double>(lost);
}

}  // namespace tekvo
