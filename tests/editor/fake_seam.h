// A scripted stand-in for the window's seam to the user. Questions, input
// boxes and dialogs take their answers from queues filled by the test; every
// question, message, beep and dialog is recorded. Nothing ever waits in a
// modal loop: a dialog is shown without a loop, handed to its script, and
// hidden again.
//
//   FakeSeam seam;
//   seam.AnswerAsk(false);                       // the next Yes/No gets No
//   seam.AnswerInput(u"1041");                   // the next input box
//   seam.OnDialog([](QDialog& d) {               // the next dialog
//     auto& cp = dynamic_cast<FrmCp&>(d); ...; cp.accept(); });
//   ... run the command ...
//   EXPECT_EQ(seam.Messages(), std::vector<Text>{u"粘贴失败~ 文本过长"});
//   EXPECT_EQ(seam.Unscripted(), 0);
#ifndef TEKVO_TESTS_EDITOR_FAKE_SEAM_H_
#define TEKVO_TESTS_EDITOR_FAKE_SEAM_H_

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/seam.h"

namespace tekvo {

class FakeSeam : public Seam {
 public:
  enum class Kind { kAsk, kTell, kBeep, kInputBox, kDialog };

  struct Event {
    Kind kind;
    Text text;   // question, message or prompt
    Text title;  // as passed (empty: the application title)
    DefaultButton default_button = DefaultButton::kYes;
    Text default_text;       // input boxes
    std::string class_name;  // dialogs: the dialog's QMetaObject class name
  };

  // Scripts the answer of the next Yes/No question (true: Yes).
  void AnswerAsk(bool yes) { asks_.push_back(yes); }
  // Scripts the next input box: the typed text, or nullopt for Cancel.
  void AnswerInput(std::optional<Text> answer) { inputs_.push_back(std::move(answer)); }
  // Scripts the next dialog: `script` runs while the dialog is shown and
  // ends it, typically by setting its controls and calling its OK or Cancel
  // slot. A dialog still visible afterwards is rejected.
  void OnDialog(std::function<void(QDialog&)> script) { dialogs_.push_back(std::move(script)); }

  const std::vector<Event>& Events() const { return events_; }
  std::vector<Text> Messages() const { return TextsOf(Kind::kTell); }
  std::vector<Text> Questions() const { return TextsOf(Kind::kAsk); }
  std::vector<Text> Prompts() const { return TextsOf(Kind::kInputBox); }
  int Beeps() const;
  int DialogsShown() const;
  // Questions, input boxes and dialogs that found no scripted answer (they
  // got No, Cancel and a rejected dialog).
  int Unscripted() const { return unscripted_; }
  // Scripted answers not used yet.
  int Unused() const { return static_cast<int>(asks_.size() + inputs_.size() + dialogs_.size()); }
  // Forgets the record (the scripts stay).
  void ClearEvents() {
    events_.clear();
    unscripted_ = 0;
  }

  bool Ask(const Text& question, DefaultButton default_button = DefaultButton::kYes,
           const Text& title = Text()) override;
  void Tell(const Text& message, const Text& title = Text()) override;
  void Beep() override;
  std::optional<Text> InputBox(const Text& prompt, const Text& title,
                               const Text& default_text) override;
  bool RunDialog(QDialog& dialog) override;

 private:
  std::vector<Text> TextsOf(Kind kind) const;

  std::deque<bool> asks_;
  std::deque<std::optional<Text>> inputs_;
  std::deque<std::function<void(QDialog&)>> dialogs_;
  std::vector<Event> events_;
  int unscripted_ = 0;
};

}  // namespace tekvo

#endif  // TEKVO_TESTS_EDITOR_FAKE_SEAM_H_
