// The sets of garbled stretches inside clean text and of garbled file names
// people posted: every row reads, the held-out part is the rule's, every
// mixed case has clean text around its garble, every name is garbled on
// disk, and the measure of characters kept outside the stretches counts what
// it says it counts.
#include <gtest/gtest.h>

#include <set>

#include "tests/suggest/real_stretches.h"

namespace tekvo {
namespace {

using real_garbles::Case;

TEST(RealMixed, EveryRowReadsAndFollowsTheHeldOutRule) {
  for (const std::string& path : {real_garbles::MixedDataPath(), real_garbles::NamesDataPath()}) {
    SCOPED_TRACE(path);
    int bad = -1;
    const std::vector<Case> cases = real_garbles::Load(path, &bad);
    EXPECT_EQ(bad, 0);
    EXPECT_GE(cases.size(), 18u);
    std::set<std::string> ids;
    for (const Case& c : cases) {
      EXPECT_TRUE(ids.insert(c.id).second) << "id twice: " << c.id;
      EXPECT_EQ(c.held, real_garbles::HeldOutById(c.id)) << c.id;
      EXPECT_FALSE(c.source.empty()) << c.id;
      EXPECT_NE(c.text, c.truth) << c.id;
    }
  }
}

// A case of the mixed set is a garble inside clean text: something of the
// posted text must stay.
TEST(RealMixed, EveryMixedCaseHasCleanTextAroundItsGarble) {
  for (const Case& c : real_garbles::Load(real_garbles::MixedDataPath())) {
    EXPECT_FALSE(real_garbles::CleanRuns(c.text, c.truth).empty()) << c.id;
  }
}

TEST(RealMixed, EveryNameIsGarbledOnDisk) {
  for (const Case& c : real_garbles::Load(real_garbles::NamesDataPath())) {
    EXPECT_NE(real_garbles::NameBytes(c), suggest_corpus::ToUtf8(c.truth)) << c.id;
  }
}

TEST(RealMixed, KeepsOutsideSeesEveryChangedNeighbour) {
  struct Row {
    const char* name;
    std::u16string text, truth, result;
    bool keeps;
  };
  const Row rows[] = {
      {"exact repair", u"Это «鍒樻磱».", u"Это «刘洋».", u"Это «刘洋».", true},
      {"guillemets lost", u"Это «鍒樻磱».", u"Это «刘洋».", u"Это ?刘洋?.", false},
      {"wrong repair, neighbours kept", u"Это «鍒樻磱».", u"Это «刘洋».", u"Это «刘?».", true},
      {"left as it was", u"Это «鍒樻磱».", u"Это «刘洋».", u"Это «鍒樻磱».", true},
      {"quote inside CJK changed", u"请把“鍚堝悓”交给他", u"请把“合同”交给他",
       u"请把\"合同\"交给他", false},
      {"clean text between two stretches changed", u"涓浗 x 姹熻嫃", u"中国 x 江苏", u"中国 y 江苏",
       false},
      {"last character lost", u"由åˆ˜æ´‹负责", u"由刘洋负责", u"由刘洋负", false},
      {"clean text must come back whole", u"모식", u"모식", u"模?", false},
      {"clean text unchanged", u"모식", u"모식", u"모식", true},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(real_garbles::KeepsOutside(r.result, r.text, r.truth), r.keeps) << r.name;
  }
}

TEST(RealMixed, ShortRunsBetweenStretchesBelongToTheStretch) {
  // The "l" of "TÃ©lÃ©" is a letter the garble left alone, not clean text.
  const auto runs = real_garbles::CleanRuns(u"ICI TÃ©lÃ© HD", u"ICI Télé HD");
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].end, 5u);
  EXPECT_EQ(runs[1].begin, 10u);
}

TEST(RealMixed, NameBytesReadsTheEscapesOfRawBytes) {
  struct Row {
    const char* name;
    std::u16string text;
    std::string bytes;
  };
  const Row rows[] = {
      {"octal, as ls -b prints", u"\\202\\255.pdf", "\x82\xAD.pdf"},
      {"hex after ASCII", u"self\\xD6\\xD0", "self\xD6\xD0"},
      {"UTF-8 of a code page reading", u"Σ╕¡", "\xCE\xA3\xE2\x95\x95\xC2\xA1"},
      {"a backslash that escapes nothing", u"a\\b", "a\\b"},
  };
  for (const Row& r : rows) {
    Case c;
    c.text = r.text;
    EXPECT_EQ(real_garbles::NameBytes(c), r.bytes) << r.name;
  }
}

}  // namespace
}  // namespace tekvo
