#include "engine/repair/fixed_repairs.h"

#include <gtest/gtest.h>

#include "tests/id_output.h"

namespace tekvo {
namespace {

struct LookupCase {
  const char* label;
  std::u16string_view name;
  int menu_index;  // -1: no match
};

TEST(FixedRepairs, FindByNameIgnoresAsciiCase) {
  const LookupCase cases[] = {
      {"ascii-lower", u"gb--big5", 0},  {"ascii-upper", u"GB--BIG5", 0},
      {"caption-pair", u"GB--日文", 1}, {"caption-pair-other-case", u"gb--日文", 1},
      {"ascii-name-ja", u"ja--gb", 8},  {"utf16-swap", u"U--UBE", 15},
      {"eng-utf8", u"en--utf8", 14},    {"reversed-pair-unknown", u"big5--ja", -1},
      {"single-dash", u"gb-big5", -1},  {"empty", u"", -1},
  };
  for (const auto& c : cases) {
    const FixedRepair* r = FindFixedRepair(c.name);
    EXPECT_EQ(r == nullptr ? -1 : r->menu_index, c.menu_index) << c.label;
  }
}

TEST(FixedRepairs, MenuSlotsAndCaptions) {
  int repairs = 0;
  for (int i = 0; i < kFixedRepairMenuSlots; ++i) {
    const FixedRepair* r = FixedRepairAtMenuIndex(i);
    if (i == 5 || i == 11) {
      EXPECT_EQ(r, nullptr) << i;
      continue;
    }
    ASSERT_NE(r, nullptr) << i;
    ++repairs;
    // Every caption starts with its pair followed by " ：".
    EXPECT_EQ(r->caption.substr(0, r->pair.size() + 2), std::u16string(r->pair) + u" ：") << i;
  }
  EXPECT_EQ(repairs, 14);
  EXPECT_EQ(FixedRepairAtMenuIndex(16), nullptr);
  EXPECT_EQ(FixedRepairAtMenuIndex(-1), nullptr);
}

TEST(FixedRepairs, LanguageShortNames) {
  EXPECT_EQ(FindLanguage(u"GB"), LocaleId{2052});
  EXPECT_EQ(FindLanguage(u"utf8"), kIdUtf8);
  EXPECT_EQ(FindLanguage(u"ube"), kIdUtf16Be);
  EXPECT_EQ(FindLanguage(u"He"), LocaleId{1037});
  EXPECT_EQ(FindLanguage(u"xx"), std::nullopt);
}

}  // namespace
}  // namespace tekvo
