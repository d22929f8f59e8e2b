#include "tests/editor/command_harness.h"

#include <QApplication>

namespace tekvo {

void EnsureQtApplication() {
  if (QApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tekvo-test";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

CommandHarness::CommandHarness()
    : box(edit, clipboard),
      history(box, say, seam),
      menus(BuildMenuBar(bar)),
      dialogs(nullptr, seam),
      ctx(box, say, history, seam, clipboard, menus, dialogs) {}

void CommandHarness::Load(const Text& text, const Text& caption) {
  box.SetText(text);
  say.SetCaption(caption);
  history.SetSaved(History::kOriginal);
  history.ResetOriginal();
}

void CommandHarness::Select(std::int32_t start, std::int32_t length) {
  box.SetSelStart(start);
  box.SetSelLength(length);
}

void CommandHarness::Change(const Text& text, const Text& caption) {
  box.SetText(text);
  say.SetCaption(caption);
  history.RecordStep(true);
}

}  // namespace tekvo
