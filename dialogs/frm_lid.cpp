#include "dialogs/frm_lid.h"

namespace tekvo {
namespace {

const PairDialogSpec kSpec = {
    u"语文区号和名称",
    u"语文区号(LCID)",
    u"语文名称",
    u"GB,2052,Big5,1028,日文,1041,韩文,1042,泰文,1054,越南文,1066,Eng,1033,希腊文,1032,"
    u"俄文,1049,阿拉伯文,1025,希伯莱文,1037,U,-2,UTF8,-3",
    "txtLid",
    "lblA",
    "lblB",
    u"LCID: ",
    u"--",
};

}  // namespace

FrmLid::FrmLid(QWidget* parent) : PairDialog(kSpec, parent) {}

void FrmLid::SetPair(std::int32_t a, std::int32_t b) {
  lLidA = a;
  lLidB = b;
}

}  // namespace tekvo
