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
inline constexpr LocaleId kLcidThai = 1054;           // th-TH, code page 874
inline constexpr LocaleId kLcidVietnamese = 1066;     // vi-VN, code page 1258
inline constexpr LocaleId kLcidGreek = 1032;          // el-GR, code page 1253
inline constexpr LocaleId kLcidArabic = 1025;         // ar-SA, code page 1256
inline constexpr LocaleId kLcidHebrew = 1037;         // he-IL, code page 1255

// Code pages.
inline constexpr CodePageId kCpGbk = 936;
inline constexpr CodePageId kCpBig5 = 950;
inline constexpr CodePageId kCpShiftJis = 932;
inline constexpr CodePageId kCpUhc = 949;
inline constexpr CodePageId kCpDosUs = 437;  // what zip tools read names without the UTF-8 flag as
inline constexpr CodePageId kCpCyrillic = 1251;
inline constexpr CodePageId kCpWestern = 1252;
inline constexpr CodePageId kCpGb18030 = 54936;
inline constexpr CodePageId kCpUtf7 = 65000;
inline constexpr CodePageId kCpUtf8 = 65001;
inline constexpr CodePageId kCpAscii = 20127;
inline constexpr CodePageId kCpLatin1 = 28591;  // ISO 8859-1
inline constexpr CodePageId kCpKoi8R = 20866;
inline constexpr CodePageId kCpEucJp = 20932;
inline constexpr CodePageId kCpEucJpMs = 51932;  // Windows names 20932's table again
inline constexpr CodePageId kCpEucCn = 51936;
inline constexpr CodePageId kCpEucKr = 51949;

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_WINDOWS_IDS_H_
