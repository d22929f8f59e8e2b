#include "editor/selection_commands.h"

#include <array>
#include <optional>

#include "editor/command_guard.h"
#include "editor/menu_captions.h"
#include "editor/text_input.h"
#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"
#include "engine/text/mapping.h"

namespace tekvo {
namespace {

constexpr char16_t kEditTooLong[] = u"修改失败~ 文本过长";

// The system's ANSI page; the bridge takes it to be GBK.
constexpr CodePageId kSystemPage = kCpAnsi;

Text Hex16(std::uint16_t value) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  Text out;
  out.reserve(4);
  bool started = false;
  for (int shift = 12; shift >= 0; shift -= 4) {
    const unsigned digit = (value >> shift) & 0xF;
    if (digit != 0 || started || shift == 0) {
      out.push_back(kDigits[digit]);
      started = true;
    }
  }
  return out;
}

// The code of one unit in the system page: lead byte times 256 plus trail
// byte for a double-byte character; "?" for what the page lacks.
std::uint16_t SystemPageCode(char16_t unit) {
  const ByteString bytes = TextToCodePageBytes(Text(1, unit), kSystemPage);
  if (bytes.empty()) return u'?';
  std::uint16_t code = 0;
  for (std::size_t i = 0; i < bytes.size() && i < 2; ++i) {
    code = static_cast<std::uint16_t>((code << 8) | static_cast<unsigned char>(bytes[i]));
  }
  return code;
}

std::optional<Text> NewTextFor(EditorContext& ctx, int index) {
  switch (index) {
    case 0:
      if (ctx.txtA.SelLength() < 1) return std::nullopt;
      return Text();
    case 1: {
      std::optional<Text> typed = AskTextInput(ctx, kInsertCaption, ctx.txtA.SelText());
      if (!typed || typed->empty()) return std::nullopt;
      return typed;
    }
    case 2:
      return Text(u" ");
    case 3:
      return Text(u"\t");
    case 4:
      return Text(u"\r\n");
    default:
      return std::nullopt;
  }
}

}  // namespace

Text CharacterInfo(char16_t unit) {
  Text out;
  out.reserve(24);
  out.push_back(u'"');
  out.push_back(unit >= 10 && unit <= 13 ? u' ' : unit);
  out.push_back(u'"');
  out += u" U=";
  out += Hex16(unit);
  out += u" GB=";
  out += Hex16(SystemPageCode(unit));
  return out;
}

void mnuWnCase_Click(EditorContext& ctx, int index) {
  if (index < 0 || index >= static_cast<int>(captions::kWnCase.size())) return;
  ShowFailures(ctx.seam, [&] {
    const Text selected = ctx.txtA.SelText();
    const Text mapped = ApplyTextMapping(selected, static_cast<TextMapping>(index));
    // The width mappings split voiced kana into two units, so the text can
    // grow past the limit.
    if (ctx.history.ReplacementTooLong(mapped)) {
      ctx.seam.Tell(kEditTooLong);
      return;
    }
    const std::int32_t start = ctx.txtA.SelStart();
    ctx.txtA.SetSelText(mapped);
    ctx.txtA.SetSelStart(start);
    ctx.txtA.SetSelLength(static_cast<std::int32_t>(mapped.size()));
    ctx.lblSay.SetCaption(Text(captions::kWnCase[index]));
    ctx.history.RecordStep(true);
  });
}

void mnuIns_Click(EditorContext& ctx, int index) {
  if (index < 0 || index >= static_cast<int>(captions::kIns.size())) return;
  ShowFailures(ctx.seam, [&] {
    const std::optional<Text> replacement = NewTextFor(ctx, index);
    if (!replacement) return;
    if (ctx.history.ReplacementTooLong(*replacement)) {
      ctx.seam.Tell(kEditTooLong);
      return;
    }
    ctx.txtA.SetSelText(*replacement);
    ctx.lblSay.SetCaption(Text(captions::kIns[index]));
    ctx.history.RecordStep(true);
  });
}

void mnuSayCode_Click(EditorContext& ctx) {
  IgnoreFailures([&] {
    ctx.txtA.SetSelLength(1);
    const Text selected = ctx.txtA.SelText();
    if (selected.empty()) return;
    ctx.lblSay.SetCaption(CharacterInfo(selected[0]));
  });
}

}  // namespace tekvo
