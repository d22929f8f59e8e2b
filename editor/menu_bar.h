// The menu bar of the main window: every menu and item with its caption, its
// name as objectName ("mnuChgA2B_4" for index 4 of an item array) and its
// place. Building the bar wires nothing; the window connects the items to
// their handlers.
#ifndef TEKVO_EDITOR_MENU_BAR_H_
#define TEKVO_EDITOR_MENU_BAR_H_

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <array>

#include "editor/menu_captions.h"

namespace tekvo {

struct Menus {
  QMenu* mnuFiles = nullptr;
  QAction* mnuClear = nullptr;
  QAction* mnuOpen = nullptr;
  QAction* mnuSave = nullptr;
  QAction* mnuAttr = nullptr;
  QAction* mnuNewWin = nullptr;

  QMenu* mnuEdits = nullptr;
  QAction* mnuPasteOrig = nullptr;
  QAction* mnuASel = nullptr;
  QAction* mnuCopy = nullptr;
  QAction* mnuPaste = nullptr;
  std::array<QAction*, 4> mnuWnCase{};
  QMenu* mnuMakes = nullptr;
  std::array<QAction*, 11> mnuMake{};
  QAction* mnuSeekNew = nullptr;
  QAction* mnuReplace = nullptr;
  QAction* mnuSayCode = nullptr;
  std::array<QAction*, 5> mnuIns{};

  QMenu* mnuJiedusA = nullptr;
  std::array<QAction*, captions::kNumU.size()> mnuNumU{};
  std::array<QAction*, captions::kReadQp.size()> mnuReadQp{};
  std::array<QAction*, captions::kBase64.size()> mnuBase64{};
  std::array<QAction*, captions::kJieA.size()> mnuJieA{};
  QAction* mnuAskJieA = nullptr;

  QMenu* mnuJiedusB = nullptr;
  std::array<QAction*, captions::kChgA2B.size()> mnuChgA2B{};
  std::array<QAction*, 2> mnuAskA2B{};
  QAction* mnuSuggest = nullptr;

  QMenu* mnuJiedusC = nullptr;
  std::array<QAction*, 2> mnuCutaByte{};
  QAction* mnuAskCutaByte = nullptr;
  std::array<QAction*, captions::k2022.size()> mnu2022{};

  QMenu* mnuLooks = nullptr;
  QAction* mnuHScr = nullptr;
  QMenu* mnuFonts = nullptr;
  QAction* mnuFont0 = nullptr;
  std::array<QAction*, 9> mnuFont{};
  QMenu* mnuSizes = nullptr;
  QAction* mnuSize0 = nullptr;
  std::array<QAction*, 8> mnuSize{};
  QAction* mnuAbout = nullptr;
};

// Fills `bar` (which owns everything created) and returns the items.
Menus BuildMenuBar(QMenuBar& bar);

// Creates the generated item arrays: the font names, the font sizes and the
// compose items. Called by BuildMenuBar.
void BuildMenus(Menus& menus);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_MENU_BAR_H_
