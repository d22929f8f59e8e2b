#include "editor/clipboard_commands.h"

#include <string>

#include "editor/command_guard.h"
#include "editor/line_breaks.h"
#include "editor/menu_captions.h"

namespace tekvo {
namespace {

// Runs `body` with the box unlocked, as the box only pastes then.
template <class Body>
void Unlocked(Box& box, Body&& body) {
  box.SetLocked(false);
  try {
    body();
  } catch (...) {
    box.SetLocked(true);
    throw;
  }
  box.SetLocked(true);
}

void SetEnabled(QAction* action, bool enabled) {
  if (action != nullptr) action->setEnabled(enabled);
}

}  // namespace

void mnuEdits_Click(EditorContext& ctx) {
  bool can_paste = false;
  Unlocked(ctx.txtA, [&] { can_paste = ctx.txtA.CanPaste(); });
  Menus& m = ctx.menus;
  SetEnabled(m.mnuPasteOrig, can_paste);
  SetEnabled(m.mnuPaste, can_paste);

  const bool selected = ctx.txtA.SelLength() > 0;
  SetEnabled(m.mnuCopy, selected);
  for (QAction* item : m.mnuWnCase) SetEnabled(item, selected);
  if (m.mnuMakes != nullptr) m.mnuMakes->menuAction()->setEnabled(selected);
  SetEnabled(m.mnuIns[0], selected);
  SetEnabled(m.mnuReplace, selected);

  SetEnabled(m.mnuASel, true);
  SetEnabled(m.mnuSeekNew, true);
  SetEnabled(m.mnuSayCode, true);
  for (std::size_t i = 1; i < m.mnuIns.size(); ++i) SetEnabled(m.mnuIns[i], true);
}

void mnuPasteOrig_Click(EditorContext& ctx) {
  if (!ctx.history.ConfirmDiscard()) return;
  ShowFailures(ctx.seam, [&] {
    // The clipboard of this desktop holds LF line breaks; the limit is on the
    // text as the document will hold it, with CR LF.
    const Text incoming = ctx.clipboard.ReadText();
    if (BoxFormLength(incoming) > kMaxTextLen) {
      ctx.seam.Tell(kPasteTooLong);
      return;
    }
    ctx.txtA.SetText(Text());
    Unlocked(ctx.txtA, [&] { ctx.txtA.Paste(); });
    ctx.lblSay.SetCaption(Text(captions::kPasteOrig));
    ctx.SetWindowCaption(DocumentCaption(u"粘贴作原始"));
    ctx.file.Clear();
    ctx.history.SetSaved(History::kNoSlot);
    ctx.history.ResetOriginal();
  });
}

void mnuASel_Click(EditorContext& ctx) {
  const std::int32_t n = ctx.txtA.TextLength();
  ctx.txtA.SetSelStart(0);
  ctx.txtA.SetSelLength(n);
  ctx.lblSay.SetCaption(kCharCountSay + ToText(QString::number(n)));
}

void mnuCopy_Click(EditorContext& ctx) {
  ShowFailures(ctx.seam, [&] {
    ctx.txtA.Copy();
    ctx.lblSay.SetCaption(Text(captions::kCopy));
  });
}

void mnuPaste_Click(EditorContext& ctx) {
  ShowFailures(ctx.seam, [&] {
    if (ctx.history.ReplacementTooLong(ctx.clipboard.ReadText())) {
      ctx.seam.Tell(kPasteTooLong);
      return;
    }
    Unlocked(ctx.txtA, [&] { ctx.txtA.Paste(); });
    ctx.lblSay.SetCaption(Text(captions::kPaste));
    ctx.history.RecordStep(true);
  });
}

}  // namespace tekvo
