#include "platform/DisplayCheck.h"

#include <cstdlib>

namespace platform {

bool displayAvailable(WindowSystem system, const EnvironmentLookup& lookup) {
    if (system == WindowSystem::Native)
        return true;
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = lookup(variable);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

bool displayAvailable() {
    return displayAvailable(nativeWindowSystem(),
                            [](const char* variable) { return std::getenv(variable); });
}

} // namespace platform
