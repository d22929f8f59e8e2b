// What every command handler of the main window works with: the box, the
// status label, the history, the seam to the user, the clipboard, the menu
// items, the dialogs, and the fields that describe the file behind the
// document. The window owns all of it; tests build the same set without a
// window.
#ifndef TEKVO_EDITOR_EDITOR_CONTEXT_H_
#define TEKVO_EDITOR_EDITOR_CONTEXT_H_

#include <cstdint>
#include <functional>
#include <utility>

#include "editor/box.h"
#include "editor/clipboard.h"
#include "editor/dialog_set.h"
#include "editor/history.h"
#include "editor/menu_bar.h"
#include "editor/say_label.h"
#include "editor/seam.h"
#include "engine/text/text.h"
#include "files/line_break_style.h"

namespace tekvo {

inline constexpr char16_t kWindowTitle[] = u"Tekvo";
// Window captions that name a document end with this.
inline constexpr char16_t kCaptionSuffix[] = u"  ~Tekvo";

struct EditorContext {
  EditorContext(Box& box, SayLabel& say, History& hist, Seam& user, Clipboard& clip, Menus& items,
                DialogSet& dialog_set)
      : txtA(box),
        lblSay(say),
        history(hist),
        seam(user),
        clipboard(clip),
        menus(items),
        dialogs(dialog_set) {}

  Box& txtA;
  SayLabel& lblSay;
  History& history;
  Seam& seam;
  Clipboard& clipboard;
  Menus& menus;
  DialogSet& dialogs;

  // Full path of the file behind the document; empty when there is none.
  Text sFile;
  // The FileEncoding of sFile; 0 when there is none.
  std::int16_t nFilePat = 0;
  // The line-break style sFile was loaded or saved with; the box itself
  // always holds CR LF.
  LineBreakStyle eFileBreak = LineBreakStyle::kCrLf;
  // The last search text, line breaks as single CR.
  Text sSeek;

  const Text& WindowCaption() const { return window_caption_; }
  void SetWindowCaption(const Text& caption) {
    window_caption_ = caption;
    if (caption_hook_) caption_hook_(caption);
  }
  // The window shows every caption set from now on.
  void SetCaptionHook(std::function<void(const Text&)> hook) { caption_hook_ = std::move(hook); }

 private:
  Text window_caption_ = kWindowTitle;
  std::function<void(const Text&)> caption_hook_;
};

// "name  ~Tekvo": the window caption of a document called `name`.
inline Text DocumentCaption(const Text& name) { return name + kCaptionSuffix; }

}  // namespace tekvo

#endif  // TEKVO_EDITOR_EDITOR_CONTEXT_H_
