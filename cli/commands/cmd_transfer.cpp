// tekvo-cli decode and encode for the transfer encodings: references and
// escapes, URL, quoted-printable, Base64, UTF-7 and HZ.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "cli/commands/commands.h"
#include "cli/commands/repair_name.h"
#include "cli/stream/io.h"
#include "cli/stream/stream.h"
#include "cli/stream/transfer_streams.h"
#include "engine/codepage/codepage.h"
#include "engine/repair/fixed_repairs.h"
#include "engine/repair/repairs.h"
#include "engine/text/ascii.h"
#include "engine/transfer/base64.h"
#include "engine/transfer/char_refs.h"
#include "engine/transfer/hz.h"
#include "engine/transfer/quoted_printable.h"
#include "engine/transfer/utf7.h"

namespace tekvo::cli {
namespace {

// The decodings whose name gives the language their bytes are read in
// ("url:gb", "base64url:1041"). The decodings without a language are the
// transfer rows of the table of repairs, by their command-line names.
struct LanguageDecoding {
  std::string_view name;
  RepairRoutine routine;
};

constexpr std::array<LanguageDecoding, 4> kLanguageDecodings = {{
    {"url", RepairRoutine::kUrl},
    {"qp", RepairRoutine::kQuotedPrintable},
    {"base64", RepairRoutine::kBase64},
    {"base64url", RepairRoutine::kBase64Url},
}};

// The row of the table that `name` names, when it is a decoding (the code
// page pairs are repairs, not decodings); nullptr otherwise.
const Repair* FindDecodingRow(std::string_view name) {
  const Repair* row = FindRepairByCliName(name);
  return row != nullptr && row->routine != RepairRoutine::kReinterpret ? row : nullptr;
}

constexpr std::string_view kDecodeNameList =
    "html, numu1, numu2, url:LANG, qp:LANG, base64:LANG, base64url:LANG, utf7, hz, "
    "iso2022:zh|ja|ko";

enum class EncodeKind { kHtmlHex, kHtmlDec, kQpGb, kQpUtf8, kBase64Gb, kBase64Utf8, kUtf7, kHz };

struct EncodeName {
  std::string_view name;
  EncodeKind kind;
};

constexpr std::array<EncodeName, 8> kEncodeNames = {{
    {"html-hex", EncodeKind::kHtmlHex},
    {"html-dec", EncodeKind::kHtmlDec},
    {"qp:gb", EncodeKind::kQpGb},
    {"qp:utf8", EncodeKind::kQpUtf8},
    {"base64:gb", EncodeKind::kBase64Gb},
    {"base64:utf8", EncodeKind::kBase64Utf8},
    {"utf7", EncodeKind::kUtf7},
    {"hz", EncodeKind::kHz},
}};

// A language whose code page decoded bytes can be read in: a number or a
// short name (gb, big5, ja, ko, ..., utf8). UTF-16 is no such language.
std::optional<LocaleId> ParseLanguage(std::string_view arg, std::string& error) {
  std::optional<LocaleId> id;
  if (const std::optional<std::int32_t> n = ParseInt32(arg)) id = LocaleId{*n};
  if (!id) id = FindLanguage(std::u16string(arg.begin(), arg.end()));
  if (!id) {
    error = "unknown language " + std::string(arg) + " (a number or gb, big5, ja, ko, utf8, ...)";
    return std::nullopt;
  }
  if (*id == kIdUtf8) return id;
  if (!IsLcid(*id)) {
    error = "the language must be an LCID or utf8: " + std::string(arg);
    return std::nullopt;
  }
  if (!LocaleCodePage(*id)) {
    error = "unknown LCID " + std::string(arg);
    return std::nullopt;
  }
  return id;
}

Converted Encode(EncodeKind kind, const Text& text) {
  switch (kind) {
    case EncodeKind::kHtmlHex:
      return EncodeCharRefs(text, CharRefBase::kHex, kNoLengthLimit);
    case EncodeKind::kHtmlDec:
      return EncodeCharRefs(text, CharRefBase::kDecimal, kNoLengthLimit);
    case EncodeKind::kQpGb:
      return EncodeQuotedPrintable(text, ComposeBytes::kGb, kNoLengthLimit);
    case EncodeKind::kQpUtf8:
      return EncodeQuotedPrintable(text, ComposeBytes::kUtf8, kNoLengthLimit);
    case EncodeKind::kBase64Gb:
      return EncodeBase64Text(text, ComposeBytes::kGb, kNoLengthLimit);
    case EncodeKind::kBase64Utf8:
      return EncodeBase64Text(text, ComposeBytes::kUtf8, kNoLengthLimit);
    case EncodeKind::kUtf7:
      return EncodeUtf7(text, kNoLengthLimit);
    case EncodeKind::kHz:
      return EncodeHz(text, kNoLengthLimit);
  }
  return {text, false};
}

// A filter's output must be well-formed for the next program in the pipe,
// so a lone surrogate, which UTF-8 cannot hold, becomes U+FFFD unless the
// caller asks to keep it (the editor always keeps it).
Text ForOutput(const Invocation& inv, Text text) {
  if (!inv.args.Option("--keep-surrogates")) ReplaceLoneSurrogates(text);
  return text;
}

}  // namespace

int RunDecode(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.empty()) return UsageError(inv, "decode needs a NAME");
  if (IsIso2022DecodeName(pos[0])) return RunDecodeIso2022(inv);
  if (pos.size() > 2) return UsageError(inv, "decode takes NAME and at most one FILE");
  const std::string lower = AsciiLower(pos[0]);
  const std::size_t colon = lower.find(':');
  const std::string_view head = std::string_view(lower).substr(0, colon);
  RepairRoutine routine;
  RepairParam param;
  const auto family = std::find_if(kLanguageDecodings.begin(), kLanguageDecodings.end(),
                                   [&](const LanguageDecoding& d) { return d.name == head; });
  if (family != kLanguageDecodings.end()) {
    if (colon == std::string::npos) {
      return UsageError(inv, std::string(family->name) +
                                 " needs a language: " + std::string(family->name) + ":LANG");
    }
    std::string error;
    const std::optional<LocaleId> id = ParseLanguage(pos[0].substr(colon + 1), error);
    if (!id) return UsageError(inv, error);
    routine = family->routine;
    param = ByteLanguage{*id};
  } else if (const Repair* row = FindDecodingRow(head)) {
    if (colon != std::string::npos) {
      return UsageError(inv, std::string(row->cli_name) + " takes no language");
    }
    routine = row->routine;
    param = row->param;
  } else {
    return UsageError(inv,
                      "unknown decoding " + pos[0] + " (" + std::string(kDecodeNameList) + ")");
  }
  const bool keep = inv.args.Option("--keep-surrogates").has_value();
  int status = kExitOk;
  if (CanStream(inv, status)) {
    const auto* language = std::get_if<ByteLanguage>(&param);
    if ((routine == RepairRoutine::kBase64 || routine == RepairRoutine::kBase64Url) && language) {
      return StreamBase64Decode(
          inv, language->id,
          routine == RepairRoutine::kBase64Url ? Base64Alphabet::kUrl : Base64Alphabet::kStandard,
          keep);
    }
    if (const std::optional<PieceRules> rules = DecodingRules(routine, param, keep)) {
      return StreamCommand(inv, 1, *rules);
    }
  }
  if (status != kExitOk) return status;
  std::optional<Text> text = ReadInputText(inv, 1);
  if (!text) return kExitError;
  return WriteOutputText(
      inv, ForOutput(inv, RunRepairRoutine(routine, param, *text, kNoLengthLimit).text));
}

int RunEncode(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.empty()) return UsageError(inv, "encode needs a NAME");
  if (pos.size() > 2) return UsageError(inv, "encode takes NAME and at most one FILE");
  const std::string lower = AsciiLower(pos[0]);
  const auto it = std::find_if(kEncodeNames.begin(), kEncodeNames.end(),
                               [&](const EncodeName& n) { return n.name == lower; });
  if (it == kEncodeNames.end()) {
    return UsageError(inv, "unknown encoding " + pos[0] +
                               " (html-hex, html-dec, qp:gb, qp:utf8, base64:gb, base64:utf8, "
                               "utf7, hz)");
  }
  int status = kExitOk;
  if (CanStream(inv, status)) {
    const EncodeKind kind = it->kind;
    switch (kind) {
      case EncodeKind::kHtmlHex:
      case EncodeKind::kHtmlDec: {
        // One reference per character: any cut outside a surrogate pair.
        PieceRules rules;
        rules.cut = [](std::string_view, std::size_t) { return true; };
        rules.convert = [kind](const Text& piece, std::size_t, bool) {
          return Encode(kind, piece).text;
        };
        return StreamCommand(inv, 1, rules);
      }
      case EncodeKind::kQpGb:
        return StreamLineEncode(inv, LineEncoding::kQuotedPrintable, ComposeBytes::kGb);
      case EncodeKind::kQpUtf8:
        return StreamLineEncode(inv, LineEncoding::kQuotedPrintable, ComposeBytes::kUtf8);
      case EncodeKind::kBase64Gb:
        return StreamLineEncode(inv, LineEncoding::kBase64, ComposeBytes::kGb);
      case EncodeKind::kBase64Utf8:
        return StreamLineEncode(inv, LineEncoding::kBase64, ComposeBytes::kUtf8);
      case EncodeKind::kUtf7:
        return StreamCommand(inv, 1, Utf7EncodeRules());
      case EncodeKind::kHz:
        return StreamCommand(inv, 1,
                             HzEncodeRules(inv.args.Option("--keep-surrogates").has_value()));
    }
  }
  if (status != kExitOk) return status;
  std::optional<Text> text = ReadInputText(inv, 1);
  if (!text) return kExitError;
  const Converted encoded = Encode(it->kind, *text);
  const bool breaks_lines = it->kind == EncodeKind::kQpGb || it->kind == EncodeKind::kQpUtf8 ||
                            it->kind == EncodeKind::kBase64Gb ||
                            it->kind == EncodeKind::kBase64Utf8;
  return WriteOutputText(inv,
                         ForOutput(inv, breaks_lines ? BareCrToCrLf(encoded.text) : encoded.text));
}

}  // namespace tekvo::cli
