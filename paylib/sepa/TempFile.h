#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace paylib {

// A file written through a buffer that leaves nothing behind unless it is committed under
// its final name. Where the file system allows it the file has no name at all until then,
// so not even a killed process leaves it behind (on Linux; Windows names it at once and
// deletes it when dropped). Paths are UTF-8, on Windows too.
class TempFile {
public:
    // A nameless file in `directory` for data that never becomes a file of its own.
    static std::unique_ptr<TempFile> scratch(const std::string& directory);
    // A file in `directory` that commit() turns into a file of that directory; nameless where
    // the file system allows it, else "<directory>/.<stem>.XXXXXX".
    static std::unique_ptr<TempFile> forTarget(const std::string& directory, std::string_view stem);

    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Takes all of `data` or, when writing out the full buffer first fails, none of it.
    bool append(std::string_view data);
    // Appends `length` bytes of `source` from `offset`, copied inside the kernel where it can.
    bool appendCopy(const TempFile& source, std::uint64_t offset, std::uint64_t length);
    // Writes the buffer out; what could not be written stays buffered for a later try.
    bool flush();
    // Overwrites bytes already appended (buffered ones included) without changing the size.
    bool overwrite(std::uint64_t offset, std::string_view data);
    // Bytes appended so far, buffered ones included.
    std::uint64_t size() const { return m_written + m_buffer.size(); }
    // Reads `count` bytes at `offset` of what was already written out.
    bool readAt(std::uint64_t offset, char* out, std::size_t count) const;
    // Flushes, commits to the storage device and gives the file the name `target`,
    // replacing a file of that name.
    bool commit(const std::string& target);

private:
#if defined(_WIN32)
    using NativeFile = void*; // a HANDLE
    static constexpr NativeFile kNoFile = nullptr;
#else
    using NativeFile = int;
    static constexpr NativeFile kNoFile = -1;
#endif

    TempFile(NativeFile file, std::string path, std::string directory);
    // The platform's part: writes at the end, counting in m_written.
    bool writeOut(std::string_view data);
    // Writes over bytes already written out.
    bool writeAt(std::uint64_t offset, std::string_view data);
    // Cuts the file back to `size`: nothing of a refused append may stay behind.
    void rollBack(std::uint64_t size);
    bool copyOut(const TempFile& source, std::uint64_t offset, std::uint64_t length);
    // The copy through a buffer of this process, where the system cannot copy by itself.
    bool copyThrough(const TempFile& source, std::uint64_t offset, std::uint64_t length);
#if !defined(_WIN32)
    bool nameFor(const std::string& target, std::string& named);
#endif

    NativeFile m_fd;
    std::string m_path;      // empty while the file has no name
    std::string m_directory; // where a nameless file gets its name
    std::string m_buffer;
    std::uint64_t m_written = 0;
    bool m_committed = false;
};

} // namespace paylib
