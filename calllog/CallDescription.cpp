#include "calllog/CallDescription.h"

#include "abi/ResultCodes.h"
#include "binding/ResultReporter.h"
#include "platform/LocalTime.h"
#include "platform/Win1252.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace zalvo::calllog {

namespace {

constexpr std::size_t kHexBytesPerLine = 16;
constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr std::string_view kUnterminated = " (ohne abschließende Null)";
constexpr std::string_view kChangedMark = "* ";
constexpr std::string_view kUnchangedMark = "  ";

std::string hexByte(unsigned char byte) {
    return {kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
}

// Windows-1252 leaves these without a character; C0 and C1 controls are not printable.
bool printable(unsigned char byte) {
    if (byte < kFirstPrintable || byte == kDelete) {
        return false;
    }
    const char32_t codePoint = win1252::toUnicode(byte);
    return !(codePoint >= 0x80 && codePoint <= 0x9F);
}

std::string int32Text(std::string_view bytes) {
    if (bytes.size() < sizeof(std::int32_t)) {
        return CallDescription::visibleText(bytes);
    }
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data(), sizeof value);
    return std::to_string(value);
}

std::string hexText(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += hexByte(static_cast<unsigned char>(c));
    }
    return text;
}

// The text without line breaks, blanks collapsed, trimmed.
std::string oneLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\r' || c == '\n' || c == '\t';
        if (blank) {
            if (!line.empty() && line.back() != ' ') {
                line += ' ';
            }
        } else {
            line += c;
        }
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

} // namespace

std::string CallDescription::hexViews(const RecordedCall& call) {
    std::string text;
    const std::span<const ArgumentLayout> layouts = ArgumentLayouts::of(call.entry);
    for (std::size_t index = 0; index < call.argumentCount(); ++index) {
        if (!call.argument(index).isBuffer) {
            continue;
        }
        const std::string_view name = index < layouts.size() ? layouts[index].name : "Puffer";
        if (!text.empty()) {
            text += "\n";
        }
        text += name;
        text += ", vorher:\n";
        text += CallDescription::hexView(call.before(index));
        text += name;
        text += ", nachher:\n";
        text += CallDescription::hexView(call.after(index));
    }
    return text;
}

std::string CallDescription::visibleText(std::string_view windows1252) {
    std::string visible;
    visible.reserve(windows1252.size());
    for (const char c : windows1252) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            visible += "\\\\";
        } else if (printable(byte)) {
            visible += win1252::toUtf8(std::string_view(&c, 1));
        } else {
            visible += "\\x";
            visible += hexByte(byte);
        }
    }
    return visible;
}

std::string CallDescription::fieldText(std::string_view bytes, FieldKind kind) {
    switch (kind) {
    case FieldKind::Int32:
        return int32Text(bytes);
    case FieldKind::Bytes:
        return hexText(bytes);
    case FieldKind::Text:
    case FieldKind::Path:
        break;
    }
    const std::size_t end = bytes.find('\0');
    if (end == std::string_view::npos) {
        return visibleText(bytes) + std::string(kUnterminated);
    }
    return visibleText(bytes.substr(0, end));
}

std::vector<FieldRow> CallDescription::bufferFields(const ArgumentLayout& layout,
                                                    std::string_view before,
                                                    std::string_view after) {
    std::vector<FieldRow> rows;
    for (const ShownField& shown : ArgumentLayouts::shownFields(layout, before.size())) {
        const std::string_view was = before.substr(shown.field.offset, shown.field.width);
        const std::string_view is = after.substr(shown.field.offset, shown.field.width);
        rows.push_back({std::string(layout.name), shown.name, fieldText(was, shown.kind),
                        fieldText(is, shown.kind), was != is});
    }
    return rows;
}

std::vector<FieldRow> CallDescription::fields(const RecordedCall& call) {
    const std::span<const ArgumentLayout> layouts = ArgumentLayouts::of(call.entry);
    std::vector<FieldRow> rows;
    for (std::size_t index = 0; index < call.argumentCount() && index < layouts.size(); ++index) {
        const ArgumentLayout& layout = layouts[index];
        if (!call.argument(index).isBuffer) {
            const std::string value = std::to_string(call.argument(index).integer);
            rows.push_back({std::string(layout.name), std::string(layout.name), value, value});
            continue;
        }
        std::vector<FieldRow> buffer = bufferFields(layout, call.before(index), call.after(index));
        rows.insert(rows.end(), buffer.begin(), buffer.end());
    }
    return rows;
}

std::string CallDescription::hexView(std::string_view bytes) {
    std::string view;
    for (std::size_t line = 0; line < bytes.size(); line += kHexBytesPerLine) {
        const std::string_view chunk = bytes.substr(line, kHexBytesPerLine);
        std::array<char, 24> offset{};
        std::snprintf(offset.data(), offset.size(), "%04zX", line);
        view += offset.data();
        view += "  ";
        std::string hex = hexText(chunk);
        hex.resize(kHexBytesPerLine * 3 - 1, ' ');
        view += hex;
        view += "  |";
        for (const char c : chunk) {
            const auto byte = static_cast<unsigned char>(c);
            view += printable(byte) ? win1252::toUtf8(std::string_view(&c, 1)) : ".";
        }
        view += "|\n";
    }
    return view;
}

std::string CallDescription::meaning(std::int32_t result) {
    if (const std::optional<std::string_view> fixed = ResultReporter::fixedText(result)) {
        return win1252::toUtf8(oneLine(*fixed));
    }
    return win1252::toUtf8(paylib::result::resultMessage(result));
}

std::int64_t CallDescription::durationMicroseconds(const RecordedCall& call) {
    constexpr std::int64_t kNanosPerMicro = 1000;
    return call.durationNanoseconds / kNanosPerMicro;
}

std::string CallDescription::summaryLine(const RecordedCall& call) {
    return platform::LocalTime::timeOfDay(call.startMicroseconds) + "  " +
           std::string(entryPointName(call.entry)) + "  " + std::to_string(call.result) + "  " +
           meaning(call.result) + "  " + std::to_string(durationMicroseconds(call)) + " µs";
}

std::string CallDescription::text(const RecordedCall& call) {
    std::string text = summaryLine(call) + "\n";
    for (const FieldRow& row : fields(call)) {
        text += row.changed ? kChangedMark : kUnchangedMark;
        text += row.argument == row.field ? row.field : row.argument + " / " + row.field;
        text += ": \"" + row.before + "\"";
        if (row.changed) {
            text += " -> \"" + row.after + "\"";
        }
        text += "\n";
    }
    return text + "\n" + hexViews(call);
}

} // namespace zalvo::calllog
