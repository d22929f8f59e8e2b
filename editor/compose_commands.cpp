#include "editor/compose_commands.h"

#include "editor/command_guard.h"
#include "editor/menu_captions.h"
#include "editor/whole_text.h"
#include "engine/transfer/base64.h"
#include "engine/transfer/char_refs.h"
#include "engine/transfer/hz.h"
#include "engine/transfer/quoted_printable.h"
#include "engine/transfer/utf7.h"

namespace tekvo {
namespace {

constexpr char16_t kChangeTooLong[] = u"修改失败~ 文本过长";

// The encoder of a compose item; separators give the selection back.
Converted Compose(int index, const Text& s) {
  switch (index) {
    case 0:
      return EncodeCharRefs(s, CharRefBase::kHex);
    case 1:
      return EncodeCharRefs(s, CharRefBase::kDecimal);
    case 3:
      return EncodeQuotedPrintable(s, ComposeBytes::kGb);
    case 4:
      return EncodeQuotedPrintable(s, ComposeBytes::kUtf8);
    case 6:
      return EncodeBase64Text(s, ComposeBytes::kGb);
    case 7:
      return EncodeBase64Text(s, ComposeBytes::kUtf8);
    case 9:
      return EncodeUtf7(s);
    case 10:
      return EncodeHz(s);
    default:
      return {s, false};
  }
}

}  // namespace

bool ComposedTooLong(EditorContext& ctx, const Text& r) {
  // The encoders break their lines with a bare CR, which the box stores as
  // CR LF: one extra unit for every 76 of the result. A result whose own line
  // breaks outnumber that allowance is measured as the box will store it.
  const std::int64_t n = static_cast<std::int64_t>(r.size());
  const std::int64_t estimate =
      std::int64_t{ctx.txtA.TextLength()} - ctx.txtA.SelLength() + n + n / 76;
  return estimate > static_cast<std::int64_t>(kMaxTextLen) || ctx.history.ReplacementTooLong(r);
}

void mnuMake_Click(EditorContext& ctx, int index) {
  if (index < 0 || index >= static_cast<int>(captions::kMake.size())) return;
  ShowFailures(ctx.seam, [&] {
    const Text s = ctx.txtA.SelText();
    Converted composed = Compose(index, s);
    if (composed.too_long) ctx.seam.Tell(kConvertTooLong);
    const Text& r = composed.text;
    // A refused selection goes back as it was; the room for line breaks that
    // an encoded text would need must not refuse it a second time.
    if (!composed.too_long && ComposedTooLong(ctx, r)) {
      ctx.seam.Tell(kChangeTooLong);
      return;
    }
    const std::int32_t start = ctx.txtA.SelStart();
    ctx.txtA.SetSelText(r);
    ctx.txtA.SetSelStart(start);
    ctx.txtA.SetSelLength(static_cast<std::int32_t>(r.size()));
    ctx.lblSay.SetCaption(Text(captions::kMake[index]));
    ctx.history.RecordStep(true);
  });
}

}  // namespace tekvo
