#include "platform/FileSystem.h"

#include "platform/Win1252.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

// The parent on the native delimiter; "." for a bare relative name, "/" for the root.
std::string parentOf(const std::string& name) {
    const std::size_t end = name.find_last_not_of('/');
    if (end == std::string::npos)
        return "/";
    const std::size_t slash = name.rfind('/', end);
    if (slash == std::string::npos)
        return ".";
    const std::size_t parentEnd = name.find_last_not_of('/', slash);
    return parentEnd == std::string::npos ? "/" : name.substr(0, parentEnd + 1);
}

bool isRegularFile(int fd) {
    struct stat info {};
    return fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

bool clearNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

bool prepareForWriting(int fd, WriteMode mode) {
    if (mode == WriteMode::Create)
        return ftruncate(fd, 0) == 0;
    return lseek(fd, 0, SEEK_END) >= 0;
}

} // namespace

std::string nativePath(std::string_view name) {
    return win1252::toUtf8(name);
}

bool pathExists(std::string_view name) {
    struct stat info {};
    return !name.empty() && lstat(nativePath(name).c_str(), &info) == 0;
}

bool isDirectory(std::string_view name) {
    struct stat info {};
    return !name.empty() && stat(nativePath(name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool freeSpaceQuerySucceeds(std::string_view name) {
    struct statvfs info {};
    return !name.empty() && statvfs(nativePath(name).c_str(), &info) == 0;
}

std::string nearestExistingAncestor(std::string_view name) {
    std::string candidate(name);
    while (!candidate.empty()) {
        struct stat info {};
        const std::string native = nativePath(candidate);
        const bool found = stat(native.c_str(), &info) == 0;
        // Any answer but "no such entry" (a loop, an I/O error, no permission) is the file
        // system's own: it is asked here, not above.
        if (found || (errno != ENOENT && errno != ENOTDIR))
            return candidate;
        std::string parent = parentOf(candidate);
        if (parent == candidate)
            return candidate;
        candidate = std::move(parent);
    }
    return candidate;
}

std::string canonicalPath(std::string_view name) {
    const std::string native = name.empty() ? std::string(".") : nativePath(name);
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(native.c_str(), nullptr),
                                                         &std::free);
    if (!resolved)
        return {};
    return win1252::fromUtf8(resolved.get());
}

std::string currentDirectory() {
    std::unique_ptr<char, decltype(&std::free)> current(getcwd(nullptr, 0), &std::free);
    return current ? win1252::fromUtf8(current.get()) : std::string();
}

bool setCurrentDirectory(std::string_view name) {
    return !name.empty() && chdir(nativePath(name).c_str()) == 0;
}

std::vector<DirectoryEntry> listDirectory(std::string_view directory) {
    std::vector<DirectoryEntry> entries;
    const std::string native = directory.empty() ? std::string(".") : nativePath(directory);
    std::unique_ptr<DIR, DirCloser> dir(opendir(native.c_str()));
    if (!dir)
        return entries;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view utf8Name(entry->d_name);
        if (utf8Name == "." || utf8Name == "..")
            continue;
        DirectoryEntry item;
        item.name = win1252::fromUtf8(utf8Name);
        if (win1252::toUtf8(item.name) != utf8Name)
            continue;
        struct stat info {};
        if (fstatat(dirfd(dir.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
            item.isDirectory = S_ISDIR(info.st_mode);
            item.isRegularFile = S_ISREG(info.st_mode);
        }
        entries.push_back(std::move(item));
    }
    return entries;
}

bool removeFile(std::string_view name) {
    struct stat info {};
    const std::string native = nativePath(name);
    if (name.empty() || lstat(native.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    return unlink(native.c_str()) == 0;
}

std::FILE* openRegularFile(std::string_view name, WriteMode mode) {
    if (name.empty())
        return nullptr;
    // Without O_NONBLOCK, opening a FIFO that has no reader waits for one for ever.
    int flags = O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (mode == WriteMode::Create)
        flags |= O_CREAT;
    FileDescriptor fd(open(nativePath(name).c_str(), flags, 0666));
    // Emptied only once it is known to be a regular file.
    if (fd.get() < 0 || !isRegularFile(fd.get()) || !clearNonBlocking(fd.get()) ||
        !prepareForWriting(fd.get(), mode))
        return nullptr;
    std::FILE* file = fdopen(fd.get(), "wb");
    if (file != nullptr)
        fd.release();
    return file;
}

bool commitFile(std::FILE* file) {
    if (file == nullptr)
        return false;
    if (std::fflush(file) != 0) {
        std::clearerr(file);
        return false;
    }
    return fsync(fileno(file)) == 0;
}

ProbeResult createProbeFile(std::string_view name, std::size_t zeroBytes) {
    if (name.empty())
        return ProbeResult::CreateFailed;
    const FileDescriptor fd(
        open(nativePath(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (fd.get() < 0)
        return ProbeResult::CreateFailed;
    const std::string zeros(zeroBytes, '\0');
    std::size_t written = 0;
    while (written < zeros.size()) {
        const ssize_t n = write(fd.get(), zeros.data() + written, zeros.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return ProbeResult::WriteFailed;
        written += static_cast<std::size_t>(n);
    }
    return ProbeResult::Written;
}

} // namespace platform
