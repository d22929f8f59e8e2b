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

InputSource::InputSource(const Invocation& inv, std::unique_ptr<std::ifstream> file,
                         std::string name)
    : inv_(&inv), file_(std::move(file)), name_(std::move(name)) {}

std::optional<InputSource> InputSource::Open(const Invocation& inv, std::size_t index) {
  const auto& pos = inv.args.positional;
  if (index >= pos.size() || pos[index] == "-") {
    return InputSource(inv, nullptr, "standard input");
  }
  auto file = std::make_unique<std::ifstream>(pos[index], std::ios::binary);
  if (!*file) {
    Fail(inv, pos[index] + ": " + SystemError());
    return std::nullopt;
  }
  return InputSource(inv, std::move(file), pos[index]);
}

std::size_t InputSource::ReadMore(ByteString& out, std::size_t n) {
  if (failed_) return 0;
  std::istream& in = file_ ? static_cast<std::istream&>(*file_) : inv_->io.in;
  if (in.eof()) return 0;
  std::size_t old = out.size();
  out.resize(old + n);
  in.read(out.data() + old, static_cast<std::streamsize>(n));
  auto got = static_cast<std::size_t>(in.gcount());
  out.resize(old + got);
  if (in.bad() || (!in && !in.eof())) {
    Fail(*inv_, name_ + ": cannot read");
    failed_ = true;
    return 0;
  }
  return got;
}

int WriteOutputText(const Invocation& inv, const Text& text) {
  return WriteEncodedOutput(inv, text);
}

}  // namespace tekvo::cli
