#include "calllog/CallLogReader.h"

#include "calllog/ArgumentLayouts.h"
#include "calllog/CallLogWriter.h"
#include "calllog/JsonValue.h"

#include <limits>
#include <optional>

namespace zalvo::calllog {

namespace {

// A refusal of the current line.
struct LineError {
    std::string message;
};

const JsonValue& required(const JsonValue& object, const std::string& key, JsonValue::Kind kind) {
    const JsonValue* value = object.member(key);
    if (!value) {
        throw LineError{"\"" + key + "\" fehlt"};
    }
    if (value->kind() != kind) {
        throw LineError{"\"" + key + "\" hat den falschen Typ"};
    }
    return *value;
}

std::int64_t integer(const JsonValue& object, const std::string& key, std::int64_t min,
                     std::int64_t max) {
    const std::int64_t value = required(object, key, JsonValue::Kind::Integer).integer();
    if (value < min || value > max) {
        throw LineError{"\"" + key + "\" außerhalb des Wertebereichs"};
    }
    return value;
}

std::int32_t int32(const JsonValue& object, const std::string& key) {
    return static_cast<std::int32_t>(integer(object, key, std::numeric_limits<std::int32_t>::min(),
                                             std::numeric_limits<std::int32_t>::max()));
}

std::string bytes(const JsonValue& argument, const std::string& key, std::size_t size) {
    const std::string& text = required(argument, key, JsonValue::Kind::String).string();
    if (text.size() != size * 2) {
        throw LineError{"\"" + key + "\" hat nicht " + std::to_string(size) + " Bytes"};
    }
    std::string out(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        const int high = JsonValue::hexDigit(text[2 * i]);
        const int low = JsonValue::hexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) {
            throw LineError{"\"" + key + "\" enthält andere Zeichen als Hexziffern"};
        }
        out[i] = static_cast<char>(high * 16 + low);
    }
    return out;
}

// The size a buffer argument must have: the layout's, or the integer argument after it.
std::size_t expectedSize(const ArgumentLayout& layout, const std::vector<JsonValue>& arguments,
                         std::size_t index) {
    if (layout.size != 0) {
        return layout.size;
    }
    const JsonValue* next =
        index + 1 < arguments.size() ? arguments[index + 1].member("int") : nullptr;
    if (!next || !next->isInteger() || next->integer() <= 0 ||
        next->integer() > std::numeric_limits<std::int32_t>::max()) {
        throw LineError{"Puffergröße fehlt oder ist ungültig"};
    }
    return static_cast<std::size_t>(next->integer());
}

void readArguments(const JsonValue& line, RecordedCall& call) {
    const std::span<const ArgumentLayout> layouts = ArgumentLayouts::of(call.entry);
    const std::vector<JsonValue>& arguments =
        required(line, "args", JsonValue::Kind::Array).array();
    if (arguments.size() != layouts.size()) {
        throw LineError{std::string(entryPointName(call.entry)) + " hat " +
                        std::to_string(layouts.size()) + " Argumente, nicht " +
                        std::to_string(arguments.size())};
    }
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const JsonValue& argument = arguments[index];
        const ArgumentLayout& layout = layouts[index];
        const std::string position = "Argument " + std::to_string(index + 1) + ": ";
        if (!argument.isObject()) {
            throw LineError{position + "kein Objekt"};
        }
        try {
            if (!layout.isBuffer) {
                if (argument.object().size() != 1) {
                    throw LineError{"eine Zahl \"int\" erwartet"};
                }
                call.addInteger(int32(argument, "int"));
                continue;
            }
            if (argument.object().size() != 3) {
                throw LineError{"\"size\", \"before\" und \"after\" erwartet"};
            }
            const std::size_t size = expectedSize(layout, arguments, index);
            const std::int64_t given =
                required(argument, "size", JsonValue::Kind::Integer).integer();
            if (given < 0 || static_cast<std::size_t>(given) != size) {
                throw LineError{"Satz hat " + std::to_string(given) + " Bytes, " +
                                std::string(layout.name) + " hat " + std::to_string(size)};
            }
            call.addBuffer(bytes(argument, "before", size));
            call.setAfter(call.argumentCount() - 1, bytes(argument, "after", size));
        } catch (const LineError& error) {
            throw LineError{position + error.message};
        }
    }
}

RecordedCall readCall(const JsonValue& line) {
    constexpr std::size_t kCallKeys = 6;
    if (line.object().size() != kCallKeys) {
        throw LineError{"ein Aufruf hat genau die Schlüssel seq, entry, start_us, duration_ns, "
                        "result und args"};
    }
    RecordedCall call;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    call.sequence = static_cast<std::uint64_t>(integer(line, "seq", 1, kMax));
    const std::string& name = required(line, "entry", JsonValue::Kind::String).string();
    const std::optional<EntryPoint> entry = ArgumentLayouts::entryPointNamed(name);
    if (!entry) {
        throw LineError{"unbekannte Funktion \"" + name + "\""};
    }
    call.entry = *entry;
    call.startMicroseconds =
        integer(line, "start_us", std::numeric_limits<std::int64_t>::min(), kMax);
    call.durationNanoseconds = integer(line, "duration_ns", 0, kMax);
    call.result = int32(line, "result");
    readArguments(line, call);
    return call;
}

std::size_t readHeader(const JsonValue& line) {
    const JsonValue* format = line.member("format");
    if (!format || !format->isString() || format->string() != CallLogWriter::kFormat) {
        throw LineError{"kein Aufrufprotokoll (\"format\" ist nicht \"" +
                        std::string(CallLogWriter::kFormat) + "\")"};
    }
    const std::int64_t version = required(line, "version", JsonValue::Kind::Integer).integer();
    if (version != CallLogWriter::kVersion) {
        throw LineError{"Version " + std::to_string(version) + " wird nicht unterstützt (nur " +
                        std::to_string(CallLogWriter::kVersion) + ")"};
    }
    integer(line, "dropped", 0, std::numeric_limits<std::int64_t>::max());
    return static_cast<std::size_t>(
        integer(line, "calls", 0, std::numeric_limits<std::int32_t>::max()));
}

JsonValue parseLine(const std::string& text) {
    std::string error;
    std::optional<JsonValue> value = JsonValue::parse(text, error);
    if (!value) {
        throw LineError{"kein gültiges JSON: " + error};
    }
    if (!value->isObject()) {
        throw LineError{"kein JSON-Objekt"};
    }
    return std::move(*value);
}

} // namespace

CallLogReader::Result CallLogReader::read(std::istream& in) {
    Result result;
    std::size_t lineNumber = 0;
    std::size_t announced = 0;
    std::string text;
    try {
        while (std::getline(in, text)) {
            ++lineNumber;
            if (!text.empty() && text.back() == '\r') {
                text.pop_back();
            }
            const JsonValue line = parseLine(text);
            if (lineNumber == 1) {
                announced = readHeader(line);
                result.calls.reserve(std::min<std::size_t>(announced, 1024));
                continue;
            }
            if (result.calls.size() == announced) {
                throw LineError{"mehr Aufrufe als die erste Zeile ankündigt (" +
                                std::to_string(announced) + ")"};
            }
            result.calls.push_back(readCall(line));
        }
        if (lineNumber == 0) {
            ++lineNumber;
            throw LineError{"die Datei ist leer"};
        }
        if (result.calls.size() != announced) {
            ++lineNumber;
            throw LineError{"Datei endet nach " + std::to_string(result.calls.size()) + " von " +
                            std::to_string(announced) + " Aufrufen"};
        }
    } catch (const LineError& error) {
        result.calls.clear();
        result.errorLine = lineNumber;
        result.error = error.message;
    }
    return result;
}

} // namespace zalvo::calllog
