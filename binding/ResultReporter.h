#pragma once

#include "binding/MessageSink.h"
#include "binding/OwnerWindow.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zalvo {

// Turns a result code and a name text into the one German message box every library result,
// binding failure and composed text is shown in.
class ResultReporter {
public:
    // Shows the message for `code` owned by `owner`. For codes 1 to 128 `name` is the whole
    // text; otherwise it names the entry point. Without an installed sink nothing is shown.
    static void report(OwnerWindow owner, std::string_view name, int32_t code);
    // Shows a text the front end composed from what the library answered, under the success
    // caption (code 1).
    static void reportText(OwnerWindow owner, std::string_view text);
    // Shows the -99998 message, whose text names no entry point; the box's description for
    // assistive tools adds the name of the one that is missing.
    static void reportMissingEntryPoint(OwnerWindow owner, std::string_view entryPoint);

    // "Erfolg!" for codes of 0 or more, the error caption for negative ones.
    static std::string caption(int32_t code);
    // The text exactly as shown, three blanks appended, Windows-1252, CR LF.
    static std::string text(std::string_view name, int32_t code);
    // The text of a code the front end words itself (0, -99999, -99998, -99997), without
    // the appended blanks; nothing for a code shown by number under the entry point's name.
    static std::optional<std::string_view> fixedText(int32_t code);
    // Codes 1 to 128: the message is the caller's own text.
    static bool isCallerText(int32_t code);
    static MessageIcon icon(int32_t code);
    // The description of the -99998 box: its text, then "Fehlende Funktion: " and the name.
    static std::string missingEntryPointDescription(std::string_view entryPoint);

    // The sink stays owned by the caller, who must uninstall it (nullptr) before it dies.
    static void setSink(MessageSink* sink);
    static MessageSink* sink();
};

} // namespace zalvo
