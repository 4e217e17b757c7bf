// The writer's temporary files: nameless until committed, rewritable in place, copyable
// inside the kernel, and gone when dropped.
#include "paylib/sepa/TempFile.h"

#include "tests/paylib/SchemaCheck.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using paylib::TempFile;

#if defined(_WIN32)
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

bool empty(const fs::path& directory) {
    return fs::directory_iterator(directory) == fs::directory_iterator();
}

TEST(TempFileTest, NothingIsVisibleUntilCommitAndNothingStaysWhenDropped) {
    testsupport::TempDirectory dir;
    {
        auto document = TempFile::forTarget(dir.path().string(), "out.xml");
        auto scratch = TempFile::scratch(dir.path().string());
        ASSERT_TRUE(document && scratch);
        ASSERT_TRUE(document->append("abc") && scratch->append("def"));
        ASSERT_TRUE(document->flush() && scratch->flush());
        // Windows has no nameless files: there they are visible until dropped.
        if (!kWindows) {
            EXPECT_TRUE(empty(dir.path()));
        }
    }
    EXPECT_TRUE(empty(dir.path()));
}

TEST(TempFileTest, OverwriteReachesFlushedAndBufferedBytesAlike) {
    testsupport::TempDirectory dir;
    auto file = TempFile::forTarget(dir.path().string(), "out.xml");
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->append("0123456789"));
    ASSERT_TRUE(file->flush());
    ASSERT_TRUE(file->append("abcdefghij")); // still buffered
    // A slot that starts in the written part and ends in the buffer.
    EXPECT_TRUE(file->overwrite(7, "XXXXXX"));
    EXPECT_FALSE(file->overwrite(18, "too long"));
    EXPECT_EQ(file->size(), 20u);
    ASSERT_TRUE(file->commit((dir.path() / "out.xml").string()));
    EXPECT_EQ(schemacheck::contents(dir.path() / "out.xml"), "0123456XXXXXXdefghij");
}

TEST(TempFileTest, CopiesARangeOfAnotherFileAndReplacesAnExistingTarget) {
    testsupport::TempDirectory dir;
    std::ofstream(dir.path() / "out.xml") << "old";
    auto scratch = TempFile::scratch(dir.path().string());
    auto file = TempFile::forTarget(dir.path().string(), "out.xml");
    ASSERT_TRUE(scratch && file);
    ASSERT_TRUE(scratch->append("..middle..") && scratch->flush());
    ASSERT_TRUE(file->append("<") && file->appendCopy(*scratch, 2, 6) && file->append(">"));
    ASSERT_TRUE(file->commit((dir.path() / "out.xml").string()));
    EXPECT_EQ(schemacheck::contents(dir.path() / "out.xml"), "<middle>");
    // Only the target is left once the scratch file is dropped: no hidden name beside it.
    scratch.reset();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

} // namespace
