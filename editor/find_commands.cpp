#include "editor/find_commands.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "editor/command_guard.h"
#include "editor/line_breaks.h"
#include "editor/menu_captions.h"
#include "editor/text_input.h"
#include "engine/text/replace.h"

namespace tekvo {
namespace {

constexpr char16_t kReplaceTooLong[] = u"替换失败~ 文本过长";
constexpr char16_t kReplacementOverLimit[] = u"不能替换~ 字数超过 ";
constexpr char16_t kAskDelete[] = u"新内容为空。要删除旧内容吗？";
constexpr char16_t kAskBlank[] = u"新内容是空格。要替换成空格吗？";
constexpr char16_t kSameContent[] = u"没有改变~ 内容相同";
constexpr char16_t kCrLf[] = u"\r\n";

std::optional<std::size_t> Locate(const Text& t, const Text& sFind, FindDirection direction,
                                  std::size_t sel_start, std::size_t sel_length) {
  std::size_t at = Text::npos;
  switch (direction) {
    case FindDirection::kFromStart:
      at = t.find(sFind);
      break;
    case FindDirection::kBackward:
      // Wholly before the selection: it must end at or before its start.
      if (sel_start >= sFind.size()) at = t.rfind(sFind, sel_start - sFind.size());
      break;
    case FindDirection::kForward:
      if (sel_start + sel_length <= t.size()) at = t.find(sFind, sel_start + sel_length);
      break;
  }
  if (at == Text::npos) return std::nullopt;
  return at;
}

bool AllBlanks(const Text& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char16_t c) { return c == u' '; });
}

}  // namespace

bool FindText(EditorContext& ctx, const Text& sFind, FindDirection direction) {
  if (sFind.empty()) {
    ctx.seam.Beep();
    return false;
  }
  bool found = false;
  IgnoreFailures([&] {
    const std::int32_t sel_start = ctx.txtA.SelStart();
    if (direction == FindDirection::kBackward && sel_start < 1) return;
    const Text t = CrLfToCr(ctx.txtA.Text());
    const std::optional<std::size_t> at =
        Locate(t, sFind, direction, static_cast<std::size_t>(std::max(sel_start, 0)),
               static_cast<std::size_t>(std::max(ctx.txtA.SelLength(), 0)));
    if (!at) return;
    ctx.txtA.SetSelStart(static_cast<std::int32_t>(*at));
    ctx.txtA.SetSelLength(static_cast<std::int32_t>(sFind.size()));
    found = true;
  });
  if (!found) ctx.seam.Beep();
  return found;
}

void cmdSeek_Click(EditorContext& ctx, int index) {
  if (index != 0 && index != 1) return;
  ctx.txtA.SetFocus();
  if (ctx.txtA.SelLength() > 0) ctx.sSeek = ctx.txtA.SelText();
  const FindDirection direction = index == 0 ? FindDirection::kBackward : FindDirection::kForward;
  if (FindText(ctx, ctx.sSeek, direction)) ctx.history.RecordStep(false);
}

void mnuSeekNew_Click(EditorContext& ctx) {
  ShowFailures(ctx.seam, [&] {
    const std::optional<Text> typed = AskTextInput(ctx, kFindCaption, ctx.sSeek);
    if (!typed || typed->empty()) return;
    ctx.sSeek = CrLfToCr(*typed);
    if (FindText(ctx, ctx.sSeek, FindDirection::kFromStart)) ctx.history.RecordStep(false);
  });
}

void mnuReplace_Click(EditorContext& ctx) {
  if (ctx.txtA.SelLength() < 1) return;
  Text sOld = ctx.txtA.SelText();
  FindText(ctx, sOld, FindDirection::kFromStart);
  ShowFailures(ctx.seam, [&] {
    const std::optional<Text> typed = AskTextInput(ctx, kReplaceCaption, ctx.txtA.SelText());
    if (!typed) return;
    // Both sides in the form of the full text, so that they compare and
    // replace line break for line break.
    const Text sNew = UnifyLineBreaks(*typed, kCrLf);
    sOld = CrToCrLf(sOld);
    const std::size_t n = CrLfToCr(sNew).size();

    if (n > kMaxReplacementLen) {
      Text message = kReplacementOverLimit;
      for (char c : std::to_string(kMaxReplacementLen)) message.push_back(static_cast<char16_t>(c));
      ctx.seam.Tell(message);
      return;
    }
    if (n == 0) {
      if (!ctx.seam.Ask(kAskDelete)) return;
    } else if (AllBlanks(sNew)) {
      if (!ctx.seam.Ask(kAskBlank)) return;
    } else if (sNew == sOld) {
      ctx.lblSay.SetCaption(kSameContent);
      return;
    }

    const Text replaced = ReplaceAll(ctx.txtA.Text(), sOld, sNew);
    if (BoxFormLength(replaced) > kMaxTextLen) {
      ctx.seam.Tell(kReplaceTooLong);
      return;
    }
    const std::int32_t first = ctx.txtA.SelStart();
    ctx.txtA.SetText(replaced);
    ctx.txtA.SetSelStart(first);
    ctx.txtA.SetSelLength(static_cast<std::int32_t>(n));
    ctx.lblSay.SetCaption(Text(captions::kReplace));
    ctx.history.RecordStep(true);
  });
}

}  // namespace tekvo
