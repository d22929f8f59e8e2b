// Compose then decode, as the editor does it: the selection (bare CR line
// breaks) is encoded, the box shows every line break as CR LF, and the decode
// command reads that text back.
#include <gtest/gtest.h>

#include <functional>

#include "engine/transfer/base64.h"
#include "engine/transfer/char_refs.h"
#include "engine/transfer/hz.h"
#include "engine/transfer/quoted_printable.h"
#include "engine/transfer/utf7.h"
#include "tests/engine/transfer_test_util.h"

namespace tekvo {
namespace {

using transfer_test::Show;

// What the box reports for text put in with bare CRs.
Text AsBoxText(const Text& text) {
  Text out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')) out += u'\n';
  }
  return out;
}

const Text kSimplified =
    u"只支持ASCII码的系统\r北京欢迎你！今天天气很好，我们去公园散步吧。\r"
    u"乱码修复工具：把“乱码”变回文字，价格￥100元（约合15美元）。";
const Text kTraditional = u"中國傳統文化，繁體字。\r臺灣的資訊科技產業發達";
const Text kJapanese = u"日本語のテキストです。\rカタカナとひらがな、漢字。";
const Text kKorean = u"한국어 텍스트 예제입니다.\r두 번째 줄";
const Text kMixed = u"表情😀与汉字 mixed with English, Ελληνικά и Русский; a+b=c ~tilde~";

struct Format {
  const char* name;
  std::function<Converted(const Text&)> compose;
  std::function<Text(const Text&)> decode;
  std::vector<const Text*> texts;
};

TEST(ComposeThenDecode, EveryFormatRestoresTheText) {
  const std::vector<const Text*> all = {&kSimplified, &kTraditional, &kJapanese, &kKorean, &kMixed};
  const std::vector<const Text*> gbk = {&kSimplified, &kTraditional};
  const Format formats[] = {
      {"html-hex", [](const Text& t) { return EncodeCharRefs(t, CharRefBase::kHex); },
       [](const Text& t) { return DecodeNumericEscapes(t, EscapeFamily::kHtml); }, all},
      {"html-dec", [](const Text& t) { return EncodeCharRefs(t, CharRefBase::kDecimal); },
       [](const Text& t) { return DecodeNumericEscapes(t, EscapeFamily::kHtml); }, all},
      {"qp-gb", [](const Text& t) { return EncodeQuotedPrintable(t, ComposeBytes::kGb); },
       [](const Text& t) {
         return DecodeQpOrUrl(t, LocaleId{2052}, ByteEscapes::kQuotedPrintable);
       },
       gbk},
      {"qp-utf8", [](const Text& t) { return EncodeQuotedPrintable(t, ComposeBytes::kUtf8); },
       [](const Text& t) { return DecodeQpOrUrl(t, kIdUtf8, ByteEscapes::kQuotedPrintable); }, all},
      {"base64-gb", [](const Text& t) { return EncodeBase64Text(t, ComposeBytes::kGb); },
       [](const Text& t) { return DecodeBase64Text(t, LocaleId{2052}, Base64Alphabet::kStandard); },
       gbk},
      {"base64-utf8", [](const Text& t) { return EncodeBase64Text(t, ComposeBytes::kUtf8); },
       [](const Text& t) { return DecodeBase64Text(t, kIdUtf8, Base64Alphabet::kStandard); }, all},
      {"utf7", [](const Text& t) { return EncodeUtf7(t); },
       [](const Text& t) { return DecodeUtf7(t); }, all},
      {"hz",
       [](const Text& t) { return EncodeHz(t); },
       [](const Text& t) { return DecodeHz(t); },
       {&kSimplified}},
  };
  for (const auto& f : formats) {
    for (const Text* text : f.texts) {
      SCOPED_TRACE(std::string(f.name) + " " + Show(*text));
      const Converted composed = f.compose(*text);
      ASSERT_FALSE(composed.too_long);
      EXPECT_NE(composed.text, *text);
      const Text decoded = f.decode(AsBoxText(composed.text));
      EXPECT_EQ(decoded, AsBoxText(*text)) << "composed " << Show(composed.text);
    }
  }
}

TEST(ComposeThenDecode, LongTextAcrossManyLines) {
  Text text;
  for (int i = 0; i < 45; ++i) text += kSimplified + u"\r";
  ASSERT_LE(text.size(), 3276u);
  const Converted b64 = EncodeBase64Text(text, ComposeBytes::kGb);
  EXPECT_EQ(DecodeBase64Text(AsBoxText(b64.text), LocaleId{2052}, Base64Alphabet::kStandard),
            AsBoxText(text));
  const Text head = text.substr(0, 1600);
  const Converted qp = EncodeQuotedPrintable(head, ComposeBytes::kUtf8);
  EXPECT_EQ(DecodeQpOrUrl(AsBoxText(qp.text), kIdUtf8, ByteEscapes::kQuotedPrintable),
            AsBoxText(head));
}

}  // namespace
}  // namespace tekvo
