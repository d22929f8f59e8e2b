#include "editor/text_input.h"

#include "dialogs/frm_inp.h"
#include "dialogs/qtext.h"
#include "editor/dialog_choice.h"

namespace tekvo {

std::optional<Text> AskTextInput(EditorContext& ctx, std::u16string_view caption,
                                 const Text& start) {
  FrmInp& dialog = ctx.dialogs.Get<FrmInp>();
  dialog.setWindowTitle(ToQString(Text(caption)));
  dialog.sInp = ToQString(start);
  // Refusing an over-long start happens before anything is shown.
  if (!dialog.Activate()) return std::nullopt;
  const std::optional<QString> chosen = ChooseWith(ctx.seam, dialog);
  if (!chosen) return std::nullopt;
  return ToText(*chosen);
}

}  // namespace tekvo
