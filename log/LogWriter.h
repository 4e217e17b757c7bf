#pragma once

#include "helpers/PathHelpers.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class LogNoticeSink;

// Keeps at most one text log file: started (CREATE, APPEND) and ended (STOP, CLOSE) through
// SetLogFile, with the action values of the library's SetLogFile (abi/EntryPoints.h), every
// other line written through WriteLogLine. Lines are Windows-1252 bytes
// ending in CR LF, stamped with date and time from the process clock. Single-threaded.
class LogWriter {
public:
    // Line types.
    static constexpr std::uint8_t kSystem = 1;
    static constexpr std::uint8_t kInfo = 2;
    static constexpr std::uint8_t kHinweis = 3;
    static constexpr std::uint8_t kFehler = 4;

    // Content mask bits.
    static constexpr std::uint8_t kMaskInfo = 1;
    static constexpr std::uint8_t kMaskHinweis = 2;
    static constexpr std::uint8_t kMaskFehler = 4;
    static constexpr std::uint8_t kMaskDebug = 8;

    // Action code of the lines about the writer's own calls.
    static constexpr std::uint8_t kActionSetLogFile = 57;

    // Without a sink, notices are answered as confirmed without showing anything.
    // The sink is not owned and must outlive the writer (or be replaced first).
    explicit LogWriter(LogNoticeSink* noticeSink = nullptr);
    ~LogWriter();
    LogWriter(const LogWriter&) = delete;
    LogWriter& operator=(const LogWriter&) = delete;

    // The front end's own writer, closed at start.
    static LogWriter& process();

    // Starts or ends a log; 0 or a negative error code. Never throws.
    [[nodiscard]] std::int32_t SetLogFile(std::string_view name, std::int32_t action,
                                          std::int32_t inhalt, std::int32_t flush);

    // Writes one typed line when the log is open and the content mask lets the type through;
    // may show a notice first. `text` is Windows-1252.
    void WriteLogLine(std::uint8_t type, std::uint8_t action, std::string_view text);
    // A line of 90 "-" under the same conditions as a line of `type`, never with a notice.
    void WriteLogSeparator(std::uint8_t type);
    // Trailer block for STOP (3) or CLOSE (4), then the file is closed; nothing when closed.
    void EndLog(std::uint8_t mode);

    void setNoticeSink(LogNoticeSink* noticeSink);

    // The path rules for the log-file name; the platform's unless a test asks for Windows.
    void setPathStyle(PathStyle style);
    PathStyle pathStyle() const;

    // The name with "_" date (YYYYMMDD) "_" time (hhmmss) "_" six tick digits before its
    // extension: what a name with "?" in it becomes once they are removed.
    std::string timeStampedName(const std::string& name) const;

    bool isOpen() const;
    // The name of the last call that passed every check.
    const std::string& logFileName() const;
    std::uint8_t flushMode() const;
    std::uint8_t lastAction() const;
    std::uint8_t contentMask() const;

private:
    // SetLogFile's steps; `pending` holds the code of the step under way.
    std::int32_t runSetLogFile(std::string_view name, std::int32_t action, std::int32_t inhalt,
                               std::int32_t flush, std::int32_t& pending);
    // The drive, directory and write checks (-4, -5, -6) for a log named `name`; 0 if passed.
    std::int32_t checkDirectory(const std::string& name, std::int32_t& pending);
    // Opens the log for the last action, CREATE (-7) or APPEND (-8); 0 if opened.
    std::int32_t openLog(const std::string& name, std::int32_t& pending);
    std::int32_t fail(std::int32_t code, const std::string& text);
    void writeHeader(std::int32_t mode, std::uint8_t mask);
    void writeLine(std::uint8_t type, std::uint8_t action, std::string_view text);
    bool lineTypePasses(std::uint8_t type) const;
    // After every line: commit (1) or close and reopen for appending (2).
    void ApplyFlushMode();

    struct State;
    std::unique_ptr<State> m_state;
};
