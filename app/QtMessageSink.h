#pragma once

#include "binding/MessageSink.h"

#include <memory>

class QMessageBox;

// Shows the reporter's messages in a modal QMessageBox owned by the given window. The text
// can be selected with the mouse or keyboard, and Ctrl+C copies it (the whole text when
// nothing is selected), since users paste result texts into bug reports.
class QtMessageSink : public zalvo::MessageSink {
public:
    void show(zalvo::OwnerWindow owner, std::string_view caption, std::string_view text,
              zalvo::MessageIcon icon) override;

    // The box show() runs, built but not shown.
    static std::unique_ptr<QMessageBox> createBox(zalvo::OwnerWindow owner,
                                                  std::string_view caption, std::string_view text,
                                                  zalvo::MessageIcon icon);
};
