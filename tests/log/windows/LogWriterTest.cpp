// The log writer end to end on Windows (under Wine in the build): Windows names, CR LF lines
// on disk, the commit of flush mode 1 and the codes of the directory checks with Windows'
// own answers.
#include "log/LogWriter.h"

#include "abi/EntryPoints.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/support/SystemPaths.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool everyLineEndsInCrLf(const std::string& text) {
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        if (at == 0 || text[at - 1] != '\r')
            return false;
    }
    return !text.empty() && text.back() == '\n';
}

class WindowsLogWriterTest : public ::testing::Test {
protected:
    std::string path(const std::string& file) const { return m_dir.path().string() + "\\" + file; }

    testsupport::TempDirectory m_dir;
    platform::FixedClock m_clock{{2026, 12, 7, 15, 42, 6}, 123456789u, ':'};
    platform::ScopedClock m_scopedClock{m_clock};
    LogWriter m_writer;
};

} // namespace

TEST_F(WindowsLogWriterTest, LinesReachTheDiskInCrLfWhileTheLogIsOpenAndStopEndsIt) {
    const std::string name = path("Protokoll.log");
    ASSERT_EQ(m_writer.SetLogFile(name, zalvo::kLogActionCreate, 7, 1), 0);
    m_writer.WriteLogLine(LogWriter::kInfo, 1, "Erste Zeile");
    // Flush mode 1 commits every line: another reader sees it while the log is still open.
    const std::string whileOpen = readFile(name);
    EXPECT_NE(whileOpen.find("07.12.2026-15:42.06 SYSTEM: ZALVOTECH-LOG-FILE: " + name + "\r\n"),
              std::string::npos)
        << whileOpen;
    EXPECT_NE(whileOpen.find("Erste Zeile\r\n"), std::string::npos) << whileOpen;
    EXPECT_TRUE(everyLineEndsInCrLf(whileOpen));

    ASSERT_EQ(m_writer.SetLogFile(name, zalvo::kLogActionStop, 7, 1), 0);
    EXPECT_FALSE(m_writer.isOpen());
    const std::string done = readFile(name);
    EXPECT_EQ(done.substr(0, whileOpen.size()), whileOpen);
    EXPECT_NE(done.find("SYSTEM: Modus: STOP\r\n"), std::string::npos) << done;
    EXPECT_TRUE(everyLineEndsInCrLf(done));
}

TEST_F(WindowsLogWriterTest, AppendKeepsWhatIsThereUnderANameOfAnotherCase) {
    ASSERT_EQ(m_writer.SetLogFile(path("demo.log"), zalvo::kLogActionCreate, 7, 0), 0);
    ASSERT_EQ(m_writer.SetLogFile(path("demo.log"), zalvo::kLogActionClose, 7, 0), 0);
    const std::string first = readFile(path("demo.log"));
    ASSERT_EQ(m_writer.SetLogFile(path("DEMO.LOG"), zalvo::kLogActionAppend, 7, 0), 0);
    ASSERT_EQ(m_writer.SetLogFile(path("DEMO.LOG"), zalvo::kLogActionClose, 7, 0), 0);
    const std::string both = readFile(path("demo.log"));
    EXPECT_EQ(both.substr(0, first.size()), first);
    EXPECT_NE(both.find("Modus: APPEND\r\n", first.size()), std::string::npos);
}

TEST_F(WindowsLogWriterTest, DirectoryChecksAnswerWithWindowsSemantics) {
    fs::create_directory(path("taken.log"));
    const struct {
        std::string name;
        std::int32_t code;
    } cases[] = {
        // Q: names no drive here.
        {"Q:\\Logs\\demo.log", -4},
        // The drive answers through the nearest folder that exists; the folder is missing.
        {path("missing\\demo.log"), -5},
        // Without a directory part the root of the current drive answers, the directory is
        // empty.
        {"demo.log", -5},
        {std::string(testsupport::kUnwritableDirectory) + "\\demo.log", -6},
        {path("taken.log"), -7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(m_writer.SetLogFile(c.name, zalvo::kLogActionCreate, 7, 0), c.code) << c.name;
        EXPECT_FALSE(m_writer.isOpen()) << c.name;
    }
    EXPECT_EQ(m_writer.SetLogFile(path("missing.log"), zalvo::kLogActionAppend, 7, 0), -8);
}
