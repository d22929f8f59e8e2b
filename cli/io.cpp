#include "cli/io.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>

#include "cli/encoding_options.h"
#include "engine/codepage.h"

namespace tekvo::cli {
namespace {

std::string SystemError() { return std::strerror(errno); }

bool ReadStream(std::istream& in, ByteString& out) {
  constexpr std::size_t kChunk = 1 << 20;
  std::size_t used = 0;
  for (;;) {
    out.resize(used + kChunk);
    in.read(out.data() + used, kChunk);
    used += static_cast<std::size_t>(in.gcount());
    if (!in) break;
  }
  out.resize(used);
  return in.eof() && !in.bad();
}

}  // namespace

std::optional<ByteString> ReadInputBytes(const Invocation& inv, std::size_t index) {
  const auto& pos = inv.args.positional;
  ByteString bytes;
  if (index >= pos.size() || pos[index] == "-") {
    if (!ReadStream(inv.io.in, bytes)) {
      Fail(inv, "cannot read standard input");
      return std::nullopt;
    }
    return bytes;
  }
  const std::string& path = pos[index];
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    Fail(inv, path + ": " + SystemError());
    return std::nullopt;
  }
  file.seekg(0, std::ios::end);
  std::streamoff size = file.tellg();
  file.seekg(0, std::ios::beg);
  if (size > 0) {
    // One read for a regular file; pipes and devices report no size and are
    // read in chunks.
    bytes.resize(static_cast<std::size_t>(size));
    file.read(bytes.data(), size);
    if (file.gcount() != size) {
      Fail(inv, path + ": cannot read the file");
      return std::nullopt;
    }
    return bytes;
  }
  file.clear();
  if (!ReadStream(file, bytes)) {
    Fail(inv, path + ": cannot read the file");
    return std::nullopt;
  }
  return bytes;
}

std::optional<Text> ReadInputText(const Invocation& inv, std::size_t index) {
  return ReadEncodedInput(inv, index);
}

int WriteOutputBytes(const Invocation& inv, const ByteString& bytes) {
  std::optional<std::string> path = inv.args.Option("-o");
  if (!path || *path == "-") {
    inv.io.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!inv.io.out) return Fail(inv, "cannot write the output");
    return kExitOk;
  }
  std::ofstream file(*path, std::ios::binary | std::ios::trunc);
  if (!file) return Fail(inv, *path + ": " + SystemError());
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) return Fail(inv, *path + ": cannot write the file");
  return kExitOk;
}

int WriteOutputText(const Invocation& inv, const Text& text) {
  return WriteEncodedOutput(inv, text);
}

}  // namespace tekvo::cli
