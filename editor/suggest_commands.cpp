#include "editor/suggest_commands.h"

#include "dialogs/frm_suggest.h"
#include "editor/command_guard.h"
#include "editor/whole_text.h"
#include "engine/suggest.h"

namespace tekvo {

void mnuSuggest_Click(EditorContext& ctx) {
  IgnoreFailures([&] {
    FrmSuggest& dialog = ctx.dialogs.Get<FrmSuggest>();
    // The editor's length limit applies: a result it could not hold is not
    // offered.
    const Text text = ctx.txtA.Text();
    dialog.SetCandidates(SuggestRepairs(text));
    dialog.Activate();
    ctx.seam.RunDialog(dialog);
    if (!dialog.bOk || dialog.nPick < 0) return;
    const RepairCandidate& pick = dialog.Candidates().at(static_cast<std::size_t>(dialog.nPick));
    ctx.txtA.SetText(FitWholeText(ctx.seam, Converted{pick.text, false}, text));
    ctx.lblSay.SetCaption(pick.name);
    ctx.history.RecordStep(true);
  });
}

}  // namespace tekvo
