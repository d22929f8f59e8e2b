#include "engine/score/text_score_tables.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/utf.h>

#include <array>
#include <vector>

#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"
#include "engine/text/text.h"

namespace tekvo::score {
namespace {

using Table = std::array<CharInfo, 0x10000>;

bool IsAsciiPunct(char16_t c) {
  switch (c) {
    case u'.':
    case u',':
    case u';':
    case u':':
    case u'!':
    case u'?':
    case u'\'':
    case u'"':
    case u'(':
    case u')':
    case u'-':
      return true;
    default:
      return false;
  }
}

CharClass AsciiClass(char16_t c) {
  if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n') return CharClass::kSpace;
  if (c < 0x20 || c == 0x7F) return CharClass::kControl;
  if (c >= u'A' && c <= u'Z') return CharClass::kAsciiUpper;
  if (c >= u'a' && c <= u'z') return CharClass::kAsciiLower;
  if (c >= u'0' && c <= u'9') return CharClass::kDigit;
  if (IsAsciiPunct(c)) return CharClass::kPunct;
  return CharClass::kAsciiSymbol;
}

bool InCjkBlock(UChar32 c) {
  return (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF01 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFEE);
}

CharClass LetterClass(UChar32 c, int8_t type) {
  UErrorCode err = U_ZERO_ERROR;
  const UScriptCode script = uscript_getScript(c, &err);
  const bool upper = type == U_UPPERCASE_LETTER || type == U_TITLECASE_LETTER;
  switch (script) {
    case USCRIPT_HAN:
      return CharClass::kIdeograph;
    case USCRIPT_HIRAGANA:
    case USCRIPT_KATAKANA:
      return (c >= 0xFF66 && c <= 0xFF9D) ? CharClass::kHalfKana : CharClass::kKana;
    case USCRIPT_HANGUL:
      return (c >= 0xAC00 && c <= 0xD7A3) ? CharClass::kHangul : CharClass::kJamo;
    case USCRIPT_BOPOMOFO:
      return CharClass::kBopomofo;
    case USCRIPT_LATIN:
      if (c >= 0xFF21 && c <= 0xFF5A) return CharClass::kFullwidthAlnum;
      // The feminine and masculine ordinals are letters to Unicode but turn
      // up in text only as mojibake of byte 0xAA and 0xBA.
      if (type == U_OTHER_LETTER || type == U_MODIFIER_LETTER) return CharClass::kSymbol;
      return upper ? CharClass::kLatinUpper : CharClass::kLatinLower;
    case USCRIPT_CYRILLIC:
      return upper ? CharClass::kCyrillicUpper : CharClass::kCyrillicLower;
    case USCRIPT_GREEK:
      return upper ? CharClass::kGreekUpper : CharClass::kGreekLower;
    default:
      if (c == 0x30FC || c == 0xFF70) {
        return c == 0x30FC ? CharClass::kKana : CharClass::kHalfKana;
      }
      return uscript_getUsage(script) == USCRIPT_USAGE_RECOMMENDED ? CharClass::kOtherLetter
                                                                   : CharClass::kRareLetter;
  }
}

// Punctuation and symbols, by block and by general category `type`.
CharClass PunctOrSymbolClass(UChar32 c, int8_t type) {
  if (c >= 0xFE10 && c <= 0xFE19) return CharClass::kOddForm;
  if (c >= 0xFE30 && c <= 0xFE6F) return CharClass::kOddForm;
  if (InCjkBlock(c)) return CharClass::kCjkPunct;
  if (c >= 0x2500 && c <= 0x259F) return CharClass::kBox;
  if ((c >= 0x2600 && c <= 0x27BF) && c != 0x2605 && c != 0x2606 && c != 0x2609 && c != 0x260E &&
      c != 0x260F && c != 0x261C && c != 0x261E && c != 0x2640 && c != 0x2642) {
    return CharClass::kPictograph;
  }
  if ((c >= 0x2190 && c <= 0x21FF) || (c >= 0x25A0 && c <= 0x27BF) ||
      (c >= 0x2B00 && c <= 0x2BFF)) {
    return CharClass::kShape;
  }
  if (c == 0xAB || c == 0xBB || c == 0xA1 || c == 0xBF) return CharClass::kQuote;
  if (c >= 0x2010 && c <= 0x2027) return CharClass::kQuote;
  if (c >= 0x2030 && c <= 0x205E && c != 0x2030) return CharClass::kQuote;
  const bool punct = type == U_DASH_PUNCTUATION || type == U_START_PUNCTUATION ||
                     type == U_END_PUNCTUATION || type == U_CONNECTOR_PUNCTUATION ||
                     type == U_OTHER_PUNCTUATION || type == U_INITIAL_PUNCTUATION ||
                     type == U_FINAL_PUNCTUATION;
  if (punct && c >= 0x0250) return CharClass::kQuote;
  return CharClass::kSymbol;
}

CharClass ClassOf(UChar32 c) {
  if (c < 0x80) return AsciiClass(static_cast<char16_t>(c));
  if (c < 0xA0) return CharClass::kControl;
  if (c == 0xA0) return CharClass::kSpace;
  if (c < 0xC0) {
    // Latin-1 punctuation and signs, the micro sign and the ordinals
    // included: what bytes 0xA1-0xBF of a Western page show.
    return (c == 0xAB || c == 0xBB || c == 0xA1 || c == 0xBF) ? CharClass::kQuote
                                                              : CharClass::kSymbol;
  }
  if (c == 0xFFFD || U_IS_SURROGATE(c)) return CharClass::kBad;
  if (c == 0x30FC) return CharClass::kKana;
  // The JIS X 0201 half of code page 932, its punctuation and sound marks
  // included: Unicode files the marks and U+FF70 under no script.
  if (c >= 0xFF61 && c <= 0xFF9F) return CharClass::kHalfKana;
  if (c == 0x30FB || c == 0x3005 || c == 0x3007) {
    return c == 0x30FB ? CharClass::kCjkPunct : CharClass::kIdeograph;
  }
  const int8_t type = u_charType(c);
  switch (type) {
    case U_UNASSIGNED:
    case U_PRIVATE_USE_CHAR:
    case U_SURROGATE:
      return CharClass::kBad;
    case U_CONTROL_CHAR:
      return CharClass::kControl;
    case U_FORMAT_CHAR:
      return CharClass::kOddSpace;
    case U_SPACE_SEPARATOR:
      return c == 0x3000 ? CharClass::kSpace : CharClass::kOddSpace;
    case U_LINE_SEPARATOR:
    case U_PARAGRAPH_SEPARATOR:
      return CharClass::kSpace;
    case U_UPPERCASE_LETTER:
    case U_LOWERCASE_LETTER:
    case U_TITLECASE_LETTER:
    case U_MODIFIER_LETTER:
    case U_OTHER_LETTER:
      return LetterClass(c, type);
    case U_NON_SPACING_MARK:
    case U_ENCLOSING_MARK:
    case U_COMBINING_SPACING_MARK:
      if (c == 0x3099 || c == 0x309A) return CharClass::kKana;
      return CharClass::kCombining;
    case U_DECIMAL_DIGIT_NUMBER:
      if (c >= 0xFF10 && c <= 0xFF19) return CharClass::kFullwidthAlnum;
      return CharClass::kOtherLetter;
    case U_LETTER_NUMBER:
    case U_OTHER_NUMBER:
      if (c == 0x3007 || (c >= 0x3021 && c <= 0x3029)) return CharClass::kIdeograph;
      if ((c >= 0x2150 && c <= 0x218F) || (c >= 0x2460 && c <= 0x24FF) ||
          (c >= 0x3200 && c <= 0x32FF)) {
        return CharClass::kShape;  // Ⅰ ① ㈠: list markers of CJK text
      }
      return CharClass::kSymbol;
    default:
      break;
  }
  return PunctOrSymbolClass(c, type);
}

bool IsRussianLetter(UChar32 c) {
  return (c >= 0x0410 && c <= 0x044F) || c == 0x0401 || c == 0x0451;
}

// Marks the characters of the double-byte codes first..last (lead byte high,
// trail byte low) whose trail byte lies in one of `trails`.
void MarkCodes(Table& table, CodePageId cp, unsigned first, unsigned last,
               std::initializer_list<std::pair<unsigned, unsigned>> trails, std::uint8_t bit) {
  ByteString bytes;
  bytes.reserve(2 * (last - first + 1));
  for (unsigned lead = first >> 8; lead <= (last >> 8); ++lead) {
    for (const auto& [lo, hi] : trails) {
      for (unsigned trail = lo; trail <= hi; ++trail) {
        const unsigned code = (lead << 8) | trail;
        if (code < first || code > last) continue;
        bytes.push_back(static_cast<char>(lead));
        bytes.push_back(static_cast<char>(trail));
      }
    }
  }
  auto mark = [&](const Text& text) {
    for (char16_t c : text) {
      if (c != 0xFFFD && c != u'?') table[c].sets |= bit;
    }
  };
  const Text all = CodePageBytesToText(bytes, cp);
  if (all.size() * 2 == bytes.size()) {
    mark(all);
    return;
  }
  // Some code in the range did not give one unit: go code by code so that a
  // single odd code cannot shift the rest.
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const Text one = CodePageBytesToText(bytes.substr(i, 2), cp);
    if (one.size() == 1) mark(one);
  }
}

// Marks the characters of the single bytes first..last of code page `cp`.
void MarkBytes(Table& table, CodePageId cp, unsigned first, unsigned last, std::uint8_t bit) {
  for (unsigned b = first; b <= last; ++b) {
    const Text one = CodePageBytesToText(ByteString(1, static_cast<char>(b)), cp);
    if (one.size() == 1 && one[0] != 0xFFFD) table[one[0]].sets |= bit;
  }
}

Table* BuildTable() {
  auto* table = new Table();
  for (UChar32 c = 0; c < 0x10000; ++c) {
    CharInfo& info = (*table)[c];
    info.cls = ClassOf(c);
    info.sets = 0;
    if ((info.cls == CharClass::kCyrillicUpper || info.cls == CharClass::kCyrillicLower) &&
        !IsRussianLetter(c)) {
      info.sets |= kNonRussian;
    }
  }
  MarkCodes(*table, kCpGbk, 0xB0A1, 0xD7F9, {{0xA1, 0xFE}}, kInGb2312Level1);
  MarkCodes(*table, kCpBig5, 0xA440, 0xC67E, {{0x40, 0x7E}, {0xA1, 0xFE}}, kInBig5Frequent);
  MarkCodes(*table, kCpShiftJis, 0x889F, 0x9872, {{0x40, 0x7E}, {0x80, 0xFC}}, kInJisLevel1);
  MarkCodes(*table, kCpUhc, 0xB0A1, 0xC8FE, {{0xA1, 0xFE}}, kInKsHangul);
  MarkCodes(*table, kCpUhc, 0xCAA1, 0xFDFE, {{0xA1, 0xFE}}, kInKsHanja);
  MarkBytes(*table, kCpWestern, 0x80, 0xBF, kUtf8TrailIn1252);
  MarkBytes(*table, kCpWestern, 0xC2, 0xEF, kUtf8LeadIn1252);
  return table;
}

}  // namespace

const CharInfo* CharTable() {
  static const Table* const table = BuildTable();
  return table->data();
}

}  // namespace tekvo::score
