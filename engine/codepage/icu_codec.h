// Whole-text conversion through an ICU converter, with the table-driven path
// of engine/codepage/fast_codec.h for the plain stretches. Internal to the code page
// bridge.
#ifndef TEKVO_ENGINE_CODEPAGE_ICU_CODEC_H_
#define TEKVO_ENGINE_CODEPAGE_ICU_CODEC_H_

#include <unicode/ucnv.h>

#include <cstddef>
#include <string_view>

#include "engine/codepage/codepage_registry.h"
#include "engine/text/text.h"

namespace tekvo {

// `cnv` is the configured converter of `entry` (see icu_converter.h). Input
// of any length; an empty result when ICU fails outright.
ByteString IcuEncode(const CodePageEntry& entry, UConverter* cnv, const Text& text);
Text IcuDecode(const CodePageEntry& entry, UConverter* cnv, const ByteString& bytes);

// How many bytes at the start of `bytes` ICU reads without holding any back
// for a character cut short at the end; 0 when ICU fails outright.
std::size_t IcuRestPoint(UConverter* cnv, std::string_view bytes);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_ICU_CODEC_H_
