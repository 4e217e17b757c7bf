#include "abi/RecordView.h"

#include <algorithm>
#include <cstring>

namespace zalvo {

std::span<const char> RecordView::fieldBytes(std::size_t offset, std::size_t width) const {
    if (offset >= m_bytes.size()) {
        return {};
    }
    return m_bytes.subspan(offset, std::min(width, m_bytes.size() - offset));
}

std::string_view RecordView::textView(std::size_t offset, std::size_t width) const {
    const std::span<const char> field = fieldBytes(offset, width);
    const auto end = std::find(field.begin(), field.end(), '\0');
    return {field.data(), static_cast<std::size_t>(end - field.begin())};
}

std::string RecordView::text(std::size_t offset, std::size_t width) const {
    return std::string(textView(offset, width));
}

bool RecordView::terminated(Field field) const {
    const std::span<const char> bytes = fieldBytes(field.offset, field.width);
    return std::find(bytes.begin(), bytes.end(), '\0') != bytes.end();
}

std::int32_t RecordView::int32(std::size_t offset) const {
    std::int32_t value = 0;
    if (offset <= m_bytes.size() && m_bytes.size() - offset >= sizeof value) {
        std::memcpy(&value, m_bytes.data() + offset, sizeof value);
    }
    return value;
}

} // namespace zalvo
