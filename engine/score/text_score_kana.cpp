#include "engine/score/text_score_kana.h"

#include "engine/score/text_score_tables.h"

namespace tekvo::score {
namespace {

bool IsHalfWidth(char16_t c) { return c >= 0xFF61 && c <= 0xFF9F; }
// ｡ ｢ ｣ ､ ･
bool IsPunct(char16_t c) { return c >= 0xFF61 && c <= 0xFF65; }
// ｧ ｨ ｩ ｪ ｫ ｬ ｭ ｮ ｯ
bool IsSmall(char16_t c) { return c >= 0xFF67 && c <= 0xFF6F; }
// ｦ and ｱ to ﾝ
bool IsFullSize(char16_t c) { return c == 0xFF66 || (c >= 0xFF71 && c <= 0xFF9D); }
constexpr char16_t kLong = 0xFF70;    // ｰ
constexpr char16_t kVoiced = 0xFF9E;  // ﾞ
constexpr char16_t kSemi = 0xFF9F;    // ﾟ
constexpr char16_t kN = 0xFF9D;       // ﾝ
// ｳ, ｶ to ﾄ and ﾊ to ﾎ take the voiced mark; ﾊ to ﾎ the semi-voiced one.
bool TakesSemi(char16_t c) { return c >= 0xFF8A && c <= 0xFF8E; }
bool TakesVoiced(char16_t c) { return c == 0xFF73 || (c >= 0xFF76 && c <= 0xFF84) || TakesSemi(c); }

}  // namespace

HalfWidthRun HalfWidthRunAt(std::u16string_view t, std::size_t i) {
  HalfWidthRun run;
  std::size_t k = i;
  bool ok = true;
  bool kana = false;
  char16_t prev = 0;  // the unit before t[k] within the run
  for (; k < t.size() && IsHalfWidth(t[k]); ++k) {
    const char16_t c = t[k];
    const bool first = k == i;
    if (c == kVoiced) {
      ok &= TakesVoiced(prev);
    } else if (c == kSemi) {
      ok &= TakesSemi(prev);
    } else if (IsSmall(c)) {
      ok &= IsFullSize(prev) || prev == kVoiced || prev == kSemi;
    } else if (c == kLong) {
      ok &= IsFullSize(prev) || IsSmall(prev) || prev == kVoiced || prev == kSemi || prev == kLong;
    } else if (c == kN) {
      ok &= !first;
    } else if (c == 0xFF62) {
      // An opening bracket begins a run or follows punctuation, and does not
      // end one.
      ok &= (first || IsPunct(prev)) && k + 1 < t.size() && IsHalfWidth(t[k + 1]);
    } else if (IsPunct(c)) {
      ok &= !first;
    }
    kana |= IsFullSize(c);
    prev = c;
  }
  run.end = k;
  // Next to U+FFFD, or one or two units between hanzi, a run is a piece of a
  // double-byte code cut in two, whatever it spells.
  const CharInfo* table = CharTable();
  const CharClass before = i > 0 ? table[t[i - 1]].cls : CharClass::kSpace;
  const CharClass after = k < t.size() ? table[t[k]].cls : CharClass::kSpace;
  auto hanzi = [](CharClass c) { return c == CharClass::kIdeograph || c == CharClass::kHangul; };
  // Glued to a Latin letter it is one byte of a double-byte code whose other
  // byte is ASCII ("ｻOﾆW" is Big5 read as Shift-JIS).
  auto latin = [](CharClass c) {
    return c == CharClass::kAsciiUpper || c == CharClass::kAsciiLower;
  };
  run.by_loss = t[i - (i > 0)] == u'\uFFFD' || (k < t.size() && t[k] == u'\uFFFD');
  if (before == CharClass::kBad || after == CharClass::kBad || latin(before) || latin(after)) {
    ok = false;
  }
  if (k - i <= 2 && (hanzi(before) || hanzi(after))) ok = false;
  run.spelled = ok && kana;
  return run;
}

}  // namespace tekvo::score
