// The record of a batch of renames, so that they can be undone byte for byte
// even after a crash. A text file: a header line, then for each rename a line
// "rename OLD NEW" written and flushed to disk before the rename is tried,
// followed by "done" or "failed" once it is known. OLD and NEW are full paths
// with every byte as two lower-case hex digits, because garbled names are not
// text.
#ifndef TEKVO_FILES_NAME_JOURNAL_H_
#define TEKVO_FILES_NAME_JOURNAL_H_

#include <string>
#include <vector>

namespace tekvo {

class NameJournal {
 public:
  NameJournal() = default;
  NameJournal(const NameJournal&) = delete;
  NameJournal& operator=(const NameJournal&) = delete;
  ~NameJournal();

  // Creates the journal at `path`, never replacing an existing file, and
  // writes the header. Returns 0 or the errno value.
  int Create(const std::string& path);
  // Records a rename about to be tried and flushes it to disk. 0 or errno.
  int Begin(const std::string& from, const std::string& to);
  // Records the outcome of the rename last begun. 0 or errno.
  int End(bool done);

 private:
  int WriteLine(const std::string& line);
  int fd_ = -1;
};

enum class JournalState {
  kPending,  // begun; the process stopped before the outcome was written
  kDone,
  kFailed,
};

struct JournalEntry {
  std::string from;
  std::string to;
  JournalState state = JournalState::kPending;
  int line = 0;  // 1-based, for messages
};

struct JournalContents {
  std::vector<JournalEntry> entries;  // in the order the renames were tried
  std::vector<std::string> problems;  // "line N: ..." for each line not understood
  int error = 0;                      // errno when the file could not be read
};

// Reads a journal. Lines that do not parse (a journal edited by hand) are
// listed in `problems` and skipped; an entry whose paths do not name the same
// folder or hold NUL is such a line too.
JournalContents ReadNameJournal(const std::string& path);

// A new journal path: $XDG_STATE_HOME/tekvo (or ~/.local/state/tekvo), created
// when missing, with the time and process id in the file name. Empty when no
// such folder can be made.
std::string DefaultJournalPath();

// Hex forms of bytes as the journal writes them; FromHex gives false for
// anything but pairs of hex digits.
std::string ToHex(const std::string& bytes);
bool FromHex(const std::string& hex, std::string& bytes);

}  // namespace tekvo

#endif  // TEKVO_FILES_NAME_JOURNAL_H_
