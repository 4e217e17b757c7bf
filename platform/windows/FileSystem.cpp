#include "platform/FileSystem.h"

#include <memory>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shlobj.h>

// Names go to the ANSI functions unchanged: they are Windows-1252, the ANSI code page of the
// systems the program is made for.
namespace platform {
namespace {

struct FindCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

using OwnedHandle = std::unique_ptr<void, HandleCloser>;

OwnedHandle ownedFile(HANDLE handle) {
    return OwnedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

DWORD attributesOf(std::string_view name) {
    return name.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(std::string(name).c_str());
}

bool isListedName(const char* name) {
    return std::string_view(name) != "." && std::string_view(name) != "..";
}

// The search pattern for every entry of a directory: "dir\*", "C:*", "*".
std::string everythingIn(std::string_view directory) {
    std::string pattern(directory);
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/' &&
        pattern.back() != ':')
        pattern += '\\';
    return pattern + "*";
}

// Sets the error mode for the lifetime of the object and restores the one before.
class ScopedErrorMode {
public:
    explicit ScopedErrorMode(UINT mode) : m_previous(SetErrorMode(mode)) {}
    ~ScopedErrorMode() { SetErrorMode(m_previous); }
    ScopedErrorMode(const ScopedErrorMode&) = delete;
    ScopedErrorMode& operator=(const ScopedErrorMode&) = delete;

private:
    UINT m_previous;
};

bool isDelimiter(char c) {
    return c == '\\' || c == '/';
}

// The parent under Windows rules: "C:\a\b" -> "C:\a", "C:\a" -> "C:\", "C:a" -> "C:",
// "a" -> "."; a drive root, a bare drive and the root "\" are their own parents.
std::string parentOf(const std::string& name) {
    const std::size_t rootEnd = name.size() >= 2 && name[1] == ':' ? 2 : 0;
    std::size_t end = name.size();
    while (end > rootEnd + 1 && isDelimiter(name[end - 1]))
        --end;
    std::size_t start = end;
    while (start > rootEnd && !isDelimiter(name[start - 1]))
        --start;
    if (start == rootEnd)
        return rootEnd > 0 || name.empty() ? name.substr(0, rootEnd) : std::string(".");
    std::size_t parentEnd = start - 1;
    while (parentEnd > rootEnd && isDelimiter(name[parentEnd - 1]))
        --parentEnd;
    // Down to the delimiter after the drive, or the root delimiter itself.
    return name.substr(0, parentEnd == rootEnd ? rootEnd + 1 : parentEnd);
}

bool isMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Devices ("NUL", "COM1") and pipes answer as other file types; a directory cannot be opened
// for writing at all. The attributes alone are asked for: GetFileInformationByHandle would also
// ask the volume for its serial number, a round trip to Wine's mount manager that ends a 32-bit
// test program in a deadlock under qemu (docs/decisions/windows.md).
bool isRegularFile(HANDLE file) {
    FILE_BASIC_INFO info{};
    return GetFileType(file) == FILE_TYPE_DISK &&
           GetFileInformationByHandleEx(file, FileBasicInfo, &info, sizeof info) &&
           (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool prepareForWriting(HANDLE file, WriteMode mode) {
    LARGE_INTEGER start{};
    if (mode == WriteMode::Create)
        return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    return SetFilePointerEx(file, start, nullptr, FILE_END);
}

template <typename Query> std::string systemFolder(Query query) {
    char buffer[MAX_PATH + 1] = {};
    const UINT length = query(buffer, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? std::string(buffer, length) : std::string();
}

} // namespace

std::string nativePath(std::string_view name) {
    return std::string(name);
}

bool pathExists(std::string_view name) {
    return attributesOf(name) != INVALID_FILE_ATTRIBUTES;
}

bool isDirectory(std::string_view name) {
    const DWORD attributes = attributesOf(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool freeSpaceQuerySucceeds(std::string_view name) {
    if (name.empty())
        return false;
    // An empty floppy or card drive would otherwise ask the user to insert a disk.
    const ScopedErrorMode quiet(SEM_FAILCRITICALERRORS);
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    return GetDiskFreeSpaceExA(std::string(name).c_str(), &available, &total, &free) != 0;
}

std::string nearestExistingAncestor(std::string_view name) {
    std::string candidate(name);
    while (!candidate.empty()) {
        // Any answer but "not there" (no access, a drive that is not ready) is the file
        // system's own: it is asked here, not above.
        if (attributesOf(candidate) != INVALID_FILE_ATTRIBUTES || !isMissing(GetLastError()))
            return candidate;
        std::string parent = parentOf(candidate);
        if (parent.empty() || parent == candidate)
            return candidate;
        candidate = std::move(parent);
    }
    return candidate;
}

std::string canonicalPath(std::string_view name) {
    const std::string input = name.empty() ? std::string(".") : std::string(name);
    if (!pathExists(input))
        return {};
    char full[MAX_PATH + 1] = {};
    const DWORD fullLength = GetFullPathNameA(input.c_str(), sizeof full, full, nullptr);
    if (fullLength == 0 || fullLength > MAX_PATH)
        return {};
    // Short 8.3 names ("PROGRA~1") become the long ones they stand for.
    char longName[MAX_PATH + 1] = {};
    const DWORD longLength = GetLongPathNameA(full, longName, sizeof longName);
    if (longLength == 0 || longLength > MAX_PATH)
        return std::string(full, fullLength);
    return std::string(longName, longLength);
}

std::string currentDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return length > 0 && length <= MAX_PATH ? std::string(buffer, length) : std::string();
}

bool setCurrentDirectory(std::string_view name) {
    return !name.empty() && SetCurrentDirectoryA(std::string(name).c_str()) != 0;
}

std::vector<DirectoryEntry> listDirectory(std::string_view directory) {
    std::vector<DirectoryEntry> entries;
    WIN32_FIND_DATAA found{};
    const HANDLE first = FindFirstFileA(everythingIn(directory).c_str(), &found);
    if (first == INVALID_HANDLE_VALUE)
        return entries;
    const std::unique_ptr<void, FindCloser> search(first);
    do {
        if (!isListedName(found.cFileName))
            continue;
        DirectoryEntry item;
        item.name = found.cFileName;
        item.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.isRegularFile =
            (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT |
                                       FILE_ATTRIBUTE_DEVICE)) == 0;
        entries.push_back(std::move(item));
    } while (FindNextFileA(first, &found));
    return entries;
}

bool removeFile(std::string_view name) {
    const DWORD attributes = attributesOf(name);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    return DeleteFileA(std::string(name).c_str()) != 0;
}

std::FILE* openRegularFile(std::string_view name, WriteMode mode) {
    if (name.empty())
        return nullptr;
    // Other readers may read the log while it is open, as on Linux.
    OwnedHandle file = ownedFile(CreateFileA(
        std::string(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        mode == WriteMode::Create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // Emptied only once it is known to be a regular file.
    if (!file || !isRegularFile(file.get()) || !prepareForWriting(file.get(), mode))
        return nullptr;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file.get()), _O_WRONLY | _O_BINARY);
    if (fd < 0)
        return nullptr;
    file.release();
    std::FILE* stream = _fdopen(fd, "wb");
    if (stream == nullptr)
        _close(fd);
    return stream;
}

bool commitFile(std::FILE* file) {
    if (file == nullptr)
        return false;
    if (std::fflush(file) != 0) {
        std::clearerr(file);
        return false;
    }
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
}

ProbeResult createProbeFile(std::string_view name, std::size_t zeroBytes) {
    if (name.empty())
        return ProbeResult::CreateFailed;
    const OwnedHandle file =
        ownedFile(CreateFileA(std::string(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return ProbeResult::CreateFailed;
    const std::string zeros(zeroBytes, '\0');
    std::size_t written = 0;
    while (written < zeros.size()) {
        DWORD done = 0;
        if (!WriteFile(file.get(), zeros.data() + written,
                       static_cast<DWORD>(zeros.size() - written), &done, nullptr) ||
            done == 0)
            return ProbeResult::WriteFailed;
        written += done;
    }
    return ProbeResult::Written;
}

std::string windowsDirectory() {
    return systemFolder([](char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string systemDirectory() {
    return systemFolder([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
}

std::string programFilesDirectory() {
    char buffer[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return {};
    return buffer;
}

} // namespace platform
