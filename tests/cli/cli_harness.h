// Runs the command-line tool in-process on a string as standard input and
// keeps what it wrote, so a test checks status and both streams together.
#ifndef TEKVO_TESTS_CLI_CLI_HARNESS_H_
#define TEKVO_TESTS_CLI_CLI_HARNESS_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/case_name.h"

namespace tekvo::cli {

struct Result {
  int status;
  std::string out;
  std::string err;
};

// A temporary folder of the test's own, removed with everything in it.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  std::string File(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::string path_;
};

// `args` without the program name.
Result RunTool(const std::vector<std::string>& args, const std::string& input = "");

// One table row: a run and everything it must give.
struct CliCase {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  int status;
  std::string out;           // exact standard output
  std::string err_contains;  // part of standard error ("" = must be empty)
};

// The row's name and arguments, for test names and failure messages.
void PrintTo(const CliCase& c, std::ostream* os);

// Runs `c` and checks status, the exact output and the error text, naming
// the row (and showing standard error) on failure.
void ExpectRun(const CliCase& c);

}  // namespace tekvo::cli

#endif  // TEKVO_TESTS_CLI_CLI_HARNESS_H_
