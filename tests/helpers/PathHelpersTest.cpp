#include "helpers/PathHelpers.h"

#include <gtest/gtest.h>

namespace {
constexpr PathStyle kWin = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;
} // namespace

TEST(AddBackslash, AppendsTheDelimiterToNonBlankPaths) {
    EXPECT_EQ(AddBackslash("C:\\DATEN", kWin), "C:\\DATEN\\");
    EXPECT_EQ(AddBackslash("C:\\DATEN\\", kWin), "C:\\DATEN\\");
    EXPECT_EQ(AddBackslash("C:", kWin), "C:\\");
    EXPECT_EQ(AddBackslash("", kWin), "");
    EXPECT_EQ(AddBackslash("   ", kWin), "   ");
    EXPECT_EQ(AddBackslash("/tmp", kPosix), "/tmp/");
    EXPECT_EQ(AddBackslash("/", kPosix), "/");
    EXPECT_EQ(AddBackslash("", kPosix), "");
    // Each style appends only its own delimiter.
    EXPECT_EQ(AddBackslash("dir\\", kPosix), "dir\\/");
    EXPECT_EQ(AddBackslash("dir/", kWin), "dir/\\");
}

TEST(RemoveBackslash, DriveRootsKeepTheirDelimiter) {
    EXPECT_EQ(RemoveBackslash("C:\\", kWin), "C:\\");
    EXPECT_EQ(RemoveBackslash("C:\\DATEN\\", kWin), "C:\\DATEN");
    EXPECT_EQ(RemoveBackslash("C:\\DATEN", kWin), "C:\\DATEN");
    EXPECT_EQ(RemoveBackslash("ab\\", kWin), "ab\\");
    EXPECT_EQ(RemoveBackslash("abc\\", kWin), "abc");
    EXPECT_EQ(RemoveBackslash("C:\\DATEN\\\\", kWin), "C:\\DATEN\\");
    EXPECT_EQ(RemoveBackslash("/", kPosix), "/");
    EXPECT_EQ(RemoveBackslash("/a/", kPosix), "/a");
    EXPECT_EQ(RemoveBackslash("/tmp/logs/", kPosix), "/tmp/logs");
    EXPECT_EQ(RemoveBackslash("", kPosix), "");
}

TEST(RemoveBackslash, TakesAtMost255Characters) {
    const std::string longPath = "/" + std::string(300, 'a');
    EXPECT_EQ(RemoveBackslash(longPath, kPosix), longPath.substr(0, 255));
    EXPECT_EQ(RemoveBackslash(std::string(254, 'a') + "/", kPosix), std::string(254, 'a'));
}

TEST(DirectoryPart, WindowsNames) {
    EXPECT_EQ(DirectoryPart("C:\\Logs\\demo.log", kWin), "C:\\Logs");
    EXPECT_EQ(DirectoryPart("C:\\x.log", kWin), "C:\\");
    EXPECT_EQ(DirectoryPart("C:x.log", kWin), "C:");
    EXPECT_EQ(DirectoryPart("\\x.log", kWin), "\\");
    EXPECT_EQ(DirectoryPart("demo.log", kWin), "");
    EXPECT_EQ(DirectoryPart("", kWin), "");
    EXPECT_EQ(DirectoryPart("\\\\server\\share\\a.xml", kWin), "\\\\server\\share");
    EXPECT_EQ(DirectoryPart("C:\\Logs\\", kWin), "C:\\Logs");
    // POSIX delimiters mean nothing in Windows names.
    EXPECT_EQ(DirectoryPart("/tmp/x.log", kWin), "");
}

TEST(DirectoryPart, PosixNamesWithTheRootAsDriveRoot) {
    EXPECT_EQ(DirectoryPart("/tmp/logs/demo.log", kPosix), "/tmp/logs");
    EXPECT_EQ(DirectoryPart("/x.log", kPosix), "/");
    EXPECT_EQ(DirectoryPart("logs/x.log", kPosix), "logs");
    EXPECT_EQ(DirectoryPart("demo.log", kPosix), "");
    EXPECT_EQ(DirectoryPart("C:\\x.log", kPosix), "");
}

TEST(FileNamePart, PartAfterTheLastDelimiter) {
    EXPECT_EQ(FileNamePart("C:\\Export\\\xDC"
                           "berweisungen.xml",
                           kWin),
              "\xDC"
              "berweisungen.xml");
    EXPECT_EQ(FileNamePart("C:a.xml", kWin), "a.xml");
    EXPECT_EQ(FileNamePart("a.xml", kWin), "a.xml");
    EXPECT_EQ(FileNamePart("C:\\Export\\", kWin), "");
    EXPECT_EQ(FileNamePart("/home/u/a.xml", kPosix), "a.xml");
    EXPECT_EQ(FileNamePart("/a.xml", kPosix), "a.xml");
    EXPECT_EQ(FileNamePart("a\\b.xml", kPosix), "a\\b.xml");
}

TEST(DirectoryPart, SplitOfAChosenFileNameKeepsDriveRoots) {
    // The export path of a file in a drive root keeps its delimiter, a deeper one drops it.
    EXPECT_EQ(DirectoryPart("C:\\a.xml", kWin) + "|" + FileNamePart("C:\\a.xml", kWin),
              "C:\\|a.xml");
    EXPECT_EQ(DirectoryPart("C:\\Export\\a.xml", kWin) + "|" +
                  FileNamePart("C:\\Export\\a.xml", kWin),
              "C:\\Export|a.xml");
    EXPECT_EQ(DirectoryPart("/home/a.xml", kPosix) + "|" + FileNamePart("/home/a.xml", kPosix),
              "/home|a.xml");
}

TEST(DirectoryPrefix, UpToAndIncludingTheLastDelimiter) {
    EXPECT_EQ(DirectoryPrefix("C:\\Logs\\a*.tmp", kWin), "C:\\Logs\\");
    EXPECT_EQ(DirectoryPrefix("C:a*.tmp", kWin), "C:");
    EXPECT_EQ(DirectoryPrefix("a*.tmp", kWin), "");
    EXPECT_EQ(DirectoryPrefix("/tmp/a*", kPosix), "/tmp/");
}

TEST(PathDelimiters, NulEndsADirectoryPartInBothStyles) {
    EXPECT_TRUE(IsPathDelimiter('\\', kWin));
    EXPECT_TRUE(IsPathDelimiter(':', kWin));
    EXPECT_FALSE(IsPathDelimiter('/', kWin));
    EXPECT_TRUE(IsPathDelimiter('/', kPosix));
    EXPECT_FALSE(IsPathDelimiter(':', kPosix));
    EXPECT_TRUE(IsPathDelimiter('\0', kPosix));
    EXPECT_EQ(DirectoryPart(std::string("ab\0cd", 5), kPosix), "ab");
    EXPECT_EQ(PathDelimiter(kWin), '\\');
    EXPECT_EQ(PathDelimiter(kPosix), '/');
}
