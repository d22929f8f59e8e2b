// Inputs of a few megabytes for the streaming tests: a short unit repeated
// past three reads, so that the read boundaries fall at every offset inside
// its sequences, and the whole-text routines their results must equal.
#ifndef TEKVO_TESTS_CLI_STREAM_SHAPES_H_
#define TEKVO_TESTS_CLI_STREAM_SHAPES_H_

#include <cstddef>
#include <functional>
#include <string>

#include "cli/commands/repair_name.h"
#include "engine/codepage/codepage.h"
#include "engine/text/text.h"
#include "engine/transfer/base64.h"

namespace tekvo::cli {

inline constexpr std::size_t kInputBytes = std::size_t{5} << 19;  // 2.5 MiB: three reads and more

inline std::string Repeat(const std::string& unit, const std::string& start = "") {
  std::string all = start;
  while (all.size() < kInputBytes) all += unit;
  return all;
}

inline std::string Utf16(const std::string& utf8, bool big_endian) {
  std::string bytes = TextToUtf16LeBytes(Utf8BytesToText(utf8));
  return big_endian ? SwapBytePairs(bytes) : bytes;
}

// Big5 text shown as GB, in lines and in one line.
inline const std::string kGarbledLine = TextToUtf8Bytes(CodePageBytesToText(
    TextToCodePageBytes(u"中華民國的歷史悠久，文化豐富。Plain ASCII too.\n", CodePageId{950}),
    CodePageId{936}));
inline const std::string kGarbledLines = Repeat(kGarbledLine);
inline const std::string kGarbledOneLine = Repeat(TextToUtf8Bytes(CodePageBytesToText(
    TextToCodePageBytes(u"中華民國的歷史悠久，文化豐富。 Plain, (ASCII)", CodePageId{950}),
    CodePageId{936})));
// GB with U+0000, the euro sign's single byte, a lead byte cut short before
// a line break and one before a space.
inline const std::string kGbLines =
    Repeat(TextToCodePageBytes(u"中華民國 ABC，漢字€。", CodePageId{936}) +
           std::string("\0\xB5\n\xB5 x\n", 7));
// UTF-16 LE after its mark, a surrogate pair inside.
inline const std::string kUtf16LeMarked =
    "\xFF\xFE" + Utf16(kGarbledOneLine.substr(0, kInputBytes / 2) + "😀", false);

inline std::function<Text(const Text&)> Repair(const char* name) {
  const RepairChoice choice = *ParseRepairName(name);
  return [choice](const Text& t) { return ApplyRepair(choice, t, kNoLengthLimit).text; };
}

inline std::function<Text(const Text&)> Base64(LocaleId language, Base64Alphabet alphabet) {
  return [=](const Text& t) { return DecodeBase64Text(t, language, alphabet); };
}

}  // namespace tekvo::cli

#endif  // TEKVO_TESTS_CLI_STREAM_SHAPES_H_
