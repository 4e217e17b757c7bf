#include "log/LogWriter.h"

#include "abi/EntryPoints.h"
#include "helpers/DateHelpers.h"
#include "helpers/FileHelpers.h"
#include "helpers/NumberHelpers.h"
#include "helpers/PathHelpers.h"
#include "helpers/TextHelpers.h"
#include "log/LogFile.h"
#include "log/LogNoticeSink.h"
#include "log/LogVocabulary.h"
#include "log/NullNoticeSink.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Win1252Literal.h"

#include <cstdio>
#include <string>

namespace {

using namespace win1252::literals;

constexpr std::size_t kMaxLine = 255;
constexpr std::size_t kTypeFieldWidth = 8;
constexpr std::size_t kSeparatorLength = 90;
constexpr std::size_t kMinNameLength = 5;
constexpr std::uint8_t kMaskAll = 15;
constexpr std::uint8_t kFlushCommit = 1;
constexpr std::uint8_t kFlushReopen = 2;
constexpr std::uint8_t kFlushNeverStoredFirst = 253;
constexpr std::uint32_t kTickDigitsModulus = 1000000;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kDllVersionDate = "01022018";

constexpr std::string_view kErrorSuffix = ". Fehler: ";

constexpr std::int32_t kErrName = -1;
constexpr std::int32_t kErrAction = -2;
constexpr std::int32_t kErrInhalt = -3;
constexpr std::int32_t kErrDrive = -4;
constexpr std::int32_t kErrDirectory = -5;
constexpr std::int32_t kErrReadOnly = -6;
constexpr std::int32_t kErrCreate = -7;
constexpr std::int32_t kErrAppend = -8;

// A check that throws has failed.
template <typename Check> bool holds(Check check) noexcept {
    try {
        return check();
    } catch (...) {
        return false;
    }
}

std::string cut(std::string text, std::size_t bound) {
    if (text.size() > bound)
        text.resize(bound);
    return text;
}

std::string intText(std::int64_t value) {
    return FormatCents(false, value);
}

std::int32_t dayNumberOf(const platform::LocalDateTime& now) {
    return DayNumberFromDate(now.year, now.month, now.day);
}

std::int32_t secondsOf(const platform::LocalDateTime& now) {
    return (now.hour * 60 + now.minute) * 60 + now.second;
}

} // namespace

struct LogWriter::State {
    LogNoticeSink* sink = nullptr;
    NullNoticeSink nullSink;
    LogFile file;
    // The name of the last call that passed every check.
    std::string name;
    std::uint8_t flushMode = kFlushReopen;
    std::uint8_t lastAction = 0;
    std::uint8_t mask = 0;
    PathStyle pathStyle = NativePathStyle();

    LogNoticeSink& noticeSink() { return sink != nullptr ? *sink : nullSink; }
};

LogWriter::LogWriter(LogNoticeSink* noticeSink) : m_state(std::make_unique<State>()) {
    m_state->sink = noticeSink;
}

LogWriter::~LogWriter() = default;

LogWriter& LogWriter::process() {
    static LogWriter writer;
    return writer;
}

void LogWriter::setNoticeSink(LogNoticeSink* noticeSink) {
    m_state->sink = noticeSink;
}

bool LogWriter::isOpen() const {
    return m_state->file.isOpen();
}

const std::string& LogWriter::logFileName() const {
    return m_state->name;
}

std::uint8_t LogWriter::flushMode() const {
    return m_state->flushMode;
}

std::uint8_t LogWriter::lastAction() const {
    return m_state->lastAction;
}

std::uint8_t LogWriter::contentMask() const {
    return m_state->mask;
}

void LogWriter::setPathStyle(PathStyle style) {
    m_state->pathStyle = style;
}

PathStyle LogWriter::pathStyle() const {
    return m_state->pathStyle;
}

std::int32_t LogWriter::SetLogFile(std::string_view name, std::int32_t action, std::int32_t inhalt,
                                   std::int32_t flush) {
    // The code of the step under way, so that a failure nobody foresaw (out of memory) is
    // still answered with that step's code instead of an exception or a false success.
    std::int32_t pending = kErrName;
    try {
        return runSetLogFile(name, action, inhalt, flush, pending);
    } catch (...) {
        return pending;
    }
}

std::int32_t LogWriter::runSetLogFile(std::string_view name, std::int32_t action,
                                      std::int32_t inhalt, std::int32_t flush,
                                      std::int32_t& pending) {
    State& s = *m_state;
    // The name is a zero-terminated text; whatever follows a NUL is not part of it.
    name = name.substr(0, name.find('\0'));

    s.mask = static_cast<std::uint8_t>(inhalt);
    const bool inhaltValid = s.mask >= 1 && s.mask <= kMaskAll;
    if (!inhaltValid)
        s.mask = kMaskAll;
    const std::uint8_t maskAtStart = s.mask;

    WriteLogLine(kInfo, kActionSetLogFile, "LogFile Name und Pfad=" + std::string(name));
    WriteLogLine(kInfo, kActionSetLogFile, "Action=" + intText(action));
    WriteLogLine(kInfo, kActionSetLogFile, "Inhalt=" + intText(inhalt));
    WriteLogLine(kInfo, kActionSetLogFile, "Flush=" + intText(flush));

    if (!inhaltValid) {
        pending = kErrInhalt;
        return fail(kErrInhalt, "Ungültiger Parameter für Inhalt="_win1252 + intText(inhalt));
    }

    // Until every check has passed, the open log keeps its file, its name and its flush mode:
    // a refused call must not send later lines elsewhere.
    std::string requested = cut(TrimText(name), kShortTextMax);
    const bool hadQuestionMark = requested.find('?') != std::string::npos;
    requested = DeleteChars(requested, "?");
    if (requested.size() < kMinNameLength)
        return fail(kErrName, "LogFileName kleiner als 5 Zeichen=" + requested);
    if (hadQuestionMark)
        requested = timeStampedName(requested);

    std::uint8_t flushMode = static_cast<std::uint8_t>(flush);
    if (flushMode >= kFlushNeverStoredFirst)
        flushMode = kFlushReopen;

    pending = kErrAction;
    s.lastAction = static_cast<std::uint8_t>(action);
    if (s.lastAction < zalvo::kLogActionCreate || s.lastAction > zalvo::kLogActionClose)
        return fail(kErrAction, "Ungültiger Parameter für Action="_win1252 + intText(s.lastAction));

    if (const std::int32_t refused = checkDirectory(requested, pending); refused != 0)
        return refused;

    const bool starts =
        s.lastAction == zalvo::kLogActionCreate || s.lastAction == zalvo::kLogActionAppend;
    if (starts) {
        if (const std::int32_t refused = openLog(requested, pending); refused != 0)
            return refused;
    }
    pending = 0;
    s.name = requested;
    s.flushMode = flushMode;
    if (starts)
        writeHeader(s.lastAction, maskAtStart);
    else
        EndLog(s.lastAction);
    return 0;
}

std::int32_t LogWriter::openLog(const std::string& name, std::int32_t& pending) {
    // The old log stays open until the new file is, so a failed open leaves it as it was.
    State& s = *m_state;
    if (s.lastAction == zalvo::kLogActionCreate) {
        pending = kErrCreate;
        if (!s.file.create(name))
            return fail(kErrCreate, "Die Logdatei konnte nicht erzeugt werden");
    } else {
        pending = kErrAppend;
        if (!s.file.append(name))
            return fail(kErrAppend, "Die Logdatei konnte nicht ergänzt werden"_win1252);
    }
    return 0;
}

std::int32_t LogWriter::checkDirectory(const std::string& name, std::int32_t& pending) {
    const PathStyle style = m_state->pathStyle;
    pending = kErrDrive;
    // A directory that does not exist is no sign of a drive that does not answer: the file
    // system is asked where the directory would be.
    const std::string directoryPart = DirectoryPart(name, style);
    if (!holds([&] { return DriveReady(platform::nearestExistingAncestor(directoryPart), style); }))
        return fail(kErrDrive, "Das Laufwerk für das LogFile ist nicht bereit"_win1252);

    pending = kErrDirectory;
    const std::string directory = RemoveBackslash(directoryPart, style);
    if (directory.empty() || !holds([&] { return platform::isDirectory(directory); }))
        return fail(kErrDirectory,
                    "Das Directory für LogFile ("_win1252 + directory + ") ist ungültig"_win1252);

    pending = kErrReadOnly;
    if (!holds([&] { return DirectoryWritable(directory); }))
        return fail(kErrReadOnly, "Das Verzeichnis ist schreibgeschützt"_win1252);
    return 0;
}

std::int32_t LogWriter::fail(std::int32_t code, const std::string& text) {
    WriteLogLine(kFehler, kActionSetLogFile, text + std::string(kErrorSuffix) + intText(code));
    return code;
}

std::string LogWriter::timeStampedName(const std::string& name) const {
    const PathStyle style = m_state->pathStyle;
    const platform::Clock& clock = platform::Clock::current();
    const platform::LocalDateTime now = clock.now();

    std::string time = TimeToText(secondsOf(now));
    std::erase_if(time, [](char c) { return c < '0' || c > '9'; });
    char ticks[8];
    std::snprintf(ticks, sizeof ticks, "%06u",
                  static_cast<unsigned>(clock.tickCount() % kTickDigitsModulus));
    std::string stamp = "_";
    stamp += DateToYearFirst(dayNumberOf(now));
    stamp += '_';
    stamp += time;
    stamp += '_';
    stamp += ticks;

    const std::string directory = AddBackslash(DirectoryPart(name, style), style);
    std::string base = FileNamePart(name, style);
    if (const std::size_t dot = base.rfind('.'); dot != std::string::npos)
        base.resize(dot);
    std::string extension;
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) {
        extension = name.substr(dot + 1);
        if (extension.find(PathDelimiter(style)) != std::string::npos)
            extension.clear();
    }
    return cut(directory + base + stamp + "." + extension, kShortTextMax);
}

void LogWriter::writeHeader(std::int32_t mode, std::uint8_t mask) {
    WriteLogSeparator(kSystem);
    WriteLogLine(kSystem, 0, "ZALVOTECH-LOG-FILE: " + m_state->file.name());
    WriteLogLine(kSystem, 0, "Modus: " + std::string(LogModeWord(mode)));
    WriteLogLine(kSystem, 0, "Inhalt: " + DescribeLogContent(mask));
    WriteLogLine(kSystem, 0, "DLL-Version: 2.30.0 vom " + DigitsToDateText(kDllVersionDate));
    WriteLogSeparator(kSystem);
}

void LogWriter::WriteLogLine(std::uint8_t type, std::uint8_t action, std::string_view text) {
    try {
        writeLine(type, action, text.substr(0, kShortTextMax));
    } catch (...) {
        // A line that cannot be written is dropped like a write error.
    }
}

void LogWriter::writeLine(std::uint8_t type, std::uint8_t action, std::string_view text) {
    State& s = *m_state;
    if (type >= kInfo && type <= kFehler && (s.mask & kMaskDebug) != 0) {
        if (!ShowLogNotice(s.noticeSink(), type, action, text))
            s.mask &= static_cast<std::uint8_t>(~kMaskDebug);
    }
    if (!lineTypePasses(type))
        return;

    const platform::LocalDateTime now = platform::Clock::current().now();
    std::string line = DateToText(dayNumberOf(now)) + "-" + TimeToText(secondsOf(now)) + " " +
                       JustifyText(std::string(LogTypeWord(type)) + ":", kTypeFieldWidth, 'L');
    if (type == kSystem) {
        line += TrimText(text);
    } else {
        line += LogActionName(action);
        line += '.';
        line += TrimText(text);
    }
    s.file.write(cut(std::move(line), kMaxLine) + std::string(kLineEnd));
    ApplyFlushMode();
}

void LogWriter::WriteLogSeparator(std::uint8_t type) {
    try {
        if (!lineTypePasses(type))
            return;
        m_state->file.write(CharString(kSeparatorLength, '-') + std::string(kLineEnd));
        ApplyFlushMode();
    } catch (...) {
    }
}

bool LogWriter::lineTypePasses(std::uint8_t type) const {
    const State& s = *m_state;
    if (!s.file.isOpen())
        return false;
    switch (type) {
    case kInfo:
        return (s.mask & kMaskInfo) != 0;
    case kHinweis:
        return (s.mask & kMaskHinweis) != 0;
    case kFehler:
        return (s.mask & kMaskFehler) != 0;
    default:
        return true;
    }
}

void LogWriter::ApplyFlushMode() {
    State& s = *m_state;
    if (s.flushMode == kFlushCommit) {
        // A refused commit is ignored like any other write error.
        s.file.commit();
    } else if (s.flushMode == kFlushReopen) {
        // The file actually open, which a refused call has not renamed.
        s.file.reopen();
    }
}

void LogWriter::EndLog(std::uint8_t mode) {
    State& s = *m_state;
    if (!s.file.isOpen())
        return;
    try {
        // The trailer names the file it ends, whatever name the ending call gave.
        const std::string ended = s.file.name();
        WriteLogSeparator(kSystem);
        WriteLogLine(kSystem, 0, "ZALVOTECH-LOG-FILE: " + ended);
        WriteLogLine(kSystem, 0, "Modus: " + std::string(LogModeWord(mode)));
        WriteLogSeparator(kSystem);
    } catch (...) {
        // The log is closed all the same.
    }
    s.file.close();
}
