#pragma once

#include "binding/CallObserver.h"
#include "calllog/RecordedCall.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zalvo::calllog {

// The newest calls into the library, recorded at the binding's call step. Holds at most
// `capacity` calls; each newer one drops the oldest and counts it. Everything runs on the
// thread that calls the library.
class CallLog : public CallObserver {
public:
    static constexpr std::size_t kDefaultCapacity = 100'000;

    explicit CallLog(std::size_t capacity = kDefaultCapacity);

    void beforeCall(EntryPoint entry, std::span<const CallArgument> arguments) override;
    void afterCall(EntryPoint entry, std::span<const CallArgument> arguments, std::int32_t result,
                   std::chrono::steady_clock::time_point start,
                   std::chrono::nanoseconds duration) override;

    // Calls kept, oldest first.
    std::size_t size() const { return m_size; }
    const RecordedCall& at(std::size_t index) const;
    // Older calls dropped to keep within the capacity, since the start or the last clear.
    std::uint64_t dropped() const { return m_dropped; }
    // Sequence number of the newest call, 0 before the first; also counts dropped calls.
    std::uint64_t lastSequence() const { return m_lastSequence; }
    std::size_t capacity() const { return m_capacity; }
    // Forgets every call and the dropped count; sequence numbers go on.
    void clear();

    // Installs the log as the call step's observer; uninstalls it when it dies.
    void install();
    ~CallLog() override;
    CallLog(const CallLog&) = delete;
    CallLog& operator=(const CallLog&) = delete;

private:
    RecordedCall& nextSlot();
    void prefetchNextSlot() const;
    // An index of the ring from one that may have run up to twice its capacity.
    std::size_t wrapped(std::size_t index) const;

    std::size_t m_capacity;
    std::vector<RecordedCall> m_ring;
    std::size_t m_first = 0; // index of the oldest call in m_ring
    std::size_t m_size = 0;
    std::uint64_t m_dropped = 0;
    std::uint64_t m_lastSequence = 0;
    RecordedCall* m_open = nullptr; // the call between beforeCall and afterCall
    // The wall clock at one steady-clock reading: a call's start on the wall clock follows
    // from the steady reading the call step takes anyway, without a clock reading of its own.
    std::int64_t m_wallAtOrigin;
    std::chrono::steady_clock::time_point m_steadyOrigin;
};

} // namespace zalvo::calllog
