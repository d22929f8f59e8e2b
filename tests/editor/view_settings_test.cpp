#include "editor/view_settings.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

struct WrapCase {
  const char* name;
  const char* value;
  std::optional<bool> expected;
};

void PrintTo(const WrapCase& c, std::ostream* os) { *os << c.name << " \"" << c.value << '"'; }

class ParseWordWrapTest : public testing::TestWithParam<WrapCase> {};

TEST_P(ParseWordWrapTest, AcceptsTruthWordsAndNumbers) {
  EXPECT_EQ(ParseWordWrap(QString::fromUtf8(GetParam().value)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseWordWrapTest,
    testing::Values(WrapCase{"true", "True", true}, WrapCase{"false", "False", false},
                    WrapCase{"any-case", "fALSE", false}, WrapCase{"blanks", " True ", true},
                    WrapCase{"zero", "0", false}, WrapCase{"number", "-1", true},
                    WrapCase{"fraction", "0.5", true}, WrapCase{"empty", "", std::nullopt},
                    WrapCase{"word", "yes", std::nullopt},
                    WrapCase{"not-a-number", "nan", std::nullopt}),
    CaseName<WrapCase>);

struct SizeCase {
  const char* name;
  const char* value;
  std::optional<double> expected;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name << " \"" << c.value << '"'; }

class ParseFontSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(ParseFontSizeTest, AcceptsPositiveDecimals) {
  EXPECT_EQ(ParseFontSize(QString::fromUtf8(GetParam().value)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseFontSizeTest,
    testing::Values(SizeCase{"whole", "12", 12.0}, SizeCase{"half", "10.5", 10.5},
                    SizeCase{"four-places", "9.123456", 9.1235}, SizeCase{"blanks", " 14 ", 14.0},
                    SizeCase{"zero", "0", std::nullopt}, SizeCase{"negative", "-3", std::nullopt},
                    SizeCase{"huge", "100000", std::nullopt},
                    SizeCase{"letters", "twelve", std::nullopt},
                    SizeCase{"comma", "10,5", std::nullopt}, SizeCase{"empty", "", std::nullopt}),
    CaseName<SizeCase>);

TEST(FontSizeTextTest, WritesWithoutTrailingZeros) {
  EXPECT_EQ(FormatFontSize(12), QStringLiteral("12"));
  EXPECT_EQ(FormatFontSize(10.5), QStringLiteral("10.5"));
  EXPECT_EQ(FormatFontSize(9.1235), QStringLiteral("9.1235"));
}

TEST(FontSizeTextTest, SizeMenuRoundsHalvesToEven) {
  EXPECT_EQ(RoundedFontSize(10.5), 10);
  EXPECT_EQ(RoundedFontSize(11.5), 12);
  EXPECT_EQ(RoundedFontSize(12), 12);
  EXPECT_EQ(RoundedFontSize(12.6), 13);
}

// Every test reads and writes a store in its own temporary folder.
class SettingsStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    ASSERT_TRUE(dir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
  }
  QTemporaryDir dir_;
};

struct StoredCase {
  const char* name;
  QVariant wrap, font, size;  // invalid: key missing
  ViewSettings expected;
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.name; }

class LoadViewSettingsTest : public SettingsStoreTest,
                             public testing::WithParamInterface<StoredCase> {};

TEST_P(LoadViewSettingsTest, BrokenValueKeepsOnlyThatSettingDesigned) {
  const StoredCase& c = GetParam();
  {
    auto store = OpenSettingsStore();
    store->beginGroup(QStringLiteral("Picks"));
    if (c.wrap.isValid()) store->setValue(QStringLiteral("WordWrap"), c.wrap);
    if (c.font.isValid()) store->setValue(QStringLiteral("FontName"), c.font);
    if (c.size.isValid()) store->setValue(QStringLiteral("FontSize"), c.size);
    store->endGroup();
  }
  auto store = OpenSettingsStore();
  EXPECT_EQ(LoadViewSettings(*store), c.expected);
}

const QString kSong = QStringLiteral("宋体");

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadViewSettingsTest,
    testing::Values(
        StoredCase{"first-start", {}, {}, {}, ViewSettings{true, kSong, 12}},
        StoredCase{"all-stored", QStringLiteral("False"), QStringLiteral("黑体"),
                   QStringLiteral("10.5"), ViewSettings{false, QStringLiteral("黑体"), 10.5}},
        StoredCase{"broken-wrap", QStringLiteral("maybe"), QStringLiteral("Arial"),
                   QStringLiteral("14"), ViewSettings{true, QStringLiteral("Arial"), 14}},
        StoredCase{"broken-size", QStringLiteral("0"), QStringLiteral("Arial"),
                   QStringLiteral("big"), ViewSettings{false, QStringLiteral("Arial"), 12}},
        StoredCase{"empty-font-name", QStringLiteral("True"), QStringLiteral(""),
                   QStringLiteral("16"), ViewSettings{true, kSong, 16}}),
    CaseName<StoredCase>);

TEST_F(SettingsStoreTest, WritesTheValueTextsUnderTkvPicks) {
  {
    auto store = OpenSettingsStore();
    SaveViewSettings(*store, ViewSettings{false, QStringLiteral("黑体"), 10.5});
  }
  // The store on disk is "TKV", section "Picks", with the value texts.
  QSettings file(dir_.path() + QStringLiteral("/TKV/TKV.conf"), QSettings::IniFormat);
  EXPECT_EQ(file.value(QStringLiteral("Picks/WordWrap")).toString(), QStringLiteral("False"));
  EXPECT_EQ(file.value(QStringLiteral("Picks/FontName")).toString(), QStringLiteral("黑体"));
  EXPECT_EQ(file.value(QStringLiteral("Picks/FontSize")).toString(), QStringLiteral("10.5"));

  auto store = OpenSettingsStore();
  EXPECT_EQ(LoadViewSettings(*store), (ViewSettings{false, QStringLiteral("黑体"), 10.5}));
}

}  // namespace
}  // namespace tekvo
