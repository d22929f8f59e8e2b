#include "editor/shift_commands.h"

#include <array>
#include <string>

#include "editor/command_guard.h"
#include "editor/decode_commands.h"
#include "editor/line_breaks.h"
#include "editor/menu_captions.h"
#include "editor/whole_text.h"
#include "engine/codepage/windows_ids.h"
#include "engine/repair/half_char.h"

namespace tekvo {
namespace {

constexpr char16_t kLcidPrompt[] = u"+半字";
constexpr char16_t kLcidTitle[] = u"键入 LCID";
constexpr char16_t kLcidDefault[] = u"-0";

constexpr std::array<LocaleId, 2> kCutaByteIds = {kLcidChinesePrc, kIdUtf16Le};

// Runs the repair at the caret and puts the caret back where it was; the
// caller sets the status text and records the step.
void ShiftAtCaret(EditorContext& ctx, LocaleId id) {
  const std::int32_t sel_start = ctx.txtA.SelStart();
  const Text text = ctx.txtA.Text();
  const std::int32_t pos = TextPosFromSelStart(text, sel_start);
  ctx.txtA.SetText(FitWholeText(ctx.seam, ShiftHalfCharacter(text, pos, id), text));
  ctx.txtA.SetSelStart(sel_start);
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::int32_t TextPosFromSelStart(const Text& full_text, std::int32_t sel_start) {
  if (sel_start <= 0) return 0;
  Text head = CrLfToCr(full_text);
  if (static_cast<std::size_t>(sel_start) < head.size()) head.resize(sel_start);
  return static_cast<std::int32_t>(CrToCrLf(head).size());
}

std::optional<std::int32_t> ParseLcidAnswer(std::u16string_view answer) {
  std::size_t i = 0;
  std::size_t end = answer.size();
  while (i < end && IsBlank(answer[i])) ++i;
  while (end > i && IsBlank(answer[end - 1])) --end;
  bool negative = false;
  if (i < end && (answer[i] == u'-' || answer[i] == u'+')) {
    negative = answer[i] == u'-';
    ++i;
  }
  if (i == end) return std::nullopt;
  std::int64_t value = 0;
  for (; i < end; ++i) {
    const char16_t c = answer[i];
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > static_cast<std::int64_t>(INT32_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

void mnuCutaByte_Click(EditorContext& ctx, int index) {
  if (index < 0 || index >= static_cast<int>(kCutaByteIds.size())) return;
  IgnoreFailures([&] {
    ShiftAtCaret(ctx, kCutaByteIds[index]);
    ctx.lblSay.SetCaption(Text(CaptionSay(captions::kCutaByte[index])));
    ctx.history.RecordStep(true);
  });
}

void mnuAskCutaByte_Click(EditorContext& ctx) {
  IgnoreFailures([&] {
    const std::optional<Text> answer = ctx.seam.InputBox(kLcidPrompt, kLcidTitle, kLcidDefault);
    if (!answer) return;
    const std::optional<std::int32_t> lcid = ParseLcidAnswer(*answer);
    if (!lcid || *lcid == 0) return;
    ShiftAtCaret(ctx, LocaleId{*lcid});
    std::u16string say = u"LCID: (";
    for (char c : std::to_string(*lcid)) say.push_back(static_cast<char16_t>(c));
    say += u")+半字";
    ctx.lblSay.SetCaption(say);
    ctx.history.RecordStep(true);
  });
}

void mnu2022_Click(EditorContext& ctx, int index) {
  if (const Repair* repair = FindMenuRepair(RepairMenu::k2022, index)) RunRepairItem(ctx, *repair);
}

}  // namespace tekvo
