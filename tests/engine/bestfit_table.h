// Microsoft's published best-fit tables (shared/data/windows-bestfit), read
// into what they say a code page does: the fidelity test checks the
// converters against them, and scripts/codepage_supplement_gen.cpp makes the
// supplement tables from them.
#ifndef TEKVO_TESTS_ENGINE_BESTFIT_TABLE_H_
#define TEKVO_TESTS_ENGINE_BESTFIT_TABLE_H_

#include <filesystem>
#include <map>
#include <string>

namespace tekvo {

struct BestFitTable {
  std::map<std::string, char16_t> decode;  // bytes (1 or 2) -> unit
  std::map<char16_t, std::string> encode;  // unit -> bytes
};

// The file at `path`: tagged sections (MBTABLE, DBCSRANGE, DBCSTABLE, WCTABLE)
// of "0x.. 0x.." records, ";" starting a comment. A DBCSRANGE lists lead byte
// ranges, each followed by one DBCSTABLE per lead byte. A file that cannot be
// read gives empty maps.
BestFitTable ParseBestFitTable(const std::filesystem::path& path);

}  // namespace tekvo

#endif  // TEKVO_TESTS_ENGINE_BESTFIT_TABLE_H_
