#include "editor/text_input.h"

#include "dialogs/frm_inp.h"
#include "dialogs/qtext.h"

namespace tekvo {

std::optional<Text> AskTextInput(EditorContext& ctx, std::u16string_view caption,
                                 const Text& start) {
  FrmInp& dialog = ctx.dialogs.Get<FrmInp>();
  dialog.setWindowTitle(ToQString(Text(caption)));
  dialog.sInp = ToQString(start);
  if (!dialog.Activate()) return std::nullopt;
  ctx.seam.RunDialog(dialog);
  if (!dialog.bOk) return std::nullopt;
  return ToText(dialog.sInp);
}

}  // namespace tekvo
