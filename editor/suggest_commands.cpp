#include "editor/suggest_commands.h"

#include <vector>

#include "dialogs/frm_suggest.h"
#include "editor/command_guard.h"
#include "editor/dialog_choice.h"
#include "editor/line_breaks.h"
#include "editor/whole_text.h"
#include "engine/suggest.h"

namespace tekvo {

void mnuSuggest_Click(EditorContext& ctx) {
  IgnoreFailures([&] {
    FrmSuggest& dialog = ctx.dialogs.Get<FrmSuggest>();
    // The editor's length limit applies: a result it could not hold is not
    // offered. The engine counts units; the box stores every line break as CR
    // LF, so a result with lone line breaks is measured again the box's way.
    const Text text = ctx.txtA.Text();
    std::vector<RepairCandidate> candidates = SuggestRepairs(text);
    std::erase_if(candidates, [](const RepairCandidate& c) {
      return c.steps > 0 && BoxFormLength(c.text) > kMaxTextLen;
    });
    dialog.SetCandidates(std::move(candidates));
    const std::optional<int> row = ChooseWith(ctx.seam, dialog);
    if (!row || *row < 0) return;
    const RepairCandidate& pick = dialog.Candidates().at(static_cast<std::size_t>(*row));
    ctx.txtA.SetText(FitWholeText(ctx.seam, Converted{pick.text, false}, text));
    ctx.lblSay.SetCaption(pick.name);
    ctx.history.RecordStep(true);
  });
}

}  // namespace tekvo
