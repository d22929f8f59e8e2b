#include "files/name_repair.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/case_name.h"
// After case_name.h, whose "testing" is GoogleTest's.
#include "file_test_support.h"

namespace tekvo {
namespace {

using testing::Hex;

struct RepairCase {
  const char* name;
  std::string bytes;
  NameVerdict verdict;
  std::string new_name;  // for kRepair
  std::string repair;    // for kRepair
};

void PrintTo(const RepairCase& c, std::ostream* os) { *os << c.name << " " << Hex(c.bytes); }

class NameRepairTest : public ::testing::TestWithParam<RepairCase> {};

TEST_P(NameRepairTest, ProposesTheOriginalOrNothing) {
  const RepairCase& c = GetParam();
  const NameProposal p = ProposeNameRepair(c.bytes);
  EXPECT_EQ(p.verdict, c.verdict) << Hex(c.bytes) << " proposed " << p.new_name << " [" << p.repair
                                  << "] " << p.score_before << " -> " << p.score_after;
  if (c.verdict == NameVerdict::kRepair) {
    EXPECT_EQ(p.new_name, c.new_name) << Hex(c.bytes);
    EXPECT_EQ(p.repair, c.repair) << Hex(c.bytes);
  }
}

const RepairCase kRepairCases[] = {
    {"gb-bytes", "\xBB\xE1\xD2\xE9\xBC\xCD\xD2\xAA.docx", NameVerdict::kRepair, "会议纪要.docx",
     "GB"},
    {"big5-bytes", "\xA4\xA4\xB5\xD8\xA5\xC1\xB0\xEA.txt", NameVerdict::kRepair, "中華民國.txt",
     "Big5"},
    {"shift-jis-bytes", "\x93\xFA\x96{\x8C\xEA\x82\xCC\x83t\x83@\x83\x43\x83\x8B.txt",
     NameVerdict::kRepair, "日本語のファイル.txt", "Shift-JIS"},
    // Read as GB the same bytes are two GBK hanzi that score alike; kana
    // are everyday Shift-JIS, those hanzi are not everyday GB.
    {"shift-jis-kana-ties-with-gb", "\x83g\x83z.pdf", NameVerdict::kRepair, "トホ.pdf",
     "Shift-JIS"},
    {"euc-kr-bytes", "\xC7\xD1\xB1\xB9\xBE\xEE \xB9\xAE\xBC\xAD.hwp", NameVerdict::kRepair,
     "한국어 문서.hwp", "EUC-KR"},
    {"gb-read-as-437", "╗ß╥Θ╝═╥¬.docx", NameVerdict::kRepair, "会议纪要.docx", "GB read as CP437"},
    {"gb-read-as-1252", "ÖÐÎÄ×ÊÁÏ.doc", NameVerdict::kRepair, "中文资料.doc",
     "GB read as Windows-1252"},
    {"utf8-read-as-gb", "骞村害鎶ュ憡.xlsx", NameVerdict::kRepair, "年度报告.xlsx",
     "UTF-8 read as GB"},
    {"utf8-read-as-1252", "cafÃ© crÃ¨me.txt", NameVerdict::kRepair, "café crème.txt",
     "UTF-8 read as Windows-1252"},
    {"clean-ascii", "readme.txt", NameVerdict::kClean, "", ""},
    {"clean-french", "Résumé.doc", NameVerdict::kClean, "", ""},
    {"clean-german", "Grüße aus Köln.txt", NameVerdict::kClean, "", ""},
    {"clean-chinese", "报告.txt", NameVerdict::kClean, "", ""},
    {"clean-traditional", "中華民國.txt", NameVerdict::kClean, "", ""},
    {"clean-japanese", "日本語のファイル.txt", NameVerdict::kClean, "", ""},
    {"clean-korean", "한국어 문서.hwp", NameVerdict::kClean, "", ""},
    {"clean-russian", "Привет мир.txt", NameVerdict::kClean, "", ""},
    {"clean-greek", "Ελληνικά.txt", NameVerdict::kClean, "", ""},
    {"clean-emoji", "\xF0\x9F\x98\x80 party.jpg", NameVerdict::kClean, "", ""},
    {"no-page-reads-it", "\x81\xFF\x80\xFF", NameVerdict::kUnreadable, "", ""},
    {"dot-dot", "..", NameVerdict::kClean, "", ""},
};

INSTANTIATE_TEST_SUITE_P(Names, NameRepairTest, ::testing::ValuesIn(kRepairCases),
                         CaseName<RepairCase>);

TEST(NameRepairLimitTest, ARepairPastTheNameLimitIsReportedNotProposed) {
  std::string gb;
  // 120 hanzi: 240 bytes in GB, 360 in UTF-8.
  for (int i = 0; i < 60; ++i) gb += "\xBB\xE1\xD2\xE9";
  const NameProposal p = ProposeNameRepair(gb);
  EXPECT_EQ(p.verdict, NameVerdict::kTooLong) << p.new_name.size();
  EXPECT_EQ(p.new_name.size(), 360u);
}

}  // namespace
}  // namespace tekvo
