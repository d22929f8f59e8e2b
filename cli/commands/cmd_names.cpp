// tekvo-cli names: garbled file and folder names found and, with --apply,
// repaired in place with a journal that --undo reads to put them back.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "cli/commands/commands.h"
#include "engine/codepage/codepage.h"
#include "files/name_journal.h"
#include "files/name_repair.h"
#include "files/name_tree.h"
#include "files/path_text.h"

namespace tekvo::cli {
namespace {

struct Step {
  std::string from;      // path as found
  std::string to;        // same folder, repaired name
  std::string new_name;  // the repaired name alone
  std::string repair;
};

// Path bytes as UTF-8 for the terminal. A component that is not UTF-8 as a
// whole shows every byte from 80 up as "\xHH", even those that happen to
// form a UTF-8 character: "\xD2\xAA" of GB bytes is no Cyrillic letter.
std::string Shown(const std::string& path) {
  std::string out;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    if (IsValidUtf8(part)) {
      out += part;
    } else {
      for (char c : part) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
          out.push_back(c);
          continue;
        }
        constexpr char kHex[] = "0123456789ABCDEF";
        out += "\\x";
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 0x0F]);
      }
    }
    if (end < path.size()) out.push_back('/');
    start = end + 1;
  }
  return out;
}

std::string LastName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

void Warn(const Invocation& inv, const std::string& message) {
  inv.io.err << "tekvo-cli: " << message << '\n';
}

void PrintStep(const Invocation& inv, const std::string& from, const std::string& new_name,
               const std::string& repair) {
  inv.io.out << Shown(from) << " -> " << Shown(new_name) << "  [" << repair << "]\n";
}

// The repairs for every name under `paths`; what is left alone for a reason
// the user should hear of is reported, and sets `failed`.
std::vector<Step> Plan(const Invocation& inv, bool recursive, bool& failed) {
  const NameTree tree = CollectNames(inv.args.positional, recursive);
  for (const NameProblem& p : tree.problems) {
    Warn(inv, "cannot read " + Shown(p.path) + ": " + std::strerror(p.error));
    failed = true;
  }
  std::vector<Step> steps;
  for (const NameEntry& e : tree.entries) {
    const std::string path = JoinPath(e.folder, e.name);
    const NameProposal p = ProposeNameRepair(e.name);
    switch (p.verdict) {
      case NameVerdict::kClean:
        break;
      case NameVerdict::kUnreadable:
        Warn(inv, Shown(path) + ": no code page reads this name; left alone");
        failed = true;
        break;
      case NameVerdict::kTooLong:
        Warn(inv, Shown(path) + ": repaired (" + p.repair + ") it would be " +
                      std::to_string(p.new_name.size()) + " bytes, more than a name may hold; " +
                      "left alone");
        failed = true;
        break;
      case NameVerdict::kRepair:
        steps.push_back({path, JoinPath(e.folder, p.new_name), p.new_name, p.repair});
        break;
    }
  }
  return steps;
}

int Show(const Invocation& inv, const std::vector<Step>& steps, bool failed) {
  std::set<std::string> planned;
  for (const Step& s : steps) {
    PrintStep(inv, s.from, s.new_name, s.repair);
    if (Exists(s.to) || !planned.insert(s.to).second) {
      Warn(inv, Shown(s.to) + " exists already; " + Shown(s.from) + " would be left alone");
      failed = true;
    }
  }
  return failed ? kExitError : kExitOk;
}

int Apply(const Invocation& inv, const std::vector<Step>& steps, bool failed) {
  if (steps.empty()) return failed ? kExitError : kExitOk;
  const std::optional<std::string> chosen = inv.args.Option("-o");
  const std::string journal_path = chosen ? *chosen : DefaultJournalPath();
  if (journal_path.empty()) return Fail(inv, "no folder for the journal; name one with -o FILE");
  NameJournal journal;
  if (const int error = journal.Create(journal_path); error != 0) {
    return Fail(inv,
                "cannot create the journal " + Shown(journal_path) + ": " + std::strerror(error));
  }
  inv.io.out << "journal: " << Shown(journal_path) << '\n';
  for (const Step& s : steps) {
    const std::string from = AbsolutePath(s.from);
    const std::string to = AbsolutePath(s.to);
    // A rename the journal does not hold could not be undone: stop instead.
    if (const int error = journal.Begin(from, to); error != 0) {
      return Fail(inv, "cannot write the journal " + Shown(journal_path) + ": " +
                           std::strerror(error) + "; stopped before " + Shown(s.from));
    }
    const int error = RenameNoReplace(s.from, s.to);
    if (const int journal_error = journal.End(error == 0); journal_error != 0) {
      return Fail(inv, "cannot write the journal " + Shown(journal_path) + ": " +
                           std::strerror(journal_error) + "; stopped after " + Shown(s.from));
    }
    if (error == 0) {
      PrintStep(inv, s.from, s.new_name, s.repair);
    } else if (error == EEXIST || error == ENOTEMPTY) {
      Warn(inv, Shown(s.to) + " exists already; " + Shown(s.from) + " left alone");
      failed = true;
    } else {
      Warn(inv, "cannot rename " + Shown(s.from) + ": " + std::strerror(error));
      failed = true;
    }
  }
  return failed ? kExitError : kExitOk;
}

int Undo(const Invocation& inv, const std::string& journal_path) {
  const JournalContents journal = ReadNameJournal(journal_path);
  if (journal.error != 0) {
    return Fail(inv, "cannot read the journal " + Shown(journal_path) + ": " +
                         std::strerror(journal.error));
  }
  bool failed = false;
  for (const std::string& problem : journal.problems) {
    Warn(inv, Shown(journal_path) + ": " + problem + "; skipped");
    failed = true;
  }
  // Last renamed first: a folder gets its old name back before its contents.
  for (auto it = journal.entries.rbegin(); it != journal.entries.rend(); ++it) {
    const JournalEntry& e = *it;
    if (e.state == JournalState::kFailed) continue;
    const bool from_exists = Exists(e.from);
    const bool to_exists = Exists(e.to);
    if (!to_exists && from_exists) continue;  // never renamed, or put back already
    if (!to_exists) {
      Warn(inv, Shown(e.to) + " is gone (moved or deleted?); cannot give back " +
                    Shown(LastName(e.from)));
      failed = true;
      continue;
    }
    if (from_exists) {
      Warn(inv, Shown(e.from) + " exists again; " + Shown(e.to) + " left alone");
      failed = true;
      continue;
    }
    if (const int error = RenameNoReplace(e.to, e.from); error != 0) {
      Warn(inv, "cannot rename " + Shown(e.to) + ": " + std::strerror(error));
      failed = true;
      continue;
    }
    PrintStep(inv, e.to, LastName(e.from), "undone");
  }
  return failed ? kExitError : kExitOk;
}

}  // namespace

int RunNames(const Invocation& inv) {
  const bool apply = inv.args.Option("--apply").has_value();
  if (const std::optional<std::string> journal = inv.args.Option("--undo")) {
    if (!inv.args.positional.empty() || apply) {
      return UsageError(inv, "--undo takes the journal alone");
    }
    return Undo(inv, *journal);
  }
  if (inv.args.positional.empty()) return UsageError(inv, "names needs a PATH");
  if (inv.args.Option("-o") && !apply) return UsageError(inv, "-o names the journal of --apply");
  bool failed = false;
  const std::vector<Step> steps = Plan(inv, inv.args.Option("-r").has_value(), failed);
  return apply ? Apply(inv, steps, failed) : Show(inv, steps, failed);
}

}  // namespace tekvo::cli
