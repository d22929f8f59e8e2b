// Everything a command handler receives, built without a main window: a real
// box over a QPlainTextEdit, the status label, the history, a scripted seam,
// an in-memory clipboard, the real menu items and the dialog set.
//
//   CommandHarness h;                 // also creates the QApplication
//   h.Load(u"abc\r\ndef");            // the original, saved
//   h.Select(1, 2);
//   mnuIns_Click(h.ctx, 4);
//   EXPECT_EQ(h.box.Text(), ...);
#ifndef TEKVO_TESTS_EDITOR_COMMAND_HARNESS_H_
#define TEKVO_TESTS_EDITOR_COMMAND_HARNESS_H_

#include <QMenuBar>
#include <QPlainTextEdit>
#include <optional>

#include "editor/clipboard.h"
#include "editor/dialog_set.h"
#include "editor/editor_context.h"
#include "editor/history.h"
#include "editor/menu_bar.h"
#include "editor/say_label.h"
#include "editor/text_box.h"
#include "tests/editor/fake_seam.h"

namespace tekvo {

// Creates the process's QApplication on the offscreen platform if there is
// none yet (GoogleTest programs have no Qt main). Safe to call repeatedly.
void EnsureQtApplication();

class FakeClipboard : public Clipboard {
 public:
  bool HasText() const override { return content.has_value(); }
  Text ReadText() const override { return content.value_or(Text()); }
  void WriteText(const Text& text) override { content = text; }

  // nullopt: the clipboard holds no text.
  std::optional<Text> content;
};

struct QtApplicationHolder {
  QtApplicationHolder() { EnsureQtApplication(); }
};

class CommandHarness : private QtApplicationHolder {
 public:
  CommandHarness();

  // Makes `text` the original, as a file just opened: saved, no steps.
  void Load(const Text& text, const Text& say = Text());
  // Selects `length` positions from `start` (a line break is one position).
  void Select(std::int32_t start, std::int32_t length);
  // Replaces the whole text as a command would and records a step with
  // status text `say`.
  void Change(const Text& text, const Text& say);

  FakeSeam seam;
  FakeClipboard clipboard;
  QPlainTextEdit edit;
  TextBox box;
  SayLabel say;
  History history;
  QMenuBar bar;
  Menus menus;
  DialogSet dialogs;
  EditorContext ctx;
};

}  // namespace tekvo

#endif  // TEKVO_TESTS_EDITOR_COMMAND_HARNESS_H_
