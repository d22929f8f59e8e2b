// Half-width katakana for the readability score. Japanese written in the
// single-byte half of code page 932 is real text; GB or Big5 bytes read
// through that page also show runs of half-width katakana, but runs that
// break the way the syllabary is written: sound marks after kana that take
// none, small kana or the prolonged sound mark at the start of a run or after
// one another. Internal to the score.
#ifndef TEKVO_ENGINE_SCORE_TEXT_SCORE_KANA_H_
#define TEKVO_ENGINE_SCORE_TEXT_SCORE_KANA_H_

#include <cstddef>
#include <string_view>

namespace tekvo::score {

// A run of units U+FF61-U+FF9F.
struct HalfWidthRun {
  std::size_t end = 0;  // one past its last unit
  // It holds at least one kana and is spelled as katakana writing is:
  // "ﾃﾞｰﾀ", "ｷｬﾝｾﾙ", "ﾊﾟｿｺﾝ"; not "ｰｱ", "ｱﾞ", "ｧｬ", "ﾝｶ". A run next to
  // U+FFFD or an ASCII letter, or of one or two units next to a hanzi or
  // hangul, is not.
  bool spelled = false;
  // It touches U+FFFD: the bytes around a lost one, read as half-width.
  bool by_loss = false;
};

// The run that starts at t[i]; `end` is i when t[i] is not half-width.
HalfWidthRun HalfWidthRunAt(std::u16string_view t, std::size_t i);

}  // namespace tekvo::score

#endif  // TEKVO_ENGINE_SCORE_TEXT_SCORE_KANA_H_
