// Readability score: how much a text reads like real writing in some language
// rather than like mojibake, for ranking candidate repairs of one text.
//
// The model holds no downloaded statistics. Its facts about single
// characters come from the national character sets themselves, read through the code page bridge at
// first use: the frequently used hanzi of GB2312 (level 1, B0A1-D7F9 in code page 936), the
// frequently used Big5 range (A440-C67E in 950), JIS X 0208 level 1 kanji (889F-9872 in 932) and
// the KS X 1001 hangul syllables (B0A1-C8FE in 949) and hanja (CAA1-FDFE). A text is scored against
// four writing systems (simplified and traditional Chinese, Japanese, Korean) and the best fit
// counts. Characters one by one cannot tell two or three right hanzi from
// wrong ones, so neighbours are judged too: hanzi, kana and hangul that
// stand side by side as in a dictionary word, and Cyrillic letters as in a
// Russian word, read well, and those in no such pair cost (word_pairs.h,
// made at build time from dictionaries Debian packages ship). Latin, Cyrillic and Greek words score
// by their letter case and by how the accented letters of code page 1252 sit; ASCII and CJK
// punctuation, arrows, stars and circled numbers add a little. Half-width katakana reads as text
// where it is spelled as katakana is written (text_score_kana.h); letters of other alphabets count
// among letters of their own kind.
//
// Against that, every sign that a text went through the wrong code page or
// was never decoded costs: U+FFFD, private-use and unassigned units, lone
// surrogates, controls, "?" inside CJK runs, blanks between hanzi, kana amid
// hanzi, misspelled half-width katakana or pieces of it between hanzi, hangul
// mixed with hanzi, letters of scripts out of modern use or glued to
// unrelated ones, bopomofo and small form punctuation, runs of accented Latin
// letters ("ÄãÊÇ"), symbols glued to letters ("Ã©", "â€™"), words that mix
// scripts or letter case at random, box drawing, and the marks of transfer
// encodings left undecoded ("=D6", "%B5", "&#25511;", "\u53EF", "+UxdOrA-",
// "~{", "$B", long Base64 runs, these weighing less).
//
// Scoring is one pass over the text with table look-ups (the tables are built
// once, thread-safely), well under a millisecond for a text of the editor's
// maximum length.
#ifndef TEKVO_ENGINE_SCORE_TEXT_SCORE_H_
#define TEKVO_ENGINE_SCORE_TEXT_SCORE_H_

#include <cstddef>
#include <string_view>

namespace tekvo {

// The writing system a text fitted best.
enum class ScriptProfile {
  kNone,                // no hanzi, kana or hangul at all
  kSimplifiedChinese,   // hanzi judged by GB2312 level 1
  kTraditionalChinese,  // hanzi judged by the frequent Big5 range
  kJapanese,            // kanji by JIS level 1, kana welcome
  kKorean,              // hangul syllables of KS X 1001, hanja tolerated
};

// The parts of a score.
struct TextScore {
  // Sum of the weights of every unit: about +1 for each unit that reads like
  // real text, down to -3 for each sure sign of damage.
  double total = 0;
  // Units that carry a weight (blanks and line breaks do not).
  std::size_t counted = 0;
  // total / (counted + 2): the per-unit score used for ranking. Roughly 0.8
  // to 1 for clean text, below 0.5 for mojibake, negative for undecoded
  // transfer encodings and binary garbage. Short texts are pulled towards 0.
  double value = 0;
  ScriptProfile profile = ScriptProfile::kNone;
  // The marks of lost characters, U+FFFD and "?" that ends no question, and
  // the part of `total` (negative or 0) they weigh: a repair cannot bring
  // back what was lost before it ran, so the ranking discounts these.
  std::size_t lost = 0;
  double lost_weight = 0;
};

// Scores `text`. Never fails; the empty text scores 0.
TextScore ScoreTextDetail(std::u16string_view text);

// ScoreTextDetail(text).value.
double ScoreText(std::u16string_view text);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_SCORE_TEXT_SCORE_H_
