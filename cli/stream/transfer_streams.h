// How decode and encode stream the transfer encodings: where each may cut
// its input, and the state the line-folding encoders and the Base64 decoder
// carry from one piece to the next, so that the result is the whole-text
// routine's byte for byte.
#ifndef TEKVO_CLI_STREAM_TRANSFER_STREAMS_H_
#define TEKVO_CLI_STREAM_TRANSFER_STREAMS_H_

#include <optional>

#include "cli/commands/commands.h"
#include "cli/stream/stream.h"
#include "engine/repair/repairs.h"
#include "engine/text/text.h"
#include "engine/transfer/base64.h"
#include "engine/transfer/transfer_bytes.h"

namespace tekvo::cli {

// The encoders break long lines with a bare CR, which the editor stores as
// CR LF; a file gets the same, so that decoding it restores the text.
Text BareCrToCrLf(const Text& text);

// The rules that stream a decoding of the table of repairs which needs no
// look at the whole text first: the escapes, URL, quoted-printable, UTF-7,
// HZ and ISO-2022 (cut as cli/stream/escape_cuts.h says). nullopt for the others
// (Base64, ISO-2022 in a page the converters lack). `keep_lone_surrogates`
// as PieceRules has it.
std::optional<PieceRules> DecodingRules(RepairRoutine routine, const RepairParam& param,
                                        bool keep_lone_surrogates);

// The rules of the UTF-7 and HZ encoders, which carry a run of Base64 or GB
// mode from one piece into the next: any place UTF-8 may be cut will do.
PieceRules Utf7EncodeRules();
PieceRules HzEncodeRules(bool keep_lone_surrogates);

// What the Base64 decoder makes of a whole text, learnt a piece at a time:
// one character outside the alphabet, or fewer than two inside it, and the
// text stays as it is.
class Base64Survey {
 public:
  explicit Base64Survey(Base64Alphabet alphabet) : alphabet_(alphabet) {}
  void Add(const Text& piece);
  bool Decodes() const { return valid_ && chars_ >= 2; }

 private:
  Base64Alphabet alphabet_;
  bool valid_ = true;
  std::size_t chars_ = 0;
};

// The rules that stream the Base64 decoding of a text the survey has seen
// whole: decoded in pieces of whole four-character groups, or passed through
// when it does not decode.
PieceRules Base64DecodeRules(const Base64Survey& survey, LocaleId language, Base64Alphabet alphabet,
                             bool keep_lone_surrogates);

// decode base64:LANG and base64url:LANG on a streaming input. One character
// outside the alphabet leaves the whole text as it is, so the input is read
// through first, then again to decode it in pieces of whole four-character
// groups. Returns the exit status.
int StreamBase64Decode(const Invocation& inv, LocaleId language, Base64Alphabet alphabet,
                       bool keep_lone_surrogates);

// encode qp:* and base64:* on a streaming input. A text without any LF has
// its CRs written as CR LF, so the input is read through first. Returns the
// exit status.
enum class LineEncoding { kQuotedPrintable, kBase64 };
int StreamLineEncode(const Invocation& inv, LineEncoding encoding, ComposeBytes bytes);

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_STREAM_TRANSFER_STREAMS_H_
