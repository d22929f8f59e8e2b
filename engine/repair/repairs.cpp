#include "engine/repair/repairs.h"

#include "engine/repair/reinterpret.h"
#include "engine/text/ascii.h"
#include "engine/transfer/base64.h"
#include "engine/transfer/hz.h"
#include "engine/transfer/quoted_printable.h"
#include "engine/transfer/utf7.h"

namespace tekvo {
namespace {}  // namespace

const Repair* FindMenuRepair(RepairMenu menu, int index) {
  for (const Repair& r : kRepairTable) {
    if (r.menu == menu && r.menu_index == index) return &r;
  }
  return nullptr;
}

const Repair* FindRepairByCliName(std::string_view name) {
  for (const Repair& r : kRepairTable) {
    if (EqualsIgnoringAsciiCase(name, r.cli_name)) return &r;
  }
  return nullptr;
}

Converted RunRepairRoutine(RepairRoutine routine, const RepairParam& param, const Text& text,
                           std::size_t max_len) {
  const auto* pair = std::get_if<LocalePair>(&param);
  const auto* family = std::get_if<EscapeFamily>(&param);
  const auto* language = std::get_if<ByteLanguage>(&param);
  const auto* kind = std::get_if<Iso2022Kind>(&param);
  switch (routine) {
    case RepairRoutine::kReinterpret:
      if (pair) return ReinterpretByLocale(text, pair->a, pair->b, max_len);
      break;
    case RepairRoutine::kNumericEscapes:
      if (family) return {DecodeNumericEscapes(text, *family)};
      break;
    case RepairRoutine::kUrl:
      if (language) return {DecodeQpOrUrl(text, language->id, ByteEscapes::kUrl)};
      break;
    case RepairRoutine::kQuotedPrintable:
      if (language) return {DecodeQpOrUrl(text, language->id, ByteEscapes::kQuotedPrintable)};
      break;
    case RepairRoutine::kBase64:
      if (language) return {DecodeBase64Text(text, language->id, Base64Alphabet::kStandard)};
      break;
    case RepairRoutine::kBase64Url:
      if (language) return {DecodeBase64Text(text, language->id, Base64Alphabet::kUrl)};
      break;
    case RepairRoutine::kUtf7:
      return {DecodeUtf7(text)};
    case RepairRoutine::kHz:
      return {DecodeHz(text)};
    case RepairRoutine::kIso2022:
      if (kind) return DecodeIso2022Escapes(text, *kind, max_len);
      break;
  }
  return {text};
}

}  // namespace tekvo
