#pragma once

#include "calllog/CallLog.h"

#include <filesystem>
#include <ostream>
#include <string>

namespace zalvo::calllog {

// Writes the call log as JSON Lines (docs/call-log-format.md): a first line naming the format,
// its version and the number of calls, then one call per line, oldest first.
class CallLogWriter {
public:
    static constexpr std::string_view kFormat = "zalvo-call-log";
    static constexpr std::int64_t kVersion = 1;

    static void write(std::ostream& out, const CallLog& log);
    static std::string headerLine(std::size_t calls, std::uint64_t dropped);
    static std::string callLine(const RecordedCall& call);
    // Writes the whole file; false when it could not be written completely.
    static bool save(const std::filesystem::path& fileName, const CallLog& log);
};

} // namespace zalvo::calllog
