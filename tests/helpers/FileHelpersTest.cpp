#include "helpers/FileHelpers.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

// Every test works in a fresh folder of its own.
class FileHelpersTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "helpers-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    std::string dir() const { return m_dir.string(); }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    void touch(const std::string& name) const { std::ofstream(m_dir / name) << "x"; }
    bool exists(const std::string& name) const { return fs::exists(m_dir / name); }

private:
    fs::path m_dir;
};

} // namespace

TEST_F(FileHelpersTest, FileExistsAnyFindsNamesAndPatterns) {
    EXPECT_FALSE(FileExistsAny(path("*")));
    touch("report.txt");
    fs::create_directory(path("sub"));
    EXPECT_TRUE(FileExistsAny(path("report.txt")));
    EXPECT_TRUE(FileExistsAny(path("*.txt")));
    EXPECT_TRUE(FileExistsAny(path("rep?rt.*")));
    EXPECT_TRUE(FileExistsAny(path("s*")));
    EXPECT_TRUE(FileExistsAny(path("sub")));
    EXPECT_FALSE(FileExistsAny(path("report.txt?")));
    EXPECT_FALSE(FileExistsAny(path("*.xml")));
    EXPECT_FALSE(FileExistsAny(path("missing")));
    EXPECT_FALSE(FileExistsAny(path("nodir/*")));
    EXPECT_FALSE(FileExistsAny(""));
}

TEST_F(FileHelpersTest, FileExistsAnyTakesWindows1252Names) {
    // "Übersicht.txt" in Windows-1252; on disk it is UTF-8.
    const std::string name = "\xDC"
                             "bersicht.txt";
    std::ofstream(fs::path(dir()) / "\xC3\x9C"
                                    "bersicht.txt")
        << "x";
    EXPECT_TRUE(FileExistsAny(path(name)));
    EXPECT_TRUE(FileExistsAny(path("?bersicht.*")));
}

TEST_F(FileHelpersTest, DriveReadyAsksTheFileSystem) {
    EXPECT_TRUE(DriveReady(dir()));
    EXPECT_TRUE(DriveReady("  " + dir() + "  "));
    EXPECT_TRUE(DriveReady(""));
    EXPECT_TRUE(DriveReady("   "));
    EXPECT_FALSE(DriveReady(path("missing/deeper")));
}

TEST_F(FileHelpersTest, DeleteMatchingFilesDeletesOnlyMatchingFiles) {
    touch("a1.tmp");
    touch("a2.tmp");
    touch("a10.tmp");
    touch("b1.tmp");
    touch("a3.txt");
    fs::create_directory(path("a4.tmp"));
    EXPECT_EQ(DeleteMatchingFiles(path("a?.tmp")), 2);
    EXPECT_FALSE(exists("a1.tmp"));
    EXPECT_FALSE(exists("a2.tmp"));
    EXPECT_TRUE(exists("a10.tmp"));
    EXPECT_TRUE(exists("b1.tmp"));
    EXPECT_TRUE(exists("a3.txt"));
    EXPECT_TRUE(exists("a4.tmp"));
    EXPECT_EQ(DeleteMatchingFiles(path("*")), 3);
    EXPECT_TRUE(exists("a4.tmp"));
    EXPECT_EQ(DeleteMatchingFiles(path("missing/*")), 0);
}

TEST_F(FileHelpersTest, DeleteMatchingFilesLeavesProtectedDirectoriesAlone) {
    touch("a1.tmp");
    fs::create_directory(path("sub"));
    DeletionGuard guard = PosixDeletionGuard();
    guard.directories.push_back(dir());
    EXPECT_EQ(DeleteMatchingFiles(path("*.tmp"), guard), 0);
    // The same directory under another name is still protected.
    EXPECT_EQ(DeleteMatchingFiles(path("sub/../*.tmp"), guard), 0);
    EXPECT_EQ(DeleteMatchingFiles(dir() + "//*.tmp", guard), 0);
    EXPECT_TRUE(exists("a1.tmp"));
    EXPECT_EQ(DeleteMatchingFiles(path("*.tmp")), 1);
}

TEST_F(FileHelpersTest, DeleteMatchingFilesFollowsNoLinkIntoASystemDirectory) {
    fs::create_directory_symlink("/etc", path("etc-link"));
    EXPECT_TRUE(IsProtectedDirectory(path("etc-link"), PosixDeletionGuard()));
    EXPECT_FALSE(IsProtectedDirectory(dir(), PosixDeletionGuard()));
}

TEST_F(FileHelpersTest, DeleteMatchingFilesRefusesOverlongDirectories) {
    // Cutting such a directory to 255 characters would name another directory.
    const std::string deep = path(std::string(200, 'a')) + "/" + std::string(100, 'b');
    fs::create_directories(deep);
    std::ofstream(deep + "/a1.tmp") << "x";
    EXPECT_EQ(DeleteMatchingFiles(deep + "/*.tmp"), 0);
    EXPECT_TRUE(fs::exists(deep + "/a1.tmp"));
}

TEST(IsProtectedDirectory, PosixSystemDirectories) {
    const DeletionGuard guard = PosixDeletionGuard();
    for (const char* dir : {"/", "/bin", "/boot", "/dev", "/etc", "/lib", "/lib64", "/proc",
                            "/sbin", "/sys", "/usr", "/usr/", "//etc", "/usr/../etc", "/etc/."})
        EXPECT_TRUE(IsProtectedDirectory(dir, guard)) << dir;
    EXPECT_FALSE(IsProtectedDirectory("/usr/local/share/doc-of-nobody", guard));
    EXPECT_FALSE(IsProtectedDirectory("/nonexistent-helpers-dir", guard));
}

TEST(IsProtectedDirectory, WindowsDirectoriesAndTheirDriveRoot) {
    const DeletionGuard guard =
        WindowsDeletionGuard("C:\\WINDOWS", "C:\\Windows\\system32", "C:\\Program Files");
    EXPECT_TRUE(IsProtectedDirectory("C:\\", guard));
    EXPECT_TRUE(IsProtectedDirectory("c:\\", guard));
    EXPECT_TRUE(IsProtectedDirectory("C:\\Windows", guard));
    EXPECT_TRUE(IsProtectedDirectory("c:\\windows\\", guard));
    EXPECT_TRUE(IsProtectedDirectory("C:\\WINDOWS\\SYSTEM32", guard));
    EXPECT_TRUE(IsProtectedDirectory("c:\\program files", guard));
    EXPECT_FALSE(IsProtectedDirectory("D:\\", guard));
    EXPECT_FALSE(IsProtectedDirectory("C:\\DATEN", guard));
    EXPECT_FALSE(IsProtectedDirectory("C:\\WINDOWS\\TEMP", guard));
    EXPECT_FALSE(IsProtectedDirectory("C:", guard));
}

TEST_F(FileHelpersTest, UniqueFileNameTakesTheFirstFreeCounter) {
    EXPECT_EQ(UniqueFileName(dir(), "Xyyz", "yxz", true), "Xyyz00000000.yxz");
    EXPECT_EQ(UniqueFileName(dir(), "Xyyz", "yxz", false), dir() + "/Xyyz00000000.yxz");
    EXPECT_EQ(UniqueFileName(dir() + "/", "Xyyz", "yxz", false), dir() + "/Xyyz00000000.yxz");
    touch("Xyyz00000000.yxz");
    touch("Xyyz00000001.yxz");
    touch("Xyyz00000003.yxz");
    EXPECT_EQ(UniqueFileName(dir(), "Xyyz", "yxz", true), "Xyyz00000002.yxz");
}

TEST_F(FileHelpersTest, UniqueFileNameBoundsPrefixExtensionAndName) {
    EXPECT_EQ(UniqueFileName(dir(), "log", "text", true), "log00000000.tex");
    const std::string prefix26(26, 'p');
    EXPECT_EQ(UniqueFileName(dir(), prefix26, "yxz", true), prefix26 + "0000");
    // Counters 0 to 9999 all give the same cut name; the next different one is 10000.
    touch(prefix26 + "0000");
    EXPECT_EQ(UniqueFileName(dir(), prefix26, "yxz", true), prefix26 + "0001");
    const std::string prefix40(40, 'q');
    EXPECT_EQ(UniqueFileName(dir(), prefix40, "yxz", true), std::string(30, 'q'));
    // Nothing free at all: the one possible name comes back.
    touch(std::string(30, 'q'));
    EXPECT_EQ(UniqueFileName(dir(), prefix40, "yxz", true), std::string(30, 'q'));
}

TEST_F(FileHelpersTest, DirectoryWritableProbesAndCleansUp) {
    touch("Xyyz00000005.yxz"); // left by an earlier run
    touch("Xyyz00001000.yxz"); // outside the clean-up pattern
    EXPECT_TRUE(DirectoryWritable(dir()));
    EXPECT_TRUE(DirectoryWritable(dir() + "/"));
    EXPECT_FALSE(exists("Xyyz00000005.yxz"));
    EXPECT_FALSE(exists("Xyyz00000000.yxz"));
    EXPECT_TRUE(exists("Xyyz00001000.yxz"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir()), fs::directory_iterator()), 1);
}

TEST_F(FileHelpersTest, DirectoryWritableFailsWhereNothingCanBeCreated) {
    // Not even root can create files in a process directory of /proc.
    EXPECT_FALSE(DirectoryWritable("/proc/self"));
    EXPECT_FALSE(DirectoryWritable(path("missing")));
    touch("plain");
    EXPECT_FALSE(DirectoryWritable(path("plain")));
}

TEST_F(FileHelpersTest, DirectoryWritableFailsWhenTheProbeCannotBeWritten) {
    {
        // The probe file is created, but a file-size limit of 0 refuses the four bytes.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit zero = saved;
        zero.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &zero);
        const bool writable = DirectoryWritable(dir());
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);
        EXPECT_FALSE(writable);
    }
    // The half-made probe file is gone again.
    EXPECT_TRUE(fs::is_empty(dir()));
}
