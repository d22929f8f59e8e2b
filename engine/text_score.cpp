#include "engine/text_score.h"

#include <algorithm>

#include "engine/text_score_kana.h"
#include "engine/text_score_marks.h"
#include "engine/text_score_tables.h"

namespace tekvo {
namespace {

using score::CharClass;
using score::CharInfo;

// A hanzi, kana, hangul syllable or full-width sign weighs as much as two
// letters: each is two bytes in its code page, so a byte sequence read as
// CJK and read as letters compares fairly.
constexpr int kCjkUnits = 2;
// Weight of a hanzi outside the commonly used level of the standard being
// tried: real text holds a few (names, rare words), mojibake many.
constexpr double kRareIdeograph = -0.5;
// A blank between two hanzi or kana: Chinese and Japanese do not space words,
// but Korean bytes read as GB or Big5 show a blank every few characters.
constexpr double kSpaceInCjk = -0.5;
// A UTF-8 lead byte and a continuation byte seen through code page 1252
// ("Ã©", "â€"): one character of UTF-8 read as Western text.
constexpr double kUtf8As1252 = -2.5;
// One or two hanzi glued to Latin letters in text that is mostly Latin
// ("H么tel"): a Western text's accented letters read through a Chinese page.
constexpr double kLonelyHanzi = -3.5;
// A unit that is damage beyond doubt (U+FFFD, controls, private use).
constexpr double kBroken = -3.0;
// A unit of a run of half-width katakana spelled as katakana is written: one
// byte of code page 932 that reads as a letter.
constexpr double kHalfKanaSpelled = 0.7;
// Arrows, stars, circled numbers: list markers and ratings of CJK text, and
// the whole of some short texts ("★★★☆☆", "→ ←").
constexpr double kShapeWeight = 0.5;
// A letter of another alphabet among its own kind: Thai, Arabic, Hebrew or
// Hindi text, which no menu repair makes, reads as text, a little below a
// Latin letter.
constexpr double kAlphabetLetter = 0.8;
// A unit of a long Base64 block nobody decoded. Milder than the other
// transfer marks: a hash or key pasted as it is stays readable as such, and
// only a decoding that reads well should beat it.
constexpr double kBase64Block = -0.5;
// A letter of a script out of modern use, or of another alphabet glued to a
// letter of some other script: what a random code unit looks like.
constexpr double kStrayLetter = -1.0;

bool IsCjk(CharClass c) {
  return c == CharClass::kIdeograph || c == CharClass::kKana || c == CharClass::kHangul;
}
bool IsLatinLetter(CharClass c) {
  return c == CharClass::kAsciiUpper || c == CharClass::kAsciiLower ||
         c == CharClass::kLatinUpper || c == CharClass::kLatinLower;
}
bool IsWordLetter(CharClass c) {
  return c >= CharClass::kAsciiUpper && c <= CharClass::kGreekLower && c != CharClass::kDigit &&
         c != CharClass::kPunct && c != CharClass::kAsciiSymbol;
}
bool IsForeignLetter(CharClass c) {
  return c == CharClass::kLatinUpper || c == CharClass::kLatinLower ||
         c == CharClass::kCyrillicUpper || c == CharClass::kCyrillicLower ||
         c == CharClass::kGreekUpper || c == CharClass::kGreekLower;
}

// A run of alphabetic letters: judged as a whole when it ends.
struct Word {
  std::size_t len = 0;
  int scripts = 0;         // bit 0 Latin, 1 Cyrillic, 2 Greek
  int case_breaks = 0;     // lower case followed by upper case
  int accented = 0;        // accented letters of code page 1252
  int accented_pairs = 0;  // two of them side by side
  int non_russian = 0;
  int foreign = 0;           // letters beyond ASCII
  bool touches_cjk = false;  // the word is glued to a hanzi, kana or hangul
  bool prev_lower = false;
  bool prev_accented = false;

  void Add(CharClass c, std::uint8_t sets, char16_t unit) {
    const bool upper = c == CharClass::kAsciiUpper || c == CharClass::kLatinUpper ||
                       c == CharClass::kCyrillicUpper || c == CharClass::kGreekUpper;
    if (upper && prev_lower) ++case_breaks;
    prev_lower = !upper;
    // Only the accented letters of code page 1252 are what CJK bytes read as
    // Western text show; Polish, Czech or Vietnamese letters beyond it are
    // not, and their words hold several in a row ("Zażółć").
    const bool accented_now = unit >= 0xC0 && unit <= 0xFF &&
                              (c == CharClass::kLatinUpper || c == CharClass::kLatinLower);
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
    if (sets & score::kNonRussian) ++non_russian;
    if (c > CharClass::kAsciiLower) ++foreign;
    ++len;
  }

  double Weight() const {
    const double n = static_cast<double>(len);
    // A word mixing Latin and Cyrillic letters (a look-alike typed by
    // mistake, or mojibake) earns nothing; a Greek letter in a Latin word is
    // a gene or unit name.
    if ((scripts & 3) == 3) return 0;
    // "ASCII码" is normal; an accented, Cyrillic or Greek letter glued to a
    // hanzi is what a row of symbols in a double-byte page turns into.
    if (foreign && touches_cjk) return -1.5 * n;
    if (case_breaks >= 2) return -n;
    double w = case_breaks == 1 ? 0.5 * n : n;
    w -= 2.0 * accented_pairs;
    if (len >= 2 && 2 * accented > static_cast<int>(len)) w -= accented;
    w -= 0.5 * non_russian;
    return w;
  }
};

// Whether the letter t[i] of another alphabet sits among letters of its own
// block or apart from letters: Thai or Arabic words do, while code units
// from a wrong byte order or a UTF-7 misreading glue letters of unrelated
// scripts together ("ﴲ৫遹").
bool InAlphabetRun(std::u16string_view t, std::size_t i, const CharInfo* table) {
  auto fits = [&](std::size_t j) {
    const CharClass c = table[t[j]].cls;
    if (c == CharClass::kOtherLetter) return (t[j] >> 7) == (t[i] >> 7);
    return c == CharClass::kSpace || c == CharClass::kPunct || c == CharClass::kQuote ||
           c == CharClass::kDigit || c == CharClass::kCombining || c == CharClass::kCjkPunct;
  };
  return (i == 0 || fits(i - 1)) && (i + 1 >= t.size() || fits(i + 1));
}

struct Counts {
  double total = 0;
  std::size_t counted = 0;
  std::size_t ideo = 0, gb1 = 0, big5 = 0, jis1 = 0, hanja = 0;
  std::size_t kana = 0, hangul = 0, hangul_ks = 0;
  std::size_t space_in_cjk = 0;  // blank runs between two hanzi or kana
  std::size_t ko_mix = 0;        // hangul next to hanzi
  std::size_t ko_long = 0;       // hangul or hanja beyond the 8th without a break
  std::size_t latin = 0;         // Latin letters
  std::size_t lonely = 0;        // hanzi, kana or hangul in short runs glued to Latin letters
  std::size_t sandwiched = 0;    // the same with Latin letters on both sides
};

double Best(const Counts& k, ScriptProfile* profile) {
  if (k.ideo + k.kana + k.hangul == 0) {
    *profile = ScriptProfile::kNone;
    return 0;
  }
  const double ideo = static_cast<double>(k.ideo);
  const double kana = static_cast<double>(k.kana);
  const double hangul = static_cast<double>(k.hangul);
  const double spaces = kSpaceInCjk * static_cast<double>(k.space_in_cjk);
  auto hanzi = [&](std::size_t common) {
    return static_cast<double>(common) + kRareIdeograph * (ideo - static_cast<double>(common));
  };
  const struct {
    ScriptProfile p;
    double v;
  } fits[] = {
      {ScriptProfile::kSimplifiedChinese, hanzi(k.gb1) - kana - 1.5 * hangul + spaces},
      {ScriptProfile::kTraditionalChinese, hanzi(k.big5) - kana - 1.5 * hangul + spaces},
      {ScriptProfile::kJapanese, hanzi(k.jis1) + kana - 1.5 * hangul + spaces},
      {ScriptProfile::kKorean, static_cast<double>(k.hangul_ks) +
                                   kRareIdeograph * static_cast<double>(k.hangul - k.hangul_ks) +
                                   0.3 * static_cast<double>(k.hanja) +
                                   kRareIdeograph * (ideo - static_cast<double>(k.hanja)) - kana -
                                   0.7 * static_cast<double>(k.ko_mix) -
                                   0.5 * static_cast<double>(k.ko_long)},
  };
  const auto* best = std::max_element(std::begin(fits), std::end(fits),
                                      [](const auto& a, const auto& b) { return a.v < b.v; });
  *profile = best->p;
  return kCjkUnits * best->v;
}

}  // namespace

TextScore ScoreTextDetail(std::u16string_view t) {
  const CharInfo* table = score::CharTable();
  Counts k;
  Word word;
  auto end_word = [&](CharClass after = CharClass::kSpace) {
    if (word.len) {
      if (IsCjk(after)) word.touches_cjk = true;
      k.total += word.Weight();
      k.counted += word.len;
      word = Word();
    }
  };
  auto add = [&](double w, std::size_t units = 1) {
    k.total += w;
    k.counted += units;
  };
  auto cls_at = [&](std::size_t j) { return table[t[j]].cls; };

  CharClass prev = CharClass::kSpace;  // class of the unit before i
  CharClass last_cjk_before_blank = CharClass::kSpace;
  bool blank_run = false;
  std::size_t hangul_run = 0;
  std::size_t cjk_run = 0;  // hanzi, kana or hangul just before i
  bool cjk_run_glued = false;
  std::uint8_t prev_sets = 0, prev2_sets = 0;
  score::HalfWidthRun half_run;  // the run of half-width katakana last met
  const std::size_t n = t.size();
  for (std::size_t i = 0; i < n;) {
    const char16_t c = t[i];
    const CharInfo info = table[c];
    CharClass cls = info.cls;
    const CharClass next = i + 1 < n ? cls_at(i + 1) : CharClass::kSpace;

    if (IsCjk(cls)) {
      if (cjk_run == 0) cjk_run_glued = IsLatinLetter(prev);
      ++cjk_run;
    } else if (cjk_run) {
      if (cjk_run <= 2 && cjk_run_glued && IsLatinLetter(cls)) {
        k.sandwiched += cjk_run;
      } else if (cjk_run <= 2 && (cjk_run_glued || IsLatinLetter(cls))) {
        k.lonely += cjk_run;
      }
      cjk_run = 0;
    }
    if (IsLatinLetter(cls)) ++k.latin;
    if ((info.sets & score::kUtf8TrailIn1252) &&
        ((prev_sets & score::kUtf8LeadIn1252) ||
         ((prev_sets & score::kUtf8TrailIn1252) && (prev2_sets & score::kUtf8LeadIn1252)))) {
      k.total += kUtf8As1252;
    }
    prev2_sets = prev_sets;
    prev_sets = info.sets;

    if (cls == CharClass::kAsciiSymbol) {
      if (const std::size_t len = score::TransferMarkAt(t, i)) {
        end_word();
        add(-1.0 * static_cast<double>(len), len);
        i += len;
        prev = CharClass::kAsciiSymbol;
        blank_run = false;
        continue;
      }
    }
    if (prev == CharClass::kSpace && ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                                      (c >= u'0' && c <= u'9') || c == u'/')) {
      if (const std::size_t len = score::Base64BlockAt(t, i)) {
        end_word();
        add(kBase64Block * static_cast<double>(len), len);
        i += len;
        prev = CharClass::kAsciiSymbol;
        continue;
      }
    }

    if (IsWordLetter(cls)) {
      if (word.len == 0 && IsCjk(prev)) word.touches_cjk = true;
      word.Add(cls, info.sets, c);
    } else {
      end_word(cls);
    }

    // Blanks between hanzi or kana.
    if (cls == CharClass::kSpace) {
      if (!blank_run) last_cjk_before_blank = prev;
      blank_run = true;
      hangul_run = 0;
      prev = cls;
      ++i;
      continue;
    }
    if (blank_run && (cls == CharClass::kIdeograph || cls == CharClass::kKana) &&
        (last_cjk_before_blank == CharClass::kIdeograph ||
         last_cjk_before_blank == CharClass::kKana)) {
      ++k.space_in_cjk;
    }
    blank_run = false;

    switch (cls) {
      case CharClass::kIdeograph:
        ++k.ideo;
        k.counted += kCjkUnits;
        k.gb1 += (info.sets & score::kInGb2312Level1) != 0;
        k.big5 += (info.sets & score::kInBig5Frequent) != 0;
        k.jis1 += (info.sets & score::kInJisLevel1) != 0;
        k.hanja += (info.sets & score::kInKsHanja) != 0;
        if (prev == CharClass::kHangul) ++k.ko_mix;
        if (++hangul_run > 8) ++k.ko_long;
        break;
      case CharClass::kKana:
        ++k.kana;
        k.counted += kCjkUnits;
        hangul_run = 0;
        break;
      case CharClass::kHangul:
        ++k.hangul;
        k.counted += kCjkUnits;
        k.hangul_ks += (info.sets & score::kInKsHangul) != 0;
        if (prev == CharClass::kIdeograph) ++k.ko_mix;
        if (++hangul_run > 8) ++k.ko_long;
        break;
      case CharClass::kHalfKana:
        if (i >= half_run.end) half_run = score::HalfWidthRunAt(t, i);
        if (half_run.spelled) {
          add(kHalfKanaSpelled);
        } else {
          add((IsCjk(prev) || IsCjk(next)) ? -1.0 : -0.3);
        }
        break;
      case CharClass::kJamo:
      case CharClass::kOddSpace:
        add(-0.5);
        break;
      case CharClass::kBopomofo:
      case CharClass::kOddForm:
      case CharClass::kBox:
        add(-1.0);
        break;
      case CharClass::kDigit:
        add(0.5);
        break;
      case CharClass::kPunct:
        if (c == u'?') {
          // "?" is what a code page writes for a character it lacks. A short
          // run that ends a sentence after a word is a question; any other
          // run marks a lossy conversion.
          std::size_t b = i + 1;
          while (b < n && t[b] == u'?') ++b;
          const std::size_t run = b - i;
          const CharClass after = b < n ? cls_at(b) : CharClass::kSpace;
          const bool ends = after == CharClass::kSpace || after == CharClass::kPunct ||
                            after == CharClass::kQuote ||
                            (after == CharClass::kCjkPunct && IsCjk(prev));
          const bool after_word = prev != CharClass::kPunct && prev != CharClass::kAsciiSymbol &&
                                  prev != CharClass::kBad && prev != CharClass::kControl &&
                                  (prev != CharClass::kSpace || i == 0 || ends);
          const bool question = ends && after_word && run <= 3 && i > 0;
          add(question ? 0.3 : -1.5, 1);
          if (run > 1) add((question ? 0.3 : -1.5) * static_cast<double>(run - 1), run - 1);
          end_word();
          prev = CharClass::kPunct;
          blank_run = false;
          hangul_run = 0;
          i = b;
          continue;
        }
        add(0.3);
        break;
      case CharClass::kAsciiSymbol:
        add(IsCjk(prev) && IsCjk(next) ? -1.0 : 0);
        break;
      case CharClass::kShape:
        add(kShapeWeight);
        break;
      case CharClass::kPictograph:
        add(0.5);
        break;
      case CharClass::kOtherLetter:
        add(InAlphabetRun(t, i, table) ? kAlphabetLetter : kStrayLetter);
        break;
      case CharClass::kRareLetter:
        add(kStrayLetter);
        break;
      case CharClass::kCjkPunct:
        add((IsCjk(prev) || IsCjk(next)) ? kCjkUnits : 0.5 * kCjkUnits, kCjkUnits);
        break;
      case CharClass::kFullwidthAlnum:
        add(0.5 * kCjkUnits, kCjkUnits);
        break;
      case CharClass::kQuote:
        add((IsForeignLetter(prev) && IsForeignLetter(next)) ? -1.0 : 0.2);
        break;
      case CharClass::kSymbol: {
        const bool glued = IsForeignLetter(prev) || IsForeignLetter(next) || IsCjk(prev) ||
                           IsCjk(next) || prev == CharClass::kSymbol;
        const bool after_digit = prev == CharClass::kDigit || next == CharClass::kDigit;
        if (glued && !after_digit) {
          add(-1.5);
        } else if (!after_digit &&
                   (prev == CharClass::kAsciiUpper || prev == CharClass::kAsciiLower ||
                    next == CharClass::kAsciiUpper || next == CharClass::kAsciiLower)) {
          add(-0.5);
        } else {
          add(0);
        }
        break;
      }
      case CharClass::kCombining:
        add(IsWordLetter(prev) || prev == CharClass::kOtherLetter ? 0 : -0.3);
        break;
      case CharClass::kControl:
        add(kBroken);
        break;
      case CharClass::kBad:
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && t[i + 1] >= 0xDC00 && t[i + 1] <= 0xDFFF) {
          add(0.5, 2);  // a character beyond the BMP, most likely an emoji
          prev = CharClass::kSymbol;
          i += 2;
          continue;
        }
        add(kBroken);
        break;
      default:
        break;  // letters: judged with their word
    }
    if (cls != CharClass::kHangul && cls != CharClass::kIdeograph) hangul_run = 0;
    prev = cls;
    ++i;
  }
  end_word();
  if (cjk_run && cjk_run <= 2 && cjk_run_glued) k.lonely += cjk_run;

  TextScore s;
  s.total = k.total + Best(k, &s.profile);
  s.total += kLonelyHanzi * static_cast<double>(k.sandwiched);
  if ((k.ideo + k.kana + k.hangul) * 2 <= k.latin) {
    s.total += kLonelyHanzi * static_cast<double>(k.lonely);
  }
  s.counted = k.counted;
  s.value = s.total / (static_cast<double>(s.counted) + 2.0);
  return s;
}

double ScoreText(std::u16string_view text) { return ScoreTextDetail(text).value; }

}  // namespace tekvo
