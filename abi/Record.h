#pragma once

#include "abi/MutableRecordView.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zalvo {

// A caller-owned, fixed-size, zeroed byte record handed to the payment library. Every access
// goes through the bounded view: writes are cut, reads stop at the field's width.
class Record {
public:
    explicit Record(std::size_t size);

    MutableRecordView view() { return MutableRecordView(m_bytes); }
    RecordView view() const { return RecordView(m_bytes); }

    char* data() { return m_bytes.data(); }
    const char* data() const { return m_bytes.data(); }
    std::size_t size() const { return m_bytes.size(); }
    // The raw bytes, for comparisons in tests and logs.
    std::string_view bytes() const { return view().bytes(); }

    void zero() { view().zero(); }

    void putText(std::size_t offset, std::size_t maxChars, std::string_view text) {
        view().putText(offset, maxChars, text);
    }
    void putText(Field field, std::string_view text) { view().putText(field, text); }
    void putTextCleared(Field field, std::size_t maxChars, std::string_view text) {
        view().putTextCleared(field, maxChars, text);
    }
    void putTextCleared(Field field, std::string_view text) { view().putTextCleared(field, text); }
    std::string text(std::size_t offset, std::size_t width) const {
        return view().text(offset, width);
    }
    std::string text(Field field) const { return view().text(field); }

    std::int32_t int32(std::size_t offset) const { return view().int32(offset); }
    std::int32_t int32(Field field) const { return view().int32(field); }
    void putInt32(std::size_t offset, std::int32_t value) { view().putInt32(offset, value); }
    void putInt32(Field field, std::int32_t value) { view().putInt32(field, value); }

private:
    std::vector<char> m_bytes;
};

} // namespace zalvo
