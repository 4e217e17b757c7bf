#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace platform {
enum class WriteMode;
}

// The open log file: 8-bit bytes through a write buffer of 128 characters. Other processes
// may read the file while it is open. Only regular files are opened. The name is
// Windows-1252 and converted for the file system only when the file is opened.
class LogFile {
public:
    LogFile() = default;
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Creates the file, replacing an existing one. When that fails, the file open until now
    // stays open.
    bool create(std::string_view name);
    // Opens an existing file for writing at its end; fails when the file does not exist.
    // When that fails, the file open until now stays open.
    bool append(std::string_view name);
    // Closes the file and opens the same name again at its end; closed when that fails.
    bool reopen();

    bool isOpen() const { return m_file != nullptr; }
    // The name the open file was opened under; empty while closed.
    const std::string& name() const { return m_name; }

    // A failed write is cleared and ignored.
    void write(std::string_view bytes);

    // Hands the buffered text to the file and commits the file to the storage device;
    // false when the file is closed or either step is refused.
    bool commit();

    // Errors while closing are ignored.
    void close();

    static constexpr std::size_t kBufferSize = 128;

private:
    bool open(std::string_view name, platform::WriteMode mode);

    std::FILE* m_file = nullptr;
    std::string m_name;
    char m_buffer[kBufferSize] = {};
};
