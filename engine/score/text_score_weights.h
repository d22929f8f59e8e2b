// The weights of the readability score and how the tallies of a text become
// a total: each weight with why it has its value, the weight of a word, and
// the writing system the hanzi, kana and hangul fit best. Internal to the
// score.
#ifndef TEKVO_ENGINE_SCORE_TEXT_SCORE_WEIGHTS_H_
#define TEKVO_ENGINE_SCORE_TEXT_SCORE_WEIGHTS_H_

#include <cstddef>

#include "engine/score/text_score.h"
#include "engine/score/text_score_word.h"

namespace tekvo::score {

// Every weight of the score, per unit unless said otherwise, each with why it
// has its value. About +1 is a letter of a word that reads well; -3 is damage
// beyond doubt.
struct Weights {
  // Hanzi, kana and hangul, weighed under the writing system they fit best.
  //
  // A commonly used hanzi of the standard tried, kana in Japanese, a KS X
  // 1001 syllable in Korean: the text as it should be, like a letter.
  double common_cjk = 1.0;
  // Any other hanzi, or hangul beyond KS X 1001: real text holds a few
  // (names, rare words), mojibake many.
  double rare_ideograph = -0.5;
  // Kana in Chinese or Korean, where only a wrong page's rows put them.
  double kana_outside_japanese = -1.0;
  // Hangul in Chinese or Japanese: neither writes any, and GB or Big5 read
  // through the Korean page is full of it, so it costs more than stray kana.
  double hangul_outside_korean = -1.5;
  // A hanja in Korean: modern Korean writes a few, far fewer than hangul.
  double hanja_in_korean = 0.3;
  // Hangul next to a hanzi: Korean sets hanja apart, mojibake interleaves.
  double hangul_beside_hanzi = -0.7;
  // Hangul or hanja past kKoreanRunLimit in a row: Korean spaces its words.
  double long_korean_run = -0.5;
  // A run of blanks between hanzi or kana: Chinese and Japanese do not space
  // words, Korean bytes read as GB or Big5 show one every few characters.
  double space_in_cjk = -0.5;
  // Two hanzi, kana or hangul side by side that stand so in a dictionary
  // word (word_pairs.h): what tells "照片" from "鐓х墖" and "김민준" from the
  // hanzi its bytes make in GB, whose characters are each as common.
  double word_pair = 0.5;
  // A hanzi, kana or hangul next to others of its kind that forms a word
  // pair with neither neighbour: a particle or a name in real text, most
  // characters of mojibake.
  double unpaired_cjk = -0.35;
  // One or two hanzi glued to Latin letters in mostly Latin text ("H么tel"):
  // a Western text's accented letters read through a Chinese page.
  double lonely_hanzi = -3.5;

  // Full-width signs, per unit of their kCjkUnits.
  //
  // CJK punctuation beside a hanzi, kana or hangul: where it belongs.
  double cjk_punct_by_cjk = 1.0;
  // CJK punctuation elsewhere: real, but half as sure a sign.
  double cjk_punct_apart = 0.5;
  // Full-width letters and digits: real in CJK text, rarer than half-width.
  double fullwidth_alnum = 0.5;

  // Half-width katakana, hangul letters, bopomofo.
  //
  // A unit of a run spelled as katakana is written: a 932 byte read as a letter.
  double half_kana_spelled = 0.7;
  // A misspelled run beside CJK: a GB or Big5 trail byte read through 932.
  double half_kana_by_cjk = -1.0;
  // A run beside U+FFFD: Shift-JIS reading GB or Big5 bytes, whose lead and
  // trail bytes it could not pair, rather than a word with a letter lost.
  double half_kana_by_loss = -1.0;
  // A misspelled run elsewhere: odd, but short names and sound marks do this.
  double half_kana_misspelled = -0.3;
  // A hangul letter standing alone: Korean writes syllables.
  double lone_jamo = -0.5;
  // Bopomofo: what Big5 read as GB shows ("ㄛ", "ㄩ").
  double bopomofo = -1.0;

  // Letters of other alphabets and combining marks.
  //
  // A letter among its own kind: Thai, Arabic, Hebrew or Hindi text, which no
  // repair makes, reads as text, a little below a Latin letter.
  double alphabet_letter = 0.8;
  // A letter of a script out of modern use, or glued to a letter of another
  // script: what a random code unit looks like.
  double stray_letter = -1.0;
  // A combining mark on a letter: part of that letter, weighed with it.
  double combining_on_letter = 0.0;
  // A combining mark after no letter: it has nothing to combine with.
  double combining_alone = -0.3;

  // Words of Latin, Cyrillic and Greek letters, per letter when they end.
  //
  // A letter of a word in one case or capitalised.
  double word_letter = 1.0;
  // One break from lower to upper case ("iPhone", "McDonald"): real, unusual.
  double word_one_case_break = 0.5;
  // Two or more such breaks: letter case at random.
  double word_case_chaos = -1.0;
  // Latin and Cyrillic mixed: a look-alike typo or mojibake, worth nothing.
  double word_mixed_alphabets = 0.0;
  // Letters beyond ASCII glued to CJK: a row of symbols of a double-byte page
  // ("ASCII码" is normal and is not hit).
  double word_foreign_by_cjk = -1.5;
  // Each pair of 1252 accented letters side by side ("ÄãÊÇ"): CJK bytes read
  // as Western text; Polish or Czech accents lie beyond 1252.
  double word_accented_pair = -2.0;
  // Each accented letter of a word mostly of them: the same sign, weaker.
  double word_accented_majority = -1.0;
  // A Cyrillic letter Russian lacks (Ђ, Ў, Ї): where GB or Big5 bytes read
  // through code page 1251 land often, words of other languages seldom.
  double word_non_russian = -0.5;
  // Two Cyrillic letters side by side as in a Russian word (word_pairs.h):
  // a small lift, since most letter pairs of any Cyrillic text are, but it
  // settles a two-letter word ("не") against the one hanzi its bytes make.
  double russian_pair = 0.2;
  // Two Cyrillic letters no Russian word holds side by side ("Иў", "ыь"):
  // what GB or Big5 bytes read through code page 1251 make.
  double strange_cyrillic_pair = -0.5;

  // Digits, punctuation and symbols.
  //
  // Digits: in every kind of text, but no proof of any language.
  double digit = 0.5;
  // ASCII punctuation of running text.
  double punct = 0.3;
  // A "?" that ends a question: punctuation like any other.
  double question_mark = 0.3;
  // Any other "?": what a code page writes for a character it lacks.
  double lossy_question_mark = -1.5;
  // An ASCII symbol between CJK: a double-byte trail byte read on its own.
  double ascii_symbol_in_cjk = -1.0;
  // An ASCII symbol elsewhere: neither sign.
  double ascii_symbol = 0.0;
  // Quotes and dashes of general punctuation: running text.
  double quote = 0.2;
  // The same between accented, Cyrillic or Greek letters ("â€™"): UTF-8 read
  // through code page 1252.
  double quote_in_word = -1.0;
  // A symbol glued to a foreign or CJK letter or another symbol, not to a
  // digit ("Ã©", "Â¤"): UTF-8 read as Western text.
  double symbol_glued = -1.5;
  // A symbol glued to an ASCII letter: "©Tekvo" happens, "a§b" seldom.
  double symbol_by_ascii_letter = -0.5;
  // A symbol apart or by a digit ("5 €", "±3"): neither sign.
  double symbol = 0.0;
  // Arrows, stars, circled numbers: list markers and ratings of CJK text, and
  // the whole of some short texts ("★★★☆☆", "→ ←").
  double shape = 0.5;
  // Dingbats and pictographs: no CJK page holds them, so a writer put them in.
  double pictograph = 0.5;
  // A character beyond the BMP, for its two units: most likely an emoji.
  double beyond_bmp = 0.5;
  // Typographic spaces: real text seldom holds them.
  double odd_space = -0.5;
  // Small and vertical form variants: what Big5 read as GB shows ("﹜", "﹝").
  double odd_form = -1.0;
  // Box drawing: rows of the double-byte pages that mojibake lands in.
  double box_drawing = -1.0;

  // Damage.
  //
  // A UTF-8 lead and trail byte seen through 1252 ("Ã©", "â€"): on top of the
  // letters' own weights, so it counts no unit of its own.
  double utf8_as_1252 = -2.5;
  // U+FFFD, controls, private use, lone surrogates: damage beyond doubt.
  double broken = -3.0;
  // A unit of a transfer encoding's mark left undecoded ("=D6", "&#25511;").
  double transfer_mark = -1.0;
  // A unit of a long Base64 block: milder, as a hash or key pasted as it is
  // reads as such, and only a decoding that reads well should beat it.
  double base64_block = -0.5;
};

inline constexpr Weights kWeight;

// A hanzi, kana, hangul syllable or full-width sign weighs as much as two
// letters: each is two bytes in its code page, so a byte sequence read as
// CJK and read as letters compares fairly.
inline constexpr int kCjkUnits = 2;
// Hangul and hanja beyond this many in a row make a long Korean run.
inline constexpr std::size_t kKoreanRunLimit = 8;
// A run of up to this many "?" can end a question ("really???").
inline constexpr std::size_t kQuestionRunLimit = 3;
// Units added to the count a total is divided by, pulling the score of a
// short text towards 0: the shorter the text, the less it proves.
inline constexpr double kPriorUnits = 2.0;

struct Counts {
  double total = 0;
  std::size_t counted = 0;
  std::size_t ideo = 0, gb1 = 0, big5 = 0, jis1 = 0, hanja = 0;
  std::size_t kana = 0, hangul = 0, hangul_ks = 0;
  std::size_t space_in_cjk = 0;  // blank runs between two hanzi or kana
  std::size_t ko_mix = 0;        // hangul next to hanzi
  std::size_t ko_long = 0;       // hangul or hanja beyond kKoreanRunLimit without a break
  std::size_t latin = 0;         // Latin letters
  std::size_t lonely = 0;        // hanzi, kana or hangul in short runs glued to Latin letters
  std::size_t sandwiched = 0;    // the same with Latin letters on both sides
  std::size_t word_pairs = 0;    // neighbours that form a word pair
  std::size_t unpaired = 0;      // hanzi, kana and hangul beside their kind in no word pair
};

// The weight of a word of Latin, Cyrillic or Greek letters as read.
double WordWeight(const Word& word);

// The weight of the hanzi, kana and hangul under the writing system they fit
// best, which is stored in `profile`.
double BestFit(const Counts& counts, ScriptProfile* profile);

}  // namespace tekvo::score

#endif  // TEKVO_ENGINE_SCORE_TEXT_SCORE_WEIGHTS_H_
