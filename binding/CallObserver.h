#pragma once

#include "abi/EntryPoints.h"

#include <chrono>
#include <cstdint>
#include <span>

namespace zalvo {

// One argument of a library call as an observer sees it: the bytes of a record or buffer with
// the size the contract gives it, or an integer passed by value. The bytes are live: read them
// in beforeCall for what went in, in afterCall for what the library left.
struct CallArgument {
    std::span<const char> bytes; // empty for an integer argument
    std::int32_t integer = 0;
    bool isBuffer = false;
};

// Watches every call the front end makes into the library (LibraryCall). Installed, it costs
// two clock readings per call; not installed, one pointer test.
class CallObserver {
public:
    virtual ~CallObserver() = default;

    // Right before the entry point is called.
    virtual void beforeCall(EntryPoint entry, std::span<const CallArgument> arguments) = 0;
    // Right after it returned: the same arguments, the result, when the call started (the
    // steady clock's reading the duration is measured from) and how long it took.
    virtual void afterCall(EntryPoint entry, std::span<const CallArgument> arguments,
                           std::int32_t result, std::chrono::steady_clock::time_point start,
                           std::chrono::nanoseconds duration) = 0;
};

} // namespace zalvo
