#include "paylib/sepa/TempFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace paylib {
namespace {

constexpr std::size_t kBufferLimit = 256 * 1024;
constexpr mode_t kFileMode = 0644; // what a freshly created document gets, as umask 022 leaves

} // namespace

std::unique_ptr<TempFile> TempFile::create(const std::string& directory, std::string_view stem) {
    std::string pattern = directory;
    if (!pattern.empty() && pattern.back() != '/')
        pattern += '/';
    pattern += '.';
    pattern += stem;
    pattern += ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    // mkostemp creates private files; the finished document is an ordinary one.
    fchmod(fd, kFileMode);
    return std::unique_ptr<TempFile>(new TempFile(fd, std::string(name.data())));
}

TempFile::TempFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}

TempFile::~TempFile() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed)
        ::unlink(m_path.c_str());
}

bool TempFile::writeOut(std::string_view data) {
    while (!data.empty()) {
        const ssize_t done = ::write(m_fd, data.data(), data.size());
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        m_written += static_cast<std::uint64_t>(done);
        data.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

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
        // Nothing of a refused append may stay behind.
        if (ftruncate(m_fd, static_cast<off_t>(before)) == 0 &&
            lseek(m_fd, static_cast<off_t>(before), SEEK_SET) >= 0)
            m_written = before;
        return false;
    }
    m_buffer.append(data);
    return true;
}

bool TempFile::readAt(std::uint64_t offset, char* out, std::size_t count) const {
    while (count > 0) {
        const ssize_t done = ::pread(m_fd, out, count, static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        out += done;
        count -= static_cast<std::size_t>(done);
        offset += static_cast<std::uint64_t>(done);
    }
    return true;
}

bool TempFile::clear() {
    m_buffer.clear();
    if (ftruncate(m_fd, 0) != 0 || lseek(m_fd, 0, SEEK_SET) < 0)
        return false;
    m_written = 0;
    return true;
}

bool TempFile::commit(const std::string& target) {
    if (!flush() || fsync(m_fd) != 0)
        return false;
    if (std::rename(m_path.c_str(), target.c_str()) != 0)
        return false;
    m_committed = true;
    ::close(m_fd);
    m_fd = -1;
    return true;
}

} // namespace paylib
