#include "abi/Record.h"

#include <algorithm>
#include <cstring>

namespace zalvo {

Record::Record(std::size_t size) : m_bytes(size, '\0') {}

void Record::zero() {
    std::fill(m_bytes.begin(), m_bytes.end(), '\0');
}

void Record::putText(std::size_t offset, std::size_t maxChars, std::string_view text) {
    if (offset >= m_bytes.size()) {
        return;
    }
    // Leave room for the terminating zero inside the record.
    const std::size_t room = m_bytes.size() - offset - 1;
    const std::size_t count = std::min({text.size(), maxChars, room});
    std::memcpy(m_bytes.data() + offset, text.data(), count);
    m_bytes[offset + count] = '\0';
}

void Record::putText(Field field, std::string_view text) {
    if (field.width == 0) {
        return;
    }
    putText(field.offset, field.maxChars(), text);
}

std::string Record::text(std::size_t offset, std::size_t width) const {
    if (offset >= m_bytes.size()) {
        return {};
    }
    return textOf(m_bytes.data() + offset, std::min(width, m_bytes.size() - offset));
}

int32_t Record::int32(std::size_t offset) const {
    int32_t value = 0;
    if (offset + sizeof value <= m_bytes.size()) {
        std::memcpy(&value, m_bytes.data() + offset, sizeof value);
    }
    return value;
}

void Record::putInt32(std::size_t offset, int32_t value) {
    if (offset + sizeof value <= m_bytes.size()) {
        std::memcpy(m_bytes.data() + offset, &value, sizeof value);
    }
}

std::string Record::textOf(const char* buffer, std::size_t size) {
    const auto* end = static_cast<const char*>(std::memchr(buffer, '\0', size));
    return std::string(buffer, end ? static_cast<std::size_t>(end - buffer) : size);
}

} // namespace zalvo
