// Every caption of the menu bar, character for character. In captions "&&"
// stands for one literal "&" (the menu shows a single "&"); "(&X)" marks the
// menu accelerator. Status texts taken from a caption keep both as written.
// "-" is a separator. The items that are repairs take their captions from the
// table of repairs (engine/repair/repairs.h).
#ifndef TEKVO_EDITOR_MENU_CAPTIONS_H_
#define TEKVO_EDITOR_MENU_CAPTIONS_H_

#include <array>
#include <string_view>

#include "engine/repair/repairs.h"

namespace tekvo::captions {

using Caption = std::u16string_view;

inline constexpr Caption kSeparator = u"-";

// The item captions of a menu of repairs: each row's caption at its index, a
// separator where no row is.
template <RepairMenu menu>
constexpr std::array<Caption, RepairMenuSlots(menu)> RepairCaptions() {
  std::array<Caption, RepairMenuSlots(menu)> out{};
  for (Caption& caption : out) caption = kSeparator;
  for (const Repair& r : kRepairTable) {
    if (r.menu == menu) out[r.menu_index] = r.caption;
  }
  return out;
}

// " 文件 (&F)"
inline constexpr Caption kFiles = u" 文件 (&F)";
inline constexpr Caption kClear = u"清空作原始 (&K)";
inline constexpr Caption kOpen = u"打开作原始 (&O) …";
inline constexpr Caption kSave = u"保存文件 (&S) …";
inline constexpr Caption kAttr = u"文件属性 (&Q) …";
inline constexpr Caption kNewWin = u"新窗口 (&W)";

// " 编辑 (&E)"
inline constexpr Caption kEdits = u" 编辑 (&E)";
inline constexpr Caption kPasteOrig = u"粘贴作原始 [Ctrl+P]";
inline constexpr Caption kASel = u"全选 [Ctrl+A]";
inline constexpr Caption kCopy = u"复制 [Ctrl+C]";
inline constexpr Caption kPaste = u"粘贴 [Ctrl+V]";
inline constexpr std::array<Caption, 4> kWnCase = {u"转全角 (&D)", u"转半角 (&B)", u"转简体 (&G)",
                                                   u"转繁体 (&F)"};
inline constexpr Caption kMakes = u"编写“乱码” (&E)";
inline constexpr std::array<Caption, 11> kMake = {
    u"U--HTM(H)",  u"U--HTM(D)",    u"-", u"GB--QP",  u"UTF8--QP", u"-",
    u"GB--Base64", u"UTF8--Base64", u"-", u"U--UTF7", u"GB--HZ"};
inline constexpr Caption kSeekNew = u"键入查找 [Ctrl+F1] …";
inline constexpr Caption kReplace = u"统一替换 [F3] …";
inline constexpr Caption kSayCode = u"单字信息 [F4]";
inline constexpr std::array<Caption, 5> kIns = {u"删除 [Del]", u"插入 [Ins] …", u"空格 [Ctrl+Del]",
                                                u"跳格 [Ctrl+F9]", u"换行 [F9]"};

// " 解读乱码 (&1)"
inline constexpr Caption kJiedusA = u" 解读乱码 (&1)";
inline constexpr auto kNumU = RepairCaptions<RepairMenu::kNumU>();
inline constexpr auto kReadQp = RepairCaptions<RepairMenu::kReadQp>();
inline constexpr auto kBase64 = RepairCaptions<RepairMenu::kBase64>();
inline constexpr auto kJieA = RepairCaptions<RepairMenu::kJieA>();
inline constexpr Caption kAskJieA = u"Trans--LCID ：转换格式--语文名称 [F7] …";

// " 解读乱码 (&2)"
inline constexpr Caption kJiedusB = u" 解读乱码 (&2)";
inline constexpr auto kChgA2B = RepairCaptions<RepairMenu::kChgA2B>();
inline constexpr std::array<Caption, 2> kAskA2B = {u"LCID--LCID ：语文区号和名称 [Ctrl+F8] …",
                                                   u"CP--CP ：代码页和字符集 [F8] …"};

// " 解读乱码 (&3)"
inline constexpr Caption kJiedusC = u" 解读乱码 (&3)";
inline constexpr std::array<Caption, 2> kCutaByte = {
    u"GB+半字 ：英文通顺,部分中文通顺.建议光标放在乱码开头",
    u"U+半字 ：前半通顺,后半不通,多韩文,方框和空格"};
inline constexpr Caption kAskCutaByte = u"LCID+半字 [Ctrl+F3] …";
inline constexpr auto k2022 = RepairCaptions<RepairMenu::k2022>();

// " 查看 (&L)"
inline constexpr Caption kLooks = u" 查看 (&L)";
inline constexpr Caption kHScr = u"自动换行";
inline constexpr Caption kFonts = u"字体名称";
inline constexpr Caption kSizes = u"字体尺寸";
inline constexpr std::array<Caption, 9> kFont = {
    u"Arial", u"Courier New", u"Lucida Console", u"Times New Roman", u"宋体",
    u"黑体",  u"华文中宋",    u"MingLiU",        u"PMingLiU"};
inline constexpr Caption kAbout = u"关于 Tekvo";

// The history and find buttons.
inline constexpr std::array<Caption, 4> kUd = {u"退到原始", u"撤消 [F5]", u"重做 [F6]",
                                               u"进到最新"};
inline constexpr std::array<Caption, 2> kSeek = {u"逆找 [F1]", u"顺找 [F2]"};

// Font sizes of the size menu, index * 2 + 10 points.
inline constexpr int kSizeCount = 8;
constexpr int SizeOfIndex(int index) { return index * 2 + 10; }

}  // namespace tekvo::captions

#endif  // TEKVO_EDITOR_MENU_CAPTIONS_H_
