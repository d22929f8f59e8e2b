#include "engine/repair/repairs.h"

#include <gtest/gtest.h>

#include <string>

namespace tekvo {
namespace {

// Each row reached by its command-line name and run with its own parameter:
// a row whose parameter is of the wrong kind for its routine, or that names
// the wrong language, gives another text.
struct RowCase {
  const char* label;
  std::string_view cli_name;
  Text input;
  Text expected;
};

TEST(RepairTable, EachRowRunsItsRoutineWithItsParameter) {
  const RowCase cases[] = {
      {"html-hex-reference", "html", u"&#x53EF;&amp;", u"可&"},
      {"backslash-escape", "numu1", u"\\u53EF\\x28", u"可("},
      {"percent-u-escape", "numu2", u"%u53EF%28", u"可("},
      {"url-read-as-big5", "url:big5", u"%A4%A4+x", u"中 x"},
      {"qp-read-as-utf8", "qp:utf8", u"=E7=94=B5", u"电"},
      {"base64-read-as-gb", "base64:gb", u"1tA=", u"中"},
      {"utf7", "utf7", u"+UxdOrA-", u"北京"},
      {"hz", "hz", u"~{VP~}a", u"中a"},
      {"western-shown-gb-bytes", "en--gb", u"\u00D6\u00D0", u"中"},
      {"byte-order-swap", "u--ube", u"\u2D4E\u8765", u"中文"},
      {"iso2022-japanese", "iso2022:ja", u"$B$R$H$?$S", u"ひとたび"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const Repair* row = FindRepairByCliName(c.cli_name);
    ASSERT_NE(row, nullptr);
    const Converted out = RunRepairRoutine(row->routine, row->param, c.input);
    EXPECT_FALSE(out.too_long);
    EXPECT_EQ(out.text, c.expected);
  }
}

TEST(RepairTable, ParameterOfAnotherKindLeavesTheText) {
  const struct {
    const char* label;
    RepairRoutine routine;
    RepairParam param;
  } cases[] = {
      {"url-given-escape-family", RepairRoutine::kUrl, EscapeFamily::kHtml},
      {"pair-given-nothing", RepairRoutine::kReinterpret, std::monostate{}},
      {"escapes-given-language", RepairRoutine::kNumericEscapes, ByteLanguage{LocaleId{2052}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const Converted out = RunRepairRoutine(c.routine, c.param, u"%41&#65;\u00D6\u00D0");
    EXPECT_EQ(out.text, u"%41&#65;\u00D6\u00D0");
  }
}

TEST(RepairTable, Lookups) {
  EXPECT_EQ(FindRepairByCliName("BASE64:Big5"), FindMenuRepair(RepairMenu::kBase64, 1));
  ASSERT_NE(FindRepairByCliName("base64url:gb"), nullptr);  // in no menu, but a row
  EXPECT_EQ(FindRepairByCliName("base64url:gb")->routine, RepairRoutine::kBase64Url);
  EXPECT_EQ(FindMenuRepair(RepairMenu::kNone, -1), FindRepairByCliName("base64url:gb"));
  EXPECT_EQ(FindMenuRepair(RepairMenu::kReadQp, 3), nullptr);  // the separator
  EXPECT_EQ(FindMenuRepair(RepairMenu::k2022, 3), nullptr);
  ASSERT_NE(FindMenuRepair(RepairMenu::kReadQp, 4), nullptr);
  EXPECT_EQ(FindMenuRepair(RepairMenu::kReadQp, 4)->say, u"QP--GB ");
}

}  // namespace
}  // namespace tekvo
