// The Windows locale identifiers (LCIDs) and code page numbers that the
// program names in its own code. The menus and dialogs were made for these
// languages; every other identifier is looked up in the tables of
// engine/codepage/codepage.h.
#ifndef TEKVO_ENGINE_CODEPAGE_WINDOWS_IDS_H_
#define TEKVO_ENGINE_CODEPAGE_WINDOWS_IDS_H_

#include "engine/text/text.h"

namespace tekvo {

// LCIDs, each with the ANSI code page Windows gives it.
inline constexpr LocaleId kLcidChinesePrc = LocaleId{2052};     // zh-CN, code page 936
inline constexpr LocaleId kLcidChineseTaiwan = LocaleId{1028};  // zh-TW, code page 950
inline constexpr LocaleId kLcidJapanese = LocaleId{1041};       // ja-JP, code page 932
inline constexpr LocaleId kLcidKorean = LocaleId{1042};         // ko-KR, code page 949
inline constexpr LocaleId kLcidRussian = LocaleId{1049};        // ru-RU, code page 1251
inline constexpr LocaleId kLcidEnglishUs = LocaleId{1033};      // en-US, code page 1252
inline constexpr LocaleId kLcidThai = LocaleId{1054};           // th-TH, code page 874
inline constexpr LocaleId kLcidVietnamese = LocaleId{1066};     // vi-VN, code page 1258
inline constexpr LocaleId kLcidGreek = LocaleId{1032};          // el-GR, code page 1253
inline constexpr LocaleId kLcidArabic = LocaleId{1025};         // ar-SA, code page 1256
inline constexpr LocaleId kLcidHebrew = LocaleId{1037};         // he-IL, code page 1255

// Code pages.
inline constexpr CodePageId kCpAnsi = CodePageId{0};  // the system's ANSI code page
inline constexpr CodePageId kCpGbk = CodePageId{936};
inline constexpr CodePageId kCpBig5 = CodePageId{950};
inline constexpr CodePageId kCpShiftJis = CodePageId{932};
inline constexpr CodePageId kCpUhc = CodePageId{949};
// What zip tools read names without the UTF-8 flag as.
inline constexpr CodePageId kCpDosUs = CodePageId{437};
inline constexpr CodePageId kCpCyrillic = CodePageId{1251};
inline constexpr CodePageId kCpWestern = CodePageId{1252};
inline constexpr CodePageId kCpGb18030 = CodePageId{54936};
inline constexpr CodePageId kCpUtf7 = CodePageId{65000};
inline constexpr CodePageId kCpUtf8 = CodePageId{65001};
inline constexpr CodePageId kCpAscii = CodePageId{20127};
inline constexpr CodePageId kCpLatin1 = CodePageId{28591};  // ISO 8859-1
inline constexpr CodePageId kCpKoi8R = CodePageId{20866};
inline constexpr CodePageId kCpEucJp = CodePageId{20932};
inline constexpr CodePageId kCpEucJpMs = CodePageId{51932};  // Windows names 20932's table again
inline constexpr CodePageId kCpEucCn = CodePageId{51936};
inline constexpr CodePageId kCpEucKr = CodePageId{51949};
inline constexpr CodePageId kCpJohab = CodePageId{1361};
inline constexpr CodePageId kCpIso2022Jp = CodePageId{50221};  // with the one-byte katakana
inline constexpr CodePageId kCpIso2022Kr = CodePageId{50225};
inline constexpr CodePageId kCpIso2022Cn = CodePageId{50227};

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_WINDOWS_IDS_H_
