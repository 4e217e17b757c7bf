// The POSIX file operations under TempFile.
#include "paylib/sepa/TempFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace paylib {
namespace {

constexpr mode_t kScratchMode = 0600;
constexpr mode_t kDocumentMode = 0666;    // less the umask, as for any file the user creates
constexpr mode_t kFallbackDocMode = 0644; // mkostemp files: what umask 022 would leave
constexpr int kNameAttempts = 100;
constexpr std::string_view kProcFd = "/proc/self/fd/";

std::string withSlash(const std::string& directory) {
    std::string path = directory.empty() ? std::string(".") : directory;
    if (path.back() != '/')
        path += '/';
    return path;
}

// A nameless file needs /proc to be linked into the directory at commit.
bool canNameLater() {
    return ::access(std::string(kProcFd).c_str(), X_OK) == 0;
}

int openNameless(const std::string& directory, mode_t mode) {
#ifdef O_TMPFILE
    return ::open(withSlash(directory).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
#else
    (void)directory;
    (void)mode;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

int openNamed(const std::string& directory, std::string_view stem, std::string& path) {
    std::string pattern = withSlash(directory);
    pattern += '.';
    pattern += stem;
    pattern += ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0)
        path.assign(name.data());
    return fd;
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// After a rename the directory entry itself must reach the disk, or a crash may lose it.
void syncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string uniqueSuffix(int attempt) {
    static unsigned counter = 0;
    char text[32];
    std::snprintf(text, sizeof text, ".%d.%u.%d", static_cast<int>(::getpid()), ++counter, attempt);
    return text;
}

} // namespace

std::unique_ptr<TempFile> TempFile::scratch(const std::string& directory) {
    int fd = openNameless(directory, kScratchMode);
    if (fd < 0) {
        std::string path;
        fd = openNamed(directory, "zalvo-scratch", path);
        if (fd < 0)
            return nullptr;
        // Open and without a name: nothing can be left behind.
        ::unlink(path.c_str());
    }
    return std::unique_ptr<TempFile>(new TempFile(fd, {}, directory));
}

std::unique_ptr<TempFile> TempFile::forTarget(const std::string& directory, std::string_view stem) {
    if (canNameLater()) {
        const int fd = openNameless(directory, kDocumentMode);
        if (fd >= 0)
            return std::unique_ptr<TempFile>(new TempFile(fd, {}, directory));
    }
    std::string path;
    const int fd = openNamed(directory, stem, path);
    if (fd < 0)
        return nullptr;
    ::fchmod(fd, kFallbackDocMode);
    return std::unique_ptr<TempFile>(new TempFile(fd, path, directory));
}

TempFile::TempFile(NativeFile fd, std::string path, std::string directory)
    : m_fd(fd), m_path(std::move(path)), m_directory(std::move(directory)) {}

TempFile::~TempFile() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed && !m_path.empty())
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

// Nothing of a refused append may stay behind.
void TempFile::rollBack(std::uint64_t size) {
    if (::ftruncate(m_fd, static_cast<off_t>(size)) == 0 &&
        ::lseek(m_fd, static_cast<off_t>(size), SEEK_SET) >= 0)
        m_written = size;
}

bool TempFile::copyOut(const TempFile& source, std::uint64_t offset, std::uint64_t length) {
    auto in = static_cast<off_t>(offset);
    while (length > 0) {
        const ssize_t done =
            ::copy_file_range(source.m_fd, &in, m_fd, nullptr, static_cast<std::size_t>(length), 0);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            break;
        m_written += static_cast<std::uint64_t>(done);
        length -= static_cast<std::uint64_t>(done);
    }
    if (length == 0)
        return true;
    // Across file systems, or where the kernel cannot copy: through user space.
    return copyThrough(source, static_cast<std::uint64_t>(in), length);
}

bool TempFile::writeAt(std::uint64_t offset, std::string_view data) {
    while (!data.empty()) {
        const ssize_t done = ::pwrite(m_fd, data.data(), data.size(), static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        offset += static_cast<std::uint64_t>(done);
        data.remove_prefix(static_cast<std::size_t>(done));
    }
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

// Links a nameless file into its directory under a fresh hidden name.
bool TempFile::nameFor(const std::string& target, std::string& named) {
    const std::string proc = std::string(kProcFd) + std::to_string(m_fd);
    const std::size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        named = withSlash(m_directory) + "." + base + uniqueSuffix(attempt);
        if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, named.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool TempFile::commit(const std::string& target) {
    if (!flush() || ::fsync(m_fd) != 0)
        return false;
    if (m_path.empty()) {
        // Straight under the final name when it is free; else beside it, then renamed over it.
        const std::string proc = std::string(kProcFd) + std::to_string(m_fd);
        if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno != EEXIST || !nameFor(target, m_path))
                return false;
        }
    }
    if (!m_path.empty() && std::rename(m_path.c_str(), target.c_str()) != 0)
        return false;
    m_committed = true;
    ::close(m_fd);
    m_fd = -1;
    syncDirectory(directoryOf(target));
    return true;
}

} // namespace paylib
