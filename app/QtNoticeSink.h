#pragma once

#include "log/LogNoticeSink.h"

// The log writer's notice box: a modal warning with OK and Cancel and no parent. Without a
// widget application (no desktop to show it on) nothing is shown and the notice counts as
// confirmed, as with NullNoticeSink.
class QtNoticeSink final : public LogNoticeSink {
public:
    static constexpr const char* kObjectName = "logNoticeBox";

    bool confirm(std::string_view caption, std::string_view message) override;
};
