#pragma once

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace testsupport {

// Expects the listing of `directory` to be exactly the regular file `file` and the
// directory "sub".
inline void expectFileAndSubdirectory(std::string_view directory, const std::string& file) {
    auto entries = platform::listDirectory(directory);
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 2u) << directory;
    EXPECT_EQ(entries[0].name, file);
    EXPECT_TRUE(entries[0].isRegularFile);
    EXPECT_EQ(entries[1].name, "sub");
    EXPECT_TRUE(entries[1].isDirectory);
    EXPECT_FALSE(entries[1].isRegularFile);
}

} // namespace testsupport
