#pragma once

#include <functional>

// Whether the program can open windows at all, asked before Qt is started: where Qt needs a
// display server and finds none, it aborts with a stack of plugin messages instead.
namespace platform {

enum class WindowSystem {
    // X11 or Wayland: the display server is named in the environment.
    DisplayServer,
    // Windows, macOS: the system itself shows the windows; there is always a display.
    Native,
};

// The window system Qt uses on the platform this program is built for.
constexpr WindowSystem nativeWindowSystem() {
#if defined(_WIN32) || defined(__APPLE__)
    return WindowSystem::Native;
#else
    return WindowSystem::DisplayServer;
#endif
}

// Looks up an environment variable; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// Always true on a native window system. With a display server: true when a Qt platform is
// chosen explicitly (QT_QPA_PLATFORM, e.g. offscreen or vnc) or a display is named (DISPLAY,
// WAYLAND_DISPLAY); empty values count as not set.
bool displayAvailable(WindowSystem system, const EnvironmentLookup& lookup);

// The same for this platform and the process environment.
bool displayAvailable();

} // namespace platform
