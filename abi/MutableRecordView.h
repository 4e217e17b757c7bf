#pragma once

#include "abi/RecordView.h"

namespace zalvo {

// A bounded view through which a record is written: every write is cut where the field and
// the record end, and a text always keeps its terminating zero inside the record. Like
// std::span, the view's constness does not reach the bytes it shows.
class MutableRecordView : public RecordView {
public:
    explicit MutableRecordView(std::span<char> bytes) : RecordView(bytes), m_bytes(bytes) {}
    MutableRecordView(char* bytes, std::size_t size) : MutableRecordView(std::span(bytes, size)) {}

    char* data() const { return m_bytes.data(); }
    std::span<char> span() const { return m_bytes; }

    void zero() const;

    // Writes at most maxChars bytes of text followed by a zero. Both are cut where the record
    // ends; the zero always lands inside the record.
    void putText(std::size_t offset, std::size_t maxChars, std::string_view text) const;
    // Fills the field with at most width - 1 characters and the zero.
    void putText(Field field, std::string_view text) const;
    // Writes at most maxChars characters (never more than the field holds) and clears
    // everything those characters and their zero may take, so nothing of a longer earlier
    // text remains. Bytes of the field beyond that stay as they are.
    void putTextCleared(Field field, std::size_t maxChars, std::string_view text) const;
    // The same with as many characters as the field holds: the whole field is rewritten.
    void putTextCleared(Field field, std::string_view text) const {
        putTextCleared(field, field.maxChars(), text);
    }

    // Native byte order; nothing is written for a field that does not fit the record.
    void putInt32(std::size_t offset, std::int32_t value) const;
    void putInt32(Field field, std::int32_t value) const { putInt32(field.offset, value); }

private:
    std::span<char> m_bytes;
};

} // namespace zalvo
