#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace paylib {

// The bytes of a DTA file as the reader walks them front to back: either all in memory, or
// streamed through a window of fixed size, so a large file is never held whole and its
// pages are not touched twice. Offsets are from the start of the file.
class DtaInput {
public:
    explicit DtaInput(std::string_view bytes);
    // Reads `size` bytes of `stream` from where it stands.
    DtaInput(std::istream& stream, std::uint64_t size);

    std::uint64_t size() const { return m_size; }

    // Makes the `count` bytes from `offset` on readable, or as many as the input still has.
    // Offsets only move forward. False when the stream delivered fewer bytes than promised.
    [[nodiscard]] bool ensure(std::uint64_t offset, std::size_t count);

    // `width` bytes from `offset`, which ensure() has made readable.
    std::string_view bytes(std::uint64_t offset, std::size_t width) const {
        return m_window.substr(static_cast<std::size_t>(offset - m_windowStart), width);
    }
    char byte(std::uint64_t offset) const {
        return m_window[static_cast<std::size_t>(offset - m_windowStart)];
    }

private:
    std::istream* m_stream = nullptr;
    std::uint64_t m_size = 0;
    std::string m_buffer;
    std::string_view m_window;       // the readable bytes, in m_buffer or the caller's memory
    std::uint64_t m_windowStart = 0; // file offset of m_window's first byte
};

} // namespace paylib
