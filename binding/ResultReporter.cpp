#include "binding/ResultReporter.h"

#include "abi/EntryPoints.h"
#include "helpers/NumberHelpers.h"
#include "helpers/TextHelpers.h"
#include "platform/Win1252Literal.h"

namespace zalvo {

namespace {

using namespace win1252::literals;

// Texts are Windows-1252.
constexpr std::string_view kCaptionSuccess = "Erfolg!";
constexpr std::string_view kCaptionFailure = "Fehlermeldung entsprechend der Dokumentation";
constexpr std::string_view kTextSuccess = "Alles verlief erfolgreich!  ";
constexpr std::string_view kTextNotLoadable =
    "Die DLL Zalvotech.dll konnte nicht erfolgreich geladen werden!\r\n\r\n"
    "Sie ist möglicherweise nicht vorhanden, oder nicht im aktuellen Verzeichnis."_win1252;
constexpr std::string_view kTextEntryPointMissing =
    "Beim Laden einer Funktion ist ein Fehler aufgetreten.\r\n\r\n"
    "Bitte informieren Sie den Hersteller!";
constexpr std::string_view kTextNotLoaded =
    "Die API (Zalvotech.dll) wurde noch nicht geladen!\r\n\r\n"
    "Bitte rufen Sie zuerst die Funktion Zalvotech_init auf.";
constexpr std::string_view kTextErrorPrefix = "Fehler bei der Funktion: ";
constexpr std::string_view kTextErrorNumber = "\r\n\r\nFehlernummer=";
constexpr std::string_view kAppended = "   ";
constexpr std::string_view kMissingEntryPoint = "\r\n\r\nFehlende Funktion: ";

// Codes 1 to 128 carry the caller's whole text.
constexpr int32_t kFirstTextCode = 1;
constexpr int32_t kLastTextCode = 128;

// The code field is ten characters wide; a code needing more is shown as the overflow filler.
constexpr int kCodeWidth = 10;

// The text lives in a zero-terminated buffer of 1000 bytes.
constexpr std::size_t kMaxTextBytes = 999;

MessageSink* s_sink = nullptr;

} // namespace

std::string ResultReporter::caption(int32_t code) {
    return std::string(code >= 0 ? kCaptionSuccess : kCaptionFailure);
}

MessageIcon ResultReporter::icon(int32_t code) {
    return code >= 0 ? MessageIcon::Information : MessageIcon::Critical;
}

std::optional<std::string_view> ResultReporter::fixedText(int32_t code) {
    switch (code) {
    case kResultOk:
        return kTextSuccess;
    case kLibraryNotLoadable:
        return kTextNotLoadable;
    case kEntryPointMissing:
        return kTextEntryPointMissing;
    case kLibraryNotLoaded:
        return kTextNotLoaded;
    default:
        return std::nullopt;
    }
}

bool ResultReporter::isCallerText(int32_t code) {
    return code >= kFirstTextCode && code <= kLastTextCode;
}

std::string ResultReporter::text(std::string_view name, int32_t code) {
    std::string message;
    if (isCallerText(code)) {
        message = name;
    } else if (const std::optional<std::string_view> fixed = fixedText(code)) {
        message = *fixed;
    } else {
        message = kTextErrorPrefix;
        message += name;
        message += kTextErrorNumber;
        message += TrimText(FormatNumber(kCodeWidth, 0, false, code));
    }
    message += kAppended;
    if (message.size() > kMaxTextBytes) {
        message.resize(kMaxTextBytes);
    }
    return message;
}

void ResultReporter::report(OwnerWindow owner, std::string_view name, int32_t code) {
    if (!s_sink) {
        return;
    }
    s_sink->show(owner, caption(code), text(name, code), icon(code), {});
}

void ResultReporter::reportMissingEntryPoint(OwnerWindow owner, std::string_view entryPoint) {
    if (!s_sink) {
        return;
    }
    s_sink->show(owner, caption(kEntryPointMissing), text({}, kEntryPointMissing),
                 icon(kEntryPointMissing), missingEntryPointDescription(entryPoint));
}

std::string ResultReporter::missingEntryPointDescription(std::string_view entryPoint) {
    // The text stays as it has always been; only assistive tools get the name.
    std::string description = text({}, kEntryPointMissing);
    description += kMissingEntryPoint;
    description += entryPoint;
    return description;
}

void ResultReporter::reportText(OwnerWindow owner, std::string_view text) {
    report(owner, text, kFirstTextCode);
}

void ResultReporter::setSink(MessageSink* sink) {
    s_sink = sink;
}

MessageSink* ResultReporter::sink() {
    return s_sink;
}

} // namespace zalvo
