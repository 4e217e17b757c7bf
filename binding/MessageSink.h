#pragma once

#include "binding/OwnerWindow.h"

#include <string_view>

namespace zalvo {

enum class MessageIcon { Information, Critical, Warning };

// Where the result reporter's message boxes go: the Qt message box in the program, a
// recorder in tests. Texts are Windows-1252 with CR LF line breaks.
class MessageSink {
public:
    virtual ~MessageSink() = default;

    // Shows a modal box with an OK button only and returns when it has been closed.
    // `description` is what assistive tools read for the box when the text leaves out
    // something they need (which entry point is missing); empty, they read the text.
    virtual void show(OwnerWindow owner, std::string_view caption, std::string_view text,
                      MessageIcon icon, std::string_view description) = 0;
};

} // namespace zalvo
