#pragma once

#include "binding/OwnerWindow.h"

#include <string>
#include <string_view>

namespace zalvo {

// The steps behind the initialisation dialog's OK: load, log file, Init. The dialog reads its
// fields between the steps, so that a failed load leaves every field unread. Each step reports
// its own result with the dialog as owner.
class LibraryInit {
public:
    // Loads and binds the library. False, after reporting the code under "Zalvotech_Init", when
    // that failed; a -99998 names the missing entry point to assistive tools.
    [[nodiscard]] static bool load(OwnerWindow owner);

    // Stores the log-file name (trimmed, cut to 255; an empty one clears the stored name) and
    // starts the library's log when the name is not empty. False, after reporting, when the log
    // could not be started or SetLogFile is not bound; Init must not follow then.
    [[nodiscard]] static bool startLog(OwnerWindow owner, std::string_view logFieldText);

    // Calls Init with the three paths (trimmed, cut to 255) and reports its result. False when
    // Init is not bound (reported as -99998) and so was not called.
    [[nodiscard]] static bool initialise(OwnerWindow owner, std::string_view dataFieldText,
                                         std::string_view tempFieldText,
                                         std::string_view userFieldText);

    // A field's text as the library gets it: trimmed, at most 255 characters.
    static std::string argument(std::string_view fieldText);
};

} // namespace zalvo
