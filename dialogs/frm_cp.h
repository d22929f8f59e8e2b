// The code page pair dialog "代码页和字符集": the pair of the repair
// "CP--CP", A the code page the garbled text is shown in now, B the one its
// bytes really have, typed as numbers or picked from named character sets.
// The caller shows it modally and reads Chosen() (lCPA, lCPB and sSay)
// (see dialogs/pair_dialog.h for the shared behaviour).
#ifndef TEKVO_DIALOGS_FRM_CP_H_
#define TEKVO_DIALOGS_FRM_CP_H_

#include <cstdint>

#include "dialogs/pair_dialog.h"

namespace tekvo {

class FrmCp : public PairDialog {
  Q_OBJECT

 public:
  explicit FrmCp(QWidget* parent = nullptr);

  // Code pages A and B (-2 is the text's own UTF-16 little-endian bytes).
  std::int32_t lCPA = 0;
  std::int32_t lCPB = 0;

  QLineEdit* txtCP(int index) const { return numberBox(index); }
  QLabel* lblCP() const { return numberLabel(); }
  QLabel* lblCS() const { return listLabel(); }

 protected:
  void SetPair(std::int32_t a, std::int32_t b) override;

 public:
  PairChoice Chosen() const override { return {lCPA, lCPB, sSay}; }
};

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_FRM_CP_H_
