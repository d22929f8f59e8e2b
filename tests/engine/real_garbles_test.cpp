// The real-world yardstick's data: every row reads, the held-out fifth is the
// one the fixed rule names, and the measure of partly right results counts
// what it says it counts.
#include "tests/suggest/real_garbles.h"

#include <gtest/gtest.h>

#include <set>

namespace tekvo {
namespace {

using real_garbles::Case;

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = real_garbles::Load(real_garbles::DataPath());
  return cases;
}

TEST(RealGarbles, EveryRowReads) {
  int bad = -1;
  const std::vector<Case> cases = real_garbles::Load(real_garbles::DataPath(), &bad);
  EXPECT_EQ(bad, 0);
  EXPECT_GE(cases.size(), 250u);
}

TEST(RealGarbles, IdsAreUniqueAndEveryCaseIsComplete) {
  std::set<std::string> seen;
  for (const Case& c : Cases()) {
    EXPECT_TRUE(seen.insert(c.id).second) << "id twice: " << c.id;
    EXPECT_FALSE(c.kind.empty()) << c.id;
    EXPECT_FALSE(c.source.empty()) << c.id;
    EXPECT_NE(c.text, c.truth) << c.id << ": a garble that is its own truth";
  }
}

// Nobody may move a case between the parts by hand: the part is the rule's.
TEST(RealGarbles, HeldOutPartFollowsTheRule) {
  int held = 0;
  for (const Case& c : Cases()) {
    EXPECT_EQ(c.held, real_garbles::HeldOutById(c.id)) << c.id;
    held += c.held;
  }
  const double share = Cases().empty() ? 0 : static_cast<double>(held) / Cases().size();
  EXPECT_GT(share, 0.1);
  EXPECT_LT(share, 0.3);
}

TEST(RealGarbles, HeldOutRuleIsFnv1aModuloFive) {
  // FNV-1a of "a" is 0xE40C292C = 3826002220, which is 0 modulo 5.
  EXPECT_TRUE(real_garbles::HeldOutById("a"));
  // FNV-1a of "b" is 0xE70C2DE5 = 3876335077, 2 modulo 5.
  EXPECT_FALSE(real_garbles::HeldOutById("b"));
}

TEST(RealGarbles, CharShareCountsEachWrongCharacterOnce) {
  struct Row {
    const char* name;
    std::u16string result, truth;
    double share;
  };
  const Row rows[] = {
      {"identical", u"König", u"König", 1.0},
      {"one hole kept", u"K\uFFFDnig", u"König", 0.8},
      {"one character missing", u"Kng", u"König", 0.6},
      {"one character extra", u"Köniig", u"König", 0.8},
      {"left garbled", u"KÃ¶nig", u"König", 0.6},
      {"nothing", u"", u"合同", 0.0},
      {"far longer junk", u"abcdefghij", u"合同", 0.0},
      {"character past the basic plane counts once", u"\U00020000x", u"\U00020000y", 0.5},
  };
  for (const Row& r : rows) {
    EXPECT_DOUBLE_EQ(real_garbles::CharShare(r.result, r.truth), r.share) << r.name;
  }
}

}  // namespace
}  // namespace tekvo
