// Character facts behind the readability score: a class for every BMP code
// unit and its membership in the commonly used levels of the national
// character sets. Internal to the score; built once on first use.
#ifndef TEKVO_ENGINE_SCORE_TEXT_SCORE_TABLES_H_
#define TEKVO_ENGINE_SCORE_TEXT_SCORE_TABLES_H_

#include <cstdint>

namespace tekvo::score {

enum class CharClass : std::uint8_t {
  kSpace,     // blank, tab, CR, LF, no-break space, ideographic space
  kOddSpace,  // U+2000-U+200B: typographic spaces real text seldom holds
  kAsciiUpper,
  kAsciiLower,
  kDigit,        // ASCII digits
  kPunct,        // ASCII punctuation of running text: . , ; : ! ? ' " ( ) -
  kAsciiSymbol,  // the rest of printable ASCII: # $ % & * + / < = > @ [ \ ] ^ _ ` { | } ~
  kLatinUpper,   // Latin letters beyond ASCII
  kLatinLower,
  kCyrillicUpper,
  kCyrillicLower,
  kGreekUpper,
  kGreekLower,
  kOtherLetter,  // letters of other alphabets (Arabic, Hebrew, Thai...)
  // Letters of scripts Unicode does not count as in modern use (Yi,
  // Saurashtra, Runic...): what bytes read as the wrong UTF-16 order give.
  kRareLetter,
  kIdeograph,  // CJK unified and compatibility ideographs
  kKana,       // full-width hiragana and katakana, the prolonged sound mark
  kHalfKana,   // half-width katakana, their sound marks and punctuation
  kHangul,     // precomposed hangul syllables
  kJamo,       // hangul letters standing alone
  kBopomofo,
  kCjkPunct,  // 、。「」《》… and full-width punctuation
  kFullwidthAlnum,
  kOddForm,     // small and vertical form variants (﹝ ︵)
  kQuote,       // general punctuation: ‘ ’ “ ” – — … •
  kSymbol,      // currency, Latin-1 and letterlike symbols, math operators
  kShape,       // arrows and geometric shapes (○ ● ★ →), common in CJK text
  kPictograph,  // dingbats and pictographs (✔ ❤ ♫) that no CJK page holds
  kBox,         // box drawing and block elements
  kCombining,   // combining marks
  kControl,     // C0 controls other than tab, CR, LF; DEL; C1 controls
  kBad,         // U+FFFD, private use, surrogates, non-characters, unassigned
};

// Bits of CharInfo::sets.
inline constexpr std::uint8_t kInGb2312Level1 = 1;  // 936: B0A1-D7F9
inline constexpr std::uint8_t kInBig5Frequent = 2;  // 950: A440-C67E
inline constexpr std::uint8_t kInJisLevel1 = 4;     // 932: 889F-9872, kana
inline constexpr std::uint8_t kInKsHangul = 8;      // 949: B0A1-C8FE
inline constexpr std::uint8_t kInKsHanja = 16;      // 949: CAA1-FDFE
inline constexpr std::uint8_t kNonRussian = 32;     // Cyrillic letters Russian lacks
// What the UTF-8 continuation bytes 0x80-0xBF show as in code page 1252: after
// a letter that is a UTF-8 lead byte there ("Ã", "Â", "â"), the two are one
// character of UTF-8 read as Western text.
inline constexpr std::uint8_t kUtf8TrailIn1252 = 64;
// Letters that are UTF-8 lead bytes 0xC2-0xEF in code page 1252.
inline constexpr std::uint8_t kUtf8LeadIn1252 = 128;

struct CharInfo {
  CharClass cls;
  std::uint8_t sets;
};

// The facts of every BMP code unit, indexed by the unit. Surrogate units are
// kBad here; the scorer pairs them itself.
const CharInfo* CharTable();

}  // namespace tekvo::score

#endif  // TEKVO_ENGINE_SCORE_TEXT_SCORE_TABLES_H_
