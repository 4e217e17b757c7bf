#include "abi/MutableRecordView.h"

#include <algorithm>
#include <cstring>

namespace zalvo {

void MutableRecordView::zero() const {
    std::fill(m_bytes.begin(), m_bytes.end(), '\0');
}

void MutableRecordView::putText(std::size_t offset, std::size_t maxChars,
                                std::string_view text) const {
    if (offset >= m_bytes.size()) {
        return;
    }
    // Leave room for the terminating zero inside the record.
    const std::size_t room = m_bytes.size() - offset - 1;
    const std::size_t count = std::min({text.size(), maxChars, room});
    std::memcpy(m_bytes.data() + offset, text.data(), count);
    m_bytes[offset + count] = '\0';
}

void MutableRecordView::putText(Field field, std::string_view text) const {
    if (field.width == 0) {
        return;
    }
    putText(field.offset, field.maxChars(), text);
}

void MutableRecordView::putTextCleared(Field field, std::size_t maxChars,
                                       std::string_view text) const {
    if (field.width == 0 || field.offset >= m_bytes.size()) {
        return;
    }
    const std::size_t chars = std::min(maxChars, field.maxChars());
    const std::size_t cleared = std::min(chars + 1, m_bytes.size() - field.offset);
    std::fill_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(field.offset), cleared, '\0');
    putText(field.offset, chars, text);
}

void MutableRecordView::putInt32(std::size_t offset, std::int32_t value) const {
    if (offset <= m_bytes.size() && m_bytes.size() - offset >= sizeof value) {
        std::memcpy(m_bytes.data() + offset, &value, sizeof value);
    }
}

} // namespace zalvo
