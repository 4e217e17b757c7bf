#pragma once

#include "binding/OwnerWindow.h"

#include <optional>
#include <string>
#include <string_view>

namespace zalvo {

// The open-file and save-file dialogs of the DTA-to-XML run, as the front end shows them.
// Names are UTF-8, as the file system has them; the run decides whether the library can be
// given them.
class DtaFileChooser {
public:
    virtual ~DtaFileChooser() = default;

    // The DTA file the user chose, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> chooseDtaFile(OwnerWindow owner) = 0;

    // The XML file to write, offered as `presetName`; nothing when cancelled. Replacing an
    // existing file has already been confirmed.
    virtual std::optional<std::string> chooseXmlTarget(OwnerWindow owner,
                                                       std::string_view presetName) = 0;
};

} // namespace zalvo
