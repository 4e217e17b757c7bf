#include "binding/VersionInfo.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/LibraryCall.h"
#include "binding/ResultReporter.h"
#include "helpers/DateHelpers.h"
#include "platform/Win1252Literal.h"

namespace zalvo {

namespace {

using namespace win1252::literals;

constexpr std::string_view kParticipants = "Aktualität der SEPA-Teilnehmer: "_win1252;
constexpr std::string_view kBankCodes = "Gültigkeit des BLZ-Bestandes: "_win1252;

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
    Record record(version::kSize);
    const auto result =
        LibraryCall::call<EntryPoint::Version>(owner, CallReport::SlotOnly, record.view());
    if (!result) {
        return;
    }
    // A failure is no version: "Version  vom 00.00.0000." under "Erfolg!" would hide it.
    if (*result < kResultOk) {
        ResultReporter::report(owner, entryPointName(EntryPoint::Version), *result);
        return;
    }
    ResultReporter::reportText(owner, versionText(record));
}

void VersionInfo::showInformation(OwnerWindow owner) {
    Record record(info::kSize);
    const auto result =
        LibraryCall::call<EntryPoint::Info>(owner, CallReport::UnlessOk, record.view());
    if (result == kResultOk) {
        ResultReporter::reportText(owner, informationText(record));
    }
}

} // namespace zalvo
