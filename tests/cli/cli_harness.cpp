#include "tests/cli/cli_harness.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/commands/commands.h"

namespace tekvo::cli {

Scratch::Scratch() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tekvo-cli-XXXXXX").string();
  path_ = ::mkdtemp(pattern.data());
}

Scratch::~Scratch() { std::filesystem::remove_all(path_); }

void Scratch::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(File(name), std::ios::binary) << bytes;
}

std::string Scratch::Read(const std::string& name) const {
  std::ifstream in(File(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Scratch::Exists(const std::string& name) const { return std::filesystem::exists(File(name)); }

Result RunTool(const std::vector<std::string>& args, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  Io io{in, out, err};
  const int status = RunCli(args, io);
  return {status, out.str(), err.str()};
}

void PrintTo(const CliCase& c, std::ostream* os) {
  *os << c.name << ":";
  for (const std::string& arg : c.args) *os << ' ' << arg;
}

void ExpectRun(const CliCase& c) {
  const Result r = RunTool(c.args, c.input);
  SCOPED_TRACE(c.name + (" with input " + testing::PrintToString(c.input)));
  EXPECT_EQ(r.status, c.status) << r.err;
  EXPECT_EQ(r.out, c.out);
  if (c.err_contains.empty()) {
    EXPECT_EQ(r.err, "");
  } else {
    EXPECT_NE(r.err.find(c.err_contains), std::string::npos) << r.err;
  }
}

}  // namespace tekvo::cli
