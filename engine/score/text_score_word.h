// Letters for the readability score: what is tallied of a word of Latin,
// Cyrillic and Greek letters while it is read, and whether a letter of
// another alphabet stands among its own kind. The score weighs both.
// Internal to the score.
#ifndef TEKVO_ENGINE_SCORE_TEXT_SCORE_WORD_H_
#define TEKVO_ENGINE_SCORE_TEXT_SCORE_WORD_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/score/text_score_tables.h"

namespace tekvo::score {

inline bool IsCjk(CharClass c) {
  return c == CharClass::kIdeograph || c == CharClass::kKana || c == CharClass::kHangul;
}
inline bool IsLatinLetter(CharClass c) {
  return c == CharClass::kAsciiUpper || c == CharClass::kAsciiLower ||
         c == CharClass::kLatinUpper || c == CharClass::kLatinLower;
}
// A letter a Word is made of: ASCII, Latin, Cyrillic or Greek.
inline bool IsWordLetter(CharClass c) {
  return c >= CharClass::kAsciiUpper && c <= CharClass::kGreekLower && c != CharClass::kDigit &&
         c != CharClass::kPunct && c != CharClass::kAsciiSymbol;
}
// A word letter beyond ASCII.
inline bool IsForeignLetter(CharClass c) {
  return c == CharClass::kLatinUpper || c == CharClass::kLatinLower ||
         c == CharClass::kCyrillicUpper || c == CharClass::kCyrillicLower ||
         c == CharClass::kGreekUpper || c == CharClass::kGreekLower;
}

// A run of word letters, tallied as it is read and weighed when it ends.
struct Word {
  std::size_t len = 0;
  int scripts = 0;         // bit 0 Latin, 1 Cyrillic, 2 Greek
  int case_breaks = 0;     // lower case followed by upper case
  int accented = 0;        // accented letters of code page 1252
  int accented_pairs = 0;  // two of them side by side
  int non_russian = 0;
  int foreign = 0;             // letters beyond ASCII
  int russian_pairs = 0;       // Cyrillic neighbours that stand so in Russian words
  int strange_pairs = 0;       // Cyrillic neighbours no Russian word holds
  char16_t prev_cyrillic = 0;  // the last letter in lower case, if Cyrillic
  bool touches_cjk = false;    // the word is glued to a hanzi, kana or hangul
  bool prev_lower = false;
  bool prev_accented = false;

  // Counts the letter `unit` of class `c` (a word letter) with the set bits
  // `sets` of its CharInfo.
  void Add(CharClass c, std::uint8_t sets, char16_t unit);
  // Whether it mixes Latin and Cyrillic letters.
  bool MixesLatinAndCyrillic() const { return (scripts & 3) == 3; }
};

// Whether the letter t[i] of another alphabet sits among letters of its own
// block or apart from letters: Thai or Arabic words do, while code units
// from a wrong byte order or a UTF-7 misreading glue letters of unrelated
// scripts together ("ﴲ৫遹"). `i` must be inside `t`.
bool InAlphabetRun(std::u16string_view t, std::size_t i, const CharInfo* table);

}  // namespace tekvo::score

#endif  // TEKVO_ENGINE_SCORE_TEXT_SCORE_WORD_H_
