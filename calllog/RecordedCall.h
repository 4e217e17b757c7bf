#pragma once

#include "abi/EntryPoints.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zalvo::calllog {

// One library call as recorded: the entry point, every argument's bytes before and after the
// call (or its integer value), the result, when it started and how long it took. All bytes of
// a call live in one string, so a slot of the ring reuses its memory for the next call.
class RecordedCall {
public:
    // No entry point takes more arguments.
    static constexpr std::size_t kMaxArguments = 4;

    struct Argument {
        bool isBuffer = false;
        std::int32_t integer = 0;
        std::size_t offset = 0; // of the bytes before; the bytes after follow them
        std::size_t size = 0;
    };

    std::uint64_t sequence = 0; // 1 for the first call the log saw
    EntryPoint entry = EntryPoint::Init;
    std::int64_t startMicroseconds = 0; // wall clock, since 1970-01-01 UTC
    std::int64_t durationNanoseconds = 0;
    std::int32_t result = 0;

    // Drops the arguments but keeps the memory.
    void clearArguments();
    void addInteger(std::int32_t value);
    // Adds a buffer argument; its bytes before the call are `before`, after it the same
    // until setAfter.
    void addBuffer(std::string_view before);
    void setAfter(std::size_t index, std::string_view after);

    std::size_t argumentCount() const { return m_count; }
    const Argument& argument(std::size_t index) const { return m_arguments[index]; }
    std::string_view before(std::size_t index) const;
    std::string_view after(std::size_t index) const;

private:
    std::array<Argument, kMaxArguments> m_arguments{};
    std::size_t m_count = 0;
    std::string m_bytes; // every buffer: before bytes, then after bytes
};

} // namespace zalvo::calllog
