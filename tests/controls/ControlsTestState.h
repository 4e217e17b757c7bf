#pragma once

#include "controls/BeepHook.h"
#include "controls/MaskedText.h"
#include "helpers/SepaCharSet.h"

// Pins the process-wide state that fields share (SEPA set, insert mode, beep) for one test
// and puts it back afterwards. Counts the beeps meanwhile.
class ControlsTestState {
public:
    ControlsTestState()
        : m_mode(SepaCharSetMode()), m_overwrite(MaskedText::sharedOverwrite()),
          m_beepHandler(BeepHook::setHandler([this] { ++m_beeps; })) {
        SelectSepaCharSet(0);
        MaskedText::setSharedOverwrite(false);
    }
    ~ControlsTestState() {
        BeepHook::setHandler(m_beepHandler);
        MaskedText::setSharedOverwrite(m_overwrite);
        SelectSepaCharSet(m_mode);
    }
    ControlsTestState(const ControlsTestState&) = delete;
    ControlsTestState& operator=(const ControlsTestState&) = delete;

    int beeps() const { return m_beeps; }

private:
    unsigned char m_mode;
    bool m_overwrite;
    int m_beeps = 0;
    BeepHook::Handler m_beepHandler;
};
