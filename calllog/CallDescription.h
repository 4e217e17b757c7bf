#pragma once

#include "calllog/ArgumentLayouts.h"
#include "calllog/RecordedCall.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zalvo::calllog {

// One field of one argument, before and after the call, as shown to the user (UTF-8).
struct FieldRow {
    std::string argument;
    std::string field;
    std::string before;
    std::string after;
    bool changed = false;
};

// What the window, the copied text and replay show of a call: every field of every argument
// before and after, readable, and the whole record in hex.
class CallDescription {
public:
    // Every argument field by field; integers as one row each.
    static std::vector<FieldRow> fields(const RecordedCall& call);
    // The rows of one buffer argument, compared byte for byte between `before` and `after`.
    static std::vector<FieldRow> bufferFields(const ArgumentLayout& layout, std::string_view before,
                                              std::string_view after);
    // A field's bytes as text: Windows-1252 decoded up to the terminating zero, every control
    // or undefined byte as \xNN and a backslash as \\; an unterminated text is marked.
    static std::string fieldText(std::string_view bytes, FieldKind kind);
    static std::string visibleText(std::string_view windows1252);
    // 16 bytes a line: offset, hex, and the printable characters.
    static std::string hexView(std::string_view bytes);
    // The hex views of every buffer argument, before and after, under the argument's name.
    static std::string hexViews(const RecordedCall& call);
    // The result's meaning on one line.
    static std::string meaning(std::int32_t result);
    // One line of the list: time, entry point, result, meaning, duration in µs.
    static std::string summaryLine(const RecordedCall& call);
    // The summary line, the field rows (changed ones marked) and the hex views, as plain text.
    static std::string text(const RecordedCall& call);
    static std::int64_t durationMicroseconds(const RecordedCall& call);
};

} // namespace zalvo::calllog
