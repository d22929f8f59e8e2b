// tekvo-cli suggest: every repair tried on the text, the results ranked by
// how much they read like real text.
//
// An input of a few megabytes is ranked whole, as the editor ranks its
// text. A longer one is kept in an unnamed temporary file and ranked on
// slices taken from all over it, since ranking costs many times the text's
// size in memory; "--apply" then streams the chosen repair over the file.
#include <cstdio>
#include <optional>
#include <string>
#include <variant>

#include "cli/commands/commands.h"
#include "cli/commands/repair_name.h"
#include "cli/stream/chain_stream.h"
#include "cli/stream/encoding_options.h"
#include "cli/stream/input_scan.h"
#include "cli/stream/input_spool.h"
#include "cli/stream/io.h"
#include "cli/stream/repair_pieces.h"
#include "cli/stream/stream.h"
#include "cli/stream/transfer_streams.h"
#include "engine/codepage/codepage.h"
#include "engine/repair/reinterpret.h"
#include "engine/suggest/suggest.h"
#include "engine/transfer/char_refs.h"
#include "files/file_encoding.h"

namespace tekvo::cli {
namespace {

constexpr int kDefaultTop = 10;
// Units of each candidate's first line that the listing shows.
constexpr std::size_t kLineUnits = 60;
// Inputs up to this size are ranked whole.
constexpr std::size_t kWholeBytes = std::size_t{4} << 20;
// The sample of a longer input: slices spread from its start to its end.
constexpr std::size_t kSampleSlices = 16;
constexpr std::size_t kSliceBytes = std::size_t{16} << 10;

void AppendAscii(Text& out, const std::string& s) { out.append(s.begin(), s.end()); }

// The name without the blank that status texts end in.
std::u16string_view Trimmed(std::u16string_view name) {
  while (!name.empty() && name.back() == u' ') name.remove_suffix(1);
  return name;
}

// UTF-8 bytes decoded as "--in utf8" or "utf8-bom" decodes a file.
Text DecodeUtf8Input(const ByteString& bytes) {
  if (bytes.empty()) return Text();
  const FileEncoding detected = DetectFileEncoding(bytes);
  return DecodeFileBytes(bytes, ResolveFileEncoding(FileEncoding::kUtf8NoBom, detected), detected)
      .value_or(Text());
}

// One line per candidate: score, name and the start of the result, by tabs.
int WriteListing(const Invocation& inv, const std::vector<RepairCandidate>& ranked, int top) {
  Text listing;
  const std::size_t shown = std::min(ranked.size(), static_cast<std::size_t>(top));
  for (std::size_t i = 0; i < shown; ++i) {
    char score[32];
    std::snprintf(score, sizeof score, "%.3f\t", ranked[i].score);
    AppendAscii(listing, score);
    listing.append(Trimmed(ranked[i].name));
    listing.push_back(u'\t');
    listing.append(FirstLine(ranked[i].text, kLineUnits));
    listing.push_back(u'\n');
  }
  return WriteOutputText(inv, listing);
}

int RankWhole(const Invocation& inv, const Text& text, int top, bool apply) {
  SuggestOptions options;
  options.max_len = kNoLengthLimit;  // the editor's limit does not bind files
  const std::vector<RepairCandidate> ranked = SuggestRepairs(text, options);
  if (apply) return WriteOutputText(inv, ranked.front().text);
  return WriteListing(inv, ranked, top);
}

// A cut for repairs that start afresh on every line.
bool AfterLineFeed(std::string_view bytes, std::size_t p) { return bytes[p - 1] == '\n'; }

// How one suggestable repair streams; nullopt for Base64, whose cuts depend on
// the whole input (Base64Rules surveys it first), and for pairs that cannot
// be cut.
std::optional<PieceRules> StepRules(const Repair& repair) {
  const auto* pair = std::get_if<LocalePair>(&repair.param);
  if (repair.routine == RepairRoutine::kReinterpret && pair) {
    const std::optional<PiecewiseRepair> piecewise = PiecewiseRepair::ForLocales(pair->a, pair->b);
    if (!piecewise) return std::nullopt;
    return PiecewiseRepairRules(*piecewise, [&repair](const Text& text) {
      return RunRepair(repair, text, kNoLengthLimit);
    });
  }
  // The listing keeps what the repair gives, lone surrogates included.
  return DecodingRules(repair.routine, repair.param, true);
}

// The rules of a Base64 decoding run on the input, once all of it is
// surveyed.
std::optional<PieceRules> Base64Rules(const InputSpool& spool, const Repair& repair) {
  const auto* language = std::get_if<ByteLanguage>(&repair.param);
  if (language == nullptr) return std::nullopt;
  Base64Alphabet alphabet;
  if (repair.routine == RepairRoutine::kBase64) {
    alphabet = Base64Alphabet::kStandard;
  } else if (repair.routine == RepairRoutine::kBase64Url) {
    alphabet = Base64Alphabet::kUrl;
  } else {
    return std::nullopt;
  }
  std::optional<InputSource> in = spool.Reopen();
  Base64Survey survey(alphabet);
  if (!in || !ScanInput(*in, [&](const Text& piece) { survey.Add(piece); })) return std::nullopt;
  return Base64DecodeRules(survey, language->id, alphabet, true);
}

// The segmenting candidate has no step to run: its stretches were found in
// the sample, so every line of the input is searched for its own. Lines are
// judged one by one, so a piece may end after any line feed.
PieceRules SegmentRules() {
  PieceRules rules;
  rules.cut = AfterLineFeed;
  rules.convert = [](const Text& piece, std::size_t, bool) {
    return RepairSegments(piece, kNoLengthLimit).text;
  };
  return rules;
}

// How the chosen candidate streams over the spooled input; nullopt when it
// must see the whole text (a chain whose second step is Base64, a pair that
// cannot be cut).
std::optional<PieceRules> StreamingRules(const InputSpool& spool, const RepairCandidate& chosen) {
  if (!chosen.stretches.empty()) return SegmentRules();
  if (chosen.steps == 0) {
    PieceRules rules;
    rules.cut = [](std::string_view, std::size_t) { return true; };
    rules.convert = [](const Text& piece, std::size_t, bool) { return piece; };
    return rules;
  }
  if (chosen.first < 0) return std::nullopt;
  const auto repairs = SuggestableRepairs();
  const Repair& first_step = repairs[static_cast<std::size_t>(chosen.first)];
  std::optional<PieceRules> first = StepRules(first_step);
  if (!first) first = Base64Rules(spool, first_step);
  if (!first || chosen.second < 0) return first;
  std::optional<PieceRules> second = StepRules(repairs[static_cast<std::size_t>(chosen.second)]);
  if (!second) return std::nullopt;
  return ChainedRules(std::move(*first), std::move(*second));
}

int ApplyToSpool(const Invocation& inv, const InputSpool& spool, const RepairCandidate& chosen) {
  std::optional<PieceRules> rules = StreamingRules(spool, chosen);
  // Every reopening shares one file position: this one comes after the
  // survey's.
  std::optional<InputSource> in = spool.Reopen();
  if (!in) return kExitError;
  if (rules) return StreamCommand(inv, *in, *rules);
  ByteString bytes;
  if (!in->ReadAll(bytes)) return kExitError;
  Text text = DecodeUtf8Input(bytes);
  bytes = ByteString();
  const auto repairs = SuggestableRepairs();
  for (int step : {chosen.first, chosen.second}) {
    if (step >= 0) text = RunRepair(repairs[static_cast<std::size_t>(step)], text, kNoLengthLimit);
  }
  return WriteOutputText(inv, text);
}

}  // namespace

int RunSuggest(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.size() > 1) return UsageError(inv, "suggest takes at most one FILE");
  int top = kDefaultTop;
  if (const std::optional<std::string> value = inv.args.Option("--top")) {
    const std::optional<std::int32_t> n = ParseInt32(*value);
    if (!n || *n < 1) return UsageError(inv, "--top needs a number of 1 or more: " + *value);
    top = *n;
  }
  const bool apply = inv.args.Option("--apply").has_value();
  int status = kExitOk;
  if (!CanStream(inv, status)) {
    if (status != kExitOk) return status;
    const std::optional<Text> text = ReadInputText(inv, 0);
    if (!text) return kExitError;
    return RankWhole(inv, *text, top, apply);
  }

  std::optional<InputSource> in = InputSource::Open(inv, 0);
  if (!in) return kExitError;
  DecodeAsRequested(inv, *in);
  ByteString head;
  in->ReadMore(head, kWholeBytes + 1);
  if (in->failed()) return kExitError;
  if (head.size() <= kWholeBytes) return RankWhole(inv, DecodeUtf8Input(head), top, apply);

  std::optional<InputSpool> spool = InputSpool::Make(inv, head, *in);
  head = ByteString();
  if (!spool) return kExitError;
  const std::optional<ByteString> sample = spool->Sample(kSampleSlices, kSliceBytes);
  if (!sample) return kExitError;
  SuggestOptions options;
  options.max_len = kNoLengthLimit;
  const std::vector<RepairCandidate> ranked = SuggestRepairs(DecodeUtf8Input(*sample), options);
  if (!apply) return WriteListing(inv, ranked, top);
  return ApplyToSpool(inv, *spool, ranked.front());
}

}  // namespace tekvo::cli
