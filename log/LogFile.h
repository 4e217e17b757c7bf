#pragma once

#include <cstdio>
#include <string_view>

// The open log file: 8-bit bytes through a write buffer of 128 characters. Other processes
// may read the file while it is open. The name is Windows-1252 and converted for the file
// system only here.
class LogFile {
public:
    LogFile() = default;
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Creates the file, replacing an existing one.
    bool create(std::string_view name);
    // Opens an existing file for writing at its end; fails when the file does not exist.
    bool append(std::string_view name);

    bool isOpen() const { return m_file != nullptr; }

    // A failed write is cleared and ignored.
    void write(std::string_view bytes);

    // Hands the buffered text to the file and commits the file to the storage device;
    // false when the file is closed or either step is refused.
    bool commit();

    // Errors while closing are ignored.
    void close();

    static constexpr std::size_t kBufferSize = 128;

private:
    bool open(std::string_view name, const char* mode, bool toEnd);

    std::FILE* m_file = nullptr;
    char m_buffer[kBufferSize] = {};
};
