#include "paylib/ResultCodes.h"

namespace paylib::result {

// Texts are Windows-1252: \xE4 = ä, \xF6 = ö, \xFC = ü, \xDF = ß, \xC4 = Ä, \xDC = Ü.
std::string_view resultMessage(std::int32_t code) {
    switch (code) {
    case kOk:
        return "Alles verlief erfolgreich";
    case kNoticeBankFileRejected:
        return "BLZ-Datei im Datenpfad unvollst\xE4ndig oder fehlerhaft, eingebaute Tabelle "
               "verwendet";
    case kNoticeDataPathNoDirectory:
        return "Datenpfad ist kein Verzeichnis, eingebaute Tabelle verwendet";
    case kNoticeTempPathNoDirectory:
        return "Tempor\xE4rer Pfad ist kein Verzeichnis, Zwischendateien im Zielverzeichnis";
    case kNoticeIbanRuleNotApplied:
        return "IBAN nur nach der Standardregel ermittelt, IBAN-Regel der Bank nicht angewandt";
    case kNoticeNoBic:
        return "IBAN ermittelt, zur Bankleitzahl ist kein BIC bekannt";
    case kNoticeOriginatorNameCut:
        return "Name des Auftraggebers auf 70 Zeichen gek\xFCrzt";
    case kNoticeRecipientNameCut:
        return "Name des Empf\xE4ngers auf 70 Zeichen gek\xFCrzt";
    case kNoticeRemittanceCut:
        return "Verwendungszweck auf 140 Zeichen gek\xFCrzt";
    case kNoticeInitiatingPartyCut:
        return "Einreicher auf 70 Zeichen gek\xFCrzt";
    case kNotInitialised:
        return "Die Bibliothek ist nicht initialisiert";
    case kNullArgument:
        return "Ung\xFCltiges Argument (Nullzeiger oder Puffergr\xF6\xDF"
               "e)";
    case kInternalError:
        return "Interner Fehler";
    case kBankCodeLength:
        return "Bankleitzahl hat nicht 8 Stellen";
    case kBankCodeNotDigits:
        return "Bankleitzahl enth\xE4lt andere Zeichen als Ziffern";
    case kAccountLength:
        return "Kontonummer leer oder l\xE4nger als 10 Stellen";
    case kAccountNotDigits:
        return "Kontonummer enth\xE4lt andere Zeichen als Ziffern oder ist 0";
    case kBankCodeUnknown:
        return "Bankleitzahl unbekannt";
    case kBankCodeDeleted:
        return "Bankleitzahl gel\xF6scht";
    case kNoIbanAllowed:
        return "F\xFCr diese Bankleitzahl darf keine IBAN ermittelt werden (IBAN-Regel 0001)";
    case kNoBic:
        return "Zur Bankleitzahl ist kein BIC bekannt";
    case kFileAlreadyOpen:
        return "Es ist bereits eine XML-Datei ge\xF6"
               "ffnet";
    case kNoFileOpen:
        return "Es ist keine XML-Datei ge\xF6"
               "ffnet";
    case kPaymentTypeInvalid:
        return "Zahlungsart ung\xFCltig (0 \xDC"
               "berweisung, 1 Lastschrift)";
    case kExportPathInvalid:
        return "Exportpfad ist kein Verzeichnis";
    case kFileNameInvalid:
        return "Dateiname ung\xFCltig";
    case kMessageIdInvalid:
        return "Message-Id fehlt oder ist ung\xFCltig";
    case kInitiatingPartyInvalid:
        return "Einreicher fehlt oder ist ung\xFCltig";
    case kFileNotWritable:
        return "XML-Datei kann nicht geschrieben werden";
    case kFileWithoutEntries:
        return "XML-Datei ohne Eintr\xE4ge nicht geschrieben";
    case kExecutionDateInvalid:
        return "Ausf\xFChrungsdatum ung\xFCltig";
    case kOriginatorNameInvalid:
        return "Name des Auftraggebers fehlt oder ist ung\xFCltig";
    case kOriginatorAccountMissing:
        return "Konto des Auftraggebers fehlt";
    case kOriginatorIbanInvalid:
        return "IBAN des Auftraggebers ung\xFCltig";
    case kOriginatorBicInvalid:
        return "BIC des Auftraggebers ung\xFCltig";
    case kRecipientNameInvalid:
        return "Name des Empf\xE4ngers fehlt oder ist ung\xFCltig";
    case kRecipientAccountMissing:
        return "Konto des Empf\xE4ngers fehlt";
    case kRecipientIbanInvalid:
        return "IBAN des Empf\xE4ngers ung\xFCltig";
    case kRecipientBicInvalid:
        return "BIC des Empf\xE4ngers ung\xFCltig";
    case kAmountInvalid:
        return "Betrag ung\xFCltig";
    case kRemittanceInvalid:
        return "Verwendungszweck ung\xFCltig oder zu lang";
    case kCreditorIdInvalid:
        return "Gl\xE4ubiger-Identifikationsnummer fehlt oder ist ung\xFCltig";
    case kMandateReferenceInvalid:
        return "Mandatsreferenz fehlt oder ist ung\xFCltig";
    case kMandateDateInvalid:
        return "Mandatsdatum fehlt oder ist ung\xFCltig";
    case kReferenceInvalid:
        return "Referenz ung\xFCltig";
    case kFileLimitReached:
        return "Grenze der XML-Datei erreicht (Anzahl oder Summe)";
    case kWriteFailed:
        return "Schreibfehler, Eintrag nicht \xFC"
               "bernommen";
    case kExecutionDateInPast:
        return "Ausf\xFChrungsdatum liegt in der Vergangenheit";
    case kCollectionTooEarly:
        return "Lastschrift fr\xFChestens zum n\xE4"
               "chsten Tag";
    case kOriginatorBicCountry:
        return "BIC des Auftraggebers passt nicht zum Land der IBAN";
    case kRecipientBicCountry:
        return "BIC des Empf\xE4ngers passt nicht zum Land der IBAN";
    default:
        return "Unbekannter Fehler";
    }
}

} // namespace paylib::result
