// The buffering of TempFile, the same on every platform; the file operations under it are in
// posix/ and windows/.
#include "paylib/sepa/TempFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace paylib {
namespace {

constexpr std::size_t kBufferLimit = 256 * 1024;
constexpr std::size_t kCopyChunk = 1024 * 1024;

} // namespace

bool TempFile::flush() {
    if (m_buffer.empty())
        return true;
    const std::uint64_t before = m_written;
    const bool ok = writeOut(m_buffer);
    m_buffer.erase(0, static_cast<std::size_t>(m_written - before));
    return ok;
}

bool TempFile::append(std::string_view data) {
    if (m_buffer.size() + data.size() > kBufferLimit && !flush())
        return false;
    if (data.size() >= kBufferLimit) {
        const std::uint64_t before = m_written;
        if (writeOut(data))
            return true;
        rollBack(before);
        return false;
    }
    if (m_buffer.capacity() < kBufferLimit)
        m_buffer.reserve(kBufferLimit);
    m_buffer.append(data);
    return true;
}

bool TempFile::copyThrough(const TempFile& source, std::uint64_t offset, std::uint64_t length) {
    std::vector<char> chunk(static_cast<std::size_t>(std::min<std::uint64_t>(length, kCopyChunk)));
    while (length > 0) {
        const auto part = static_cast<std::size_t>(std::min<std::uint64_t>(length, chunk.size()));
        if (!source.readAt(offset, chunk.data(), part) ||
            !writeOut(std::string_view(chunk.data(), part)))
            return false;
        offset += part;
        length -= part;
    }
    return true;
}

bool TempFile::appendCopy(const TempFile& source, std::uint64_t offset, std::uint64_t length) {
    if (!flush())
        return false;
    const std::uint64_t before = m_written;
    if (copyOut(source, offset, length))
        return true;
    rollBack(before);
    return false;
}

bool TempFile::overwrite(std::uint64_t offset, std::string_view data) {
    if (offset + data.size() > size())
        return false;
    if (offset < m_written) {
        const auto onDisk =
            static_cast<std::size_t>(std::min<std::uint64_t>(data.size(), m_written - offset));
        if (!writeAt(offset, data.substr(0, onDisk)))
            return false;
        offset += onDisk;
        data.remove_prefix(onDisk);
    }
    if (!data.empty())
        std::memcpy(m_buffer.data() + (offset - m_written), data.data(), data.size());
    return true;
}

} // namespace paylib
