#include "calllog/CallLog.h"

#include "binding/LibraryCall.h"
#include "platform/LocalTime.h"

#include <stdexcept>
#include <string_view>

namespace zalvo::calllog {

namespace {

std::string_view bytesOf(const CallArgument& argument) {
    return {argument.bytes.data(), argument.bytes.size()};
}

} // namespace

CallLog::CallLog(std::size_t capacity)
    : m_capacity(capacity == 0 ? 1 : capacity),
      m_wallAtOrigin(platform::LocalTime::nowMicroseconds()),
      m_steadyOrigin(std::chrono::steady_clock::now()) {}

CallLog::~CallLog() {
    if (LibraryCall::observer() == this) {
        LibraryCall::setObserver(nullptr);
    }
}

void CallLog::install() {
    LibraryCall::setObserver(this);
}

std::size_t CallLog::wrapped(std::size_t index) const {
    return index >= m_capacity ? index - m_capacity : index;
}

RecordedCall& CallLog::nextSlot() {
    if (m_size < m_capacity) {
        if (m_ring.size() < m_capacity) {
            m_ring.emplace_back();
        }
        ++m_size;
        return m_ring[wrapped(m_first + m_size - 1)];
    }
    RecordedCall& oldest = m_ring[m_first];
    m_first = wrapped(m_first + 1);
    ++m_dropped;
    return oldest;
}

void CallLog::prefetchNextSlot() const {
    const std::size_t next = wrapped(m_first + m_size);
    if (next < m_ring.size()) {
        m_ring[next].prefetchForWriting();
    }
}

void CallLog::beforeCall(EntryPoint entry, std::span<const CallArgument> arguments) {
    RecordedCall& call = nextSlot();
    call.sequence = ++m_lastSequence;
    call.entry = entry;
    call.durationNanoseconds = 0;
    call.result = 0;
    call.clearArguments();
    for (const CallArgument& argument : arguments) {
        if (argument.isBuffer) {
            call.addBuffer(bytesOf(argument));
        } else {
            call.addInteger(argument.integer);
        }
    }
    m_open = &call;
}

void CallLog::afterCall(EntryPoint entry, std::span<const CallArgument> arguments,
                        std::int32_t result, std::chrono::steady_clock::time_point start,
                        std::chrono::nanoseconds duration) {
    // A clear between the two halves (from a window the library's call let run) left no
    // slot to finish.
    if (m_open == nullptr || m_open->entry != entry) {
        return;
    }
    RecordedCall& call = *m_open;
    m_open = nullptr;
    call.result = result;
    call.startMicroseconds =
        m_wallAtOrigin +
        std::chrono::duration_cast<std::chrono::microseconds>(start - m_steadyOrigin).count();
    call.durationNanoseconds = duration.count();
    for (std::size_t index = 0; index < arguments.size() && index < call.argumentCount(); ++index) {
        if (arguments[index].isBuffer) {
            call.setAfter(index, bytesOf(arguments[index]));
        }
    }
    prefetchNextSlot();
}

const RecordedCall& CallLog::at(std::size_t index) const {
    if (index >= m_size) {
        throw std::out_of_range("call log index");
    }
    return m_ring[wrapped(m_first + index)];
}

void CallLog::clear() {
    m_first = 0;
    m_size = 0;
    m_dropped = 0;
    m_open = nullptr;
}

} // namespace zalvo::calllog
