#include "engine/score/text_score_weights.h"

#include <algorithm>
#include <iterator>

namespace tekvo::score {

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

double BestFit(const Counts& counts, ScriptProfile* profile) {
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

}  // namespace tekvo::score
