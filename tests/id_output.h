// Locale and code page identifiers in test output as their numbers, for
// failure messages and for GoogleTest's printing of expected values.
#ifndef TEKVO_TESTS_ID_OUTPUT_H_
#define TEKVO_TESTS_ID_OUTPUT_H_

#include <ostream>

#include "engine/text/text.h"

namespace tekvo {

inline std::ostream& operator<<(std::ostream& os, LocaleId id) { return os << ToInt(id); }
inline std::ostream& operator<<(std::ostream& os, CodePageId cp) { return os << ToInt(cp); }

}  // namespace tekvo

#endif  // TEKVO_TESTS_ID_OUTPUT_H_
