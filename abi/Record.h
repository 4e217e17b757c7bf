#pragma once

#include "abi/RecordLayouts.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zalvo {

// A caller-owned, fixed-size, zeroed byte record handed to the payment library. Every access
// is bounded by the record's size: writes are cut, reads stop at the field's width.
class Record {
public:
    explicit Record(std::size_t size);

    char* data() { return m_bytes.data(); }
    const char* data() const { return m_bytes.data(); }
    std::size_t size() const { return m_bytes.size(); }

    void zero();

    // Writes at most maxChars bytes of text followed by a zero. Both are cut where the record
    // ends; the zero always lands inside the record.
    void putText(std::size_t offset, std::size_t maxChars, std::string_view text);
    // Fills the field with at most width - 1 characters and the zero.
    void putText(Field field, std::string_view text);

    // Text up to the first zero, or the whole width when the field holds none.
    std::string text(std::size_t offset, std::size_t width) const;
    std::string text(Field field) const { return text(field.offset, field.width); }

    int32_t int32(std::size_t offset) const;
    void putInt32(std::size_t offset, int32_t value);
    int32_t int32(Field field) const { return int32(field.offset); }
    void putInt32(Field field, int32_t value) { putInt32(field.offset, value); }

    // The raw bytes, for comparisons in tests and logs.
    std::string_view bytes() const { return {m_bytes.data(), m_bytes.size()}; }

    // Text of a zero-terminated buffer the caller owns, never read past its size.
    static std::string textOf(const char* buffer, std::size_t size);

private:
    std::vector<char> m_bytes;
};

} // namespace zalvo
