#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace paylib {

// A file under a temporary name, written through a buffer, removed when dropped unless it
// was committed under its final name. Paths are in the file system's encoding (UTF-8).
class TempFile {
public:
    // Creates "<directory>/.<stem>.XXXXXX" exclusively; null when that fails.
    static std::unique_ptr<TempFile> create(const std::string& directory, std::string_view stem);

    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Takes all of `data` or, when writing out the full buffer first fails, none of it.
    bool append(std::string_view data);
    // Writes the buffer out; what could not be written stays buffered for a later try.
    bool flush();
    // Bytes appended so far, buffered ones included.
    std::uint64_t size() const { return m_written + m_buffer.size(); }
    // Reads `count` bytes at `offset` of what was already written out.
    bool readAt(std::uint64_t offset, char* out, std::size_t count) const;
    // Empties the file, for a fresh attempt.
    bool clear();
    // Flushes, commits to the storage device and renames the file to `target`.
    bool commit(const std::string& target);

    const std::string& path() const { return m_path; }

private:
    TempFile(int fd, std::string path);
    bool writeOut(std::string_view data);

    int m_fd;
    std::string m_path;
    std::string m_buffer;
    std::uint64_t m_written = 0;
    bool m_committed = false;
};

} // namespace paylib
