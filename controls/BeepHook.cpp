#include "controls/BeepHook.h"

#include <utility>

namespace {

BeepHook::Handler& handler() {
    static BeepHook::Handler h;
    return h;
}

} // namespace

void BeepHook::beep() {
    if (handler())
        handler()();
}

bool BeepHook::hasHandler() {
    return static_cast<bool>(handler());
}

BeepHook::Handler BeepHook::setHandler(Handler replacement) {
    return std::exchange(handler(), std::move(replacement));
}
