// Streaming commands against the whole-text routines: the tool reads its
// input a megabyte at a time and cuts it into pieces, and whatever the
// input's shape the output must be the whole-text result byte for byte.
// Inputs are a few megabytes of a short unit repeated; the unit's length is
// odd, so the read boundaries fall at every offset inside its sequences.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unicode/utf16.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "cli/commands/commands.h"
#include "cli/commands/repair_name.h"
#include "cli/stream/stream.h"
#include "cli/stream/transfer_streams.h"
#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"
#include "engine/repair/half_char.h"
#include "engine/text/mapping.h"
#include "engine/transfer/base64.h"
#include "engine/transfer/char_refs.h"
#include "engine/transfer/hz.h"
#include "engine/transfer/iso2022.h"
#include "engine/transfer/quoted_printable.h"
#include "engine/transfer/utf7.h"
#include "files/file_encoding.h"
#include "tests/case_name.h"
#include "tests/cli/cli_harness.h"
#include "tests/cli/stream_shapes.h"

namespace tekvo::cli {
namespace {

// Long plain stretches, each ended by characters the tables leave to the
// converters: a byte order mark (to be kept, being mid-text), a surrogate
// pair written as two three-byte sequences, a real four-byte sequence,
// U+0000 and an overlong form.
const std::string kGarbledAmongOdd = Repeat([] {
  std::string lines;
  for (int i = 0; i < 150; ++i) lines += kGarbledLine;
  return lines +
         std::string("\xEF\xBB\xBF\xED\xA0\xBD\xED\xB8\x80 \xF0\x9F\x98\x80\0\xC1\x81\n", 18);
}());
// No line feed or space a repair may cut after, nor any ASCII: a repair
// cuts where the B side's decoder rests, found by reading the text through.
const std::string kNoAscii = Repeat("中華民國的歷史悠久文化豐富");
// The same with only letters, only Hangul (which GB writes as "?"; after a
// byte order mark, which the repair does not see), only four-byte
// characters.
const std::string kLettersOnly = Repeat("abcdefghijk");
const std::string kHangulOnly = Repeat("한국어텍스트다");
const std::string kHangulMarked = Repeat("한국어텍스트다", "\xEF\xBB\xBF");
const std::string kFourByteOnly = Repeat("\xF0\xA0\x80\x80\xF0\xA0\x80\x81");
// GB writes "民" ending in a byte Shift-JIS reads as a lead, then "亜" as
// bytes Shift-JIS reads as one character: plain only where the decoder
// was at rest before it.
const std::string kOutOfStepThenPlain = Repeat("民亜中文");
// The halves of a surrogate pair as three-byte sequences with U+0000
// between them, which is dropped: they pair up in the text repaired.
const std::string kPairAcrossNuls = Repeat(std::string("中\xED\xA0\xBD\0\0\0\xED\xB8\x80文", 15));
// GB's bytes of "中" read as UTF-8 give nothing at all, so the repair gives
// its input back: no piece may be cut off.
const std::string kNothingAsUtf8 = Repeat("中");
// A byte order mark at the start, U+0000, a surrogate pair written as two
// three-byte sequences, a real four-byte sequence, a cut-short sequence,
// stray continuation and invalid bytes, and E0 alone.
const std::string kAwkward = Repeat(
    "a\xED\xA0\xBD\xED\xB8\x80 b\xF0\x9F\x98\x80\xE4\xB8 \x80\x80\xFF\xE0\xC3\xA9"
    "\xE4\xB8\xAD/\0c\n"
    "\xEF\xBB\xBF",
    "\xEF\xBB\xBF");
// UTF-8 shown as Windows-1252: each character of the text is one byte of a
// UTF-8 sequence, so a cut between the characters of "Ã©" would split "é".
const std::string kUtf8As1252 = Repeat(TextToUtf8Bytes(
    CodePageBytesToText(TextToUtf8Bytes(u"中文, café naïve (漢字)/\n"), CodePageId{1252})));
const std::string kEscapes = Repeat(
    "&#x4E2D;&amp;&#65;&#xD83D;&#xDE00;&lt;br&gt;&#2;\\u4E2D\\x41\\U6587%u4E2D%41%E4%B8&#x1F600;"
    "&#x4E2;&#1234567&quot;text&");
// URL escapes with a lead byte's trail left plain ("%B5A"), "+", runs that
// end at a space, a tab or a letter, malformed escapes and U+0000 inside and
// beside escapes, and bytes the UTF-8 decoder drops (FF) inside them.
const std::string kUrlEscapes =
    Repeat(std::string("work%2Easp%3Fs%3D%B5%E7%C4%D4 \xE8\x8B\xB1+x %B5A %B5 A%ZZ%4%%41%B\0"
                       "5x%E4%B8%AD\t%81%40end%\0B5g\0%B5\0A%\nyx%\xFF\xFF"
                       "41y%B5\xFF\xFF"
                       "AB ",
                       108));
// Quoted-printable with soft breaks of every kind, some of which only form
// once another is gone ("= =\r\n\r\n", also with a byte the UTF-8 decoder
// drops before the first CR), trails after soft breaks, bare LFs, CR U+0000
// LF and malformed escapes.
const std::string kQpEscapes = Repeat(
    std::string("=B5=E7=C4=D4 =B5=\r\nA soft=\r\nbreak= \r\nx=\t\r\ny= =\r\n\r\nz=\t= =\r\n\r\n\r\n"
                "line=0D=0A\r\n=E4=B8=AD\n=B5\nA=\r\0\n=B5\r\n=ZZ=4\r\nplain\0\r\nq\r\0\n=\r\nw"
                "u=\t= \r\n\r\nv=\t=\r\n\r\n=B5=\t\r\nA=B5= \r\nAB=B5=\r\0\nCDx= =\xFF\r\n\r\ny",
                174));
// Quoted-printable with no line break but soft ones: letters that a soft
// break brings next to an "=" ("=B=\r\nA" reads as 0xBA), escaped lead
// bytes before Chinese and before ASCII trails, and an overlong "A" that the
// decoder reads as one.
const std::string kQpOneLine = Repeat(
    "=B=\r\nABCDEF=B5中文=B5=\r\nAB=C4CDxyz=4=\r\n1中AB=\r\nCD==\r\nE5F=E4=B8=AD=B\xC1\x81=D6=D0");
// Characters past the basic plane in one line, with malformed four-byte
// sequences (overlong, past U+10FFFF) and one the decoder reads as the
// voiced mark after a half-width kana.
const std::string kFourByte =
    Repeat("😀𠀀\xF0\x8F\xBF\xBF𝄞\xF4\x90\x80\x80ｶ\xFF\xBE\x9E😀𠀀𠀀𝄞😀😀𠀀𠀀𝄞");
// Escapes few and far between among Chinese, some of them cut short or
// with a name by a character past ASCII, one after an overlong "#".
const std::string kSparseEscapes =
    Repeat("中文字&#x4E2D中;&#65;&lt;字&lt中&\xC0\xA3\x36\x35;&a中;x<br中>😀%u4E2D\\u4E2D字");
// Escapes of every family between stretches of plain ASCII a piece may end
// in: the longest escapes ("&thetasym;", "&#x10FFFF;" with its ";"), a break
// tag and digits past a reference's last digit.
const std::string kEscapesInPlain = Repeat(
    "plain text&thetasym;and more&#x10FFFF;;then&#65509100000 <bR> words\\u4E2Dwords\\x4 "
    "%u4E2Dwords%41%4g and so on, ");
// URL escapes in long runs: UTF-8 runs with ASCII bytes, a four-byte and a
// cut-short character inside, a run that meets across a U+0000 or an
// overlong "%"; double-byte runs with bytes below 0x40 after a lead byte, a
// trail left plain, pairs the page reads out of step with the decoder's
// pairing (Shift-JIS "FD" is a character of its own), invalid
// trails and the same U+0000 and overlong "%"; "%" runs and runs among
// characters past ASCII.
const std::string kUrlRuns = Repeat(std::string(
    "%FD%82%A0%41%FD%82%88%9F%88%9F%41 "
    "%E4%B8%AD%E6%96%87%41%42%E5%AD%97%F0%A0%80%80%E4%B8中文%E4%B8%%% % %%41%4 %E4\0%B8%AD%E4"
    "%B8%AD x%E4%B8\xC0\xA5"
    "AD%E4%B8%AD %D6%D0%30%CE%C4%B5%30%B5A%C4%D4%B5%2F%41字体%D6%D0%CE%C4%41%B5%D6"
    "%D0%CE %81%FF%D6%D0%A4%81%A4%40%CE\0%C4%D6%\0D6%D0%CE%C4\xC0\xA5"
    "D6%D0%CE%C4 ",
    286));
// Half-width kana and their sound marks, also with U+0000 or an overlong
// form, both of which the input's decoding drops, between the two.
const std::string kKana =
    Repeat(std::string("ｶﾞｷﾞｸ ﾊﾟ。ABC 汉字漢字ｳﾞ ガパ１２ｶ\0ﾞｷ\xC0\x80ﾟ", 75));
// Line breaks that are bare CRs only: the line-folding encoders then write
// each as CR LF, which only the whole input can tell. U+0000 (dropped) and
// a control character stand between Chinese characters.
const std::string kCrLines = Repeat(std::string("中華民國 history\r悠久~文\0化\x01字\r\r", 41));
// Base64 of GB text in lines after a byte order mark, with padding inside the text and spaces and a
// U+0000 between the characters; of UTF-8 text with no ASCII at all (a lone
// surrogate among it), as one line; and the latter in the URL alphabet.
std::string Base64Lines(const std::u16string& unit, ComposeBytes bytes) {
  return TextToUtf8Bytes(
      BareCrToCrLf(EncodeBase64Text(unit, bytes, kNoLengthLimit).text + u"==\r\n"));
}
const std::string kBase64Gb =
    Repeat(Base64Lines(u"中華民國的歷史悠久，文化豐富。Plain ASCII too.\n", ComposeBytes::kGb) +
               std::string("1tDO xC\0B0Z Xh0\n"),
           "\xEF\xBB\xBF");
const std::string kBase64Utf8 =
    Repeat(TextToUtf8Bytes(BytesToBase64(TextToUtf8Bytes(u"中華民國的歷史悠久文化豐富𝄞𝄞𝄞\xD83D"))));
// The lenient UTF-8 decoder reads C1 81 as "A": a fifth character of the
// first group, that no count of bytes sees.
const std::string kBase64Overlong = Repeat(kBase64Gb.substr(3, 4096), "1tDO\xC1\x81");
// Overlong forms and dropped lead bytes all through; E1 81 "A" reads as
// "AA", two characters from one sequence.
const std::string kBase64OddBytes = Repeat("\xC1\x81\xFF" + kBase64Gb.substr(3, 101) + "\xE1\x81" +
                                           "A" + kBase64Gb.substr(200, 99));
const std::string kBase64Url = [] {
  std::string url = kBase64Utf8;
  std::replace(url.begin(), url.end(), '+', '*');
  std::replace(url.begin(), url.end(), '/', '-');
  return url;
}();
// UTF-7 with runs ended by "-", by a space and by a line break, runs of one
// or two characters that stay text, "+-", a lone surrogate and U+0000.
const std::string kUtf7 = Repeat(
    std::string("+Ti1lhw- text +Ti1lhw,+-x+AB +ABCD\r\n+2D3eAA-y+2D0-a\0+Ti1lhw/\n+ZYdT-W.", 69));
// HZ with GB mode across line feeds, lines ending in LF alone, CRs that end
// it, continuations of every form ("~\r\n" inside and outside GB mode), "~~" before CR LF and "~}"
// only where a pair may start.
const std::string kHz =
    Repeat(std::string("~{VPN\nD~}\nx\ntext~\r\nmore~{V~\r\nPND\r\nx~~\r\n~{VP~ "
                       "\r\nND~}~{VP~\r\nND~}a~\t\r\n\r\n~{V\r\r\nPN~}\0~\r\n",
                       83));
// HZ in one line: GB mode from the start, left and entered again where "~}"
// falls at the start of a pair (every other time) and "~\t" besides.
const std::string kHzOneLine = Repeat(std::string("VPND~}x~~~{VP\0D~\tV", 19), "~{");

// ISO-2022 with its escapes stripped and kept: designations and shifts
// that end their line in ASCII and some that do not, a shift out with no
// designation on its line, U+0000 and a character past ASCII; a last line
// that decodes to nothing.
const std::string kIso2022Cn =
    Repeat(std::string(
        "$)A \x0eVP\x0f text\n\x0eVP\x0f\n\x1b$)A\x0e;*\x0fx\n$)G\x0eD!\x0f\n\x0eVP\nplain\n"
        "\x0eV\0P\x0f\n中\n",
        67)) +
    "$)A";
const std::string kIso2022Ja =
    Repeat("$B0!(B\n$B0!\n0!(B\n\x1b$B0!\x1b(B x\n\x0e1\x0f\n(B$B0!\n\x1b(J~\n~\n中\n");
const std::string kIso2022Ko = Repeat("$)C\x0e0!\x0f\n\x0e0!\x0f a\n\x0e0!\nb\n中\n");

// ISO-2022 in long lines: plain letters, characters past ASCII and "$",
// "(" and ")" before and after designations and shifts of every kind, one with
// a U+0000 inside; a line feed read as the second byte of a pair after a
// shift out, which ends no line.
const std::string kIso2022LongLines = Repeat(std::string(
    "plain 中文 text (x) $y )z then $)A\x0eVP\x0f $B0!(B ja $y\x0eVP\x0f $)C\x0e0!\x0f after\n"
    "text 𠀀 $\0)A\x0eVP\x0f and (B$B0!(B(B x\n$)A\x0er\n\x0f\x0eV\x0f\xff"
    "B\n",
    120));

// Other input encodings: GB with no byte below 0x80 but the euro sign's
// (GB in lines and UTF-16 LE are shared shapes); Base64 in UTF-16 BE.
const std::string kGbNoAscii =
    Repeat(TextToCodePageBytes(u"中華民國的歷史悠久文化豐富€", CodePageId{936}));
// Base64 of the same GB, in one line: its bytes never fall below 0x40.
const std::string kBase64GbNoAscii = Repeat(TextToUtf8Bytes(
    BytesToBase64(TextToCodePageBytes(u"中華民國的歷史悠久文化豐富€", CodePageId{936}))));
const std::string kBase64Utf16Be = Utf16(kBase64Gb.substr(3, kInputBytes / 2), true);

struct StreamCase {
  const char* name;
  std::vector<std::string> args;
  const std::string* input;
  // The whole-text routine the command's result must equal.
  std::function<Text(const Text&)> whole;
  FileEncoding out = FileEncoding::kUtf8NoBom;
  FileEncoding in = FileEncoding::kUtf8NoBom;  // as "--in" asks
};

void PrintTo(const StreamCase& c, std::ostream* os) {
  *os << c.name << ":";
  for (const std::string& arg : c.args) *os << ' ' << arg;
}

std::function<Text(const Text&)> Iso2022(Iso2022Kind kind) {
  return [kind](const Text& t) { return DecodeIso2022Escapes(t, kind, kNoLengthLimit).text; };
}

std::function<Text(const Text&)> Map(TextMapping mapping) {
  return [mapping](const Text& t) { return ApplyTextMapping(t, mapping); };
}

std::function<Text(const Text&)> Unescape(EscapeFamily family) {
  return [family](const Text& t) { return DecodeNumericEscapes(t, family); };
}

std::function<Text(const Text&)> Bytes(LocaleId language, ByteEscapes escapes) {
  return [=](const Text& t) { return DecodeQpOrUrl(t, language, escapes); };
}

// The tool writes a lone surrogate as U+FFFD unless told to keep it.
std::function<Text(const Text&)> WithoutLoneSurrogates(std::function<Text(const Text&)> whole) {
  return [whole](const Text& t) {
    Text out = whole(t);
    for (std::size_t i = 0; i < out.size(); ++i) {
      if (U16_IS_LEAD(out[i]) && i + 1 < out.size() && U16_IS_TRAIL(out[i + 1])) {
        ++i;
      } else if (U16_IS_SURROGATE(out[i])) {
        out[i] = u'\uFFFD';
      }
    }
    return out;
  };
}

const auto kSame = [](const Text& t) { return t; };

std::function<Text(const Text&)> Shift(std::int32_t pos, LocaleId id) {
  return [=](const Text& t) { return ShiftHalfCharacter(t, pos, id, kNoLengthLimit).text; };
}

std::function<Text(const Text&)> InLines(Converted (*encode)(const Text&, ComposeBytes,
                                                             std::size_t),
                                         ComposeBytes bytes) {
  return [=](const Text& t) { return BareCrToCrLf(encode(t, bytes, kNoLengthLimit).text); };
}

const StreamCase kCases[] = {
    {"repair-lines", {"repair", "gb--big5"}, &kGarbledLines, Repair("gb--big5")},
    {"repair-one-line", {"repair", "gb--big5"}, &kGarbledOneLine, Repair("gb--big5")},
    {"repair-no-ascii", {"repair", "gb--big5"}, &kNoAscii, Repair("gb--big5")},
    {"repair-no-ascii-to-utf8", {"repair", "gb--utf8"}, &kNoAscii, Repair("gb--utf8")},
    {"repair-no-ascii-out-of-step", {"repair", "gb--ja"}, &kNoAscii, Repair("gb--ja")},
    {"repair-no-ascii-to-gb18030", {"repair", "cp:936:54936"}, &kNoAscii, Repair("cp:936:54936")},
    {"repair-out-of-step-then-plain", {"repair", "gb--ja"}, &kOutOfStepThenPlain, Repair("gb--ja")},
    {"repair-pair-across-nuls", {"repair", "gb--big5"}, &kPairAcrossNuls, Repair("gb--big5")},
    {"repair-letters-utf16", {"repair", "u--ube"}, &kLettersOnly, Repair("u--ube")},
    {"repair-letters-to-johab", {"repair", "cp:936:1361"}, &kLettersOnly, Repair("cp:936:1361")},
    {"repair-hangul-as-question-marks", {"repair", "gb--ja"}, &kHangulOnly, Repair("gb--ja")},
    {"repair-hangul-from-utf8", {"repair", "lcid:utf8:gb"}, &kHangulMarked, Repair("lcid:utf8:gb")},
    {"repair-four-byte-from-gb18030",
     {"repair", "cp:54936:936"},
     &kFourByteOnly,
     Repair("cp:54936:936")},
    {"repair-four-byte-to-utf8", {"repair", "gb--utf8"}, &kFourByteOnly, Repair("gb--utf8")},
    {"repair-nothing-gives-input", {"repair", "gb--utf8"}, &kNothingAsUtf8, Repair("gb--utf8")},
    {"repair-plain-among-odd", {"repair", "gb--big5"}, &kGarbledAmongOdd, Repair("gb--big5")},
    {"repair-awkward-gb-big5", {"repair", "gb--big5"}, &kAwkward, Repair("gb--big5")},
    {"repair-awkward-utf16", {"repair", "u--ube"}, &kAwkward, Repair("u--ube")},
    {"repair-awkward-utf8", {"repair", "gb--utf8"}, &kAwkward, Repair("gb--utf8")},
    {"repair-awkward-cp", {"repair", "cp:1252:65001"}, &kAwkward, Repair("cp:1252:65001")},
    {"repair-utf8-as-1252", {"repair", "cp:1252:65001"}, &kUtf8As1252, Repair("cp:1252:65001")},
    {"repair-one-line-to-gb",
     {"repair", "gb--big5", "--out", "gb"},
     &kGarbledOneLine,
     Repair("gb--big5"),
     FileEncoding::kAnsiGb},
    {"convert-awkward", {"convert"}, &kAwkward, kSame},
    {"convert-bom-in-and-out",
     {"convert", "--in", "utf8-bom", "--out", "utf8-bom"},
     &kAwkward,
     kSame,
     FileEncoding::kUtf8,
     FileEncoding::kUtf8},
    {"map-full-from-gb",
     {"map", "full", "--in", "gb"},
     &kGbLines,
     Map(TextMapping::kFullWidth),
     FileEncoding::kUtf8NoBom,
     FileEncoding::kAnsiGb},
    {"convert-from-gb-no-ascii",
     {"convert", "--in", "gb"},
     &kGbNoAscii,
     kSame,
     FileEncoding::kUtf8NoBom,
     FileEncoding::kAnsiGb},
    {"repair-from-utf16le-with-mark",
     {"repair", "gb--big5", "--in", "utf16le"},
     &kUtf16LeMarked,
     Repair("gb--big5"),
     FileEncoding::kUtf8NoBom,
     FileEncoding::kUnicodeNoBom},
    {"decode-base64-from-utf16be",
     {"decode", "base64:gb", "--in", "utf16be"},
     &kBase64Utf16Be,
     Base64(kLcidChinesePrc, Base64Alphabet::kStandard),
     FileEncoding::kUtf8NoBom,
     FileEncoding::kUnicodeBeNoBom},
    {"convert-to-utf16be-bom",
     {"convert", "--out", "utf16be-bom"},
     &kAwkward,
     kSame,
     FileEncoding::kUnicodeBe},
    {"convert-to-gb", {"convert", "--out", "gb"}, &kKana, kSame, FileEncoding::kAnsiGb},
    {"convert-four-byte",
     {"convert", "--out", "utf16le"},
     &kFourByte,
     kSame,
     FileEncoding::kUnicodeNoBom},
    {"map-full-four-byte", {"map", "full"}, &kFourByte, Map(TextMapping::kFullWidth)},
    {"encode-utf7-four-byte",
     {"encode", "utf7"},
     &kFourByte,
     [](const Text& t) { return EncodeUtf7(t, kNoLengthLimit).text; }},
    {"map-half", {"map", "half"}, &kKana, Map(TextMapping::kHalfWidth)},
    {"map-full", {"map", "full"}, &kKana, Map(TextMapping::kFullWidth)},
    {"map-traditional", {"map", "traditional"}, &kKana, Map(TextMapping::kTraditional)},
    {"map-simplified-awkward", {"map", "simplified"}, &kAwkward, Map(TextMapping::kSimplified)},
    {"encode-html-hex",
     {"encode", "html-hex"},
     &kAwkward,
     [](const Text& t) { return EncodeCharRefs(t, CharRefBase::kHex, kNoLengthLimit).text; }},
    {"encode-html-dec",
     {"encode", "html-dec"},
     &kGarbledOneLine,
     [](const Text& t) { return EncodeCharRefs(t, CharRefBase::kDecimal, kNoLengthLimit).text; }},
    {"decode-html", {"decode", "html"}, &kEscapes, Unescape(EscapeFamily::kHtml)},
    {"decode-html-sparse", {"decode", "html"}, &kSparseEscapes, Unescape(EscapeFamily::kHtml)},
    {"decode-numu1", {"decode", "numu1"}, &kEscapes, Unescape(EscapeFamily::kBackslash)},
    {"decode-numu2", {"decode", "numu2"}, &kEscapes, Unescape(EscapeFamily::kPercent)},
    {"decode-html-in-plain", {"decode", "html"}, &kEscapesInPlain, Unescape(EscapeFamily::kHtml)},
    {"decode-numu1-in-plain",
     {"decode", "numu1"},
     &kEscapesInPlain,
     Unescape(EscapeFamily::kBackslash)},
    {"decode-numu2-in-plain",
     {"decode", "numu2"},
     &kEscapesInPlain,
     Unescape(EscapeFamily::kPercent)},
    {"decode-url-gb",
     {"decode", "url:gb"},
     &kUrlEscapes,
     Bytes(kLcidChinesePrc, ByteEscapes::kUrl)},
    {"decode-url-big5",
     {"decode", "url:big5"},
     &kUrlEscapes,
     Bytes(kLcidChineseTaiwan, ByteEscapes::kUrl)},
    {"decode-url-utf8", {"decode", "url:utf8"}, &kUrlEscapes, Bytes(kIdUtf8, ByteEscapes::kUrl)},
    {"decode-url-utf8-runs", {"decode", "url:utf8"}, &kUrlRuns, Bytes(kIdUtf8, ByteEscapes::kUrl)},
    {"decode-url-gb-runs",
     {"decode", "url:gb"},
     &kUrlRuns,
     Bytes(kLcidChinesePrc, ByteEscapes::kUrl)},
    {"decode-url-big5-runs",
     {"decode", "url:big5"},
     &kUrlRuns,
     Bytes(kLcidChineseTaiwan, ByteEscapes::kUrl)},
    {"decode-url-ja-runs",
     {"decode", "url:ja"},
     &kUrlRuns,
     Bytes(kLcidJapanese, ByteEscapes::kUrl)},
    {"decode-url-awkward",
     {"decode", "url:gb"},
     &kAwkward,
     WithoutLoneSurrogates(Bytes(kLcidChinesePrc, ByteEscapes::kUrl))},
    {"decode-qp-gb",
     {"decode", "qp:gb"},
     &kQpEscapes,
     Bytes(kLcidChinesePrc, ByteEscapes::kQuotedPrintable)},
    {"decode-qp-utf8",
     {"decode", "qp:utf8"},
     &kQpEscapes,
     Bytes(kIdUtf8, ByteEscapes::kQuotedPrintable)},
    {"decode-qp-one-line",
     {"decode", "qp:gb"},
     &kQpOneLine,
     Bytes(kLcidChinesePrc, ByteEscapes::kQuotedPrintable)},
    {"decode-qp-awkward",
     {"decode", "qp:gb"},
     &kAwkward,
     WithoutLoneSurrogates(Bytes(kLcidChinesePrc, ByteEscapes::kQuotedPrintable))},
    {"shift-gb-lines", {"shift", "gb", "7"}, &kGarbledLines, Shift(7, kLcidChinesePrc)},
    {"shift-gb-no-ascii", {"shift", "gb", "3"}, &kNoAscii, Shift(3, kLcidChinesePrc)},
    {"shift-utf16-awkward", {"shift", "-1", "0"}, &kAwkward, Shift(0, kIdUtf16Be)},
    {"decode-base64-gb",
     {"decode", "base64:gb"},
     &kBase64Gb,
     Base64(kLcidChinesePrc, Base64Alphabet::kStandard)},
    {"decode-base64-gb-no-ascii",
     {"decode", "base64:gb"},
     &kBase64GbNoAscii,
     Base64(kLcidChinesePrc, Base64Alphabet::kStandard)},
    {"decode-base64-overlong",
     {"decode", "base64:gb"},
     &kBase64Overlong,
     Base64(kLcidChinesePrc, Base64Alphabet::kStandard)},
    {"decode-base64-odd-bytes",
     {"decode", "base64:gb"},
     &kBase64OddBytes,
     Base64(kLcidChinesePrc, Base64Alphabet::kStandard)},
    {"decode-base64-utf8-one-line",
     {"decode", "base64:utf8"},
     &kBase64Utf8,
     WithoutLoneSurrogates(Base64(kIdUtf8, Base64Alphabet::kStandard))},
    {"decode-base64url-big5",
     {"decode", "base64url:big5"},
     &kBase64Url,
     Base64(kLcidChineseTaiwan, Base64Alphabet::kUrl)},
    {"decode-base64-not-base64",
     {"decode", "base64:gb"},
     &kBase64Url,
     Base64(kLcidChinesePrc, Base64Alphabet::kStandard)},
    {"decode-utf7", {"decode", "utf7"}, &kUtf7, WithoutLoneSurrogates(DecodeUtf7)},
    {"decode-hz", {"decode", "hz"}, &kHz, DecodeHz},
    {"decode-hz-one-line", {"decode", "hz"}, &kHzOneLine, DecodeHz},
    {"decode-iso2022-zh", {"decode", "iso2022:zh"}, &kIso2022Cn, Iso2022(Iso2022Kind::kChinese)},
    {"decode-iso2022-ja", {"decode", "iso2022:ja"}, &kIso2022Ja, Iso2022(Iso2022Kind::kJapanese)},
    {"decode-iso2022-ko", {"decode", "iso2022:ko"}, &kIso2022Ko, Iso2022(Iso2022Kind::kKorean)},
    {"decode-iso2022-zh-long-lines",
     {"decode", "iso2022:zh"},
     &kIso2022LongLines,
     Iso2022(Iso2022Kind::kChinese)},
    {"decode-iso2022-ja-long-lines",
     {"decode", "iso2022:ja"},
     &kIso2022LongLines,
     Iso2022(Iso2022Kind::kJapanese)},
    {"decode-iso2022-ko-long-lines",
     {"decode", "iso2022:ko"},
     &kIso2022LongLines,
     Iso2022(Iso2022Kind::kKorean)},
    {"encode-base64-gb-cr-lines",
     {"encode", "base64:gb"},
     &kCrLines,
     InLines(EncodeBase64Text, ComposeBytes::kGb)},
    {"encode-base64-utf8-awkward",
     {"encode", "base64:utf8"},
     &kAwkward,
     InLines(EncodeBase64Text, ComposeBytes::kUtf8)},
    {"encode-qp-gb-cr-and-lf",
     {"encode", "qp:gb"},
     &kQpEscapes,
     InLines(EncodeQuotedPrintable, ComposeBytes::kGb)},
    {"encode-qp-utf8-cr-lines",
     {"encode", "qp:utf8"},
     &kCrLines,
     InLines(EncodeQuotedPrintable, ComposeBytes::kUtf8)},
    {"encode-utf7-cr-lines",
     {"encode", "utf7"},
     &kCrLines,
     [](const Text& t) { return EncodeUtf7(t, kNoLengthLimit).text; }},
    {"encode-hz-cr-lines",
     {"encode", "hz"},
     &kCrLines,
     [](const Text& t) { return EncodeHz(t, kNoLengthLimit).text; }},
};

class StreamedEqualsWhole : public testing::TestWithParam<StreamCase> {};

TEST_P(StreamedEqualsWhole, ByteForByte) {
  const StreamCase& c = GetParam();
  const std::string& input = *c.input;
  const FileEncoding detected = DetectFileEncoding(input);
  const FileEncoding used = ResolveFileEncoding(c.in, detected);
  const std::optional<Text> text = DecodeFileBytes(input, used, detected);
  ASSERT_TRUE(text);
  const std::optional<ByteString> expected = EncodeFileText(c.whole(*text), c.out);
  ASSERT_TRUE(expected);
  for (std::size_t skip : {0, 1, 2}) {
    // The same input shifted by a byte or two against the read boundaries
    // (the mark at the start stays where it is).
    std::string shifted = input;
    shifted.erase(3, skip);
    const std::optional<Text> shifted_text = DecodeFileBytes(shifted, used, detected);
    const ByteString want =
        skip == 0 ? *expected : EncodeFileText(c.whole(*shifted_text), c.out).value();
    const Result r = RunTool(c.args, shifted);
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.err, "");
    ASSERT_EQ(r.out.size(), want.size()) << c.name << " skipping " << skip;
    ASSERT_TRUE(r.out == want) << c.name << " skipping " << skip << ": first difference at "
                               << std::mismatch(r.out.begin(), r.out.end(), want.begin()).first -
                                      r.out.begin();
  }
}

// A few hundred bytes read a few bytes at a time: pieces end at every
// position the command may cut at.
TEST_P(StreamedEqualsWhole, InTinyReads) {
  const StreamCase& c = GetParam();
  const std::string input = c.input->substr(0, 300);
  const Result whole = RunTool(c.args, input);
  ASSERT_EQ(whole.status, 0) << whole.err;
  for (std::size_t read : {1, 2, 3, 5, 7, 16}) {
    SetStreamReadBytes(read);
    const Result pieces = RunTool(c.args, input);
    SetStreamReadBytes(0);
    ASSERT_EQ(pieces.status, 0) << pieces.err;
    ASSERT_EQ(testing::PrintToString(pieces.out), testing::PrintToString(whole.out))
        << c.name << " reading " << read << " bytes at a time from "
        << testing::PrintToString(input);
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, StreamedEqualsWhole, testing::ValuesIn(kCases),
                         CaseName<StreamCase>);

namespace fs = std::filesystem;

std::ptrdiff_t EntriesIn(const Scratch& dir) {
  return std::distance(fs::directory_iterator(dir.File("")), fs::directory_iterator());
}

TEST(StreamedSave, ReplacesTheTargetWithWhatStandardOutputGets) {
  const Scratch dir;
  dir.Write("out.txt", "old");
  const Result to_stdout = RunTool({"repair", "gb--big5"}, kGarbledOneLine);
  const Result saved = RunTool({"repair", "gb--big5", "-o", dir.File("out.txt")}, kGarbledOneLine);
  EXPECT_EQ(saved.status, 0) << saved.err;
  EXPECT_TRUE(dir.Read("out.txt") == to_stdout.out);
  EXPECT_EQ(EntriesIn(dir), 1);
}

// Runs the tool with files limited to `limit` bytes and exits with its
// status: a write past the limit fails (SIGXFSZ is ignored by Main).
[[noreturn]] void RepairWithFileLimit(const std::string& input, const std::string& target,
                                      rlim_t limit) {
  const rlimit small{limit, limit};
  ::setrlimit(RLIMIT_FSIZE, &small);
  std::string args[] = {"tekvo-cli", "repair", "gb--big5", input, "-o", target};
  char* argv[] = {args[0].data(), args[1].data(), args[2].data(),
                  args[3].data(), args[4].data(), args[5].data()};
  std::exit(Main(6, argv));
}

// A write that fails after some pieces went out leaves the old file whole
// and no temporary file behind.
TEST(StreamedSaveDeathTest, FailedWriteMidStreamKeepsTheOldFile) {
  const Scratch dir;
  dir.Write("in.txt", kGarbledOneLine);
  dir.Write("out.txt", "old");
  EXPECT_EXIT(RepairWithFileLimit(dir.File("in.txt"), dir.File("out.txt"), std::size_t{1} << 20),
              testing::ExitedWithCode(2), "out.txt");
  EXPECT_EQ(dir.Read("out.txt"), "old");
  EXPECT_EQ(EntriesIn(dir), 2);
}

}  // namespace
}  // namespace tekvo::cli
