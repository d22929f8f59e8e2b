#include "editor/decode_commands.h"

#include "dialogs/frm_cp.h"
#include "dialogs/frm_lid.h"
#include "dialogs/qtext.h"
#include "editor/command_guard.h"
#include "editor/dialog_choice.h"
#include "editor/menu_captions.h"
#include "editor/whole_text.h"
#include "engine/repair/reinterpret.h"

namespace tekvo {
namespace {

// The repair's result into the box (also when unchanged), the status text,
// one step. An over-long result is answered with the message and leaves the
// text as it was, which the history reports as no change.
void PutResult(EditorContext& ctx, const Converted& result, const Text& source, const Text& say) {
  ctx.txtA.SetText(FitWholeText(ctx.seam, result, source));
  ctx.lblSay.SetCaption(say);
  ctx.history.RecordStep(true);
}

}  // namespace

void RunRepairItem(EditorContext& ctx, const Repair& repair) {
  IgnoreFailures([&] {
    const Text text = ctx.txtA.Text();
    PutResult(ctx, RunRepairRoutine(repair.routine, repair.param, text), text, Text(repair.say));
  });
}

void mnuChgA2B_Click(EditorContext& ctx, int index) {
  // Separators and indexes outside the menu change nothing.
  const Repair* repair = FindMenuRepair(RepairMenu::kChgA2B, index);
  if (repair == nullptr) return;
  RunRepairItem(ctx, *repair);
}

void mnuAskA2B_Click(EditorContext& ctx, int index) {
  IgnoreFailures([&] {
    if (index == 0) {
      const std::optional<PairChoice> pair = ChooseWith(ctx.seam, ctx.dialogs.Get<FrmLid>());
      if (!pair) return;
      const Text text = ctx.txtA.Text();
      PutResult(ctx, ReinterpretByLocale(text, LocaleId{pair->a}, LocaleId{pair->b}), text,
                ToText(pair->say));
    } else if (index == 1) {
      const std::optional<PairChoice> pair = ChooseWith(ctx.seam, ctx.dialogs.Get<FrmCp>());
      if (!pair) return;
      const Text text = ctx.txtA.Text();
      PutResult(ctx, ReinterpretByCodePage(text, CodePageId{pair->a}, CodePageId{pair->b}), text,
                ToText(pair->say));
    }
  });
}

}  // namespace tekvo
