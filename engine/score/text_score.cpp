#include "engine/score/text_score.h"

#include <unicode/utf16.h>

#include <algorithm>

#include "engine/score/text_score_kana.h"
#include "engine/score/text_score_marks.h"
#include "engine/score/text_score_tables.h"
#include "engine/score/text_score_weights.h"
#include "engine/score/text_score_word.h"
#include "engine/score/word_pairs.h"

namespace tekvo {
namespace {

using score::BestFit;
using score::CharClass;
using score::CharInfo;
using score::Counts;
using score::IsCjk;
using score::IsForeignLetter;
using score::IsLatinLetter;
using score::IsWordLetter;
using score::kCjkUnits;
using score::kKoreanRunLimit;
using score::kPriorUnits;
using score::kQuestionRunLimit;
using score::kWeight;
using score::Word;
using score::WordWeight;

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
  void AddClassWeight(CharClass cls);
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

// The classes that need more than their weight: a count of their own, a
// look at the units that follow, or a weight chosen by the neighbours.
void Scanner::ScanOther(const CharInfo& info, char16_t unit) {
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
    case CharClass::kPunct:
      if (unit == u'?') return ScanQuestionMarks();
      Add(kWeight.punct);
      break;
    case CharClass::kSymbol:
      ScanSymbol();
      break;
    case CharClass::kBad:
      if (U16_IS_LEAD(unit) && pos_ + 1 < text_.size() && U16_IS_TRAIL(text_[pos_ + 1])) {
        return ScanSurrogatePair();
      }
      Add(kWeight.broken);
      if (unit == u'\uFFFD') NoteLoss(kWeight.broken, 1);
      break;
    default:
      AddClassWeight(info.cls);
      break;
  }
  Advance(info.cls);
}

// The weight of a unit that counts by its class alone, or by its class and
// the classes on either side. Letters weigh nothing here: they are judged
// with their word.
void Scanner::AddClassWeight(CharClass cls) {
  const CharClass next = NextClass();
  switch (cls) {
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
    case CharClass::kCombining:
      Add(IsWordLetter(prev_) || prev_ == CharClass::kOtherLetter ? kWeight.combining_on_letter
                                                                  : kWeight.combining_alone);
      break;
    case CharClass::kControl:
      Add(kWeight.broken);
      break;
    default:
      break;
  }
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
  s.total = counts_.total + BestFit(counts_, &s.profile);
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
