// Helpers shared by the file tests: a scratch folder removed at the end, raw
// file access, and a prompter that answers from a script and records what it
// was asked.
#ifndef TEKVO_TESTS_FILES_FILE_TEST_SUPPORT_H_
#define TEKVO_TESTS_FILES_FILE_TEST_SUPPORT_H_

#include <deque>
#include <string>
#include <vector>

#include "engine/text/text.h"
#include "files/prompter.h"

namespace tekvo::testing {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
unsigned ModeOf(const std::string& path);

class ScriptedPrompter : public Prompter {
 public:
  // Answers given in order; when they run out, every question gets No.
  std::deque<bool> answers;
  std::vector<Text> questions;
  std::vector<DefaultButton> defaults;
  std::vector<Text> messages;
  int beeps = 0;

  bool Ask(const Text& question, DefaultButton default_button, const Text& title) override;
  void Tell(const Text& message, const Text& title) override;
  void Beep() override { ++beeps; }
};

// Text as UTF-8 for failure output.
std::string Show(const Text& text);
// Bytes as hex pairs for failure output.
std::string Hex(const std::string& bytes);

}  // namespace tekvo::testing

#endif  // TEKVO_TESTS_FILES_FILE_TEST_SUPPORT_H_
