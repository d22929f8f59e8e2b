#include "engine/score/word_pairs.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/codepage/codepage.h"
#include "engine/text/text.h"

namespace tekvo::score {
namespace {

std::string Utf8(char16_t a, char16_t b) { return TextToUtf8Bytes(Text{a, b}); }

// Pairs inside words of each dictionary, and pairs that mojibake makes
// and no word holds.
TEST(WordPairs, KnowsTheWordsOfEachLanguage) {
  const struct {
    const char* name;
    char16_t first, second;
    bool pair;
  } cases[] = {
      {"simplified-word", u'照', u'片', true},
      {"traditional-word", u'資', u'料', true},
      {"simplified-form-of-traditional-word", u'资', u'料', true},
      {"japanese-kanji-word", u'文', u'字', true},
      {"japanese-kana-in-word", u'ま', u'す', true},
      {"japanese-katakana-word", u'フ', u'ァ', true},
      {"korean-stem", u'데', u'이', true},
      {"korean-stem-spelled-in-jamo", u'파', u'일', true},
      {"korean-sino-korean-word", u'준', u'호', true},
      {"russian-letters", u'н', u'е', true},
      {"russian-letters-in-upper-case", u'Н', u'Е', false},
      {"cyrillic-letters-russian-lacks", u'ы', u'ь', false},
      {"belarusian-letter", u'и', u'ў', false},
      // The last second character of its first one, as the table sorts them.
      {"last-pair-of-a-hanzi", u'文', u'龙', true},
      {"last-pair-of-a-hangul", u'데', u'히', true},
      {"last-pair-of-a-cyrillic-letter", u'н', u'ё', true},
      {"utf8-read-as-gb", u'鐓', u'х', false},
      {"utf8-read-as-gb-hanzi", u'墖', u'鐓', false},
      {"korean-read-as-gb", u'拱', u'轟', false},
      {"reversed-word", u'片', u'照', false},
      {"hanzi-then-latin", u'中', u'a', false},
      {"latin-pair", u'a', u'b', false},
      {"nul-units", u'\0', u'\0', false},
      {"last-bmp-unit", u'\xFFFF', u'\xFFFF', false},
      {"surrogates", u'\xD800', u'\xDC00', false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsWordPair(c.first, c.second), c.pair) << c.name << ": " << Utf8(c.first, c.second);
  }
}

}  // namespace
}  // namespace tekvo::score
