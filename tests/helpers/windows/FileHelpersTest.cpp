// The file helpers on Windows (under Wine in the build), where the native rules are the
// Windows ones: drive letters, "\", names of either case, the Windows folders protected.
#include "helpers/FileHelpers.h"

#include "platform/FileSystem.h"
#include "tests/support/SystemPaths.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class FileHelpersTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return dir() + "\\" + name; }
    std::string dir() const { return m_dir.path().string(); }

private:
    testsupport::TempDirectory m_dir;
};

// A file of ours in a protected folder, removed again whatever the test found.
class PlantedFile {
public:
    explicit PlantedFile(std::string name) : m_name(std::move(name)) {
        std::ofstream(m_name) << "x";
    }
    ~PlantedFile() { DeleteFileA(m_name.c_str()); }
    PlantedFile(const PlantedFile&) = delete;
    PlantedFile& operator=(const PlantedFile&) = delete;
    bool exists() const { return platform::pathExists(m_name); }

private:
    std::string m_name;
};

} // namespace

TEST(NativeRules, AreTheWindowsRules) {
    EXPECT_EQ(NativePathStyle(), PathStyle::Windows);
    EXPECT_EQ(DirectoryPart("C:\\Logs\\x.log"), "C:\\Logs");
    EXPECT_EQ(DirectoryPart("C:x.log"), "C:");
    EXPECT_EQ(AddBackslash("C:\\Logs"), "C:\\Logs\\");
    EXPECT_EQ(RemoveBackslash("C:\\"), "C:\\");
}

TEST(NativeDeletionGuard, ProtectsTheWindowsFoldersUnderAnyOfTheirNames) {
    const DeletionGuard guard = NativeDeletionGuard();
    const std::string windows = platform::windowsDirectory();
    const std::string lowerWindows = CharLowerA(std::string(windows).data());
    for (const std::string& directory :
         {windows, windows + "\\", lowerWindows, platform::systemDirectory(),
          platform::programFilesDirectory(), windows.substr(0, 3),
          platform::systemDirectory() + "\\..", windows + "\\.\\"})
        EXPECT_TRUE(IsProtectedDirectory(directory, guard)) << directory;
    EXPECT_FALSE(IsProtectedDirectory(windows + "\\Temp", guard));
    EXPECT_FALSE(IsProtectedDirectory(fs::temp_directory_path().string(), guard));
}

TEST(NativeDeletionGuard, DeleteMatchingFilesLeavesTheWindowsFolderAlone) {
    const std::string windows = platform::windowsDirectory();
    const PlantedFile planted(windows + "\\zalvo-guard-probe.tmp");
    ASSERT_TRUE(planted.exists());
    EXPECT_EQ(DeleteMatchingFiles(windows + "\\zalvo-guard-*.tmp"), 0);
    EXPECT_EQ(DeleteMatchingFiles(platform::systemDirectory() + "\\..\\ZALVO-GUARD-*.TMP"), 0);
    EXPECT_TRUE(planted.exists());
}

TEST_F(FileHelpersTest, DeleteMatchingFilesMatchesNamesOfEitherCase) {
    std::ofstream(path("a1.TMP")) << "x";
    std::ofstream(path("a2.tmp")) << "x";
    std::ofstream(path("b.tmp")) << "x";
    fs::create_directory(path("a3.tmp"));
    EXPECT_EQ(DeleteMatchingFiles(dir() + "\\A*.tmp"), 2);
    EXPECT_FALSE(fs::exists(path("a1.TMP")));
    EXPECT_TRUE(fs::exists(path("b.tmp")));
    EXPECT_TRUE(fs::is_directory(path("a3.tmp")));
}

TEST_F(FileHelpersTest, FileExistsAnyFindsNamesAndPatternsOfEitherCase) {
    std::ofstream(path("Report.TXT")) << "x";
    EXPECT_TRUE(FileExistsAny(path("report.txt")));
    EXPECT_TRUE(FileExistsAny(path("*.txt")));
    EXPECT_TRUE(FileExistsAny(path("REP??T.*")));
    EXPECT_FALSE(FileExistsAny(path("*.doc")));
    EXPECT_FALSE(FileExistsAny(path("missing\\*.txt")));
}

TEST_F(FileHelpersTest, DriveReadyAsksDrivesAndDirectories) {
    EXPECT_TRUE(DriveReady("C"));
    EXPECT_TRUE(DriveReady("c"));
    EXPECT_TRUE(DriveReady("C:\\"));
    EXPECT_TRUE(DriveReady(dir()));
    // The root of the current drive.
    EXPECT_TRUE(DriveReady(""));
    EXPECT_FALSE(DriveReady("Q"));
    EXPECT_FALSE(DriveReady("Q:\\Logs"));
}

TEST_F(FileHelpersTest, UniqueFileNameUsesTheWindowsDelimiter) {
    EXPECT_EQ(UniqueFileName(dir(), "Xyyz", "yxz", false), path("Xyyz00000000.yxz"));
    std::ofstream(path("XYYZ00000000.YXZ")) << "x";
    EXPECT_EQ(UniqueFileName(dir() + "\\", "Xyyz", "yxz", false), path("Xyyz00000001.yxz"));
}

TEST_F(FileHelpersTest, DirectoryWritableProbesAndCleansUp) {
    EXPECT_TRUE(DirectoryWritable(dir()));
    EXPECT_TRUE(fs::is_empty(dir()));
    EXPECT_FALSE(DirectoryWritable(testsupport::kUnwritableDirectory));
}
