// Probe files and file removal, the same on every platform.
#include "platform/FileSystem.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

class FileProbeTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (m_dir.path() / name).string(); }

private:
    testsupport::TempDirectory m_dir;
};

std::string contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST_F(FileProbeTest, ProbeFileIsNewAndHoldsZeros) {
    EXPECT_EQ(platform::createProbeFile(path("probe"), 4), platform::ProbeResult::Written);
    EXPECT_EQ(contents(path("probe")), std::string(4, '\0'));
    // An existing file is never opened, let alone truncated.
    std::ofstream(path("mine")) << "keep";
    EXPECT_EQ(platform::createProbeFile(path("mine"), 4), platform::ProbeResult::CreateFailed);
    EXPECT_EQ(contents(path("mine")), "keep");
    EXPECT_EQ(platform::createProbeFile(path("missing/probe"), 4),
              platform::ProbeResult::CreateFailed);
    EXPECT_EQ(platform::createProbeFile("", 4), platform::ProbeResult::CreateFailed);
}

TEST_F(FileProbeTest, RemoveFileRemovesFilesButNotDirectories) {
    std::ofstream(path("f")) << "x";
    fs::create_directory(path("d"));
    EXPECT_TRUE(platform::removeFile(path("f")));
    EXPECT_FALSE(fs::exists(path("f")));
    EXPECT_FALSE(platform::removeFile(path("f")));
    EXPECT_FALSE(platform::removeFile(path("d")));
    EXPECT_TRUE(fs::is_directory(path("d")));
    EXPECT_FALSE(platform::removeFile(""));
}
