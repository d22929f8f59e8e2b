// tekvo-cli's streaming commands on 64 MiB files against uconv doing the
// same work in the same run: wall time, CPU time and peak memory of the
// child processes, each as a ratio to the peer's.
//
// Targets: `repair gb--big5` in at most 0.6 of the wall time of uconv's two
// conversions as a pipe (UTF-8 to GBK, Big5 to UTF-8) on text in lines, at
// most 1.0 of it on the same text as one line; every command under 64 MiB of
// peak memory whatever the shape of its input (the same text with no ASCII
// at all included).
#include <string>

#include "bench/child_run.h"
#include "engine/codepage/codepage.h"
#include "engine/transfer/base64.h"
#include "engine/transfer/char_refs.h"
#include "engine/transfer/hz.h"
#include "engine/transfer/utf7.h"

namespace tekvo {
namespace {

using namespace tekvo::bench;

constexpr double kLinesWallTarget = 0.6;
constexpr double kOneLineWallTarget = 1.0;

// Big5 text shown as GB, as UTF-8: in lines, or as one line with no line
// feed at all.
fs::path WriteGarbledFile(const char* name, bool line_feeds) {
  const ByteString big5 =
      TextToCodePageBytes(line_feeds ? u"中華民國的歷史悠久，文化豐富。Plain ASCII too.\n"
                                     : u"中華民國的歷史悠久，文化豐富。Plain ASCII too. ",
                          CodePageId{950});
  return WriteRepeated(name, TextToUtf8Bytes(CodePageBytesToText(big5, CodePageId{936})));
}

const fs::path& GarbledFile() {
  static const fs::path path = WriteGarbledFile("garbled.txt", true);
  return path;
}

const fs::path& OneLineGarbledFile() {
  static const fs::path path = WriteGarbledFile("one-line.txt", false);
  return path;
}

// The same with no ASCII at all: no line feed or space to cut after.
const fs::path& NoAsciiGarbledFile() {
  static const fs::path path = WriteRepeated(
      "no-ascii.txt",
      TextToUtf8Bytes(CodePageBytesToText(
          TextToCodePageBytes(u"中華民國的歷史悠久文化豐富", CodePageId{950}), CodePageId{936})));
  return path;
}

// Clean Chinese text as HTML references, one line.
const fs::path& ReferencesFile() {
  static const fs::path path = WriteRepeated(
      "references.txt",
      TextToUtf8Bytes(
          EncodeCharRefs(u"中华民国的历史悠久，文化丰富。Plain ASCII too. ", CharRefBase::kHex)
              .text));
  return path;
}

// GB text as URL escapes, one line, and as quoted-printable in lines.
const fs::path& UrlEscapesFile() {
  static const fs::path path =
      WriteRepeated("url.txt", "%D6%D0%BB%AA%C3%F1%B9%FA+Plain+ASCII%2C+too.+%B5A%B5%E7 ");
  return path;
}

const fs::path& QpFile() {
  static const fs::path path =
      WriteRepeated("qp.txt", "=D6=D0=BB=AA=C3=F1=B9=FA Plain ASCII, too. =B5=E7=C4=\r\n=D4\r\n");
  return path;
}

// Clean Chinese text as GB bytes, unit after unit: the content of the files
// for the transfer decoders.
constexpr char16_t kCleanLine[] = u"中华民国的历史悠久，文化丰富。Plain ASCII too.\n";

// Base64 of GB text in lines of 76 characters ending in LF, as coreutils
// writes it: 57 copies of the line are a whole number of Base64 lines.
const fs::path& Base64File() {
  static const fs::path path = [] {
    ByteString bytes;
    const ByteString line = TextToCodePageBytes(kCleanLine, CodePageId{936});
    for (int i = 0; i < 57; ++i) bytes += line;
    const ByteString b64 = TextToUtf8Bytes(BytesToBase64(bytes));
    ByteString unit;
    for (std::size_t i = 0; i < b64.size(); i += 76) unit += b64.substr(i, 76) + "\n";
    return WriteRepeated("base64.txt", unit);
  }();
  return path;
}

// The same text in GB bytes, in lines.
const fs::path& GbFile() {
  static const fs::path path =
      WriteRepeated("gb.txt", TextToCodePageBytes(kCleanLine, CodePageId{936}));
  return path;
}

// UTF-7 and HZ of clean Chinese text in lines.
const fs::path& Utf7File() {
  static const fs::path path =
      WriteRepeated("utf7.txt", TextToUtf8Bytes(EncodeUtf7(kCleanLine).text));
  return path;
}

const fs::path& HzFile() {
  static const fs::path path = WriteRepeated("hz.txt", TextToUtf8Bytes(EncodeHz(kCleanLine).text));
  return path;
}

// HZ of Chinese text with no line feed: one line of GB-mode runs, each ended
// by a space (uconv refuses "~}" right before "~{").
const fs::path& HzOneLineFile() {
  static const fs::path path = WriteRepeated(
      "hz-one-line.txt", TextToUtf8Bytes(EncodeHz(u"中华民国的历史悠久文化丰富 ").text));
  return path;
}

// The peers run first, so that the tool's runs have figures to compare with.
constexpr const char* kPipe = "uconv pipe";
constexpr const char* kPipeOneLine = "uconv pipe, one line";
constexpr const char* kPipeNoAscii = "uconv pipe, no ASCII";
constexpr const char* kToUtf16 = "uconv to UTF-16";
constexpr const char* kHansHant = "uconv -x Hans-Hant";
constexpr const char* kXmlHex = "uconv escape-xml-hex";
constexpr const char* kBase64Encode = "base64 -w 76";
constexpr const char* kBase64Decode = "base64 -d";
constexpr const char* kToUtf7 = "uconv -t UTF-7";
constexpr const char* kFromUtf7 = "uconv -f UTF-7";
constexpr const char* kToHz = "uconv -t HZ";
constexpr const char* kFromHz = "uconv -f HZ";
constexpr const char* kFromHzOneLine = "uconv -f HZ, one line";
constexpr const char* kFromGb = "uconv -f windows-936-2000";

std::string PipeCommand(const fs::path& file) {
  return "uconv -f UTF-8 -t windows-936-2000 " + Quoted(file) +
         " | uconv -f windows-950-2000 -t UTF-8 > /dev/null";
}

void BM_UconvPipe(benchmark::State& state) {
  RunPeer(state, kPipe, PipeCommand(GarbledFile()), GarbledFile());
}
TEKVO_CHILD_BENCHMARK(BM_UconvPipe);

void BM_UconvPipeOneLine(benchmark::State& state) {
  RunPeer(state, kPipeOneLine, PipeCommand(OneLineGarbledFile()), OneLineGarbledFile());
}
TEKVO_CHILD_BENCHMARK(BM_UconvPipeOneLine);

void BM_UconvPipeNoAscii(benchmark::State& state) {
  RunPeer(state, kPipeNoAscii, PipeCommand(NoAsciiGarbledFile()), NoAsciiGarbledFile());
}
TEKVO_CHILD_BENCHMARK(BM_UconvPipeNoAscii);

void BM_UconvToUtf16(benchmark::State& state) {
  RunPeer(state, kToUtf16,
          "uconv -f UTF-8 -t UTF-16LE " + Quoted(OneLineGarbledFile()) + " > /dev/null",
          OneLineGarbledFile());
}
TEKVO_CHILD_BENCHMARK(BM_UconvToUtf16);

void BM_UconvHansHant(benchmark::State& state) {
  RunPeer(state, kHansHant,
          "uconv -f UTF-8 -t UTF-8 -x Hans-Hant " + Quoted(OneLineGarbledFile()) + " > /dev/null",
          OneLineGarbledFile());
}
TEKVO_CHILD_BENCHMARK(BM_UconvHansHant);

void BM_UconvXmlHex(benchmark::State& state) {
  RunPeer(state, kXmlHex,
          "uconv -f UTF-8 -t US-ASCII --to-callback escape-xml-hex " +
              Quoted(OneLineGarbledFile()) + " > /dev/null",
          OneLineGarbledFile());
}
TEKVO_CHILD_BENCHMARK(BM_UconvXmlHex);

void BM_Base64EncodeOneLine(benchmark::State& state) {
  RunPeer(state, kBase64Encode, "base64 -w 76 " + Quoted(OneLineGarbledFile()) + " > /dev/null",
          OneLineGarbledFile(), "base64");
}
TEKVO_CHILD_BENCHMARK(BM_Base64EncodeOneLine);

void BM_Base64Decode(benchmark::State& state) {
  RunPeer(state, kBase64Decode, "base64 -d " + Quoted(Base64File()) + " > /dev/null", Base64File(),
          "base64");
}
TEKVO_CHILD_BENCHMARK(BM_Base64Decode);

void BM_UconvToUtf7(benchmark::State& state) {
  RunPeer(state, kToUtf7,
          "uconv -f UTF-8 -t UTF-7 " + Quoted(OneLineGarbledFile()) + " > /dev/null",
          OneLineGarbledFile());
}
TEKVO_CHILD_BENCHMARK(BM_UconvToUtf7);

void BM_UconvFromUtf7(benchmark::State& state) {
  RunPeer(state, kFromUtf7, "uconv -f UTF-7 -t UTF-8 " + Quoted(Utf7File()) + " > /dev/null",
          Utf7File());
}
TEKVO_CHILD_BENCHMARK(BM_UconvFromUtf7);

void BM_UconvToHz(benchmark::State& state) {
  RunPeer(state, kToHz, "uconv -c -f UTF-8 -t HZ " + Quoted(OneLineGarbledFile()) + " > /dev/null",
          OneLineGarbledFile());
}
TEKVO_CHILD_BENCHMARK(BM_UconvToHz);

void BM_UconvFromHz(benchmark::State& state) {
  RunPeer(state, kFromHz, "uconv -f HZ -t UTF-8 " + Quoted(HzFile()) + " > /dev/null", HzFile());
}
TEKVO_CHILD_BENCHMARK(BM_UconvFromHz);

void BM_UconvFromHzOneLine(benchmark::State& state) {
  RunPeer(state, kFromHzOneLine, "uconv -f HZ -t UTF-8 " + Quoted(HzOneLineFile()) + " > /dev/null",
          HzOneLineFile());
}
TEKVO_CHILD_BENCHMARK(BM_UconvFromHzOneLine);

void BM_UconvFromGb(benchmark::State& state) {
  RunPeer(state, kFromGb, "uconv -f windows-936-2000 -t UTF-8 " + Quoted(GbFile()) + " > /dev/null",
          GbFile());
}
TEKVO_CHILD_BENCHMARK(BM_UconvFromGb);

void BM_RepairLines(benchmark::State& state) {
  RunTool(state, "repair gb--big5", GarbledFile(), kPipe, kLinesWallTarget);
}
TEKVO_CHILD_BENCHMARK(BM_RepairLines);

void BM_RepairOneLine(benchmark::State& state) {
  RunTool(state, "repair gb--big5", OneLineGarbledFile(), kPipeOneLine, kOneLineWallTarget);
}
TEKVO_CHILD_BENCHMARK(BM_RepairOneLine);

void BM_RepairNoAscii(benchmark::State& state) {
  RunTool(state, "repair gb--big5", NoAsciiGarbledFile(), kPipeNoAscii, 0);
}
TEKVO_CHILD_BENCHMARK(BM_RepairNoAscii);

void BM_ConvertToUtf16OneLine(benchmark::State& state) {
  RunTool(state, "convert --out utf16le", OneLineGarbledFile(), kToUtf16, 0);
}
TEKVO_CHILD_BENCHMARK(BM_ConvertToUtf16OneLine);

void BM_MapTraditionalOneLine(benchmark::State& state) {
  RunTool(state, "map traditional", OneLineGarbledFile(), kHansHant, 0);
}
TEKVO_CHILD_BENCHMARK(BM_MapTraditionalOneLine);

void BM_EncodeHtmlHexOneLine(benchmark::State& state) {
  RunTool(state, "encode html-hex", OneLineGarbledFile(), kXmlHex, 0);
}
TEKVO_CHILD_BENCHMARK(BM_EncodeHtmlHexOneLine);

// uconv cannot read references: its pipe on the garbled file of the same
// size is the yardstick.
void BM_DecodeHtmlOneLine(benchmark::State& state) {
  RunTool(state, "decode html", ReferencesFile(), kPipeOneLine, 0);
}
TEKVO_CHILD_BENCHMARK(BM_DecodeHtmlOneLine);

void BM_DecodeUrlOneLine(benchmark::State& state) {
  RunTool(state, "decode url:gb", UrlEscapesFile(), kPipeOneLine, 0);
}
TEKVO_CHILD_BENCHMARK(BM_DecodeUrlOneLine);

void BM_DecodeQpLines(benchmark::State& state) {
  RunTool(state, "decode qp:gb", QpFile(), kPipeOneLine, 0);
}
TEKVO_CHILD_BENCHMARK(BM_DecodeQpLines);

// The Base64 encoders of coreutils and the tool both fold lines; the tool
// also converts the text to GB or UTF-8 first, and reads it through once to
// see whether it holds a line feed.
void BM_EncodeBase64OneLine(benchmark::State& state) {
  RunTool(state, "encode base64:utf8", OneLineGarbledFile(), kBase64Encode, 0);
}
TEKVO_CHILD_BENCHMARK(BM_EncodeBase64OneLine);

void BM_EncodeQpOneLine(benchmark::State& state) {
  RunTool(state, "encode qp:gb", OneLineGarbledFile(), kBase64Encode, 0);
}
TEKVO_CHILD_BENCHMARK(BM_EncodeQpOneLine);

// coreutils only gives the bytes; the tool reads them as GB text too, after
// reading the file through once to see that all of it is Base64.
void BM_DecodeBase64Lines(benchmark::State& state) {
  RunTool(state, "decode base64:gb", Base64File(), kBase64Decode, 0);
}
TEKVO_CHILD_BENCHMARK(BM_DecodeBase64Lines);

void BM_EncodeUtf7OneLine(benchmark::State& state) {
  RunTool(state, "encode utf7", OneLineGarbledFile(), kToUtf7, 0);
}
TEKVO_CHILD_BENCHMARK(BM_EncodeUtf7OneLine);

void BM_DecodeUtf7Lines(benchmark::State& state) {
  RunTool(state, "decode utf7", Utf7File(), kFromUtf7, 0);
}
TEKVO_CHILD_BENCHMARK(BM_DecodeUtf7Lines);

void BM_EncodeHzOneLine(benchmark::State& state) {
  RunTool(state, "encode hz", OneLineGarbledFile(), kToHz, 0);
}
TEKVO_CHILD_BENCHMARK(BM_EncodeHzOneLine);

void BM_DecodeHzLines(benchmark::State& state) {
  RunTool(state, "decode hz", HzFile(), kFromHz, 0);
}
TEKVO_CHILD_BENCHMARK(BM_DecodeHzLines);

void BM_DecodeHzOneLine(benchmark::State& state) {
  RunTool(state, "decode hz", HzOneLineFile(), kFromHzOneLine, 0);
}
TEKVO_CHILD_BENCHMARK(BM_DecodeHzOneLine);

void BM_ConvertFromGbLines(benchmark::State& state) {
  RunTool(state, "convert --in gb", GbFile(), kFromGb, 0);
}
TEKVO_CHILD_BENCHMARK(BM_ConvertFromGbLines);

// The shift reads the file through once to check the position, then
// converts it a piece at a time in order, on one thread.
void BM_ShiftOneLine(benchmark::State& state) {
  RunTool(state, "shift gb 1000", OneLineGarbledFile(), kPipeOneLine, 0);
}
TEKVO_CHILD_BENCHMARK(BM_ShiftOneLine);

void BM_SuggestApplyOneLine(benchmark::State& state) {
  RunTool(state, "suggest --apply", OneLineGarbledFile(), kPipeOneLine, 0);
}
TEKVO_CHILD_BENCHMARK(BM_SuggestApplyOneLine);

}  // namespace
}  // namespace tekvo
