#include "editor/suggest_commands.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "dialogs/frm_suggest.h"
#include "editor/command_guard.h"
#include "editor/dialog_choice.h"
#include "editor/line_breaks.h"
#include "editor/whole_text.h"
#include "engine/codepage/codepage.h"
#include "engine/score/text_score.h"
#include "engine/suggest/suggest.h"
#include "files/detect_encoding.h"
#include "files/path_text.h"
#include "files/text_file_load.h"

namespace tekvo {
namespace {

// How many readings of the file's bytes are offered, best first.
constexpr std::size_t kFileReadingsOffered = 3;
// A reading of the file that gives the same text as a repair of what the
// box shows wins the tie: it cannot have lost what the first reading lost.
constexpr double kFileReadingTieBreak = 0.001;

// A file opened in the wrong encoding is best repaired by reading its bytes
// again the right way, since a repair of the text shown can only work with
// what the first reading kept. Offered while the box shows the file as it
// was opened (the original, no step taken).
void AddFileReadings(const EditorContext& ctx, const Text& shown,
                     std::vector<RepairCandidate>& candidates) {
  if (ctx.file.sFile.empty() || ctx.history.nCur() != History::kOriginal) return;
  std::ifstream in(TextPath(ctx.file.sFile), std::ios::binary);
  if (!in) return;
  std::string bytes(kMaxFileBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (bytes.empty() || bytes.size() > kMaxFileBytes) return;
  const std::vector<EncodingReading> readings = RankEncodings(bytes);
  for (std::size_t i = 0; i < readings.size() && i < kFileReadingsOffered; ++i) {
    if (readings[i].score <= 0) break;
    Text text = UnifyLineBreaks(DecodeReading(bytes, readings[i]), u"\r\n");
    if (text == shown || BoxFormLength(text) > kMaxTextLen) continue;
    RepairCandidate reading;
    reading.name = u"重读文件: " + Utf8BytesToText(std::string(readings[i].name)) + u" ";
    reading.score = ScoreText(text) + kFileReadingTieBreak;
    reading.text = std::move(text);
    reading.steps = 1;
    candidates.push_back(std::move(reading));
  }
  std::stable_sort(
      candidates.begin(), candidates.end(),
      [](const RepairCandidate& a, const RepairCandidate& b) { return a.score > b.score; });
}

}  // namespace

void mnuSuggest_Click(EditorContext& ctx) {
  IgnoreFailures([&] {
    FrmSuggest& dialog = ctx.dialogs.Get<FrmSuggest>();
    // The editor's length limit applies: a result it could not hold is not
    // offered. The engine counts units; the box stores every line break as CR
    // LF, so a result with lone line breaks is measured again the box's way.
    const Text text = ctx.txtA.Text();
    std::vector<RepairCandidate> candidates = SuggestRepairs(text);
    AddFileReadings(ctx, text, candidates);
    std::erase_if(candidates, [](const RepairCandidate& c) {
      return c.steps > 0 && BoxFormLength(c.text) > kMaxTextLen;
    });
    dialog.SetCandidates(std::move(candidates));
    const std::optional<int> row = ChooseWith(ctx.seam, dialog);
    if (!row || *row < 0) return;
    const RepairCandidate& pick = dialog.Candidates().at(static_cast<std::size_t>(*row));
    ctx.txtA.SetText(FitWholeText(ctx.seam, Converted{pick.text, false}, text));
    ctx.lblSay.SetCaption(pick.name);
    ctx.history.RecordStep(true);
  });
}

}  // namespace tekvo
