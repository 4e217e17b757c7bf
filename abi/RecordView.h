#pragma once

#include "abi/RecordLayouts.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zalvo {

// A read-only, bounded view over a record or buffer that crosses the library boundary. Every
// read stops at the field's width and at the record's end, so a field the other side left
// unterminated, or a layout that does not fit the buffer, is never read past.
class RecordView {
public:
    explicit RecordView(std::span<const char> bytes) : m_bytes(bytes) {}
    RecordView(const char* bytes, std::size_t size) : m_bytes(bytes, size) {}

    const char* data() const { return m_bytes.data(); }
    std::size_t size() const { return m_bytes.size(); }
    std::span<const char> span() const { return m_bytes; }
    // The raw bytes, for comparisons and logs.
    std::string_view bytes() const { return {m_bytes.data(), m_bytes.size()}; }

    // Text up to the first zero, or the whole width when the field holds none.
    std::string text(std::size_t offset, std::size_t width) const;
    std::string text(Field field) const { return text(field.offset, field.width); }
    // The same text in place, for reading without a copy; valid as long as the record.
    std::string_view textView(std::size_t offset, std::size_t width) const;
    std::string_view textView(Field field) const { return textView(field.offset, field.width); }
    // Whether the field holds its terminating zero inside its width.
    bool terminated(Field field) const;

    // Native byte order; 0 for a field that does not fit the record.
    std::int32_t int32(std::size_t offset) const;
    std::int32_t int32(Field field) const { return int32(field.offset); }

private:
    // The part of the record a field covers, cut where the record ends.
    std::span<const char> fieldBytes(std::size_t offset, std::size_t width) const;

    std::span<const char> m_bytes;
};

} // namespace zalvo
