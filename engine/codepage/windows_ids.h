// The Windows locale identifiers (LCIDs) and code page numbers that the
// program names in its own code. The menus and dialogs were made for these
// languages; every other identifier is looked up in the tables of
// engine/codepage/codepage.h.
#ifndef TEKVO_ENGINE_CODEPAGE_WINDOWS_IDS_H_
#define TEKVO_ENGINE_CODEPAGE_WINDOWS_IDS_H_

#include "engine/text/text.h"

namespace tekvo {

// LCIDs, each with the ANSI code page Windows gives it.
inline constexpr LocaleId kLcidChinesePrc = 2052;     // zh-CN, code page 936
inline constexpr LocaleId kLcidChineseTaiwan = 1028;  // zh-TW, code page 950
inline constexpr LocaleId kLcidJapanese = 1041;       // ja-JP, code page 932
inline constexpr LocaleId kLcidKorean = 1042;         // ko-KR, code page 949
inline constexpr LocaleId kLcidRussian = 1049;        // ru-RU, code page 1251
inline constexpr LocaleId kLcidEnglishUs = 1033;      // en-US, code page 1252

// Code pages.
inline constexpr CodePageId kCpGbk = 936;
inline constexpr CodePageId kCpBig5 = 950;
inline constexpr CodePageId kCpShiftJis = 932;
inline constexpr CodePageId kCpUhc = 949;
inline constexpr CodePageId kCpDosUs = 437;  // what zip tools read names without the UTF-8 flag as
inline constexpr CodePageId kCpCyrillic = 1251;
inline constexpr CodePageId kCpWestern = 1252;
inline constexpr CodePageId kCpGb18030 = 54936;
inline constexpr CodePageId kCpUtf8 = 65001;

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_WINDOWS_IDS_H_
