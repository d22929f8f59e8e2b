#include "engine/text_score.h"

#include <algorithm>

#include "engine/text_score_kana.h"
#include "engine/text_score_marks.h"
#include "engine/text_score_tables.h"
#include "engine/text_score_word.h"
#include "engine/word_pairs.h"

namespace tekvo {
namespace {

using score::CharClass;
using score::CharInfo;
using score::IsCjk;
using score::IsForeignLetter;
using score::IsLatinLetter;
using score::IsWordLetter;
using score::Word;

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

constexpr Weights kWeight;

// A hanzi, kana, hangul syllable or full-width sign weighs as much as two
// letters: each is two bytes in its code page, so a byte sequence read as
// CJK and read as letters compares fairly.
constexpr int kCjkUnits = 2;
// Hangul and hanja beyond this many in a row make a long Korean run.
constexpr std::size_t kKoreanRunLimit = 8;
// A run of up to this many "?" can end a question ("really???").
constexpr std::size_t kQuestionRunLimit = 3;
// Units added to the count a total is divided by, pulling the score of a
// short text towards 0: the shorter the text, the less it proves.
constexpr double kPriorUnits = 2.0;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

double WordWeight(const Word& word) {
  const double letters = static_cast<double>(word.len);
  // Greek is left out: a Greek letter in a Latin word is a gene or unit name.
  if (word.MixesLatinAndCyrillic()) return kWeight.word_mixed_alphabets * letters;
  if (word.foreign && word.touches_cjk) return kWeight.word_foreign_by_cjk * letters;
  if (word.case_breaks >= 2) return kWeight.word_case_chaos * letters;
  double weight =
      (word.case_breaks == 1 ? kWeight.word_one_case_break : kWeight.word_letter) * letters;
  weight += kWeight.word_accented_pair * word.accented_pairs;
  if (word.len >= 2 && 2 * word.accented > static_cast<int>(word.len)) {
    weight += kWeight.word_accented_majority * word.accented;
  }
  weight += kWeight.word_non_russian * word.non_russian;
  weight += kWeight.russian_pair * word.russian_pairs +
            kWeight.strange_cyrillic_pair * word.strange_pairs;
  return weight;
}

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

// The weight of the hanzi, kana and hangul under the writing system they fit
// best, which is stored in `profile`.
double Best(const Counts& counts, ScriptProfile* profile) {
  if (counts.ideo + counts.kana + counts.hangul == 0) {
    *profile = ScriptProfile::kNone;
    return 0;
  }
  const double ideo = static_cast<double>(counts.ideo);
  const double kana = static_cast<double>(counts.kana);
  const double hangul = static_cast<double>(counts.hangul);
  const double spaces = kWeight.space_in_cjk * static_cast<double>(counts.space_in_cjk);
  auto hanzi = [&](std::size_t common) {
    return kWeight.common_cjk * static_cast<double>(common) +
           kWeight.rare_ideograph * (ideo - static_cast<double>(common));
  };
  const double foreign_kana = kWeight.kana_outside_japanese * kana;
  const double foreign_hangul = kWeight.hangul_outside_korean * hangul;
  const struct {
    ScriptProfile p;
    double v;
  } fits[] = {
      {ScriptProfile::kSimplifiedChinese,
       hanzi(counts.gb1) + foreign_kana + foreign_hangul + spaces},
      {ScriptProfile::kTraditionalChinese,
       hanzi(counts.big5) + foreign_kana + foreign_hangul + spaces},
      {ScriptProfile::kJapanese,
       hanzi(counts.jis1) + kWeight.common_cjk * kana + foreign_hangul + spaces},
      {ScriptProfile::kKorean,
       kWeight.common_cjk * static_cast<double>(counts.hangul_ks) +
           kWeight.rare_ideograph * static_cast<double>(counts.hangul - counts.hangul_ks) +
           kWeight.hanja_in_korean * static_cast<double>(counts.hanja) +
           kWeight.rare_ideograph * (ideo - static_cast<double>(counts.hanja)) + foreign_kana +
           kWeight.hangul_beside_hanzi * static_cast<double>(counts.ko_mix) +
           kWeight.long_korean_run * static_cast<double>(counts.ko_long)},
  };
  const auto* best = std::max_element(std::begin(fits), std::end(fits),
                                      [](const auto& a, const auto& b) { return a.v < b.v; });
  *profile = best->p;
  return kCjkUnits * best->v;
}

// One pass over a text. The Note methods gather what is judged over the
// whole text; each Scan method weighs one kind of character and moves past
// it.
class Scanner {
 public:
  explicit Scanner(std::u16string_view text) : text_(text), table_(score::CharTable()) {}

  TextScore Run();

 private:
  CharClass NextClass() const {
    return pos_ + 1 < text_.size() ? table_[text_[pos_ + 1]].cls : CharClass::kSpace;
  }
  void Add(double weight, std::size_t units = 1) {
    counts_.total += weight;
    counts_.counted += units;
  }
  void NoteLoss(double weight, std::size_t units) {
    lost_ += units;
    lost_weight_ += weight * static_cast<double>(units);
  }
  // Moves past the unit at pos_, which the next unit sees as `cls`.
  void Advance(CharClass cls) {
    if (cls != CharClass::kHangul && cls != CharClass::kIdeograph) hangul_run_ = 0;
    prev_ = cls;
    ++pos_;
  }

  void NoteCjkRun(CharClass cls);
  void NoteWordPair(CharClass cls, char16_t unit);
  void NoteUtf8As1252(std::uint8_t sets);
  void NoteBlankBetweenCjk(CharClass cls);
  void EndWord(CharClass after = CharClass::kSpace);

  bool ScanTransferMark(CharClass cls, char16_t unit);
  void ScanLetter(const CharInfo& info, char16_t unit);
  void ScanBlank();
  void ScanOther(const CharInfo& info, char16_t unit);
  void ScanIdeograph(std::uint8_t sets);
  void ScanHangul(std::uint8_t sets);
  void ScanHalfKana();
  void ScanQuestionMarks();
  void ScanSymbol();
  void ScanSurrogatePair();
  TextScore Finish();

  const std::u16string_view text_;
  const CharInfo* const table_;
  std::size_t pos_ = 0;
  Counts counts_;
  Word word_;
  CharClass prev_ = CharClass::kSpace;  // class of the unit before pos_
  CharClass last_cjk_before_blank_ = CharClass::kSpace;
  bool blank_run_ = false;
  std::size_t hangul_run_ = 0;
  std::size_t cjk_run_ = 0;  // hanzi, kana or hangul just before pos_
  bool cjk_run_glued_ = false;
  std::uint8_t prev_sets_ = 0, prev2_sets_ = 0;
  score::HalfWidthRun half_run_;  // the run of half-width katakana last met
  // The run of hanzi, kana and hangul that word pairs are looked up in.
  std::size_t pair_run_ = 0;
  std::size_t lost_ = 0;
  double lost_weight_ = 0;
  bool last_paired_ = false;  // the last unit of that run is in a word pair
};

TextScore Scanner::Run() {
  while (pos_ < text_.size()) {
    const char16_t unit = text_[pos_];
    const CharInfo info = table_[unit];
    NoteCjkRun(info.cls);
    NoteWordPair(info.cls, unit);
    NoteUtf8As1252(info.sets);
    if (ScanTransferMark(info.cls, unit)) continue;
    if (IsWordLetter(info.cls)) {
      ScanLetter(info, unit);
    } else {
      EndWord(info.cls);
    }
    if (info.cls == CharClass::kSpace) {
      ScanBlank();
      continue;
    }
    NoteBlankBetweenCjk(info.cls);
    ScanOther(info, unit);
  }
  return Finish();
}

// Short runs of hanzi, kana or hangul glued to Latin letters.
void Scanner::NoteCjkRun(CharClass cls) {
  if (IsCjk(cls)) {
    if (cjk_run_ == 0) cjk_run_glued_ = IsLatinLetter(prev_);
    ++cjk_run_;
  } else if (cjk_run_) {
    if (cjk_run_ <= 2 && cjk_run_glued_ && IsLatinLetter(cls)) {
      counts_.sandwiched += cjk_run_;
    } else if (cjk_run_ <= 2 && (cjk_run_glued_ || IsLatinLetter(cls))) {
      counts_.lonely += cjk_run_;
    }
    cjk_run_ = 0;
  }
  if (IsLatinLetter(cls)) ++counts_.latin;
}

// Each hanzi, kana or hangul with a neighbour of its kind is judged by
// whether it forms a word pair with either; a character standing alone
// proves nothing either way.
void Scanner::NoteWordPair(CharClass cls, char16_t unit) {
  const bool pairable =
      cls == CharClass::kIdeograph || cls == CharClass::kKana || cls == CharClass::kHangul;
  if (pairable && pair_run_ > 0) {
    const bool paired = score::IsWordPair(text_[pos_ - 1], unit);
    counts_.word_pairs += paired;
    if (!paired && !last_paired_) ++counts_.unpaired;
    last_paired_ = paired;
    ++pair_run_;
    return;
  }
  if (pair_run_ >= 2 && !last_paired_) ++counts_.unpaired;
  pair_run_ = pairable ? 1 : 0;
  last_paired_ = false;
}

void Scanner::NoteUtf8As1252(std::uint8_t sets) {
  if ((sets & score::kUtf8TrailIn1252) &&
      ((prev_sets_ & score::kUtf8LeadIn1252) ||
       ((prev_sets_ & score::kUtf8TrailIn1252) && (prev2_sets_ & score::kUtf8LeadIn1252)))) {
    counts_.total += kWeight.utf8_as_1252;
  }
  prev2_sets_ = prev_sets_;
  prev_sets_ = sets;
}

void Scanner::NoteBlankBetweenCjk(CharClass cls) {
  if (blank_run_ && (cls == CharClass::kIdeograph || cls == CharClass::kKana) &&
      (last_cjk_before_blank_ == CharClass::kIdeograph ||
       last_cjk_before_blank_ == CharClass::kKana)) {
    ++counts_.space_in_cjk;
  }
  blank_run_ = false;
}

void Scanner::EndWord(CharClass after) {
  if (!word_.len) return;
  if (IsCjk(after)) word_.touches_cjk = true;
  counts_.total += WordWeight(word_);
  counts_.counted += word_.len;
  word_ = Word();
}

// An undecoded transfer encoding's mark or a Base64 block, weighed as a whole.
bool Scanner::ScanTransferMark(CharClass cls, char16_t unit) {
  if (cls == CharClass::kAsciiSymbol) {
    if (const std::size_t len = score::TransferMarkAt(text_, pos_)) {
      EndWord();
      Add(kWeight.transfer_mark * static_cast<double>(len), len);
      pos_ += len;
      prev_ = CharClass::kAsciiSymbol;
      blank_run_ = false;
      return true;
    }
  }
  if (prev_ == CharClass::kSpace &&
      ((unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z') ||
       (unit >= u'0' && unit <= u'9') || unit == u'/')) {
    if (const std::size_t len = score::Base64BlockAt(text_, pos_)) {
      EndWord();
      Add(kWeight.base64_block * static_cast<double>(len), len);
      pos_ += len;
      prev_ = CharClass::kAsciiSymbol;
      return true;
    }
  }
  return false;
}

// A letter is weighed with its word; the unit itself goes on through
// ScanOther, which gives it no weight of its own.
void Scanner::ScanLetter(const CharInfo& info, char16_t unit) {
  if (word_.len == 0 && IsCjk(prev_)) word_.touches_cjk = true;
  word_.Add(info.cls, info.sets, unit);
}

void Scanner::ScanBlank() {
  if (!blank_run_) last_cjk_before_blank_ = prev_;
  blank_run_ = true;
  hangul_run_ = 0;
  prev_ = CharClass::kSpace;
  ++pos_;
}

void Scanner::ScanOther(const CharInfo& info, char16_t unit) {
  const CharClass next = NextClass();
  switch (info.cls) {
    case CharClass::kIdeograph:
      ScanIdeograph(info.sets);
      break;
    case CharClass::kKana:
      ++counts_.kana;
      counts_.counted += kCjkUnits;
      break;
    case CharClass::kHangul:
      ScanHangul(info.sets);
      break;
    case CharClass::kHalfKana:
      ScanHalfKana();
      break;
    case CharClass::kJamo:
      Add(kWeight.lone_jamo);
      break;
    case CharClass::kOddSpace:
      Add(kWeight.odd_space);
      break;
    case CharClass::kBopomofo:
      Add(kWeight.bopomofo);
      break;
    case CharClass::kOddForm:
      Add(kWeight.odd_form);
      break;
    case CharClass::kBox:
      Add(kWeight.box_drawing);
      break;
    case CharClass::kDigit:
      Add(kWeight.digit);
      break;
    case CharClass::kPunct:
      if (unit == u'?') return ScanQuestionMarks();
      Add(kWeight.punct);
      break;
    case CharClass::kAsciiSymbol:
      Add(IsCjk(prev_) && IsCjk(next) ? kWeight.ascii_symbol_in_cjk : kWeight.ascii_symbol);
      break;
    case CharClass::kShape:
      Add(kWeight.shape);
      break;
    case CharClass::kPictograph:
      Add(kWeight.pictograph);
      break;
    case CharClass::kOtherLetter:
      Add(score::InAlphabetRun(text_, pos_, table_) ? kWeight.alphabet_letter
                                                    : kWeight.stray_letter);
      break;
    case CharClass::kRareLetter:
      Add(kWeight.stray_letter);
      break;
    case CharClass::kCjkPunct:
      Add(((IsCjk(prev_) || IsCjk(next)) ? kWeight.cjk_punct_by_cjk : kWeight.cjk_punct_apart) *
              kCjkUnits,
          kCjkUnits);
      break;
    case CharClass::kFullwidthAlnum:
      Add(kWeight.fullwidth_alnum * kCjkUnits, kCjkUnits);
      break;
    case CharClass::kQuote:
      Add((IsForeignLetter(prev_) && IsForeignLetter(next)) ? kWeight.quote_in_word
                                                            : kWeight.quote);
      break;
    case CharClass::kSymbol:
      ScanSymbol();
      break;
    case CharClass::kCombining:
      Add(IsWordLetter(prev_) || prev_ == CharClass::kOtherLetter ? kWeight.combining_on_letter
                                                                  : kWeight.combining_alone);
      break;
    case CharClass::kControl:
      Add(kWeight.broken);
      break;
    case CharClass::kBad:
      if (IsHighSurrogate(unit) && pos_ + 1 < text_.size() && IsLowSurrogate(text_[pos_ + 1])) {
        return ScanSurrogatePair();
      }
      Add(kWeight.broken);
      if (unit == u'\uFFFD') NoteLoss(kWeight.broken, 1);
      break;
    default:
      break;  // letters: judged with their word
  }
  Advance(info.cls);
}

void Scanner::ScanIdeograph(std::uint8_t sets) {
  ++counts_.ideo;
  counts_.counted += kCjkUnits;
  counts_.gb1 += (sets & score::kInGb2312Level1) != 0;
  counts_.big5 += (sets & score::kInBig5Frequent) != 0;
  counts_.jis1 += (sets & score::kInJisLevel1) != 0;
  counts_.hanja += (sets & score::kInKsHanja) != 0;
  if (prev_ == CharClass::kHangul) ++counts_.ko_mix;
  if (++hangul_run_ > kKoreanRunLimit) ++counts_.ko_long;
}

void Scanner::ScanHangul(std::uint8_t sets) {
  ++counts_.hangul;
  counts_.counted += kCjkUnits;
  counts_.hangul_ks += (sets & score::kInKsHangul) != 0;
  if (prev_ == CharClass::kIdeograph) ++counts_.ko_mix;
  if (++hangul_run_ > kKoreanRunLimit) ++counts_.ko_long;
}

void Scanner::ScanHalfKana() {
  if (pos_ >= half_run_.end) half_run_ = score::HalfWidthRunAt(text_, pos_);
  if (half_run_.spelled) {
    Add(kWeight.half_kana_spelled);
  } else if (half_run_.by_loss) {
    Add(kWeight.half_kana_by_loss);
  } else {
    Add((IsCjk(prev_) || IsCjk(NextClass())) ? kWeight.half_kana_by_cjk
                                             : kWeight.half_kana_misspelled);
  }
}

// "?" is what a code page writes for a character it lacks. A short run that
// ends a sentence after a word is a question; any other run marks a lossy
// conversion.
void Scanner::ScanQuestionMarks() {
  const std::size_t size = text_.size();
  std::size_t end = pos_ + 1;
  while (end < size && text_[end] == u'?') ++end;
  const std::size_t run = end - pos_;
  const CharClass after = end < size ? table_[text_[end]].cls : CharClass::kSpace;
  const bool ends = after == CharClass::kSpace || after == CharClass::kPunct ||
                    after == CharClass::kQuote || (after == CharClass::kCjkPunct && IsCjk(prev_));
  const bool after_word = prev_ != CharClass::kPunct && prev_ != CharClass::kAsciiSymbol &&
                          prev_ != CharClass::kBad && prev_ != CharClass::kControl &&
                          (prev_ != CharClass::kSpace || pos_ == 0 || ends);
  const bool question = ends && after_word && run <= kQuestionRunLimit && pos_ > 0;
  const double weight = question ? kWeight.question_mark : kWeight.lossy_question_mark;
  Add(weight, 1);
  if (run > 1) Add(weight * static_cast<double>(run - 1), run - 1);
  if (!question) NoteLoss(weight, run);
  EndWord();
  prev_ = CharClass::kPunct;
  blank_run_ = false;
  hangul_run_ = 0;
  pos_ = end;
}

void Scanner::ScanSymbol() {
  const CharClass next = NextClass();
  const bool glued = IsForeignLetter(prev_) || IsForeignLetter(next) || IsCjk(prev_) ||
                     IsCjk(next) || prev_ == CharClass::kSymbol;
  const bool after_digit = prev_ == CharClass::kDigit || next == CharClass::kDigit;
  if (glued && !after_digit) {
    Add(kWeight.symbol_glued);
  } else if (!after_digit && (prev_ == CharClass::kAsciiUpper || prev_ == CharClass::kAsciiLower ||
                              next == CharClass::kAsciiUpper || next == CharClass::kAsciiLower)) {
    Add(kWeight.symbol_by_ascii_letter);
  } else {
    Add(kWeight.symbol);
  }
}

// The pair reads as one symbol and, unlike the units of the other kinds,
// leaves a run of hangul and hanja going.
void Scanner::ScanSurrogatePair() {
  Add(kWeight.beyond_bmp, 2);
  prev_ = CharClass::kSymbol;
  pos_ += 2;
}

TextScore Scanner::Finish() {
  EndWord();
  if (pair_run_ >= 2 && !last_paired_) ++counts_.unpaired;
  if (cjk_run_ && cjk_run_ <= 2 && cjk_run_glued_) counts_.lonely += cjk_run_;
  TextScore s;
  s.total = counts_.total + Best(counts_, &s.profile);
  s.total += kWeight.lonely_hanzi * static_cast<double>(counts_.sandwiched);
  s.total += kCjkUnits * (kWeight.word_pair * static_cast<double>(counts_.word_pairs) +
                          kWeight.unpaired_cjk * static_cast<double>(counts_.unpaired));
  // Lonely hanzi that are not sandwiched count only where Latin letters are
  // at least twice as many as hanzi, kana and hangul.
  if ((counts_.ideo + counts_.kana + counts_.hangul) * 2 <= counts_.latin) {
    s.total += kWeight.lonely_hanzi * static_cast<double>(counts_.lonely);
  }
  s.counted = counts_.counted;
  s.lost = lost_;
  s.lost_weight = lost_weight_;
  s.value = s.total / (static_cast<double>(s.counted) + kPriorUnits);
  return s;
}

}  // namespace

TextScore ScoreTextDetail(std::u16string_view text) { return Scanner(text).Run(); }

double ScoreText(std::u16string_view text) { return ScoreTextDetail(text).value; }

}  // namespace tekvo
