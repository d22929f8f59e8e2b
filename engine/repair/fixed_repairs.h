// The code page pairs of the decode menu, " 解读乱码 (&2)": which pair of
// encodings each item undoes, under which caption, and the names the
// command-line tool accepts. The rows are those of the table of repairs
// (repairs.h) whose routine is a code page pair, seen as pairs; and the short
// names of the languages a pair can use.
#ifndef TEKVO_ENGINE_REPAIR_FIXED_REPAIRS_H_
#define TEKVO_ENGINE_REPAIR_FIXED_REPAIRS_H_

#include <optional>
#include <span>
#include <string_view>

#include "engine/repair/repairs.h"
#include "engine/text/text.h"

namespace tekvo {

struct FixedRepair {
  int menu_index;               // index in the menu item array; 5 and 11 are separators
  std::u16string_view caption;  // the whole menu caption
  std::u16string_view pair;     // the caption's pair, e.g. u"GB--日文"
  std::string_view name;        // ASCII name for scripts, e.g. "gb--ja"
  LocaleId a;                   // how the text is shown now
  LocaleId b;                   // what its bytes really are
};

// The fourteen pairs in menu order.
std::span<const FixedRepair> FixedRepairs();

// Number of slots in the menu item array, separators included.
inline constexpr int kFixedRepairMenuSlots = RepairMenuSlots(RepairMenu::kChgA2B);

// The repair at menu index `index`, or nullptr for a separator or an index
// outside the menu.
const FixedRepair* FixedRepairAtMenuIndex(int index);

// The repair whose ASCII name or caption pair equals `name`, ignoring ASCII
// case ("GB--BIG5", "gb--ja" and u"GB--日文" all match). nullptr when none.
const FixedRepair* FindFixedRepair(std::u16string_view name);

// A language as the pair lists and the command-line tool name it.
struct LanguageName {
  std::string_view name;        // ASCII short name, e.g. "ja"
  std::u16string_view display;  // the name the lists show, e.g. u"日文"
  LocaleId id;
};

// The short names of the LCIDs and special identifiers a pair can use.
std::span<const LanguageName> LanguageNames();

// The identifier of a short name (ASCII case ignored), or nullopt.
std::optional<LocaleId> FindLanguage(std::u16string_view name);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_REPAIR_FIXED_REPAIRS_H_
