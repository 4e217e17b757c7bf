#pragma once

#include "abi/EntryPoints.h"
#include "abi/MutableRecordView.h"
#include "binding/CallObserver.h"
#include "binding/DLLAPI.h"
#include "binding/OwnerWindow.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

namespace zalvo {

// Which messages one library call shows through the result reporter, owned by the caller's
// window and under the entry point's name.
enum class CallReport {
    Always,   // -99998 for an empty slot, else the result
    UnlessOk, // -99998 for an empty slot, else a result other than 0
    SlotOnly, // -99998 for an empty slot only; the caller shows what follows
    Nothing,  // not even that (closing the main window shows nothing)
};

// The GetDTAInfo counter, the one argument the library writes through an int32 pointer.
using Counter = std::span<std::int32_t, 1>;

// The one way the front end calls the library: take the entry point's slot, report -99998
// when it is empty and call nothing, otherwise call it, report the result and return it.
// Arguments are bounded views for records and buffers (MutableRecordView for char*,
// RecordView for const char*), int32 values, and a Counter; an entry point called with the
// wrong kinds of argument does not compile.
class LibraryCall {
public:
    // The result, or nothing when the slot was empty and nothing was called.
    template <EntryPoint E, typename... Args>
    [[nodiscard]] static std::optional<std::int32_t> call(OwnerWindow owner, CallReport report,
                                                          Args... args) {
        const EntryPointFn<E> function = DLLAPI::bound<E>();
        if (!function) {
            reportEmptySlot(owner, E, report);
            return std::nullopt;
        }
        std::int32_t result = 0;
        if (s_observer == nullptr) {
            result = function(pass(args)...);
        } else {
            result = observed<E>(function, args...);
        }
        reportResult(owner, E, report, result);
        return result;
    }

    // Whether the entry point can be called; -99998 is reported when its slot is empty. For
    // runs that check all their entry points before the first call.
    template <EntryPoint E> [[nodiscard]] static bool available(OwnerWindow owner) {
        if (DLLAPI::bound<E>()) {
            return true;
        }
        reportEmptySlot(owner, E, CallReport::SlotOnly);
        return false;
    }

    // The observer of every call from now on; nullptr stops observing. Not owned.
    static void setObserver(CallObserver* observer) { s_observer = observer; }
    static CallObserver* observer() { return s_observer; }

private:
    static char* pass(const MutableRecordView& record) { return record.data(); }
    static const char* pass(const RecordView& record) { return record.data(); }
    static std::int32_t pass(std::int32_t value) { return value; }
    static std::int32_t* pass(Counter counter) { return counter.data(); }

    static CallArgument argument(const RecordView& record) { return {record.span(), 0, true}; }
    static CallArgument argument(std::int32_t value) { return {{}, value, false}; }
    static CallArgument argument(Counter counter) {
        return {{reinterpret_cast<const char*>(counter.data()), sizeof(std::int32_t)}, 0, true};
    }

    template <EntryPoint E, typename... Args>
    static std::int32_t observed(EntryPointFn<E> function, const Args&... args) {
        CallObserver& observer = *s_observer;
        const std::array<CallArgument, sizeof...(Args)> arguments{argument(args)...};
        observer.beforeCall(E, arguments);
        const auto start = std::chrono::steady_clock::now();
        const std::int32_t result = function(pass(args)...);
        const auto duration = std::chrono::steady_clock::now() - start;
        observer.afterCall(E, arguments, result, start,
                           std::chrono::duration_cast<std::chrono::nanoseconds>(duration));
        return result;
    }

    static void reportEmptySlot(OwnerWindow owner, EntryPoint entry, CallReport report);
    static void reportResult(OwnerWindow owner, EntryPoint entry, CallReport report,
                             std::int32_t result);

    static inline CallObserver* s_observer = nullptr;
};

} // namespace zalvo
