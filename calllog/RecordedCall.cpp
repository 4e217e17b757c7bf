#include "calllog/RecordedCall.h"

#include <stdexcept>

namespace zalvo::calllog {

void RecordedCall::clearArguments() {
    m_count = 0;
    m_bytes.clear();
}

void RecordedCall::addInteger(std::int32_t value) {
    if (m_count == kMaxArguments) {
        throw std::length_error("too many arguments");
    }
    m_arguments[m_count++] = Argument{false, value, 0, 0};
}

void RecordedCall::addBuffer(std::string_view before) {
    if (m_count == kMaxArguments) {
        throw std::length_error("too many arguments");
    }
    const std::size_t offset = m_bytes.size();
    m_bytes.append(before);
    m_bytes.append(before);
    m_arguments[m_count++] = Argument{true, 0, offset, before.size()};
}

void RecordedCall::setAfter(std::size_t index, std::string_view after) {
    const Argument& argument = m_arguments.at(index);
    m_bytes.replace(argument.offset + argument.size, argument.size, after.substr(0, argument.size));
}

std::string_view RecordedCall::before(std::size_t index) const {
    const Argument& argument = m_arguments.at(index);
    return std::string_view(m_bytes).substr(argument.offset, argument.size);
}

std::string_view RecordedCall::after(std::size_t index) const {
    const Argument& argument = m_arguments.at(index);
    return std::string_view(m_bytes).substr(argument.offset + argument.size, argument.size);
}

} // namespace zalvo::calllog
