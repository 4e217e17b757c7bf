#include "log/LogFile.h"

#include "platform/FileSystem.h"

#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

LogFile::~LogFile() {
    close();
}

bool LogFile::create(std::string_view name) {
    return open(name, "wb", false);
}

bool LogFile::append(std::string_view name) {
    // "r+" refuses a missing file, which is what APPEND must report.
    return open(name, "r+b", true);
}

bool LogFile::open(std::string_view name, const char* mode, bool toEnd) {
    close();
    const std::string fileName = platform::nativePath(name);
    m_file = std::fopen(fileName.c_str(), mode);
    if (m_file == nullptr)
        return false;
    std::setvbuf(m_file, m_buffer, _IOFBF, kBufferSize);
    if (toEnd && std::fseek(m_file, 0, SEEK_END) != 0) {
        close();
        return false;
    }
    return true;
}

void LogFile::write(std::string_view bytes) {
    if (m_file == nullptr)
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        std::clearerr(m_file);
}

bool LogFile::commit() {
    if (m_file == nullptr)
        return false;
    if (std::fflush(m_file) != 0) {
        std::clearerr(m_file);
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(m_file)) == 0;
#else
    return ::fsync(::fileno(m_file)) == 0;
#endif
}

void LogFile::close() {
    if (m_file == nullptr)
        return;
    std::fclose(m_file);
    m_file = nullptr;
}
