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
// a call live in one string, so a slot of the ring reuses its memory for the next call; a
// record that is all zeros before the call, and one the library left as it was, take no
// bytes there at all, which halves the memory a DTA run writes into the ring.
class RecordedCall {
public:
    // No entry point takes more arguments.
    static constexpr std::size_t kMaxArguments = 4;
    // Records up to this size may be kept as "all zeros"; every layout fits.
    static constexpr std::size_t kMaxZeroRecord = 1024;

    // Small, so that a slot of the ring spans few cache lines.
    struct Argument {
        std::int32_t integer = 0;
        std::uint32_t size = 0;
        std::uint32_t beforeOffset = 0;
        std::uint32_t afterOffset = 0;
        bool isBuffer = false;
        bool beforeZero = false; // all zeros before the call
        bool afterSame = true;   // the library left the bytes as they were
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

    // Asks the processor to fetch this slot's memory before the next call writes it: the
    // library's own work hides the wait, which otherwise dominates recording into a large ring.
    void prefetchForWriting() const;

    std::size_t argumentCount() const { return m_count; }
    const Argument& argument(std::size_t index) const { return m_arguments[index]; }
    std::string_view before(std::size_t index) const;
    std::string_view after(std::size_t index) const;

private:
    Argument& next();

    std::array<Argument, kMaxArguments> m_arguments{};
    std::size_t m_count = 0;
    std::string m_bytes; // the bytes of every buffer that needs them
};

} // namespace zalvo::calllog
