// "--in auto" on a long regular file: its encoding is found in a reading pass
// a piece at a time, and the command then streams the file in that encoding
// instead of holding it whole. "--in detect" ranks the readings on the
// file's start. A long pipe is first kept in a temporary file.
#ifndef TEKVO_CLI_STREAM_INPUT_DETECT_H_
#define TEKVO_CLI_STREAM_INPUT_DETECT_H_

#include <cstddef>
#include <optional>
#include <string>

#include "cli/commands/args.h"
#include "cli/commands/commands.h"
#include "files/file_encoding.h"

namespace tekvo::cli {

// The encoding DetectFileEncoding gives for the whole file at `path`, found
// reading it a piece at a time. The one rule that weighs the whole text (well-formed
// UTF-8 whose sequences are all of two bytes, read as GB when that reads
// more like writing) is weighed on the file's first `sample_bytes` bytes, so the
// verdict is DetectFileEncoding's for any file up to that size. nullopt when
// the file cannot be read.
std::optional<FileEncoding> DetectFileEncodingInPieces(const std::string& path,
                                                       std::size_t sample_bytes);

// When `args` asks for "--in auto" on a regular file longer than the sample
// weighed, `args` with "--in" naming the encoding DetectFileEncodingInPieces
// found, so that the command streams it; for "--in detect", `args` with the
// reading RankEncodings puts first for the sample (cut after a line feed),
// when its page keeps no state. Else nullopt (the file is read and detected
// whole, or the command reports what stops it).
std::optional<ParsedArgs> SettleAutoInput(const ParsedArgs& args);

// "--in auto" or "--in detect" on standard input or another input that is
// not a regular file (a pipe, a device), which cannot be read twice: its
// first bytes are read, and an input no longer than the sample is run from
// memory, as before; a longer one is kept in an InputSpool and settled and
// run as a regular file would be. nullopt when `args` asks for none of
// this; else the exit status of `command`, or kExitError after a read or
// spool error (reported).
std::optional<int> RunOnSettledPipe(const Command& command, const ParsedArgs& args, Io& io);

// The bytes weighed (0: the default of 4 MiB). Tests use a few bytes, so
// that short files take the path of long ones.
void SetDetectionSampleBytes(std::size_t bytes);

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_STREAM_INPUT_DETECT_H_
