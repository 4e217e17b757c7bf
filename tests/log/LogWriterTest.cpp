#include "log/LogWriter.h"

#include "log/LogNoticeSink.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kStamp = "07.12.2026-15:42.06 ";
const std::string kSeparator = std::string(90, '-') + "\r\n";

std::string systemLine(const std::string& content) {
    return kStamp + "SYSTEM: " + content + "\r\n";
}
std::string infoLine(const std::string& content) {
    return kStamp + "INFO:   SetLogFile." + content + "\r\n";
}
std::string fehlerLine(const std::string& content) {
    return kStamp + "FEHLER: SetLogFile." + content + "\r\n";
}

std::string header(const std::string& name, const std::string& mode,
                   const std::string& content = "7  INFO HINWEIS FEHLER") {
    return kSeparator + systemLine("ZALVOTECH-LOG-FILE: " + name) + systemLine("Modus: " + mode) +
           systemLine("Inhalt: " + content) + systemLine("DLL-Version: 2.30.0 vom 01.02.2018") +
           kSeparator;
}

std::string trailer(const std::string& name, const std::string& mode) {
    return kSeparator + systemLine("ZALVOTECH-LOG-FILE: " + name) + systemLine("Modus: " + mode) +
           kSeparator;
}

std::string callLines(const std::string& name, const std::string& action, const std::string& inhalt,
                      const std::string& flush) {
    return infoLine("LogFile Name und Pfad=" + name) + infoLine("Action=" + action) +
           infoLine("Inhalt=" + inhalt) + infoLine("Flush=" + flush);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Answers from a script (OK when the script has run out) and records what it was shown.
class ScriptedSink : public LogNoticeSink {
public:
    bool confirm(std::string_view caption, std::string_view message) override {
        captions.emplace_back(caption);
        messages.emplace_back(message);
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<bool> answers;
    std::vector<std::string> captions;
    std::vector<std::string> messages;
};

class ThrowingSink : public LogNoticeSink {
public:
    bool confirm(std::string_view, std::string_view) override {
        throw std::runtime_error("no box today");
    }
};

class LogWriterTest : public ::testing::Test {
protected:
    std::string path(const std::string& file) const { return (m_dir.path() / file).string(); }

    testsupport::TempDirectory m_dir;
    platform::FixedClock m_clock{{2026, 12, 7, 15, 42, 6}, 123456789u, ':'};
    platform::ScopedClock m_scopedClock{m_clock};
    ScriptedSink m_sink;
    LogWriter m_writer{&m_sink};
};

TEST_F(LogWriterTest, StartsClosedWithFlushModeTwo) {
    EXPECT_FALSE(m_writer.isOpen());
    EXPECT_EQ(m_writer.flushMode(), 2);
    EXPECT_EQ(m_writer.contentMask(), 0);
    EXPECT_EQ(m_writer.lastAction(), 0);
    EXPECT_EQ(m_writer.logFileName(), "");
    EXPECT_EQ(&LogWriter::process(), &LogWriter::process());
    EXPECT_FALSE(LogWriter::process().isOpen());
}

TEST_F(LogWriterTest, CreateThenStopWritesHeaderCallLinesAndTrailer) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 7, 0), 0);
    EXPECT_TRUE(m_writer.isOpen());
    m_writer.WriteLogLine(LogWriter::kHinweis, 13,
                          "  Konto gepr\xFC"
                          "ft  ");
    EXPECT_EQ(m_writer.SetLogFile(name, 3, 7, 0), 0);
    EXPECT_FALSE(m_writer.isOpen());

    EXPECT_EQ(readFile(name), header(name, "CREATE") + kStamp +
                                  "HINWEIS:ConvertBLZKonto.Konto gepr\xFC"
                                  "ft\r\n" +
                                  callLines(name, "3", "7", "0") + trailer(name, "STOP"));
    EXPECT_TRUE(m_sink.captions.empty());
}

TEST_F(LogWriterTest, CreateReplacesAnExistingFile) {
    const std::string name = path("demo.log");
    writeFile(name, "old content that must go\r\n");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 7, 2), 0);
    ASSERT_EQ(m_writer.SetLogFile(name, 4, 7, 2), 0);
    EXPECT_EQ(readFile(name),
              header(name, "CREATE") + callLines(name, "4", "7", "2") + trailer(name, "CLOSE"));
}

TEST_F(LogWriterTest, AppendKeepsWhatIsThereAndCloseEndsIt) {
    const std::string name = path("demo.log");
    writeFile(name, "erste Zeile\r\n");
    ASSERT_EQ(m_writer.SetLogFile(name, 2, 7, 2), 0);
    ASSERT_EQ(m_writer.SetLogFile(name, 4, 7, 2), 0);
    EXPECT_EQ(readFile(name), "erste Zeile\r\n" + header(name, "APPEND") +
                                  callLines(name, "4", "7", "2") + trailer(name, "CLOSE"));
}

TEST_F(LogWriterTest, AppendToAMissingFileFailsWithMinus8) {
    const std::string name = path("missing.log");
    EXPECT_EQ(m_writer.SetLogFile(name, 2, 7, 0), -8);
    EXPECT_FALSE(m_writer.isOpen());
    EXPECT_FALSE(fs::exists(name));
}

TEST_F(LogWriterTest, CreateWhileOpenClosesTheOldLogOnceTheNewOneIsOpen) {
    const std::string first = path("first.log");
    const std::string second = path("second.log");
    ASSERT_EQ(m_writer.SetLogFile(first, 1, 7, 0), 0);
    // Flush mode 0 leaves the end of the header in the write buffer: only closing the old
    // file puts it and the call lines into the file.
    ASSERT_EQ(m_writer.SetLogFile(second, 1, 7, 0), 0);
    EXPECT_EQ(readFile(first), header(first, "CREATE") + callLines(second, "1", "7", "0"));
    ASSERT_EQ(m_writer.SetLogFile(second, 3, 7, 0), 0);
    EXPECT_EQ(readFile(second), header(second, "CREATE") + callLines(second, "3", "7", "0") +
                                    trailer(second, "STOP"));
}

// Opening a FIFO that has no reader would wait for one; should that ever come back, the
// alarm ends the test process instead of letting it hang.
class HangGuard {
public:
    HangGuard() { alarm(60); }
    ~HangGuard() { alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

// Each call fails one check while a.log is open under flush mode 2, which reopens the log
// after every line: the open log, its name and its flush mode must come through unchanged.
TEST_F(LogWriterTest, ACallThatFailsACheckLeavesTheOpenLogAsItWas) {
    const std::string log = path("a.log");
    ASSERT_EQ(m_writer.SetLogFile(log, 1, 7, 2), 0);
    writeFile(path("notes.txt"), "Notizen\r\n");
    ASSERT_EQ(mkfifo(path("pipe.log").c_str(), 0600), 0);
    fs::create_directory_symlink(path("loop"), path("loop"));
    const HangGuard guard;
    struct Row {
        std::string name;
        int action;
        int code;
        std::string fehler;
    };
    const std::vector<Row> rows = {
        {path("notes.txt"), 5, -2, "Ung\xFCltiger Parameter f\xFCr Action=5"},
        {"no?t?", 1, -1, "LogFileName kleiner als 5 Zeichen=not"},
        {path("loop/x.log"), 1, -4, "Das Laufwerk f\xFCr das LogFile ist nicht bereit"},
        {path("missing/x.log"), 2, -5,
         "Das Directory f\xFCr LogFile (" + path("missing") + ") ist ung\xFCltig"},
        {"/proc/self/x.log", 1, -6, "Das Verzeichnis ist schreibgesch\xFCtzt"},
        {path("pipe.log"), 1, -7, "Die Logdatei konnte nicht erzeugt werden"},
        {path("absent.log"), 2, -8, "Die Logdatei konnte nicht erg\xE4nzt werden"},
    };
    std::string expected = header(log, "CREATE");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(m_writer.SetLogFile(row.name, row.action, 7, 0), row.code);
        EXPECT_TRUE(m_writer.isOpen());
        EXPECT_EQ(m_writer.logFileName(), log);
        EXPECT_EQ(m_writer.flushMode(), 2);
        m_writer.WriteLogLine(LogWriter::kInfo, 1, "danach");
        expected += callLines(row.name, std::to_string(row.action), "7", "0") +
                    fehlerLine(row.fehler + ". Fehler: " + std::to_string(row.code)) + kStamp +
                    "INFO:   Init.danach\r\n";
        EXPECT_EQ(readFile(log), expected);
    }
    EXPECT_EQ(readFile(path("notes.txt")), "Notizen\r\n");
    EXPECT_FALSE(fs::exists(path("absent.log")));
    EXPECT_FALSE(fs::exists(path("missing")));
}

TEST_F(LogWriterTest, TheSameFileCanBeOpenedAgainWhileItIsOpen) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 7, 0), 0);
    ASSERT_EQ(m_writer.SetLogFile(name, 2, 7, 0), 0);
    ASSERT_EQ(m_writer.SetLogFile(name, 3, 7, 0), 0);
    EXPECT_EQ(readFile(name), header(name, "CREATE") + callLines(name, "2", "7", "0") +
                                  header(name, "APPEND") + callLines(name, "3", "7", "0") +
                                  trailer(name, "STOP"));
}

TEST_F(LogWriterTest, ActionIsJudgedByItsLowEightBitsWhenTheFileIsOpened) {
    // The old log stays open through the checks and gets their lines; the low bits of 257
    // make it a CREATE, which closes the old log once the new file is open.
    const std::string first = path("first.log");
    const std::string second = path("second.log");
    ASSERT_EQ(m_writer.SetLogFile(first, 1, 7, 0), 0);
    ASSERT_EQ(m_writer.SetLogFile(second, 257, 7, 0), 0);
    EXPECT_TRUE(m_writer.isOpen());
    EXPECT_EQ(m_writer.lastAction(), 1);
    EXPECT_EQ(readFile(first), header(first, "CREATE") + callLines(second, "257", "7", "0"));
    ASSERT_EQ(m_writer.SetLogFile(second, 3, 7, 0), 0);
    EXPECT_EQ(readFile(second), header(second, "CREATE") + callLines(second, "3", "7", "0") +
                                    trailer(second, "STOP"));
}

TEST_F(LogWriterTest, InvalidInhaltGivesMinus3AndSwitchesEverythingOn) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 7, 1), 0);
    for (const int inhalt : {0, 16}) {
        SCOPED_TRACE(inhalt);
        m_sink.captions.clear();
        EXPECT_EQ(m_writer.SetLogFile(path("other.log"), 4, inhalt, 0), -3);
        EXPECT_EQ(m_writer.contentMask(), 15);
        // Name, flush mode and last action keep their values; the log stays open.
        EXPECT_EQ(m_writer.logFileName(), name);
        EXPECT_EQ(m_writer.flushMode(), 1);
        EXPECT_EQ(m_writer.lastAction(), 1);
        EXPECT_TRUE(m_writer.isOpen());
        // Four call lines and the error, each shown as a notice.
        EXPECT_EQ(m_sink.captions.size(), 5u);
    }
    m_writer.WriteLogLine(LogWriter::kHinweis, 8, "danach");
    EXPECT_EQ(m_sink.captions.size(), 6u);
    EXPECT_EQ(m_sink.captions.back(), "Zalvotech DLL Debug-Info: GetBIC");

    EXPECT_EQ(readFile(name),
              header(name, "CREATE") + callLines(path("other.log"), "4", "0", "0") +
                  fehlerLine("Ung\xFCltiger Parameter f\xFCr Inhalt=0. Fehler: -3") +
                  callLines(path("other.log"), "4", "16", "0") +
                  fehlerLine("Ung\xFCltiger Parameter f\xFCr Inhalt=16. Fehler: -3") + kStamp +
                  "HINWEIS:GetBIC.danach\r\n");
}

TEST_F(LogWriterTest, InhaltUsesItsLowEightBitsButTheLineShowsTheFullValue) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 263, 0), 0);
    EXPECT_EQ(m_writer.contentMask(), 7);
    ASSERT_EQ(m_writer.SetLogFile(name, 3, -1000000, 0), -3);
    ASSERT_EQ(m_writer.SetLogFile(name, 3, 263, 0), 0);
    EXPECT_EQ(readFile(name),
              header(name, "CREATE") + callLines(name, "3", "-1.000.000", "0") +
                  fehlerLine("Ung\xFCltiger Parameter f\xFCr Inhalt=-1.000.000. Fehler: -3") +
                  callLines(name, "3", "263", "0") + trailer(name, "STOP"));
}

TEST_F(LogWriterTest, ShortNamesGiveMinus1AndKeepTheStoredName) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 7, 0), 0);

    EXPECT_EQ(m_writer.SetLogFile("  ab?c  ", 3, 7, 0), -1);
    EXPECT_EQ(m_writer.logFileName(), name);
    EXPECT_TRUE(m_writer.isOpen());
    EXPECT_EQ(m_writer.SetLogFile("????", 3, 7, 0), -1);
    EXPECT_EQ(m_writer.SetLogFile("", 3, 7, 0), -1);
    EXPECT_EQ(m_writer.logFileName(), name);

    EXPECT_EQ(m_writer.SetLogFile(name, 3, 7, 0), 0);
    EXPECT_EQ(readFile(name), header(name, "CREATE") + callLines("  ab?c", "3", "7", "0") +
                                  fehlerLine("LogFileName kleiner als 5 Zeichen=abc. Fehler: -1") +
                                  callLines("????", "3", "7", "0") +
                                  fehlerLine("LogFileName kleiner als 5 Zeichen=. Fehler: -1") +
                                  callLines("", "3", "7", "0") +
                                  fehlerLine("LogFileName kleiner als 5 Zeichen=. Fehler: -1") +
                                  callLines(name, "3", "7", "0") + trailer(name, "STOP"));
}

TEST_F(LogWriterTest, NameWithoutDirectoryGivesMinus5WithAnEmptyDirectory) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 7, 0), 0);
    // The current directory holds demo.log, yet a bare name has no directory part.
    EXPECT_EQ(m_writer.SetLogFile("demo.log", 3, 7, 0), -5);
    EXPECT_EQ(m_writer.SetLogFile(name + "/x.log", 3, 7, 0), -5);
    EXPECT_EQ(m_writer.SetLogFile(name, 3, 7, 0), 0);
    EXPECT_EQ(readFile(name),
              header(name, "CREATE") + callLines("demo.log", "3", "7", "0") +
                  fehlerLine("Das Directory f\xFCr LogFile () ist ung\xFCltig. Fehler: -5") +
                  callLines(name + "/x.log", "3", "7", "0") +
                  fehlerLine("Das Directory f\xFC" + std::string("r LogFile (") + name +
                             ") ist ung\xFCltig. "
                             "Fehler: -5") +
                  callLines(name, "3", "7", "0") + trailer(name, "STOP"));
}

TEST_F(LogWriterTest, AMissingDirectoryIsMinus5AndADriveThatCannotAnswerMinus4) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 7, 0), 0);
    // A mistyped directory, also several levels deep: its drive answers well.
    EXPECT_EQ(m_writer.SetLogFile(path("nowhere/x.log"), 3, 7, 0), -5);
    EXPECT_EQ(m_writer.SetLogFile(path("nowhere/deeper/x.log"), 3, 7, 0), -5);
    EXPECT_EQ(m_writer.SetLogFile("nowhere/x.log", 3, 7, 0), -5);
    // A name the file system cannot resolve at all (a symbolic link to itself).
    fs::create_directory_symlink(path("loop"), path("loop"));
    EXPECT_EQ(m_writer.SetLogFile(path("loop/deeper/x.log"), 3, 7, 0), -4);
    EXPECT_EQ(m_writer.SetLogFile(name, 3, 7, 0), 0);
    const auto missing = [](const std::string& directory) {
        return fehlerLine("Das Directory f\xFCr LogFile (" + directory +
                          ") ist ung\xFCltig. Fehler: -5");
    };
    EXPECT_EQ(readFile(name),
              header(name, "CREATE") + callLines(path("nowhere/x.log"), "3", "7", "0") +
                  missing(path("nowhere")) +
                  callLines(path("nowhere/deeper/x.log"), "3", "7", "0") +
                  missing(path("nowhere/deeper")) + callLines("nowhere/x.log", "3", "7", "0") +
                  missing("nowhere") + callLines(path("loop/deeper/x.log"), "3", "7", "0") +
                  fehlerLine("Das Laufwerk f\xFCr das LogFile ist nicht bereit. Fehler: -4") +
                  callLines(name, "3", "7", "0") + trailer(name, "STOP"));
}

TEST_F(LogWriterTest, ActionOutOfRangeGivesMinus2AndKeepsFlushModeAndName) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 7, 1), 0);
    EXPECT_EQ(m_writer.SetLogFile(path("other.log"), 5, 7, 0), -2);
    EXPECT_EQ(m_writer.flushMode(), 1);
    EXPECT_EQ(m_writer.logFileName(), name);
    EXPECT_EQ(m_writer.lastAction(), 5);
    EXPECT_TRUE(m_writer.isOpen());
    // Only the low eight bits are the action: -1 is 255.
    EXPECT_EQ(m_writer.SetLogFile(name, -1, 7, 0), -2);
    EXPECT_EQ(m_writer.lastAction(), 255);
    // Still under flush mode 1, every line is on disk already.
    EXPECT_EQ(readFile(name),
              header(name, "CREATE") + callLines(path("other.log"), "5", "7", "0") +
                  fehlerLine("Ung\xFCltiger Parameter f\xFCr Action=5. Fehler: -2") +
                  callLines(name, "-1", "7", "0") +
                  fehlerLine("Ung\xFCltiger Parameter f\xFCr Action=255. Fehler: -2"));
}

TEST_F(LogWriterTest, FlushValuesAreStoredAsTheirLowBitsWith253To255AsTwo) {
    const std::string name = path("demo.log");
    const std::vector<std::pair<int, int>> cases = {{-1, 2},  {3, 3},     {253, 2}, {254, 2},
                                                    {255, 2}, {252, 252}, {256, 0}, {0, 0}};
    for (const auto& [flush, stored] : cases) {
        SCOPED_TRACE(flush);
        EXPECT_EQ(m_writer.SetLogFile(name, 3, 7, flush), 0);
        EXPECT_EQ(m_writer.flushMode(), stored);
    }
}

TEST_F(LogWriterTest, FlushModesOneAndTwoPutEveryLineOnDiskWhileTheLogIsOpen) {
    for (const int flush : {1, 2, 3}) {
        SCOPED_TRACE(flush);
        const std::string name = path("flush" + std::to_string(flush) + ".log");
        ASSERT_EQ(m_writer.SetLogFile(name, 1, 7, flush), 0);
        m_writer.WriteLogLine(LogWriter::kInfo, 1, "gelesen, solange offen");
        const std::string expected = header(name, "CREATE", "7  INFO HINWEIS FEHLER") + kStamp +
                                     "INFO:   Init.gelesen, solange offen\r\n";
        // 3 behaves like 0: what is on disk depends on the write buffer until the close.
        if (flush != 3) {
            EXPECT_EQ(readFile(name), expected);
        }
        EXPECT_TRUE(m_writer.isOpen());
        EXPECT_EQ(m_writer.SetLogFile(name, 4, 7, flush), 0);
        EXPECT_EQ(readFile(name), expected + callLines(name, "4", "7", std::to_string(flush)) +
                                      trailer(name, "CLOSE"));
    }
}

TEST_F(LogWriterTest, StopWithAnotherNameEndsTheOpenLogUnderEveryFlushMode) {
    const std::string first = path("first.log");
    const std::string second = path("second.log");
    writeFile(second, "vorher\r\n");
    for (const int flush : {0, 1, 2}) {
        SCOPED_TRACE(flush);
        const std::string mode = std::to_string(flush);
        ASSERT_EQ(m_writer.SetLogFile(first, 1, 7, flush), 0);
        ASSERT_EQ(m_writer.SetLogFile(second, 3, 7, flush), 0);
        EXPECT_FALSE(m_writer.isOpen());
        EXPECT_EQ(m_writer.logFileName(), second);
        EXPECT_EQ(readFile(first), header(first, "CREATE") + callLines(second, "3", "7", mode) +
                                       trailer(first, "STOP"));
        EXPECT_EQ(readFile(second), "vorher\r\n");
    }
}

TEST_F(LogWriterTest, StopOrCloseWhileClosedRunsTheChecksAndWritesNothing) {
    // The main window's close call: (stored name, 3, 7, 0).
    EXPECT_EQ(m_writer.SetLogFile("", 3, 7, 0), -1);
    // A probe file left by an earlier run shows that the write test ran in this folder.
    writeFile(path("Xyyz00000007.yxz"), "alt");
    const std::string name = path("demo.log");
    EXPECT_EQ(m_writer.SetLogFile(name, 3, 7, 0), 0);
    EXPECT_FALSE(fs::exists(path("Xyyz00000007.yxz")));
    EXPECT_EQ(m_writer.SetLogFile(name, 4, 7, 0), 0);
    EXPECT_EQ(m_writer.SetLogFile("/proc/self/demo.log", 3, 7, 0), -6);
    EXPECT_FALSE(fs::exists(name));
    // The probe file was created in the writable folder and deleted again.
    EXPECT_TRUE(fs::is_empty(m_dir.path()));
}

TEST_F(LogWriterTest, UnwritableDirectoryGivesMinus6EvenForRoot) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 7, 0), 0);
    // Nobody, root included, can create a file in a process folder of /proc.
    EXPECT_EQ(m_writer.SetLogFile("/proc/self/x.log", 3, 7, 0), -6);
    EXPECT_TRUE(m_writer.isOpen());
    EXPECT_EQ(m_writer.SetLogFile(name, 3, 7, 0), 0);
    EXPECT_EQ(readFile(name),
              header(name, "CREATE") + callLines("/proc/self/x.log", "3", "7", "0") +
                  fehlerLine("Das Verzeichnis ist schreibgesch\xFCtzt. Fehler: -6") +
                  callLines(name, "3", "7", "0") + trailer(name, "STOP"));
    // The probe file of the write test is gone again.
    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(m_dir.path()))
        entries.push_back(entry.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{"demo.log"});
}

TEST_F(LogWriterTest, CreateFailureGivesMinus7) {
    // A directory where the file should be cannot be replaced by a file.
    const std::string name = path("taken.log");
    fs::create_directory(name);
    EXPECT_EQ(m_writer.SetLogFile(name, 1, 7, 0), -7);
    EXPECT_FALSE(m_writer.isOpen());
    EXPECT_TRUE(fs::is_directory(name));
}

TEST_F(LogWriterTest, OnlyRegularFilesAreOpened) {
    ASSERT_EQ(mkfifo(path("lonely.fifo").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(path("read.fifo").c_str(), 0600), 0);
    const int reader = open(path("read.fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    fs::create_symlink("/dev/null", path("device.log"));
    fs::create_directory(path("folder.log"));
    const HangGuard guard;
    for (const char* file : {"lonely.fifo", "read.fifo", "device.log", "folder.log"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(m_writer.SetLogFile(path(file), 1, 7, 0), -7);
        EXPECT_EQ(m_writer.SetLogFile(path(file), 2, 7, 0), -8);
        EXPECT_FALSE(m_writer.isOpen());
    }
    // Nothing was written into the FIFO that has a reader.
    char byte = 0;
    EXPECT_LE(read(reader, &byte, 1), 0);
    close(reader);
    EXPECT_TRUE(fs::is_fifo(path("lonely.fifo")));
}

TEST_F(LogWriterTest, QuestionMarksGiveATimeStampedName) {
    const std::string name = path("de?mo?.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 7, 0), 0);
    const std::string stamped = path("demo_20261207_154206_456789.log");
    EXPECT_EQ(m_writer.logFileName(), stamped);
    ASSERT_EQ(m_writer.SetLogFile(stamped, 3, 7, 0), 0);
    EXPECT_EQ(readFile(stamped), header(stamped, "CREATE") + callLines(stamped, "3", "7", "0") +
                                     trailer(stamped, "STOP"));

    // Without an extension the name ends with "."; the separator never reaches the stamp.
    m_clock.setTimeSeparator('#');
    m_clock.setTickCount(42);
    EXPECT_EQ(m_writer.SetLogFile(path("name?"), 3, 7, 0), 0);
    EXPECT_EQ(m_writer.logFileName(), path("name_20261207_154206_000042."));
}

TEST_F(LogWriterTest, TimeStampedNamesUnderWindowsRules) {
    m_writer.setPathStyle(PathStyle::Windows);
    EXPECT_EQ(m_writer.timeStampedName("C:\\Logs\\ab.txt"),
              "C:\\Logs\\ab_20261207_154206_456789.txt");
    EXPECT_EQ(m_writer.timeStampedName("C:\\Logs\\name"), "C:\\Logs\\name_20261207_154206_456789.");
    EXPECT_EQ(m_writer.timeStampedName("C:\\Logs\\demo.log"),
              "C:\\Logs\\demo_20261207_154206_456789.log");
    // A drive without a backslash gets one; a dot in a folder name is no extension.
    EXPECT_EQ(m_writer.timeStampedName("C:x.log"), "C:\\x_20261207_154206_456789.log");
    EXPECT_EQ(m_writer.timeStampedName("D:\\v1.2\\prot"), "D:\\v1.2\\prot_20261207_154206_456789.");
}

TEST_F(LogWriterTest, LineLayoutUsesTheClocksSeparatorAndCutsAt255) {
    m_clock.setTimeSeparator('.');
    m_clock.setNow({2027, 1, 2, 3, 4, 5});
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 15, 2), 0);
    const std::size_t headerSize = readFile(name).size();

    m_writer.WriteLogLine(LogWriter::kFehler, 19, "\xE4\xF6\xFC\xDF");
    m_writer.WriteLogLine(9, 73, "  fremder Typ  ");
    m_writer.WriteLogLine(LogWriter::kSystem, 1, std::string(300, 'x'));
    m_writer.WriteLogLine(LogWriter::kInfo, 1, std::string(300, 'y'));
    m_writer.WriteLogSeparator(LogWriter::kSystem);

    const std::string stamp = "02.01.2027-03.04.05 ";
    const std::string systemLong = stamp + "SYSTEM: " + std::string(255 - 28, 'x') + "\r\n";
    const std::string infoLong = stamp + "INFO:   Init." + std::string(255 - 33, 'y') + "\r\n";
    EXPECT_EQ(readFile(name).substr(headerSize), stamp +
                                                     "FEHLER: CheckPr\xFC"
                                                     "fziffer.\xE4\xF6\xFC\xDF\r\n" +
                                                     stamp + "UNBEKANNUnbekannt.fremder Typ\r\n" +
                                                     systemLong + infoLong + kSeparator);
    // The notices saw the untrimmed text of the line types 2 to 4 only.
    ASSERT_EQ(m_sink.messages.size(), 6u);
    EXPECT_EQ(m_sink.messages[4].substr(0, 12), "FEHLER\r\n\r\n\xE4\xF6");
    EXPECT_EQ(m_sink.messages[5].substr(0, 11), "INFO\r\n\r\nyyy");
}

TEST_F(LogWriterTest, ContentMaskFiltersTypedLinesButNeverSystemLines) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 2, 2), 0);
    m_writer.WriteLogLine(LogWriter::kInfo, 1, "info");
    m_writer.WriteLogLine(LogWriter::kHinweis, 1, "hinweis");
    m_writer.WriteLogLine(LogWriter::kFehler, 1, "fehler");
    m_writer.WriteLogLine(LogWriter::kSystem, 1, "system");
    EXPECT_EQ(readFile(name), header(name, "CREATE", "2  HINWEIS") + kStamp +
                                  "HINWEIS:Init.hinweis\r\n" + systemLine("system"));
}

TEST_F(LogWriterTest, ADeclinedNoticeStopsNoticesUntilTheNextCall) {
    const std::string name = path("demo.log");
    m_sink.answers = {false};
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 15, 2), 0);
    // The first call line was shown (no log open yet) and declined; nothing else was shown.
    ASSERT_EQ(m_sink.captions.size(), 1u);
    EXPECT_EQ(m_sink.messages[0].substr(0, 31), "INFO\r\n\r\nLogFile Name und Pfad=/");
    EXPECT_EQ(m_writer.contentMask(), 7);
    m_writer.WriteLogLine(LogWriter::kHinweis, 5, "ohne Meldung");
    EXPECT_EQ(m_sink.captions.size(), 1u);

    // The next call sets the mask anew and shows every line again; its header still names
    // the mask of the start of the call.
    m_sink.answers = {true, false};
    ASSERT_EQ(m_writer.SetLogFile(name, 3, 15, 2), 0);
    EXPECT_EQ(m_sink.captions.size(), 3u);
    EXPECT_EQ(readFile(name), header(name, "CREATE", "15  INFO HINWEIS FEHLER DEBUG") + kStamp +
                                  "HINWEIS:WriteXML.ohne Meldung\r\n" +
                                  callLines(name, "3", "15", "2") + trailer(name, "STOP"));
}

TEST_F(LogWriterTest, FehlerNoticeShowsEvenWhenTheMaskLacksFehler) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name, 1, 9, 2), 0);
    m_sink.captions.clear();
    m_sink.messages.clear();
    EXPECT_EQ(m_writer.SetLogFile("????", 3, 9, 2), -1);
    ASSERT_EQ(m_sink.messages.size(), 5u);
    const std::string shown =
        "FEHLER\r\n\r\nLogFileName kleiner als 5 Zeichen=. Fehler: -1\r\n\r\n";
    EXPECT_EQ(m_sink.messages[4].substr(0, shown.size()), shown);
    EXPECT_EQ(readFile(name),
              header(name, "CREATE", "9  INFO DEBUG") + callLines("????", "3", "9", "2"));
}

TEST_F(LogWriterTest, NoticesShowAlsoWithoutAnOpenLog) {
    EXPECT_EQ(m_writer.SetLogFile("kurz", 3, 8, 0), -1);
    // Four call lines and the error line; none of them goes anywhere else.
    EXPECT_EQ(m_sink.captions.size(), 5u);
    EXPECT_EQ(m_sink.captions[0], "Zalvotech DLL Debug-Info: SetLogFile");
}

TEST_F(LogWriterTest, WithoutASinkNoticesCountAsConfirmed) {
    LogWriter writer;
    const std::string name = path("demo.log");
    ASSERT_EQ(writer.SetLogFile(name, 1, 15, 2), 0);
    EXPECT_EQ(writer.contentMask(), 15);
    writer.WriteLogLine(LogWriter::kHinweis, 2, "bleibt an");
    EXPECT_EQ(writer.contentMask(), 15);
    EXPECT_EQ(readFile(name), header(name, "CREATE", "15  INFO HINWEIS FEHLER DEBUG") + kStamp +
                                  "HINWEIS:Free.bleibt an\r\n");
}

TEST_F(LogWriterTest, ASinkThatThrowsNeverEscapes) {
    ThrowingSink sink;
    LogWriter writer(&sink);
    const std::string name = path("demo.log");
    EXPECT_EQ(writer.SetLogFile(name, 1, 15, 2), 0);
    EXPECT_TRUE(writer.isOpen());
    EXPECT_NO_THROW(writer.WriteLogLine(LogWriter::kInfo, 1, "x"));
    EXPECT_EQ(writer.SetLogFile("????", 3, 15, 2), -1);
    // Lines whose notice failed are dropped; SYSTEM lines have no notice and stay.
    EXPECT_EQ(readFile(name), header(name, "CREATE", "15  INFO HINWEIS FEHLER DEBUG"));
}

TEST_F(LogWriterTest, ANameEndsAtItsFirstNul) {
    const std::string name = path("demo.log");
    ASSERT_EQ(m_writer.SetLogFile(name + std::string("\0junk", 5), 1, 7, 2), 0);
    EXPECT_EQ(m_writer.logFileName(), name);
    EXPECT_TRUE(fs::exists(name));
}

} // namespace
