// The view menu " 查看 (&L)" (word wrap, font name, font size, About) and the
// new-window item of the File menu.
#ifndef TEKVO_EDITOR_VIEW_COMMANDS_H_
#define TEKVO_EDITOR_VIEW_COMMANDS_H_

#include "editor/menu_bar.h"
#include "editor/seam.h"
#include "editor/text_box.h"
#include "editor/view_settings.h"

namespace tekvo {

inline constexpr char16_t kAuthorName[] = u"Tekvo developers";
// Where the About box sends the user for more: the manual page the package
// installs. The project keeps no mail address or web site to name instead.
inline constexpr char16_t kDocumentationHint[] = u"说明：man tekvo";

// The view of the box as settings, and settings applied to the box.
ViewSettings CurrentView(const TextBox& box);
void ApplyView(TextBox& box, const ViewSettings& settings);

// The view menu opens: word wrap check mark, current font name and size.
void mnuLooks_Click(const TextBox& box, Menus& menus);
void mnuHScr_Click(TextBox& box);
// Font name of index 0 to 8 of the font list.
void mnuFont_Click(TextBox& box, int index);
// Font size index * 2 + 10 points, index 0 to 7.
void mnuSize_Click(TextBox& box, int index);

// The About box's text: product, version of this build, author and where the
// documentation is.
Text AboutText();
void mnuAbout_Click(Seam& seam);

// Writes the view settings, then starts this program again as a separate
// process. A failure to start is ignored.
void mnuNewWin_Click(const TextBox& box);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_VIEW_COMMANDS_H_
