// The Windows file operations under TempFile. Windows has no nameless files: a file gets a
// hidden-by-dot random name at once; a scratch file is deleted by the system when it is
// closed, a document file by the destructor unless it was committed.
#include "paylib/sepa/TempFile.h"

#include <algorithm>
#include <random>

#include <windows.h>

namespace paylib {
namespace {

constexpr int kNameAttempts = 100;
constexpr int kRandomLetters = 6;
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::wstring wide(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        result.data(), size);
    return result;
}

std::string randomLetters() {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string letters;
    for (int i = 0; i < kRandomLetters; ++i)
        letters += kLetters[pick(generator)];
    return letters;
}

std::string withDelimiter(const std::string& directory) {
    std::string path = directory.empty() ? std::string(".") : directory;
    if (path.back() != '\\' && path.back() != '/')
        path += '\\';
    return path;
}

// A new file "<directory>.<stem>.XXXXXX"; shared for deletion, so it can be renamed while open.
HANDLE createUnique(const std::string& directory, std::string_view stem, DWORD flags,
                    std::string& path) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string candidate =
            withDelimiter(directory) + "." + std::string(stem) + "." + randomLetters();
        const std::wstring name = wide(candidate);
        if (name.empty())
            return INVALID_HANDLE_VALUE;
        const HANDLE file =
            CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW, flags, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            path = candidate;
            return file;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return INVALID_HANDLE_VALUE;
    }
    return INVALID_HANDLE_VALUE;
}

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

DWORD chunkOf(std::size_t size) {
    return static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
}

// Writes all of `data` from `offset` on; `written` counts what reached the file, also when a
// write fails. Every write names its offset: reads elsewhere in the file leave no position
// behind.
bool writeFrom(HANDLE file, std::uint64_t offset, std::string_view data, std::uint64_t& written) {
    while (!data.empty()) {
        OVERLAPPED position = at(offset + written);
        DWORD done = 0;
        if (!WriteFile(file, data.data(), chunkOf(data.size()), &done, &position) || done == 0)
            return false;
        written += done;
        data.remove_prefix(done);
    }
    return true;
}

} // namespace

std::unique_ptr<TempFile> TempFile::scratch(const std::string& directory) {
    std::string path;
    const HANDLE file = createUnique(directory, "zalvo-scratch",
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, path);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    // The system deletes it on close: the object keeps no name to delete.
    return std::unique_ptr<TempFile>(new TempFile(file, {}, directory));
}

std::unique_ptr<TempFile> TempFile::forTarget(const std::string& directory, std::string_view stem) {
    std::string path;
    const HANDLE file = createUnique(directory, stem, FILE_ATTRIBUTE_NORMAL, path);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::unique_ptr<TempFile>(new TempFile(file, path, directory));
}

TempFile::TempFile(NativeFile fd, std::string path, std::string directory)
    : m_fd(fd), m_path(std::move(path)), m_directory(std::move(directory)) {}

TempFile::~TempFile() {
    if (m_fd != kNoFile)
        CloseHandle(m_fd);
    if (!m_committed && !m_path.empty())
        DeleteFileW(wide(m_path).c_str());
}

bool TempFile::writeOut(std::string_view data) {
    std::uint64_t written = 0;
    const bool complete = writeFrom(m_fd, m_written, data, written);
    m_written += written;
    return complete;
}

bool TempFile::writeAt(std::uint64_t offset, std::string_view data) {
    std::uint64_t written = 0;
    return writeFrom(m_fd, offset, data, written);
}

void TempFile::rollBack(std::uint64_t size) {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    if (SetFilePointerEx(m_fd, end, nullptr, FILE_BEGIN) && SetEndOfFile(m_fd))
        m_written = size;
}

bool TempFile::copyOut(const TempFile& source, std::uint64_t offset, std::uint64_t length) {
    return copyThrough(source, offset, length);
}

bool TempFile::readAt(std::uint64_t offset, char* out, std::size_t count) const {
    while (count > 0) {
        OVERLAPPED position = at(offset);
        DWORD done = 0;
        if (!ReadFile(m_fd, out, chunkOf(count), &done, &position) || done == 0)
            return false;
        out += done;
        count -= done;
        offset += done;
    }
    return true;
}

bool TempFile::commit(const std::string& target) {
    if (!flush() || !FlushFileBuffers(m_fd))
        return false;
    if (!MoveFileExW(wide(m_path).c_str(), wide(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    m_committed = true;
    CloseHandle(m_fd);
    m_fd = kNoFile;
    return true;
}

} // namespace paylib
