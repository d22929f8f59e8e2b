// The reference data that lies beside the project rather than in it. Where
// the folder is absent a test that needs it skips itself, except where the
// run demands the data (TEKVO_REQUIRE_SHARED_DATA=1, as continuous
// integration sets it): there a silent skip would hide that the test never
// ran, so it fails instead.
#ifndef TEKVO_TESTS_SHARED_DATA_H_
#define TEKVO_TESTS_SHARED_DATA_H_

#include <cstdlib>
#include <string>

#include "tekvo/source_dir.h"

namespace tekvo::shared_data {

inline std::string Dir() {
  const char* env = std::getenv("TEKVO_SHARED_DATA");
  return env && *env ? std::string(env) : std::string(TEKVO_SOURCE_DIR) + "/../shared/data";
}

inline bool Required() {
  const char* env = std::getenv("TEKVO_REQUIRE_SHARED_DATA");
  return env && *env && std::string(env) != "0";
}

}  // namespace tekvo::shared_data

// Leaves the test: a failure where the data is required, a skip elsewhere.
// For GoogleTest tests; the benchmarks use Dir() alone.
#define TEKVO_SHARED_DATA_MISSING(what)                                        \
  do {                                                                         \
    if (::tekvo::shared_data::Required()) {                                    \
      FAIL() << (what) << " missing from " << ::tekvo::shared_data::Dir()      \
             << " (TEKVO_REQUIRE_SHARED_DATA is set)";                         \
    }                                                                          \
    GTEST_SKIP() << (what) << " missing from " << ::tekvo::shared_data::Dir(); \
  } while (false)

#endif  // TEKVO_TESTS_SHARED_DATA_H_
