#include "tests/editor/fake_seam.h"

#include <QDialog>
#include <algorithm>

namespace tekvo {

int FakeSeam::Beeps() const {
  return static_cast<int>(std::count_if(events_.begin(), events_.end(),
                                        [](const Event& e) { return e.kind == Kind::kBeep; }));
}

int FakeSeam::DialogsShown() const {
  return static_cast<int>(std::count_if(events_.begin(), events_.end(),
                                        [](const Event& e) { return e.kind == Kind::kDialog; }));
}

std::vector<Text> FakeSeam::TextsOf(Kind kind) const {
  std::vector<Text> texts;
  for (const Event& e : events_) {
    if (e.kind == kind) texts.push_back(e.text);
  }
  return texts;
}

bool FakeSeam::Ask(const Text& question, DefaultButton default_button, const Text& title) {
  events_.push_back({Kind::kAsk, question, title, default_button, {}, {}});
  if (asks_.empty()) {
    ++unscripted_;
    return false;
  }
  const bool yes = asks_.front();
  asks_.pop_front();
  return yes;
}

void FakeSeam::Tell(const Text& message, const Text& title) {
  events_.push_back({Kind::kTell, message, title, DefaultButton::kYes, {}, {}});
}

void FakeSeam::Beep() { events_.push_back({Kind::kBeep, {}, {}, DefaultButton::kYes, {}, {}}); }

std::optional<Text> FakeSeam::InputBox(const Text& prompt, const Text& title,
                                       const Text& default_text) {
  events_.push_back({Kind::kInputBox, prompt, title, DefaultButton::kYes, default_text, {}});
  if (inputs_.empty()) {
    ++unscripted_;
    return std::nullopt;
  }
  std::optional<Text> answer = std::move(inputs_.front());
  inputs_.pop_front();
  return answer;
}

bool FakeSeam::RunDialog(QDialog& dialog) {
  events_.push_back(
      {Kind::kDialog, {}, {}, DefaultButton::kYes, {}, dialog.metaObject()->className()});
  dialog.setResult(QDialog::Rejected);
  // Shown as exec() would show it (dialogs prepare themselves on show), but
  // without a modal loop.
  dialog.show();
  if (dialogs_.empty()) {
    ++unscripted_;
  } else {
    auto script = std::move(dialogs_.front());
    dialogs_.pop_front();
    script(dialog);
  }
  if (dialog.isVisible()) dialog.reject();
  return dialog.result() == QDialog::Accepted;
}

}  // namespace tekvo
