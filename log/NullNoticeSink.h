#pragma once

#include "log/LogNoticeSink.h"

// Used where no desktop can show a notice (the stand-in library, a program without a GUI):
// nothing is shown and the notice counts as confirmed, so the line is still written and
// DEBUG stays on exactly as if a user had pressed OK.
class NullNoticeSink final : public LogNoticeSink {
public:
    bool confirm(std::string_view caption, std::string_view message) override;
};
