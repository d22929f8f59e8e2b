#include "engine/codepage/codepage_registry.h"

#include <algorithm>
#include <array>

namespace tekvo {
namespace {

using enum ConverterBackend;

// The ICU tables chosen here are the closest to Microsoft's published
// best-fit tables (ICU's plain "Shift_JIS" alias and the IBM 125x variants
// differ more, so the names are pinned); what is left, best-fit characters
// above all, is made up by the generated supplement (codepage_supplement.h).
// A converter changed here means regenerating it.
constexpr std::array kEntries = {
    // East Asian double-byte pages.
    CodePageEntry{CodePageId{936}, "windows-936-2000", kIcu},
    CodePageEntry{CodePageId{950}, "windows-950-2000", kIcu},
    CodePageEntry{CodePageId{949}, "windows-949-2000", kIcu},
    CodePageEntry{CodePageId{932}, "ibm-943_P15A-2003", kIcu},
    // ICU has no Johab table at all.
    CodePageEntry{CodePageId{1361}, "JOHAB", kIconv},
    CodePageEntry{CodePageId{54936}, "gb18030", kIcu},
    CodePageEntry{CodePageId{20932}, "EUC-JP", kIcu},
    // Windows' 20000 is its own CNS 11643 mapping; EUC-TW is the closest
    // standard table and agrees on planes 1 and 2, which is what garbled text
    // shows in practice.
    CodePageEntry{CodePageId{20000}, "EUC-TW", kIcu},
    CodePageEntry{CodePageId{51932}, "EUC-JP", kIcu},
    CodePageEntry{CodePageId{51936}, "ibm-1383_P110-1999", kIcu},
    CodePageEntry{CodePageId{51949}, "ibm-970_P110_P110-2006_U2", kIcu},
    // Windows single-byte pages.
    CodePageEntry{CodePageId{874}, "windows-874-2000", kIcu},
    CodePageEntry{CodePageId{1250}, "windows-1250", kIcu},
    CodePageEntry{CodePageId{1251}, "windows-1251", kIcu},
    CodePageEntry{CodePageId{1252}, "windows-1252", kIcu},
    CodePageEntry{CodePageId{1253}, "windows-1253", kIcu},
    CodePageEntry{CodePageId{1254}, "windows-1254", kIcu},
    CodePageEntry{CodePageId{1255}, "windows-1255", kIcu},
    CodePageEntry{CodePageId{1256}, "windows-1256", kIcu},
    CodePageEntry{CodePageId{1257}, "windows-1257", kIcu},
    CodePageEntry{CodePageId{1258}, "windows-1258", kIcu},
    // DOS and other single-byte pages.
    CodePageEntry{CodePageId{437}, "ibm-437_P100-1995", kIcu},
    CodePageEntry{CodePageId{850}, "ibm-850_P100-1995", kIcu},
    CodePageEntry{CodePageId{852}, "ibm-852_P100-1995", kIcu},
    CodePageEntry{CodePageId{866}, "ibm-866_P100-1995", kIcu},
    CodePageEntry{CodePageId{10000}, "macos-0_2-10.2", kIcu},
    CodePageEntry{CodePageId{20127}, "US-ASCII", kIcu},
    CodePageEntry{CodePageId{20866}, "ibm-878", kIcu},
    CodePageEntry{CodePageId{21866}, "ibm-1168_P100-2002", kIcu},
    CodePageEntry{CodePageId{28591}, "ISO-8859-1", kIcu},
    CodePageEntry{CodePageId{28592}, "ISO-8859-2", kIcu},
    CodePageEntry{CodePageId{28593}, "ISO-8859-3", kIcu},
    CodePageEntry{CodePageId{28594}, "ISO-8859-4", kIcu},
    CodePageEntry{CodePageId{28595}, "ISO-8859-5", kIcu},
    CodePageEntry{CodePageId{28596}, "ISO-8859-6", kIcu},
    CodePageEntry{CodePageId{28597}, "windows-28597", kIcu},
    CodePageEntry{CodePageId{28598}, "ISO-8859-8", kIcu},
    CodePageEntry{CodePageId{28599}, "ISO-8859-9", kIcu},
    CodePageEntry{CodePageId{28603}, "ISO-8859-13", kIcu},
    CodePageEntry{CodePageId{28605}, "ISO-8859-15", kIcu},
    // Unicode transformation formats the Windows calls accept.
    CodePageEntry{CodePageId{65000}, "UTF-7", kIcu},
    CodePageEntry{CodePageId{65001}, "UTF-8", kIcu},
    // 7-bit ISO-2022 mail encodings. Of ICU's Japanese variants only JIS7
    // (version 3) reads and writes the shifted one-byte katakana of 50221.
    CodePageEntry{CodePageId{50221}, "ISO_2022,locale=ja,version=3", kIcu},
    CodePageEntry{CodePageId{50225}, "ISO-2022-KR", kIcu},
    CodePageEntry{CodePageId{50227}, "ISO-2022-CN", kIcu},
};

}  // namespace

const CodePageEntry* FindCodePage(CodePageId cp) {
  if (cp == kCpAnsi) cp = kSystemAnsiCodePage;
  auto it = std::find_if(kEntries.begin(), kEntries.end(),
                         [cp](const CodePageEntry& e) { return e.cp == cp; });
  return it == kEntries.end() ? nullptr : &*it;
}

std::span<const CodePageEntry> ServedCodePages() { return kEntries; }

}  // namespace tekvo
