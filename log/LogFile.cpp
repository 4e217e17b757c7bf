#include "log/LogFile.h"

#include "platform/FileSystem.h"

LogFile::~LogFile() {
    close();
}

bool LogFile::create(std::string_view name) {
    return open(name, platform::WriteMode::Create);
}

bool LogFile::append(std::string_view name) {
    return open(name, platform::WriteMode::Append);
}

bool LogFile::reopen() {
    const std::string name = m_name;
    close();
    return !name.empty() && append(name);
}

bool LogFile::open(std::string_view name, platform::WriteMode mode) {
    const std::string fileName(name);
    // The buffered lines go first: creating the same file again must not be followed by
    // bytes of its old contents when the old stream closes.
    if (m_file != nullptr && std::fflush(m_file) != 0)
        std::clearerr(m_file);
    std::FILE* next = platform::openRegularFile(fileName, mode);
    if (next == nullptr)
        return false;
    close();
    m_file = next;
    m_name = fileName;
    std::setvbuf(m_file, m_buffer, _IOFBF, kBufferSize);
    return true;
}

void LogFile::write(std::string_view bytes) {
    if (m_file == nullptr)
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        std::clearerr(m_file);
}

bool LogFile::commit() {
    return platform::commitFile(m_file);
}

void LogFile::close() {
    m_name.clear();
    if (m_file == nullptr)
        return;
    std::fclose(m_file);
    m_file = nullptr;
}
