// The platform's file-system calls on Windows (under Wine in the build): ANSI names in code
// page 1252, "\" and drive letters, case-blind names, the system's own folders.
#include "platform/FileSystem.h"

#include "tests/platform/ListingCheck.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

class FileSystemTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return dir() + "\\" + name; }
    std::string dir() const { return m_dir.path().string(); }
    std::wstring dirWide() const { return m_dir.path().wstring(); }

private:
    testsupport::TempDirectory m_dir;
};

std::string contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool sameName(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

} // namespace

TEST(WindowsFolders, AreNamedByTheSystem) {
    const std::string windows = platform::windowsDirectory();
    ASSERT_GE(windows.size(), 3u);
    EXPECT_EQ(windows.substr(1, 2), ":\\");
    EXPECT_TRUE(platform::isDirectory(windows));
    EXPECT_TRUE(platform::isDirectory(platform::systemDirectory()));
    EXPECT_TRUE(sameName(platform::systemDirectory().substr(0, windows.size()), windows));
    EXPECT_TRUE(platform::isDirectory(platform::programFilesDirectory()));
}

TEST(MatchesWildcard, IgnoresTheCaseOfLettersAsWindowsNamesDo) {
    using platform::matchesWildcard;
    EXPECT_TRUE(matchesWildcard("Xyyz00000123.YXZ", "xyyz00000???.yxz"));
    EXPECT_TRUE(matchesWildcard("\xC4RGER.TXT", "\xE4rger.*"));
    EXPECT_FALSE(matchesWildcard("Xyyz00001000.yxz", "Xyyz00000???.yxz"));
}

TEST_F(FileSystemTest, QueriesOnDrivesDirectoriesAndFiles) {
    std::ofstream(path("f")) << "x";
    EXPECT_TRUE(platform::isDirectory(dir()));
    EXPECT_TRUE(platform::isDirectory("C:\\"));
    EXPECT_FALSE(platform::isDirectory(path("f")));
    EXPECT_FALSE(platform::isDirectory(path("missing")));
    EXPECT_FALSE(platform::isDirectory(""));
    EXPECT_TRUE(platform::pathExists(path("f")));
    EXPECT_TRUE(platform::pathExists(path("F")));
    EXPECT_FALSE(platform::pathExists(path("missing")));
    EXPECT_TRUE(platform::freeSpaceQuerySucceeds("C:\\"));
    EXPECT_TRUE(platform::freeSpaceQuerySucceeds(dir()));
    EXPECT_FALSE(platform::freeSpaceQuerySucceeds(path("missing")));
    // A drive letter that names no drive, asked without a critical-error box.
    EXPECT_FALSE(platform::freeSpaceQuerySucceeds("Q:\\"));
}

TEST_F(FileSystemTest, CanonicalNamesResolveDotsAndCase) {
    const std::string windows = platform::windowsDirectory();
    EXPECT_TRUE(sameName(platform::canonicalPath(platform::systemDirectory() + "\\.."), windows));
    EXPECT_TRUE(sameName(platform::canonicalPath(windows + "\\.\\"), windows + "\\"));
    EXPECT_EQ(platform::canonicalPath(path("missing")), "");
}

TEST_F(FileSystemTest, CurrentDirectoryIsReadAndSet) {
    // TempDirectory made the folder current.
    EXPECT_TRUE(sameName(platform::currentDirectory(), dir()));
    fs::create_directory(path("sub"));
    ASSERT_TRUE(platform::setCurrentDirectory(path("sub")));
    EXPECT_TRUE(sameName(platform::currentDirectory(), path("sub")));
    EXPECT_FALSE(platform::setCurrentDirectory(path("missing")));
    EXPECT_FALSE(platform::setCurrentDirectory(""));
    EXPECT_TRUE(sameName(platform::currentDirectory(), path("sub")));
    ASSERT_TRUE(platform::setCurrentDirectory(dir()));
}

TEST_F(FileSystemTest, NamesOfEitherCaseNameTheSameFile) {
    std::ofstream(path("mine")) << "keep";
    EXPECT_EQ(platform::createProbeFile(path("MINE"), 4), platform::ProbeResult::CreateFailed);
    EXPECT_EQ(contents(path("mine")), "keep");
    EXPECT_TRUE(platform::removeFile(path("Mine")));
    EXPECT_FALSE(fs::exists(path("mine")));
}

TEST_F(FileSystemTest, NamesAreWindows1252ForTheAnsiCalls) {
    const std::string name = "Pr\xFC"
                             "fung";
    EXPECT_EQ(platform::nativePath(name), name);
    ASSERT_EQ(platform::createProbeFile(path(name), 1), platform::ProbeResult::Written);
    // The system stores the name as Unicode: the byte 0xFC is the letter U+00FC.
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((dirWide() + L"\\Pr\u00FCfung").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    fs::create_directory(path("sub"));
    testsupport::expectFileAndSubdirectory(dir(), name);
    // With or without the closing delimiter, and "" for the current directory.
    testsupport::expectFileAndSubdirectory(dir() + "\\", name);
    testsupport::expectFileAndSubdirectory("", name);
    EXPECT_TRUE(platform::listDirectory(path("missing")).empty());
}
