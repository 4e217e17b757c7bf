#include "platform/Clock.h"

#include "platform/SystemClock.h"

namespace platform {
namespace {

const Clock& systemClock() {
    static const SystemClock clock;
    return clock;
}

const Clock* g_current = nullptr;

} // namespace

const Clock& Clock::current() {
    return g_current ? *g_current : systemClock();
}

void Clock::setCurrent(const Clock& clock) {
    g_current = &clock;
}

void Clock::resetCurrent() {
    g_current = nullptr;
}

} // namespace platform
