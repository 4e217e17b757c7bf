#pragma once

#include "binding/OwnerWindow.h"

#include <string>

namespace zalvo {

class Record;

// The main window's version and information commands: one library call each, the answer
// composed into one text and shown through the reporter.
class VersionInfo {
public:
    // Calls Version with a zeroed 44-byte record and shows "Version <text> vom <date>.", or
    // a negative answer under "Zalvotech_Version" instead.
    static void showVersion(OwnerWindow owner);
    // Calls Info with a zeroed 27-byte record; shows its three dates on 0, else the code.
    static void showInformation(OwnerWindow owner);

    static std::string versionText(const Record& record);
    static std::string informationText(const Record& record);
};

} // namespace zalvo
