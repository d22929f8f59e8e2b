#include <cstring>
#include <ostream>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "cli/io.h"
#include "cli/repair_name.h"
#include "engine/codepage.h"
#include "engine/fixed_repairs.h"
#include "engine/reinterpret.h"

namespace tekvo::cli {
namespace {

std::string ValidNames() {
  std::ostringstream os;
  os << "valid names:";
  for (const auto& r : FixedRepairs()) os << ' ' << r.name;
  os << "\n  or lcid:A:B (numbers or short names:";
  for (const auto& l : LanguageNames()) os << ' ' << l.name;
  os << "), or cp:A:B (code page numbers, -2 for UTF-16LE)";
  return os.str();
}

constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

void Write(std::ostream& out, const ByteString& bytes) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A piece of plain UTF-8 input read as "--in utf8" reads a whole file: a
// byte order mark at the very start of the input is dropped, and so is every
// U+0000.
Text DecodePiece(const ByteString& piece, bool input_start) {
  Text text = Utf8BytesToText(piece);
  if (input_start && piece.starts_with("\xEF\xBB\xBF") && !text.empty() &&
      text.front() == u'\uFEFF') {
    text.erase(0, 1);
  }
  std::erase(text, u'\0');
  return text;
}

// The position of the last '\n' in bytes [from, to), or npos.
std::size_t LastLineFeed(const ByteString& bytes, std::size_t from, std::size_t to) {
  if (from >= to) return ByteString::npos;
  const void* hit = memrchr(bytes.data() + from, '\n', to - from);
  return hit == nullptr ? ByteString::npos : static_cast<const char*>(hit) - bytes.data();
}

// One piece from UTF-8 to repaired UTF-8.
ByteString RepairPiece(PiecewiseRepair& repair, const ByteString& piece, bool input_start) {
  return TextToUtf8Bytes(repair.Piece(DecodePiece(piece, input_start)));
}

// False after a read error (already reported).
bool RepairInPieces(const RepairChoice& choice, PiecewiseRepair& repair, InputSource& in,
                    std::ostream& out) {
  ByteString buffer;
  bool cut_once = false;
  // Bytes at the front of `buffer` known to hold no line feed to cut after:
  // a long run without line feeds is searched once, not again after every
  // read.
  std::size_t searched = 0;
  for (;;) {
    bool at_end = in.ReadMore(buffer, kPieceBytes) == 0;
    if (in.failed()) return false;
    if (at_end) break;
    // Cut after the last line feed that has bytes after it, so that the
    // pieces are never fewer than two once a cut is made. UTF-8 decoding
    // starts afresh after a line feed, so each piece decodes by itself.
    if (buffer.size() < 2) continue;
    const std::size_t lf = LastLineFeed(buffer, searched, buffer.size() - 1);
    if (lf == ByteString::npos) {
      searched = buffer.size() - 1;
      continue;
    }
    Write(out, RepairPiece(repair, buffer.substr(0, lf + 1), !cut_once));
    buffer.erase(0, lf + 1);
    searched = 0;
    cut_once = true;
  }
  Text rest = DecodePiece(buffer, !cut_once);
  Write(out, TextToUtf8Bytes(cut_once ? repair.Piece(rest)
                                      : ApplyRepair(choice, rest, kNoLengthLimit).text));
  return true;
}

}  // namespace

int RunList(const Invocation& inv) {
  if (!inv.args.positional.empty()) return UsageError(inv, "list takes no arguments");
  Text listing;
  for (const auto& r : FixedRepairs()) {
    listing.append(r.name.begin(), r.name.end());
    listing += u'\t';
    listing += r.caption;
    listing += u'\n';
  }
  return WriteOutputText(inv, listing);
}

int RunRepair(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.empty()) return UsageError(inv, "repair needs a NAME\n" + ValidNames());
  if (pos.size() > 2) return UsageError(inv, "repair takes NAME and at most one FILE");
  std::optional<RepairChoice> choice = ParseRepairName(pos[0]);
  if (!choice) return UsageError(inv, "unknown repair " + pos[0] + "\n" + ValidNames());
  if (const std::string unusable = UnusableSide(*choice); !unusable.empty()) {
    return Fail(inv, unusable + " in " + pos[0]);
  }
  // The tool has no length limit: a file of any size is repaired whole. Plain
  // UTF-8 in and out is streamed in pieces cut after line feeds where the
  // pair allows it (the result is the same), so that memory stays small and
  // the data stays in the caches.
  std::optional<PiecewiseRepair> piecewise =
      choice->kind == RepairKind::kLocale ? PiecewiseRepair::ForLocales(choice->a, choice->b)
                                          : PiecewiseRepair::ForCodePages(choice->a, choice->b);
  if (piecewise && inv.args.options.empty()) {
    std::optional<InputSource> in = InputSource::Open(inv, 1);
    if (!in) return kExitError;
    if (!RepairInPieces(*choice, *piecewise, *in, inv.io.out)) return kExitError;
    inv.io.out.flush();
    if (!inv.io.out) return Fail(inv, "cannot write the output");
    return kExitOk;
  }
  std::optional<Text> text = ReadInputText(inv, 1);
  if (!text) return kExitError;
  Converted result = ApplyRepair(*choice, *text, kNoLengthLimit);
  text.reset();
  return WriteOutputText(inv, result.text);
}

}  // namespace tekvo::cli
