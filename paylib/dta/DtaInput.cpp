#include "paylib/dta/DtaInput.h"

#include <algorithm>
#include <cstring>

namespace paylib {
namespace {

// Large enough that refills are rare, small enough to stay in the cache.
constexpr std::size_t kWindowBytes = std::size_t{1} << 20;

} // namespace

DtaInput::DtaInput(std::string_view bytes) : m_size(bytes.size()), m_window(bytes) {}

DtaInput::DtaInput(std::istream& stream, std::uint64_t size)
    : m_stream(&stream), m_size(size),
      m_buffer(static_cast<std::size_t>(std::min<std::uint64_t>(size, kWindowBytes)), '\0'),
      m_window(m_buffer.data(), 0) {}

bool DtaInput::ensure(std::uint64_t offset, std::size_t count) {
    const std::uint64_t wanted = std::min<std::uint64_t>(offset + count, m_size);
    const std::uint64_t windowEnd = m_windowStart + m_window.size();
    if (wanted <= windowEnd || m_stream == nullptr) {
        return true;
    }
    // Keep the unread tail, then fill the rest of the buffer.
    const auto kept = static_cast<std::size_t>(windowEnd - offset);
    std::memmove(m_buffer.data(), m_buffer.data() + (offset - m_windowStart), kept);
    const auto toRead = static_cast<std::size_t>(
        std::min<std::uint64_t>(m_buffer.size() - kept, m_size - windowEnd));
    m_stream->read(m_buffer.data() + kept, static_cast<std::streamsize>(toRead));
    const auto got = static_cast<std::size_t>(m_stream->gcount());
    m_windowStart = offset;
    m_window = std::string_view(m_buffer.data(), kept + got);
    return got == toRead;
}

} // namespace paylib
