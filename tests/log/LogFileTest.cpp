#include "log/LogFile.h"

#include "tests/support/FileSizeLimitZero.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LogFile, BuffersUpTo128BytesAndCommitPutsTheRestOnDisk) {
    testsupport::TempDirectory dir;
    const std::string name = (dir.path() / "a.log").string();
    LogFile file;
    ASSERT_TRUE(file.create(name));
    file.write(std::string(100, 'a'));
    EXPECT_EQ(readFile(name), "");
    file.write(std::string(100, 'b'));
    // Another reader sees what left the buffer while the file is open.
    EXPECT_GE(readFile(name).size(), LogFile::kBufferSize);
    EXPECT_TRUE(file.commit());
    EXPECT_EQ(readFile(name), std::string(100, 'a') + std::string(100, 'b'));
    file.close();
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(file.commit());
}

TEST(LogFile, AppendNeedsAnExistingFileAndWritesAtItsEnd) {
    testsupport::TempDirectory dir;
    const std::string name = (dir.path() / "a.log").string();
    LogFile file;
    EXPECT_FALSE(file.append(name));
    EXPECT_FALSE(std::filesystem::exists(name));
    ASSERT_TRUE(file.create(name));
    file.write("eins\r\n");
    ASSERT_TRUE(file.append(name));
    file.write("zwei\r\n");
    file.close();
    EXPECT_EQ(readFile(name), "eins\r\nzwei\r\n");
}

TEST(LogFile, TheNameIsWindows1252AndOpenedAsUtf8) {
    testsupport::TempDirectory dir;
    LogFile file;
    ASSERT_TRUE(file.create((dir.path() / "Pr\xFC"
                                          "fung.log")
                                .string()));
    file.close();
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Pr\xC3\xBC"
                                                     "fung.log"));
}

TEST(LogFile, WriteErrorsAreIgnoredAndARefusedCommitIsReported) {
    testsupport::TempDirectory dir;
    const std::string name = (dir.path() / "a.log").string();
    LogFile file;
    ASSERT_TRUE(file.create(name));
    const testsupport::FileSizeLimitZero full;
    file.write(std::string(300, 'x'));
    file.write("y");
    EXPECT_FALSE(file.commit());
    file.write("z");
    file.close();
    EXPECT_FALSE(file.isOpen());
}

TEST(LogFile, AFailedOpenKeepsTheOpenFileAndAFailedReopenClosesIt) {
    testsupport::TempDirectory dir;
    const std::string name = (dir.path() / "a.log").string();
    LogFile file;
    ASSERT_TRUE(file.create(name));
    file.write("eins\r\n");
    EXPECT_FALSE(file.create((dir.path() / "missing" / "b.log").string()));
    EXPECT_FALSE(file.append((dir.path() / "b.log").string()));
    EXPECT_EQ(file.name(), name);
    file.write("zwei\r\n");
    ASSERT_TRUE(file.reopen());
    EXPECT_EQ(readFile(name), "eins\r\nzwei\r\n");
    std::filesystem::remove(name);
    EXPECT_FALSE(file.reopen());
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.name(), "");
}

} // namespace
