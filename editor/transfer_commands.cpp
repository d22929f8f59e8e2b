#include "editor/transfer_commands.h"

#include <optional>
#include <utility>

#include "dialogs/frm_tl.h"
#include "dialogs/qtext.h"
#include "editor/command_guard.h"
#include "editor/decode_commands.h"
#include "editor/dialog_choice.h"
#include "editor/line_breaks.h"
#include "editor/menu_captions.h"
#include "editor/whole_text.h"

namespace tekvo {
namespace {

// Base64 can hide three line breaks in four characters, and the box stores
// each as CR LF, so a decoded text may no longer fit although it has fewer
// units than its source.
Text FitOrKeep(EditorContext& ctx, Text result, const Text& source) {
  return FitWholeText(ctx.seam, Converted{std::move(result), false}, source);
}

// The decoder of a format of the transfer dialog; nullopt for a value
// outside its list.
std::optional<RepairRoutine> FormatRoutine(std::int16_t format) {
  switch (format) {
    case FrmTl::kUrl:
      return RepairRoutine::kUrl;
    case FrmTl::kQp:
      return RepairRoutine::kQuotedPrintable;
    case FrmTl::kBase64:
      return RepairRoutine::kBase64;
    case FrmTl::kBase64Url:
      return RepairRoutine::kBase64Url;
    default:
      return std::nullopt;
  }
}

}  // namespace

void mnuNumU_Click(EditorContext& ctx, int index) {
  if (const Repair* repair = FindMenuRepair(RepairMenu::kNumU, index)) RunRepairItem(ctx, *repair);
}

void mnuReadQp_Click(EditorContext& ctx, int index) {
  // Index 3 is the separator between the URL and the QP items.
  if (const Repair* repair = FindMenuRepair(RepairMenu::kReadQp, index)) {
    RunRepairItem(ctx, *repair);
  }
}

void mnuBase64_Click(EditorContext& ctx, int index) {
  const Repair* repair = FindMenuRepair(RepairMenu::kBase64, index);
  if (repair == nullptr) return;
  // A selection of Base64 inside other text (a mail part) is decoded alone.
  if (ctx.txtA.SelLength() < 2) {
    RunRepairItem(ctx, *repair);
    return;
  }
  IgnoreFailures([&] {
    const Text selected = ctx.txtA.SelText();
    Text decoded = RunRepairRoutine(repair->routine, repair->param, selected).text;
    if (ctx.history.ReplacementTooLong(decoded)) {
      ctx.seam.Tell(kConvertTooLong);
      decoded = selected;
    }
    const std::int32_t start = ctx.txtA.SelStart();
    ctx.txtA.SetSelText(decoded);
    const std::int32_t end = ctx.txtA.SelStart();
    ctx.txtA.SetSelStart(start);
    ctx.txtA.SetSelLength(end - start);
    ctx.lblSay.SetCaption(Text(repair->say));
    ctx.history.RecordStep(true);
  });
}

void mnuJieA_Click(EditorContext& ctx, int index) {
  if (const Repair* repair = FindMenuRepair(RepairMenu::kJieA, index)) RunRepairItem(ctx, *repair);
}

void mnuAskJieA_Click(EditorContext& ctx) {
  IgnoreFailures([&] {
    const std::optional<FrmTl::Choice> choice = ChooseWith(ctx.seam, ctx.dialogs.Get<FrmTl>());
    if (!choice) return;
    const Text text = ctx.txtA.Text();
    Text result = text;
    if (const std::optional<RepairRoutine> routine = FormatRoutine(choice->format)) {
      result = RunRepairRoutine(*routine, ByteLanguage{LocaleId{choice->language}}, text).text;
    }
    ctx.txtA.SetText(FitOrKeep(ctx, std::move(result), text));
    ctx.lblSay.SetCaption(ToText(choice->say));
    ctx.history.RecordStep(true);
  });
}

}  // namespace tekvo
