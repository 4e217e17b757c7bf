#include "controls/QtBeep.h"

#include "controls/BeepHook.h"

#include <QApplication>

void InstallQtBeep() {
    if (!BeepHook::hasHandler())
        BeepHook::setHandler([] { QApplication::beep(); });
}
