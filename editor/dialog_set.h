// The window's modal dialogs (the file browser, the text input, the code page
// pair, the language pair and the transform-and-language dialogs), each
// created on first use and kept, hidden, between uses so that it remembers
// the user's last choices. The window closes them all when it closes.
//
// Handlers reach a dialog by its class: ctx.dialogs.Get<FrmCp>(). A dialog
// class needs no registration; it is built with the first of these
// constructors it has: (Prompter&, QWidget* parent), (QWidget* parent),
// (). A dialog with another constructor gets one specialisation of
// MakeDialog below.
#ifndef TEKVO_EDITOR_DIALOG_SET_H_
#define TEKVO_EDITOR_DIALOG_SET_H_

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

#include "files/prompter.h"

namespace tekvo {

template <class D>
D* MakeDialog(QWidget* parent, Prompter& prompter) {
  if constexpr (std::is_constructible_v<D, Prompter&, QWidget*>) {
    return new D(prompter, parent);
  } else if constexpr (std::is_constructible_v<D, QWidget*>) {
    return new D(parent);
  } else {
    return new D();
  }
}

class DialogSet {
 public:
  // `parent` (may be null) owns the dialogs as Qt children and centres them;
  // `prompter` is handed to dialogs that ask questions.
  DialogSet(QWidget* parent, Prompter& prompter) : parent_(parent), prompter_(prompter) {}
  ~DialogSet() { CloseAll(); }
  DialogSet(const DialogSet&) = delete;
  DialogSet& operator=(const DialogSet&) = delete;

  // The dialog of class D, created now if it does not exist yet.
  template <class D>
  D& Get() {
    static_assert(std::is_base_of_v<QDialog, D>, "a dialog of the set must be a QDialog");
    if (D* existing = Find<D>()) return *existing;
    D* made = MakeDialog<D>(parent_, prompter_);
    dialogs_.emplace_back(std::type_index(typeid(D)), QPointer<QDialog>(made));
    return *made;
  }

  // The dialog of class D when it has been created, else null.
  template <class D>
  D* Find() const {
    for (const auto& [type, dialog] : dialogs_) {
      if (type == std::type_index(typeid(D)) && !dialog.isNull()) {
        return static_cast<D*>(dialog.data());
      }
    }
    return nullptr;
  }

  // Number of dialogs created and not yet closed.
  int Count() const;

  // Destroys every dialog created so far; the next Get() builds a new one.
  void CloseAll();

 private:
  QWidget* parent_;
  Prompter& prompter_;
  std::vector<std::pair<std::type_index, QPointer<QDialog>>> dialogs_;
};

}  // namespace tekvo

#endif  // TEKVO_EDITOR_DIALOG_SET_H_
