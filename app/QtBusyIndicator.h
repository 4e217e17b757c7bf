#pragma once

#include "binding/BusyIndicator.h"

// The busy sign of a long library run in Qt: the wait cursor over the whole program, and the
// event loop run once without user input, so the windows repaint but no second command
// starts in the middle of a run.
class QtBusyIndicator : public zalvo::BusyIndicator {
public:
    void setBusy(bool busy) override;
    void letEventsThrough() override;
};
