#include "tests/cli/cli_harness.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"

namespace tekvo::cli {

Result RunTool(const std::vector<std::string>& args, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  Io io{in, out, err};
  const int status = RunCli(args, io);
  return {status, out.str(), err.str()};
}

void ExpectRun(const CliCase& c) {
  const Result r = RunTool(c.args, c.input);
  EXPECT_EQ(r.status, c.status) << c.name << "\n" << r.err;
  EXPECT_EQ(r.out, c.out) << c.name;
  if (c.err_contains.empty()) {
    EXPECT_EQ(r.err, "") << c.name;
  } else {
    EXPECT_NE(r.err.find(c.err_contains), std::string::npos) << c.name << "\n" << r.err;
  }
}

std::string CliCaseName(const testing::TestParamInfo<CliCase>& info) {
  std::string name = info.param.name;
  for (char& ch : name) {
    if (ch == '-') ch = '_';
  }
  return name;
}

}  // namespace tekvo::cli
