#include "editor/transfer_commands.h"

#include <array>
#include <string_view>
#include <utility>

#include "dialogs/frm_tl.h"
#include "dialogs/qtext.h"
#include "editor/command_guard.h"
#include "editor/decode_commands.h"
#include "editor/line_breaks.h"
#include "editor/menu_captions.h"
#include "editor/whole_text.h"
#include "engine/base64.h"
#include "engine/char_refs.h"
#include "engine/hz.h"
#include "engine/quoted_printable.h"
#include "engine/utf7.h"

namespace tekvo {
namespace {

// Base64 can hide three line breaks in four characters, and the box stores
// each as CR LF, so a decoded text may no longer fit although it has fewer
// units than its source.
Text FitOrKeep(EditorContext& ctx, Text result, const Text& source) {
  return FitWholeText(ctx.seam, Converted{std::move(result), false}, source);
}

// The fixed-item pattern: the whole text through one decoder, the result put
// back even when unchanged, the caption's start as status text, one step.
// A decoder that runs out of memory ends the command with the document as it
// was.
template <class Decode>
void RunFixedItem(EditorContext& ctx, std::u16string_view caption, Decode&& decode) {
  IgnoreFailures([&] {
    const Text text = ctx.txtA.Text();
    const Text result = FitOrKeep(ctx, decode(text), text);
    ctx.txtA.SetText(result);
    ctx.lblSay.SetCaption(CaptionSay(caption));
    ctx.history.RecordStep(true);
  });
}

constexpr std::array<EscapeFamily, 3> kNumUFamilies = {
    EscapeFamily::kHtml, EscapeFamily::kBackslash, EscapeFamily::kPercent};

struct ReadQpItem {
  LocaleId language;
  ByteEscapes escapes;
};

// Index 3 is the separator between the URL and the QP items.
constexpr std::array<ReadQpItem, 7> kReadQpItems = {{
    {2052, ByteEscapes::kUrl},
    {1028, ByteEscapes::kUrl},
    {kIdUtf8, ByteEscapes::kUrl},
    {0, ByteEscapes::kUrl},
    {2052, ByteEscapes::kQuotedPrintable},
    {1028, ByteEscapes::kQuotedPrintable},
    {kIdUtf8, ByteEscapes::kQuotedPrintable},
}};

constexpr std::array<LocaleId, 3> kBase64Languages = {2052, 1028, kIdUtf8};

bool InRange(int index, std::size_t size) {
  return index >= 0 && static_cast<std::size_t>(index) < size;
}

}  // namespace

void mnuNumU_Click(EditorContext& ctx, int index) {
  if (!InRange(index, kNumUFamilies.size())) return;
  RunFixedItem(ctx, captions::kNumU[index],
               [&](const Text& t) { return DecodeNumericEscapes(t, kNumUFamilies[index]); });
}

void mnuReadQp_Click(EditorContext& ctx, int index) {
  if (!InRange(index, kReadQpItems.size()) || captions::kReadQp[index] == captions::kSeparator) {
    return;
  }
  const ReadQpItem item = kReadQpItems[index];
  RunFixedItem(ctx, captions::kReadQp[index],
               [&](const Text& t) { return DecodeQpOrUrl(t, item.language, item.escapes); });
}

void mnuBase64_Click(EditorContext& ctx, int index) {
  if (!InRange(index, kBase64Languages.size())) return;
  const LocaleId language = kBase64Languages[index];
  auto decode = [&](const Text& t) {
    return DecodeBase64Text(t, language, Base64Alphabet::kStandard);
  };
  // A selection of Base64 inside other text (a mail part) is decoded alone.
  if (ctx.txtA.SelLength() < 2) {
    RunFixedItem(ctx, captions::kBase64[index], decode);
    return;
  }
  IgnoreFailures([&] {
    const Text selected = ctx.txtA.SelText();
    Text decoded = decode(selected);
    if (ctx.history.ReplacementTooLong(decoded)) {
      ctx.seam.Tell(kConvertTooLong);
      decoded = selected;
    }
    const std::int32_t start = ctx.txtA.SelStart();
    ctx.txtA.SetSelText(decoded);
    const std::int32_t end = ctx.txtA.SelStart();
    ctx.txtA.SetSelStart(start);
    ctx.txtA.SetSelLength(end - start);
    ctx.lblSay.SetCaption(CaptionSay(captions::kBase64[index]));
    ctx.history.RecordStep(true);
  });
}

void mnuJieA_Click(EditorContext& ctx, int index) {
  if (index == 0) {
    RunFixedItem(ctx, captions::kJieA[0], [](const Text& t) { return DecodeUtf7(t); });
  } else if (index == 1) {
    RunFixedItem(ctx, captions::kJieA[1], [](const Text& t) { return DecodeHz(t); });
  }
}

void mnuAskJieA_Click(EditorContext& ctx) {
  IgnoreFailures([&] {
    FrmTl& dialog = ctx.dialogs.Get<FrmTl>();
    dialog.Activate();
    ctx.seam.RunDialog(dialog);
    if (!dialog.bOk) return;
    const Text text = ctx.txtA.Text();
    Text result = text;
    switch (dialog.nOpr) {
      case FrmTl::kUrl:
        result = DecodeQpOrUrl(text, dialog.lLid, ByteEscapes::kUrl);
        break;
      case FrmTl::kQp:
        result = DecodeQpOrUrl(text, dialog.lLid, ByteEscapes::kQuotedPrintable);
        break;
      case FrmTl::kBase64:
        result = DecodeBase64Text(text, dialog.lLid, Base64Alphabet::kStandard);
        break;
      case FrmTl::kBase64Url:
        result = DecodeBase64Text(text, dialog.lLid, Base64Alphabet::kUrl);
        break;
      default:
        break;
    }
    ctx.txtA.SetText(FitOrKeep(ctx, std::move(result), text));
    ctx.lblSay.SetCaption(ToText(dialog.sSay));
    ctx.history.RecordStep(true);
  });
}

}  // namespace tekvo
