#pragma once

#include <functional>

// The short sound of a refused key. Widgets call beep(); the program installs the toolkit's
// sound and tests install a recorder.
class BeepHook {
public:
    using Handler = std::function<void()>;

    static void beep();
    static bool hasHandler();
    // Returns the handler it replaces; an empty handler makes beep() silent.
    static Handler setHandler(Handler handler);
};
