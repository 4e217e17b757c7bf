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
              zalvo::MessageIcon icon, std::string_view description) override;

    // The box show() runs, built but not shown. Accessible name: the caption; accessible
    // description: `description`, or the text when it is empty.
    static std::unique_ptr<QMessageBox> createBox(zalvo::OwnerWindow owner,
                                                  std::string_view caption, std::string_view text,
                                                  zalvo::MessageIcon icon,
                                                  std::string_view description = {});
};
