#include "platform/FileSystem.h"

#include "tests/platform/ListingCheck.h"
#include "tests/support/FileSizeLimitZero.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "filesystem-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    std::string dir() const { return m_dir.string(); }

private:
    fs::path m_dir;
};

} // namespace

TEST(MatchesWildcard, StarAndQuestionMark) {
    using platform::matchesWildcard;
    EXPECT_TRUE(matchesWildcard("Xyyz00000123.yxz", "Xyyz00000???.yxz"));
    EXPECT_FALSE(matchesWildcard("Xyyz00001000.yxz", "Xyyz00000???.yxz"));
    EXPECT_FALSE(matchesWildcard("Xyyz0000012.yxz", "Xyyz00000???.yxz"));
    EXPECT_TRUE(matchesWildcard("abc", "*"));
    EXPECT_TRUE(matchesWildcard("", "*"));
    EXPECT_FALSE(matchesWildcard("", "?"));
    EXPECT_TRUE(matchesWildcard("a.b.c", "*.c"));
    EXPECT_TRUE(matchesWildcard("aXbXc", "a*b*c"));
    EXPECT_FALSE(matchesWildcard("aXbXd", "a*b*c"));
    EXPECT_TRUE(matchesWildcard("abab", "*ab"));
    EXPECT_FALSE(matchesWildcard("Abc", "abc"));
    // Brackets have no meaning of their own.
    EXPECT_TRUE(matchesWildcard("[a]", "[a]"));
    EXPECT_FALSE(matchesWildcard("a", "[a]"));
}

TEST_F(FileSystemTest, ProbeWriteFailureIsReported) {
    // A file-size limit of 0 lets the file be created but refuses the write (also for root).
    const testsupport::FileSizeLimitZero limit;
    EXPECT_EQ(platform::createProbeFile(path("probe"), 4), platform::ProbeResult::WriteFailed);
}

TEST_F(FileSystemTest, QueriesOnDirectoriesAndFiles) {
    std::ofstream(path("f")) << "x";
    EXPECT_TRUE(platform::isDirectory(dir()));
    EXPECT_FALSE(platform::isDirectory(path("f")));
    EXPECT_FALSE(platform::isDirectory(path("missing")));
    EXPECT_FALSE(platform::isDirectory(""));
    EXPECT_TRUE(platform::pathExists(path("f")));
    EXPECT_FALSE(platform::pathExists(path("missing")));
    EXPECT_TRUE(platform::freeSpaceQuerySucceeds(dir()));
    EXPECT_FALSE(platform::freeSpaceQuerySucceeds(path("missing")));
    EXPECT_EQ(platform::canonicalPath("/usr/../etc/."), "/etc");
    EXPECT_EQ(platform::canonicalPath(path("missing")), "");
}

TEST_F(FileSystemTest, NamesAreWindows1252InsideAndUtf8OnDisk) {
    const std::string name = "Pr\xFC"
                             "fung";
    EXPECT_EQ(platform::nativePath(name), "Pr\xC3\xBC"
                                          "fung");
    EXPECT_EQ(platform::createProbeFile(path(name), 1), platform::ProbeResult::Written);
    EXPECT_TRUE(fs::exists(fs::path(dir()) / "Pr\xC3\xBC"
                                             "fung"));
    // A name with no Windows-1252 form (here: a Cyrillic letter) is not listed.
    std::ofstream(fs::path(dir()) / "\xD0\x96") << "x";
    fs::create_directory(path("sub"));
    testsupport::expectFileAndSubdirectory(dir(), name);
    EXPECT_TRUE(platform::listDirectory(path("missing")).empty());
}

TEST_F(FileSystemTest, TheNearestExistingAncestorIsWhereTheFileSystemIsAsked) {
    std::ofstream(path("file")) << "x";
    fs::create_directory_symlink(path("loop"), path("loop"));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {dir(), dir()},
        {path("missing/deeper"), dir()},
        {path("missing//deeper//"), dir()},
        {path("file/sub"), path("file")},
        // The file system answers for the loop itself, with an error.
        {path("loop/sub"), path("loop/sub")},
        {"no-such-folder-here/sub", "."},
        {"/", "/"},
        {"", ""},
    };
    for (const auto& [name, ancestor] : cases)
        EXPECT_EQ(platform::nearestExistingAncestor(name), ancestor) << name;
}
