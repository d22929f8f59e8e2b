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
#include "files/file_encoding.h"
#include "files/line_break_style.h"

namespace tekvo {

inline constexpr char16_t kWindowTitle[] = u"Tekvo";

// The file behind the document, as the last open or save left it.
struct DocumentFile {
  // Full path (lossless text, files/path_text.h); empty when there is none.
  Text sFile;
  // The encoding sFile was read or written in; kDefaultEncoding when none.
  FileEncoding nFilePat = FileEncoding::kDefaultEncoding;
  // The line-break style sFile was loaded or saved with; the box itself
  // always holds CR LF.
  LineBreakStyle eFileBreak = LineBreakStyle::kCrLf;

  // No file: after clear, paste as original, and at start.
  void Clear() { *this = DocumentFile(); }
};
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

  // The file behind the document.
  DocumentFile file;
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
