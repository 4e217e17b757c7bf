#pragma once

#include "paylib/bank/CheckMethodLibrary.h"

#include <gtest/gtest.h>

// For the tests whose expectations are the verdicts of the Bundesbank check-digit library
// (Debian's libktoblzcheck): a build without it, as the Windows cross build is, answers
// notice 213 where they expect 0 or -19, so they skip there and say why.
namespace paylibtest {

inline bool checkDigitLibraryBuiltIn() {
    // Method 00 is the library's; the build without it knows only 09.
    return paylib::CheckMethodLibrary::forThisBuild()->knows("00");
}

inline constexpr const char* kNoCheckDigitLibrary =
    "expects the verdicts of the check-digit library (libktoblzcheck), which this build has "
    "not: its source is not reachable for the Windows cross build (docs/decisions/windows.md)";

} // namespace paylibtest

#define ZALVO_SKIP_WITHOUT_CHECK_DIGIT_LIBRARY()                                                   \
    do {                                                                                           \
        if (!paylibtest::checkDigitLibraryBuiltIn())                                               \
            GTEST_SKIP() << paylibtest::kNoCheckDigitLibrary;                                      \
    } while (false)
