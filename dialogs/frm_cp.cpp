#include "dialogs/frm_cp.h"

namespace tekvo {
namespace {

const PairDialogSpec kSpec = {
    u"代码页和字符集",
    u"代码页(CP)",
    u"字符集",
    u"简体中文(GBK),936,简体中文(GB18030),54936,繁体中文(Big5),950,繁体中文(CNS),20000,"
    u"日文(Shift-JIS),932,日文(EUC),20932,韩文(KS),949,韩文(Johab),1361,泰文(Windows),874,"
    u"越南文(Windows),1258,西欧(Windows),1252,西欧(ISO),28591,希腊文(Windows),1253,"
    u"希腊文(ISO),28597,西里尔(Windows),1251,西里尔(KOI8-R),20866,(=),-2,Unicode(UTF-8),65001",
    "txtCP",
    "lblCP",
    "lblCS",
    u"CP: ",
    u" -- ",
};

}  // namespace

FrmCp::FrmCp(QWidget* parent) : PairDialog(kSpec, parent) {}

void FrmCp::SetPair(std::int32_t a, std::int32_t b) {
  lCPA = a;
  lCPB = b;
}

}  // namespace tekvo
