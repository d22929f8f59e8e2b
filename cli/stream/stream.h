// Commands that stream: the input is read, converted and written a piece at
// a time, so that memory stays small whatever the input's size and shape,
// and the pieces are converted on worker threads while the main thread
// reads and writes, so that both cores work. The result is the whole-text
// result byte for byte, because pieces are cut only where the command's
// conversion and the UTF-8 decoder start afresh.
#ifndef TEKVO_CLI_STREAM_STREAM_H_
#define TEKVO_CLI_STREAM_STREAM_H_

#include <cstddef>
#include <functional>
#include <string_view>

#include "cli/commands/commands.h"
#include "cli/stream/io.h"
#include "engine/text/text.h"

namespace tekvo::cli {

struct PieceRules {
  // Whether the UTF-8 input may also be cut before byte `p` as far as the
  // command is concerned (the UTF-8 decoder's own rule, IsUtf8CutPoint, is
  // checked besides). Input that offers no cut is converted whole.
  std::function<bool(std::string_view bytes, std::size_t p)> cut;
  // The command's result for one piece of text: the input decoded as "--in"
  // says, as the whole file would be (a byte order mark at the input's start
  // and every U+0000 dropped). `index` counts from 0; `last` marks the last
  // piece, so a piece with index 0 and last set is the whole input. Called
  // on worker threads, several at once: it must not touch shared state.
  std::function<Text(const Text& piece, std::size_t index, bool last)> convert;
  // False: a lone surrogate of the result is written as U+FFFD, as the
  // whole-text decoders write it; halves of a pair split between two pieces'
  // results are joined first.
  bool keep_lone_surrogates = true;
  // Optional, for output in UTF-8 without a mark: converts a leading stretch
  // of a piece's UTF-8 straight to the result's UTF-8, appended to `out`,
  // and returns the bytes it took (0 for none). The stretch is whole
  // characters other than U+0000 and U+FEFF (so the input's mark is left to
  // the decoder); its result holds no surrogate, U+0000 or U+FEFF, and at
  // least one unit when it takes any. The text may be cut after it as at a
  // cut point. From there up to a cut point the rest goes through `convert`
  // as a piece of its own: a later piece (index 1 or more) unless it starts
  // the piece. Called on worker threads like `convert`.
  std::function<std::size_t(std::string_view bytes, ByteString& out)> direct;
  // Optional, for a command whose cuts depend on everything since the last
  // one (a count of characters, a mode switched on and off): the last p in
  // (0, size) before which `bytes` may be cut, or 0 for none. `bytes` starts
  // at the input's start or at the cut made before. Replaces `cut` where
  // the input is cut into pieces (`direct` still hands over within a piece
  // at `cut`'s places); the UTF-8 decoder's rule must be checked by it too.
  std::function<std::size_t(std::string_view bytes)> last_cut;
  // Optional, for a command that carries state from one piece to the next
  // (an encoder's line position, bytes of an unfinished group): takes each
  // piece's `convert` result in input order, one piece at a time, on the
  // worker threads. Its result is what is written.
  std::function<Text(Text converted, bool last)> in_order;
};

// The last place before which `bytes` may be cut, as `rules` and the UTF-8
// decoder allow, or 0 for none. `bytes` starts at the input's start or at the
// cut made before; it only grows at its end between calls that find none.
// `searched` (0 at first) keeps how far a stretch without a cut was looked
// at, so that it is not searched again after every read.
std::size_t FindCut(const PieceRules& rules, std::string_view bytes, std::size_t& searched);

// Every surrogate of `text` that is not half of a pair becomes U+FFFD: what a
// filter writes for the next program in a pipe, since UTF-8 cannot hold it.
void ReplaceLoneSurrogates(Text& text);

// A piece of the input's bytes decoded as "--in utf8" decodes a whole file:
// a byte order mark at the input's start dropped, every U+0000 too. The
// piece must end where IsUtf8CutPoint allows (or at the input's end).
Text DecodeInputPiece(const ByteString& piece, bool input_start);

// True when the command may stream with the options given: "--in" names an
// encoding, not "auto" or "detect". Sets `status` to kExitError (reported)
// for a bad name.
bool CanStream(const Invocation& inv, int& status);

// Reads positional argument `index` (a path, or standard input when missing
// or "-") in the encoding "--in" names, converts it piece by piece and writes the result as "--out"
// says to standard output or the "-o" file. An input that cannot be read or an output that cannot
// be written is reported and gives kExitError; an "-o" target then keeps its old content. Returns
// the exit status.
int StreamCommand(const Invocation& inv, std::size_t index, const PieceRules& rules);

// The same on an input opened already, read from where it stands: UTF-8, or
// made to give UTF-8 by DecodeAsRequested.
int StreamCommand(const Invocation& inv, InputSource& in, const PieceRules& rules);

// The bytes read at a time (0: the default of half a megabyte). Tests and
// fuzzing read a few bytes at a time, so that pieces end at every position
// a command may cut at. Not for use while a command runs.
void SetStreamReadBytes(std::size_t bytes);
std::size_t StreamReadBytes();

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_STREAM_STREAM_H_
