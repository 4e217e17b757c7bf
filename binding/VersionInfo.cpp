#include "binding/VersionInfo.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "binding/ResultReporter.h"
#include "helpers/DateHelpers.h"

namespace zalvo {

namespace {

// Composed texts are shown with code 1: the text under the success caption.
constexpr int32_t kComposedText = 1;

// Windows-1252: "\xE4" is "ä", "\xFC" is "ü".
constexpr std::string_view kParticipants = "Aktualit\xE4t der SEPA-Teilnehmer: ";
constexpr std::string_view kBankCodes = "G\xFC"
                                        "ltigkeit des BLZ-Bestandes: ";

} // namespace

std::string VersionInfo::versionText(const Record& record) {
    return "Version " + record.text(version::kText) + " vom " +
           DigitsToDateText(record.text(version::kDate)) + ".";
}

std::string VersionInfo::informationText(const Record& record) {
    std::string text(kParticipants);
    text += DigitsToDateText(record.text(info::kParticipantsDate));
    text += ".\r\n\r\n";
    text += kBankCodes;
    text += DigitsToDateText(record.text(info::kBankCodesFrom));
    text += " bis ";
    text += DigitsToDateText(record.text(info::kBankCodesUntil));
    return text;
}

void VersionInfo::showVersion(OwnerWindow owner) {
    const auto version = DLLAPI::entry<EntryPoint::Version>(owner);
    if (!version) {
        return;
    }
    Record record(version::kSize);
    version(record.data());
    ResultReporter::report(owner, versionText(record), kComposedText);
}

void VersionInfo::showInformation(OwnerWindow owner) {
    const auto information = DLLAPI::entry<EntryPoint::Info>(owner);
    if (!information) {
        return;
    }
    Record record(info::kSize);
    const int32_t result = information(record.data());
    if (result != kResultOk) {
        ResultReporter::report(owner, entryPointName(EntryPoint::Info), result);
        return;
    }
    ResultReporter::report(owner, informationText(record), kComposedText);
}

} // namespace zalvo
