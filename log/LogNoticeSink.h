#pragma once

#include <string_view>

// Where the log writer's notice box goes. Texts are Windows-1252 bytes with CR LF line breaks.
class LogNoticeSink {
public:
    virtual ~LogNoticeSink() = default;

    // Shows the notice modally; true when the user confirmed with OK, false for Cancel or
    // for a box closed without OK.
    virtual bool confirm(std::string_view caption, std::string_view message) = 0;
};
