#include "calllog/RecordedCall.h"

#include <algorithm>
#include <stdexcept>

namespace zalvo::calllog {

namespace {

constexpr std::array<char, RecordedCall::kMaxZeroRecord> kZeros{};

bool allZero(std::string_view bytes) {
    return bytes.size() <= kZeros.size() && bytes == std::string_view(kZeros.data(), bytes.size());
}

} // namespace

void RecordedCall::prefetchForWriting() const {
#if defined(__GNUC__)
    constexpr std::size_t kLine = 64;
    constexpr std::size_t kMaxBytes = 768;
    const char* self = reinterpret_cast<const char*>(this);
    for (std::size_t line = 0; line < sizeof(RecordedCall); line += kLine) {
        __builtin_prefetch(self + line, 1);
    }
    const std::size_t bytes = std::min(m_bytes.capacity(), kMaxBytes);
    for (std::size_t line = 0; line < bytes; line += kLine) {
        __builtin_prefetch(m_bytes.data() + line, 1);
    }
#endif
}

void RecordedCall::clearArguments() {
    m_count = 0;
    m_bytes.clear();
}

RecordedCall::Argument& RecordedCall::next() {
    if (m_count == kMaxArguments) {
        throw std::length_error("too many arguments");
    }
    m_arguments[m_count] = Argument{};
    return m_arguments[m_count++];
}

void RecordedCall::addInteger(std::int32_t value) {
    Argument& argument = next();
    argument.integer = value;
}

void RecordedCall::addBuffer(std::string_view before) {
    Argument& argument = next();
    argument.isBuffer = true;
    argument.size = static_cast<std::uint32_t>(before.size());
    argument.beforeZero = allZero(before);
    if (!argument.beforeZero) {
        argument.beforeOffset = static_cast<std::uint32_t>(m_bytes.size());
        m_bytes.append(before);
    }
}

void RecordedCall::setAfter(std::size_t index, std::string_view after) {
    after = after.substr(0, m_arguments.at(index).size);
    const bool same = after == before(index);
    Argument& argument = m_arguments[index];
    argument.afterSame = same;
    if (!same) {
        argument.afterOffset = static_cast<std::uint32_t>(m_bytes.size());
        m_bytes.append(after);
    }
}

std::string_view RecordedCall::before(std::size_t index) const {
    const Argument& argument = m_arguments.at(index);
    if (argument.beforeZero) {
        return {kZeros.data(), argument.size};
    }
    return std::string_view(m_bytes).substr(argument.beforeOffset, argument.size);
}

std::string_view RecordedCall::after(std::size_t index) const {
    const Argument& argument = m_arguments.at(index);
    if (argument.afterSame) {
        return before(index);
    }
    return std::string_view(m_bytes).substr(argument.afterOffset, argument.size);
}

} // namespace zalvo::calllog
