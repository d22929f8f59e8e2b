// Garbled file and folder names and their best-ranked repair. Names reach
// Linux from Windows archives and disks in two broken forms: raw bytes of a
// legacy code page (GB, Big5, Shift-JIS, EUC-KR), which are not UTF-8, and
// UTF-8 that is itself mojibake, because an unpacker read those bytes as code
// page 437 or 1252, or because UTF-8 bytes were read as GB and the like and
// written out again. Each reading is scored for how much it reads like real
// text and the best one is proposed only when it clearly beats the name as it
// stands: renaming a clean name is far worse than missing a garbled one.
#ifndef TEKVO_FILES_NAME_REPAIR_H_
#define TEKVO_FILES_NAME_REPAIR_H_

#include <string>

namespace tekvo {

enum class NameVerdict {
  kClean,       // left alone: already readable, or no reading clearly better
  kRepair,      // `new_name` is the proposed name
  kUnreadable,  // not UTF-8, and no code page reads it as text
  kTooLong,     // the best reading is past the file system's name limit
};

struct NameProposal {
  NameVerdict verdict = NameVerdict::kClean;
  std::string new_name;  // UTF-8; set for kRepair and kTooLong
  std::string repair;    // how it was garbled, e.g. "GB read as CP437"
  double score_before = 0;
  double score_after = 0;
};

// The bytes a single name may hold on Linux file systems (NAME_MAX).
inline constexpr std::size_t kMaxNameBytes = 255;

// Judges one name (a single path component, no "/"). Never fails: a name
// given with "/" or empty, "." or ".." is kClean. The proposed name never
// holds "/", NUL or control characters and always differs from `name`.
NameProposal ProposeNameRepair(const std::string& name);

}  // namespace tekvo

#endif  // TEKVO_FILES_NAME_REPAIR_H_
