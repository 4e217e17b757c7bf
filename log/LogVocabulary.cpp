#include "log/LogVocabulary.h"

#include "log/LogNoticeSink.h"
#include "platform/Win1252Literal.h"

#include "helpers/NumberHelpers.h"
#include "helpers/TextHelpers.h"

#include <array>

namespace {

using namespace win1252::literals;

constexpr std::string_view kUnknownUpper = "UNBEKANNT";
constexpr std::string_view kUnknownAction = "Unbekannt";

constexpr std::array<std::string_view, 72> kActionNames = {
    "Init",
    "Free",
    "Info",
    "CreateXML",
    "WriteXML",
    "WriteXMLExt",
    "CloseXML",
    "GetBIC",
    "CheckIBANLand",
    "CheckIBAN",
    "CheckCI",
    "CheckSEPATeilnahme",
    "ConvertBLZKonto",
    "GetBankInfo",
    "GetIBANLand",
    "GetSepaBank",
    "GetBLZ",
    "FindBLZ",
    "CheckPrüfziffer"_win1252,
    "XMLLesenInit",
    "XMLLesen",
    "XMLLesenClose",
    "AddUserBIC",
    "DelUserBIC",
    "GetUserBIC",
    "FindUserBIC",
    "AddUserIBAN",
    "DelUserIBAN",
    "GetUserIBAN",
    "FindUserIBAN",
    "SetVersionUndLand",
    "XMLSetId",
    "XMLFreeData",
    "XMLGetData",
    "SearchBLZ",
    "GetTargetDatum",
    "IsTargetDatum",
    "SetOptions",
    "GetBLZKonto",
    "GetBICInfo",
    "ReadDTA",
    "GetDTAFehler",
    "GetDTAInfo",
    "PutDTAInfo",
    "WriteDTAtoXML",
    "GetDTAProtokoll",
    "FreeDTAVars",
    "ConvertDTAZVtoXML",
    "ConvertCSVtoXML",
    "ConvertCamtToCSV",
    "CamtOpen",
    "CamtRead",
    "CamtClose",
    "ConvertDTI",
    "SetDTIMapping",
    "Version",
    "SetLogFile",
    "SetLogFileInhalt",
    "ReadMT940",
    "CreateAZV",
    "WriteAZV",
    "CloseAZV",
    "LandWhg",
    "ConvertCamtToDTI",
    "CreateXMLExt",
    "CreateXML007",
    "WriteXML007",
    "CloseXML007",
    "CreateCGI",
    "WriteCGI",
    "CloseCGI",
    "ConvertCamtToMT940",
};

constexpr std::size_t kContentDescriptionMax = 80;
constexpr std::string_view kNoContent = "KEINE AUSGABE VON INFORMATIONEN";

constexpr std::string_view kNoticeCaptionPrefix = "Zalvotech DLL Debug-Info: ";
constexpr std::size_t kNoticeCaptionMax = 56;
constexpr std::string_view kNoticeClosing1 =
    "Bitte bestätigen Sie die Meldung mit dem Schalter OK."_win1252;
constexpr std::string_view kNoticeClosing2 = "Wenn Sie weitere Meldungsfenster unterbinden wollen,";
constexpr std::string_view kNoticeClosing3 = "so klicken Sie bitte auf den Schalter Abbruch.";
constexpr std::string_view kCrLf = "\r\n";

} // namespace

std::string_view LogTypeWord(std::uint8_t type) {
    switch (type) {
    case 1:
        return "SYSTEM";
    case 2:
        return "INFO";
    case 3:
        return "HINWEIS";
    case 4:
        return "FEHLER";
    default:
        return kUnknownUpper;
    }
}

std::string_view LogModeWord(std::int32_t mode) {
    switch (mode) {
    case 1:
        return "CREATE";
    case 2:
        return "APPEND";
    case 3:
        return "STOP";
    case 4:
        return "CLOSE";
    default:
        return kUnknownUpper;
    }
}

std::string_view LogActionName(std::uint32_t action) {
    if (action == 0 || action > kActionNames.size())
        return kUnknownAction;
    return kActionNames[action - 1];
}

std::string DescribeLogContent(std::uint8_t mask) {
    std::string words;
    if (mask == 0) {
        words = kNoContent;
    } else {
        if (ContainsBits(mask, 1))
            words += "INFO ";
        if (ContainsBits(mask, 2))
            words += "HINWEIS ";
        if (ContainsBits(mask, 4))
            words += "FEHLER ";
        if (ContainsBits(mask, 8))
            words += "DEBUG";
    }
    words = TrimText(words);
    std::string description = FormatCents(false, mask) + "  " + words;
    if (description.size() > kContentDescriptionMax)
        description.resize(kContentDescriptionMax);
    return description;
}

bool ShowLogNotice(LogNoticeSink& sink, std::uint8_t type, std::uint8_t action,
                   std::string_view text) {
    std::string caption(kNoticeCaptionPrefix);
    caption += LogActionName(action);
    if (caption.size() > kNoticeCaptionMax)
        caption.resize(kNoticeCaptionMax);

    std::string message(LogTypeWord(type));
    message += kCrLf;
    message += kCrLf;
    message += text;
    message += kCrLf;
    message += kCrLf;
    message += kNoticeClosing1;
    message += kCrLf;
    message += kNoticeClosing2;
    message += kCrLf;
    message += kNoticeClosing3;
    return sink.confirm(caption, message);
}
