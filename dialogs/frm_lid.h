// The language pair dialog "语文区号和名称": the pair of the repair
// "LCID--LCID", A the language in whose code page the garbled text is shown
// now, B the one whose code page its bytes really have, typed as LCIDs or
// picked by short name. The caller shows it modally and reads Chosen()
// (lLidA, lLidB and sSay) (see dialogs/pair_dialog.h for the shared
// behaviour).
#ifndef TEKVO_DIALOGS_FRM_LID_H_
#define TEKVO_DIALOGS_FRM_LID_H_

#include <cstdint>

#include "dialogs/pair_dialog.h"

namespace tekvo {

class FrmLid : public PairDialog {
  Q_OBJECT

 public:
  explicit FrmLid(QWidget* parent = nullptr);

  // Identifiers A and B: LCIDs, or -1, -2, -3 for UTF-16 big and little
  // endian and UTF-8.
  std::int32_t lLidA = 0;
  std::int32_t lLidB = 0;

  QLineEdit* txtLid(int index) const { return numberBox(index); }
  QLabel* lblA() const { return numberLabel(); }
  QLabel* lblB() const { return listLabel(); }

 protected:
  void SetPair(std::int32_t a, std::int32_t b) override;

 public:
  PairChoice Chosen() const override { return {lLidA, lLidB, sSay}; }
};

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_FRM_LID_H_
