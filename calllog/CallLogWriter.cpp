#include "calllog/CallLogWriter.h"

#include "calllog/JsonValue.h"

#include <fstream>

namespace zalvo::calllog {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

std::string hex(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0x0F];
    }
    return text;
}

std::string argumentText(const RecordedCall& call, std::size_t index) {
    const RecordedCall::Argument& argument = call.argument(index);
    if (!argument.isBuffer) {
        return "{\"int\":" + std::to_string(argument.integer) + "}";
    }
    return "{\"size\":" + std::to_string(argument.size) + ",\"before\":\"" +
           hex(call.before(index)) + "\",\"after\":\"" + hex(call.after(index)) + "\"}";
}

} // namespace

std::string CallLogWriter::headerLine(std::size_t calls, std::uint64_t dropped) {
    return "{\"format\":" + JsonValue::quoted(kFormat) +
           ",\"version\":" + std::to_string(kVersion) + ",\"calls\":" + std::to_string(calls) +
           ",\"dropped\":" + std::to_string(dropped) + "}";
}

std::string CallLogWriter::callLine(const RecordedCall& call) {
    std::string line = "{\"seq\":" + std::to_string(call.sequence) +
                       ",\"entry\":" + JsonValue::quoted(entryPointName(call.entry)) +
                       ",\"start_us\":" + std::to_string(call.startMicroseconds) +
                       ",\"duration_ns\":" + std::to_string(call.durationNanoseconds) +
                       ",\"result\":" + std::to_string(call.result) + ",\"args\":[";
    for (std::size_t index = 0; index < call.argumentCount(); ++index) {
        if (index > 0) {
            line += ',';
        }
        line += argumentText(call, index);
    }
    return line + "]}";
}

void CallLogWriter::write(std::ostream& out, const CallLog& log) {
    out << headerLine(log.size(), log.dropped()) << '\n';
    for (std::size_t index = 0; index < log.size(); ++index) {
        out << callLine(log.at(index)) << '\n';
    }
}

bool CallLogWriter::save(const std::filesystem::path& fileName, const CallLog& log) {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    write(out, log);
    out.close();
    return static_cast<bool>(out);
}

} // namespace zalvo::calllog
