// ICU converters set up the way the code page bridge needs them, and a cache
// of them per thread. Internal to the bridge.
#ifndef TEKVO_ENGINE_CODEPAGE_ICU_CONVERTER_H_
#define TEKVO_ENGINE_CODEPAGE_ICU_CONVERTER_H_

#include <unicode/ucnv.h>

#include "engine/codepage/codepage_registry.h"

namespace tekvo {

// A new converter for `entry` (an ICU entry) with fallbacks on, "?" for
// characters the page lacks and one U+FFFD per invalid byte sequence, except
// the sequences the page's supplement reads (codepage_supplement.h); the
// caller closes it. nullptr when ICU cannot open it. Its encoder knows
// nothing of the supplement: the callers lay that over it.
UConverter* OpenConfiguredConverter(const CodePageEntry& entry);

// The calling thread's converter for `entry`, opened on first use and kept
// until the thread ends; nullptr when ICU cannot open it. Not to be closed.
UConverter* ThreadConverter(const CodePageEntry& entry);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_ICU_CONVERTER_H_
