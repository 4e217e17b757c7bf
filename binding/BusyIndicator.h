#pragma once

namespace zalvo {

// How a long library run shows that the program works rather than hangs.
class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;

    // Shows (true) or lifts (false) the busy sign; the run calls it in pairs and lifts the
    // sign while a message or file dialog is open.
    virtual void setBusy(bool busy) = 0;

    // Lets pending events other than user input through, so the windows keep painting while
    // no second command can start.
    virtual void letEventsThrough() = 0;
};

} // namespace zalvo
