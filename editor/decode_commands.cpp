#include "editor/decode_commands.h"

#include "dialogs/frm_cp.h"
#include "dialogs/frm_lid.h"
#include "editor/command_guard.h"
#include "editor/menu_captions.h"
#include "editor/qtext.h"
#include "engine/fixed_repairs.h"
#include "engine/reinterpret.h"

namespace tekvo {
namespace {

constexpr char16_t kConvertTooLong[] = u"转换失败~ 文本过长";

// The repair's result into the box (also when unchanged), the status text,
// one step. A refused over-long result has been answered with the message
// and leaves the text as it was, which the history reports as no change.
void PutResult(EditorContext& ctx, const Converted& result, const Text& say) {
  if (result.too_long) ctx.seam.Tell(kConvertTooLong);
  ctx.txtA.SetText(result.text);
  ctx.lblSay.SetCaption(say);
  ctx.history.RecordStep(true);
}

}  // namespace

Text CaptionSay(std::u16string_view caption) {
  const std::size_t colon = caption.find(u" ：");
  if (colon == std::u16string_view::npos) return Text();
  return Text(caption.substr(0, colon + 1));
}

void mnuChgA2B_Click(EditorContext& ctx, int index) {
  // Separators and indexes outside the menu change nothing.
  const FixedRepair* repair = FixedRepairAtMenuIndex(index);
  if (repair == nullptr) return;
  IgnoreFailures([&] {
    const Converted result = ReinterpretByLocale(ctx.txtA.Text(), repair->a, repair->b);
    PutResult(ctx, result, CaptionSay(captions::kChgA2B[index]));
  });
}

void mnuAskA2B_Click(EditorContext& ctx, int index) {
  IgnoreFailures([&] {
    if (index == 0) {
      FrmLid& dialog = ctx.dialogs.Get<FrmLid>();
      dialog.Activate();
      ctx.seam.RunDialog(dialog);
      if (!dialog.bOk) return;
      const Converted result = ReinterpretByLocale(ctx.txtA.Text(), dialog.lLidA, dialog.lLidB);
      PutResult(ctx, result, ToText(dialog.sSay));
    } else if (index == 1) {
      FrmCp& dialog = ctx.dialogs.Get<FrmCp>();
      dialog.Activate();
      ctx.seam.RunDialog(dialog);
      if (!dialog.bOk) return;
      const Converted result = ReinterpretByCodePage(ctx.txtA.Text(), dialog.lCPA, dialog.lCPB);
      PutResult(ctx, result, ToText(dialog.sSay));
    }
  });
}

}  // namespace tekvo
