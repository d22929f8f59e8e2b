// Which two characters stand side by side inside real words of Chinese
// (simplified and traditional), Japanese and Korean, and which two
// lower-case Cyrillic letters inside Russian words. Two or three hanzi
// that a wrong code page makes look as common, one by one, as the right
// ones; they seldom form a word. The pairs come from dictionaries that
// Debian packages ship (scripts/make-word-pairs), turned into a table at
// build time. Internal to the readability score.
#ifndef TEKVO_ENGINE_SCORE_WORD_PAIRS_H_
#define TEKVO_ENGINE_SCORE_WORD_PAIRS_H_

namespace tekvo::score {

// Whether `first` followed by `second` occurs inside a word of the
// dictionaries. Only hanzi (U+4E00-U+9FFF), kana (U+3041-U+30FF), hangul
// syllables and lower-case Cyrillic (U+0430-U+045F) are ever paired;
// anything else gives false. Constant time apart
// from a binary search among the characters that follow `first`; the index
// is built once, thread-safely, on first use (about a quarter of a MB).
bool IsWordPair(char16_t first, char16_t second);

}  // namespace tekvo::score

#endif  // TEKVO_ENGINE_SCORE_WORD_PAIRS_H_
