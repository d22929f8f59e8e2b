// Every fixed repair of the three decode menus in one table: the menu item it
// is, its caption and the status text taken from it, the name the
// command-line tool knows it by, and the routine that does it with its
// parameter. The editor builds its menus from the table, the suggestions try
// every row and the command-line tool looks names up in it, so adding a
// repair is adding a row.
#ifndef TEKVO_ENGINE_REPAIR_REPAIRS_H_
#define TEKVO_ENGINE_REPAIR_REPAIRS_H_

#include <array>
#include <cstddef>
#include <string_view>
#include <variant>

#include "engine/codepage/windows_ids.h"
#include "engine/text/text.h"
#include "engine/transfer/char_refs.h"
#include "engine/transfer/iso2022.h"

namespace tekvo {

// The routine behind a repair.
enum class RepairRoutine {
  kReinterpret,      // ReinterpretByLocale(text, pair.a, pair.b)
  kNumericEscapes,   // DecodeNumericEscapes(text, family)
  kUrl,              // DecodeQpOrUrl(text, language, kUrl)
  kQuotedPrintable,  // DecodeQpOrUrl(text, language, kQuotedPrintable)
  kBase64,           // DecodeBase64Text(text, language, kStandard)
  kBase64Url,        // DecodeBase64Text(text, language, kUrl)
  kUtf7,             // DecodeUtf7(text)
  kHz,               // DecodeHz(text)
  kIso2022,          // DecodeIso2022Escapes(text, kind)
};

// The code page pair of kReinterpret.
struct LocalePair {
  LocaleId a;  // how the text is shown now
  LocaleId b;  // what its bytes really are
};

// The language whose code page the bytes of kUrl, kQuotedPrintable, kBase64
// and kBase64Url are read in.
struct ByteLanguage {
  LocaleId id;
};

// A routine's parameter: a LocalePair for kReinterpret, an EscapeFamily for
// kNumericEscapes, a ByteLanguage for the byte decoders, an Iso2022Kind for
// kIso2022, nothing for kUtf7 and kHz.
using RepairParam =
    std::variant<std::monostate, LocalePair, EscapeFamily, ByteLanguage, Iso2022Kind>;

// The item arrays of the decode menus that hold repairs.
enum class RepairMenu {
  kNumU,    // " 解读乱码 (&1)": numeric escapes
  kReadQp,  // URL and quoted-printable
  kBase64,  // Base64
  kJieA,    // UTF-7 and HZ
  kChgA2B,  // " 解读乱码 (&2)": the code page pairs
  k2022,    // " 解读乱码 (&3)": ISO-2022
  // In no menu: the Base64 (URL alphabet) decodings of the transform dialog,
  // which the suggestions and the command-line tool offer as well.
  kNone,
};

// The status text of a menu caption: up to and including the blank before
// the first " ：" ("GB--Big5 "); empty when the caption has none.
constexpr std::u16string_view CaptionSay(std::u16string_view caption) {
  const std::size_t at = caption.find(u" ：");
  return at == std::u16string_view::npos ? std::u16string_view() : caption.substr(0, at + 1);
}

struct Repair {
  RepairMenu menu;
  int menu_index;  // index in the menu's item array, where separators count too; -1 for kNone
  // The whole menu caption, character for character ("&&" shows one "&").
  std::u16string_view caption;
  std::u16string_view say;    // CaptionSay(caption)
  std::string_view cli_name;  // lower-case ASCII: "html", "url:gb", "gb--big5"
  RepairRoutine routine;
  RepairParam param;
};

namespace repair_rows {

constexpr Repair Row(RepairMenu menu, int index, std::u16string_view caption,
                     std::string_view cli_name, RepairRoutine routine, RepairParam param = {}) {
  return {menu, index, caption, CaptionSay(caption), cli_name, routine, param};
}

using M = RepairMenu;
using R = RepairRoutine;
// Short names that keep the table's rows on one line each.
inline constexpr LocaleId kGb = kLcidChinesePrc;
inline constexpr LocaleId kBig5 = kLcidChineseTaiwan;
inline constexpr LocaleId kJa = kLcidJapanese;
inline constexpr LocaleId kKo = kLcidKorean;
inline constexpr LocaleId kRu = kLcidRussian;
inline constexpr LocaleId kEn = kLcidEnglishUs;

}  // namespace repair_rows

// Every repair in menu order: " 解读乱码 (&1)" to (&3), each menu's items top
// down, then the repairs of no menu. Suggestions number the candidates' steps
// by this order.
inline constexpr std::array<Repair, 34> kRepairTable = [] {
  using namespace repair_rows;
  return std::array<Repair, 34>{{
      Row(M::kNumU, 0, u"HTM--U ：如 &&#x53EF; &&#25511; &&ordm;&&Atilde; 英文通顺", "html",
          R::kNumericEscapes, EscapeFamily::kHtml),
      Row(M::kNumU, 1, u"NumU(1)--U ：如 \\u53EF \\u63A7 \\x28 \\x29 英文通顺", "numu1",
          R::kNumericEscapes, EscapeFamily::kBackslash),
      Row(M::kNumU, 2, u"NumU(2)--U ：如 %u53EF %u63A7 %28 %29 英文通顺", "numu2",
          R::kNumericEscapes, EscapeFamily::kPercent),
      Row(M::kReadQp, 0, u"URL--GB ：如 work%2Easp%3Fs%3D%B5%E7%C4%D4 英文通顺", "url:gb", R::kUrl,
          ByteLanguage{kGb}),
      Row(M::kReadQp, 1, u"URL--Big5 ：同上类似", "url:big5", R::kUrl, ByteLanguage{kBig5}),
      Row(M::kReadQp, 2, u"URL--UTF8 ：同上类似", "url:utf8", R::kUrl, ByteLanguage{kIdUtf8}),
      Row(M::kReadQp, 4, u"QP--GB ：如 =D6=A7=B3=D6ASCII=C2=EB 英文通顺", "qp:gb",
          R::kQuotedPrintable, ByteLanguage{kGb}),
      Row(M::kReadQp, 5, u"QP--Big5 ：同上类似", "qp:big5", R::kQuotedPrintable,
          ByteLanguage{kBig5}),
      Row(M::kReadQp, 6, u"QP--UTF8 ：同上类似", "qp:utf8", R::kQuotedPrintable,
          ByteLanguage{kIdUtf8}),
      Row(M::kBase64, 0, u"Base64--GB ：如 QVNDSUkgvs3Kx6G 紧密排列.允许选取解码", "base64:gb",
          R::kBase64, ByteLanguage{kGb}),
      Row(M::kBase64, 1, u"Base64--Big5 ：同上类似", "base64:big5", R::kBase64,
          ByteLanguage{kBig5}),
      Row(M::kBase64, 2, u"Base64--UTF8 ：同上类似", "base64:utf8", R::kBase64,
          ByteLanguage{kIdUtf8}),
      Row(M::kJieA, 0, u"UTF7--U ：如 +UxdOrA- YES +Ti1XC2- 英文通顺", "utf7", R::kUtf7),
      Row(M::kJieA, 1, u"HZ--GB ：如 ~{V;V'3V~}ASCII~{Bk5DO5M3~} 英文通顺", "hz", R::kHz),
      Row(M::kChgA2B, 0, u"GB--Big5 ：英文通顺,中文不通,排列不紧密,多日文", "gb--big5",
          R::kReinterpret, LocalePair{kGb, kBig5}),
      Row(M::kChgA2B, 1, u"GB--日文 ：英文通顺,中文不通,多单人旁,句中 丄,句尾 丅", "gb--ja",
          R::kReinterpret, LocalePair{kGb, kJa}),
      Row(M::kChgA2B, 2, u"GB--韩文 ：英文通顺,中文不通,多简体字,隔几字有一空格", "gb--ko",
          R::kReinterpret, LocalePair{kGb, kKo}),
      Row(M::kChgA2B, 3, u"GB--俄文 ：英文通顺,中文不通,稍密,间有问号", "gb--ru", R::kReinterpret,
          LocalePair{kGb, kRu}),
      Row(M::kChgA2B, 4, u"GB--UTF8 ：英文通顺,中文不通,稍密,间有 \u20AC ,或开头有 锘", "gb--utf8",
          R::kReinterpret, LocalePair{kGb, kIdUtf8}),
      Row(M::kChgA2B, 6, u"Big5--GB ：英文通顺,中文不通,句中有ㄛ﹜ㄩ,句尾有﹝", "big5--gb",
          R::kReinterpret, LocalePair{kBig5, kGb}),
      Row(M::kChgA2B, 7, u"Big5--韩文 ：英文通顺,中文不通,多繁体字,隔几字有一空格", "big5--ko",
          R::kReinterpret, LocalePair{kBig5, kKo}),
      Row(M::kChgA2B, 8, u"日文--GB ：英文通顺,中文不通,繁体,多半角日文片假名", "ja--gb",
          R::kReinterpret, LocalePair{kJa, kGb}),
      Row(M::kChgA2B, 9, u"韩文--GB ：英文通顺,中文不通,繁体,多繁复韩文", "ko--gb", R::kReinterpret,
          LocalePair{kKo, kGb}),
      Row(M::kChgA2B, 10, u"俄文--GB ：英文通顺,无中文,多变形附点的俄文字母", "ru--gb",
          R::kReinterpret, LocalePair{kRu, kGb}),
      Row(M::kChgA2B, 12, u"Eng--GB ：英文通顺,无中文,多变形附点的拉丁字母", "en--gb",
          R::kReinterpret, LocalePair{kEn, kGb}),
      Row(M::kChgA2B, 13, u"Eng--Big5 ：同上类似", "en--big5", R::kReinterpret,
          LocalePair{kEn, kBig5}),
      Row(M::kChgA2B, 14, u"Eng--UTF8 ：同上类似,而且多方框", "en--utf8", R::kReinterpret,
          LocalePair{kEn, kIdUtf8}),
      Row(M::kChgA2B, 15, u"U--UBE ：全文不通,多方框,兼有空格和韩文", "u--ube", R::kReinterpret,
          LocalePair{kIdUtf16Le, kIdUtf16Be}),
      Row(M::k2022, 0, u"Esc+中文(ISO2022) ：同下类似, 标志 $)A $)G", "iso2022:zh", R::kIso2022,
          Iso2022Kind::kChinese),
      Row(M::k2022, 1, u"Esc+日文(ISO2022) ：如 $B$R$H$?$S 英文通顺, 标志 $B (B", "iso2022:ja",
          R::kIso2022, Iso2022Kind::kJapanese),
      Row(M::k2022, 2, u"Esc+韩文(ISO2022) ：同上类似, 标志 $)C", "iso2022:ko", R::kIso2022,
          Iso2022Kind::kKorean),
      Row(M::kNone, -1, u"Base64(URL)--GB ：Base64 的 URL 字母表, * 和 - 代替 + 和 /",
          "base64url:gb", R::kBase64Url, ByteLanguage{kGb}),
      Row(M::kNone, -1, u"Base64(URL)--Big5 ：同上类似", "base64url:big5", R::kBase64Url,
          ByteLanguage{kBig5}),
      Row(M::kNone, -1, u"Base64(URL)--UTF8 ：同上类似", "base64url:utf8", R::kBase64Url,
          ByteLanguage{kIdUtf8}),
  }};
}();

// The number of slots of `menu`'s item array, separators included: one past
// its last row's index.
constexpr int RepairMenuSlots(RepairMenu menu) {
  int count = 0;
  for (const Repair& r : kRepairTable) {
    if (r.menu == menu && r.menu != RepairMenu::kNone && r.menu_index >= count) {
      count = r.menu_index + 1;
    }
  }
  return count;
}

// The repair at `index` of `menu`, or nullptr for a separator or an index
// outside the menu.
const Repair* FindMenuRepair(RepairMenu menu, int index);

// The repair whose cli_name equals `name`, ignoring ASCII case; nullptr when
// none does.
const Repair* FindRepairByCliName(std::string_view name);

// Runs `routine` with `param` on `text`. The code page pairs and ISO-2022
// refuse a result longer than `max_len` units (too_long set, the input
// returned); the other routines return their result whatever its length and
// leave the check to the caller. A parameter of another kind than the
// routine takes gives the input unchanged. Never throws.
Converted RunRepairRoutine(RepairRoutine routine, const RepairParam& param, const Text& text,
                           std::size_t max_len = kMaxTextLen);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_REPAIR_REPAIRS_H_
