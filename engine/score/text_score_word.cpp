#include "engine/score/text_score_word.h"

#include "engine/score/word_pairs.h"

namespace tekvo::score {

void Word::Add(CharClass c, std::uint8_t sets, char16_t unit) {
  const bool upper = c == CharClass::kAsciiUpper || c == CharClass::kLatinUpper ||
                     c == CharClass::kCyrillicUpper || c == CharClass::kGreekUpper;
  if (upper && prev_lower) ++case_breaks;
  prev_lower = !upper;
  // Only the accented letters of code page 1252 are what CJK bytes read as
  // Western text show; Polish, Czech or Vietnamese letters beyond it are
  // not, and their words hold several in a row ("Zażółć").
  const bool accented_now =
      unit >= 0xC0 && unit <= 0xFF && (c == CharClass::kLatinUpper || c == CharClass::kLatinLower);
  if (accented_now) {
    ++accented;
    if (prev_accented) ++accented_pairs;
  }
  prev_accented = accented_now;
  if (c <= CharClass::kLatinLower)
    scripts |= 1;
  else if (c <= CharClass::kCyrillicLower)
    scripts |= 2;
  else
    scripts |= 4;
  if (sets & kNonRussian) ++non_russian;
  // Russian words are looked up in lower case; other Cyrillic letters find
  // no pair, which is the point.
  if (c == CharClass::kCyrillicUpper || c == CharClass::kCyrillicLower) {
    char16_t lower = unit;
    if (unit >= 0x410 && unit <= 0x42F) lower = static_cast<char16_t>(unit + 0x20);
    if (unit >= 0x400 && unit <= 0x40F) lower = static_cast<char16_t>(unit + 0x50);
    if (prev_cyrillic) ++(IsWordPair(prev_cyrillic, lower) ? russian_pairs : strange_pairs);
    prev_cyrillic = lower;
  } else {
    prev_cyrillic = 0;
  }
  if (c > CharClass::kAsciiLower) ++foreign;
  ++len;
}

bool InAlphabetRun(std::u16string_view t, std::size_t i, const CharInfo* table) {
  auto fits = [&](std::size_t j) {
    const CharClass c = table[t[j]].cls;
    if (c == CharClass::kOtherLetter) return (t[j] >> 7) == (t[i] >> 7);
    return c == CharClass::kSpace || c == CharClass::kPunct || c == CharClass::kQuote ||
           c == CharClass::kDigit || c == CharClass::kCombining || c == CharClass::kCjkPunct;
  };
  return (i == 0 || fits(i - 1)) && (i + 1 >= t.size() || fits(i + 1));
}

}  // namespace tekvo::score
