#pragma once

#include <filesystem>

#include <gtest/gtest.h>

// The published DTAUS samples lie outside the repository; a checkout without them skips the
// tests that read them instead of failing on a missing file.
#define ZALVO_REQUIRE_DTA_SAMPLES()                                                                \
    do {                                                                                           \
        if (!std::filesystem::is_directory(ZALVO_DTA_SAMPLES))                                     \
            GTEST_SKIP() << "DTAUS samples not found in " << ZALVO_DTA_SAMPLES;                    \
    } while (false)
