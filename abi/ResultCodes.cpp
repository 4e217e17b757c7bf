#include "abi/ResultCodes.h"

#include "platform/Win1252Literal.h"

namespace paylib::result {

using namespace win1252::literals;

std::string_view resultMessage(std::int32_t code) {
    switch (code) {
    case kOk:
        return "Alles verlief erfolgreich";
    case kNoticeBankFileRejected:
        return "BLZ-Datei im Datenpfad unvollständig oder fehlerhaft, eingebaute Tabelle "
               "verwendet"_win1252;
    case kNoticeDataPathNoDirectory:
        return "Datenpfad ist kein Verzeichnis, eingebaute Tabelle verwendet";
    case kNoticeTempPathNoDirectory:
        return "Temporärer Pfad ist kein Verzeichnis, Zwischendateien im Zielverzeichnis"_win1252;
    case kNoticeIbanRuleNotApplied:
        return "IBAN nur nach der Standardregel ermittelt, IBAN-Regel der Bank nicht angewandt";
    case kNoticeNoBic:
        return "IBAN ermittelt, zur Bankleitzahl ist kein BIC bekannt";
    case kNoticeRuleVersionUnknown:
        return "IBAN nach der neuesten bekannten Fassung der IBAN-Regel ermittelt, Fassung der "
               "Bank unbekannt";
    case kNoticeAccountNotChecked:
        return "IBAN ermittelt, Prüfzifferberechnungsmethode der Bank unbekannt, Kontonummer "
               "nicht geprüft"_win1252;
    case kNoticeOriginatorNameCut:
        return "Name des Auftraggebers auf 70 Zeichen gekürzt"_win1252;
    case kNoticeRecipientNameCut:
        return "Name des Empfängers auf 70 Zeichen gekürzt"_win1252;
    case kNoticeRemittanceCut:
        return "Verwendungszweck auf 140 Zeichen gekürzt"_win1252;
    case kNoticeInitiatingPartyCut:
        return "Einreicher auf 70 Zeichen gekürzt"_win1252;
    case kNotInitialised:
        return "Die Bibliothek ist nicht initialisiert";
    case kNullArgument:
        return "Ungültiges Argument (Nullzeiger oder Puffergröße)"_win1252;
    case kInternalError:
        return "Interner Fehler";
    case kBankCodeLength:
        return "Bankleitzahl hat nicht 8 Stellen";
    case kBankCodeNotDigits:
        return "Bankleitzahl enthält andere Zeichen als Ziffern"_win1252;
    case kAccountLength:
        return "Kontonummer leer oder länger als 10 Stellen"_win1252;
    case kAccountNotDigits:
        return "Kontonummer enthält andere Zeichen als Ziffern oder ist 0"_win1252;
    case kBankCodeUnknown:
        return "Bankleitzahl unbekannt";
    case kBankCodeDeleted:
        return "Bankleitzahl gelöscht"_win1252;
    case kNoIbanAllowed:
        return "Für diese Bankverbindung darf keine IBAN ermittelt werden (IBAN-Regel der Bank)"_win1252;
    case kNoBic:
        return "Zur Bankleitzahl ist kein BIC bekannt";
    case kAccountRefused:
        return "Kontonummer ungültig (Prüfziffer oder IBAN-Regel der Bank)"_win1252;
    case kFileAlreadyOpen:
        return "Es ist bereits eine XML-Datei geöffnet"_win1252;
    case kNoFileOpen:
        return "Es ist keine XML-Datei geöffnet"_win1252;
    case kPaymentTypeInvalid:
        return "Zahlungsart ungültig (0 Überweisung, 1 Lastschrift)"_win1252;
    case kExportPathInvalid:
        return "Exportpfad ist kein Verzeichnis";
    case kFileNameInvalid:
        return "Dateiname ungültig"_win1252;
    case kMessageIdInvalid:
        return "Message-Id fehlt oder ist ungültig"_win1252;
    case kInitiatingPartyInvalid:
        return "Einreicher fehlt oder ist ungültig"_win1252;
    case kFileNotWritable:
        return "XML-Datei kann nicht geschrieben werden";
    case kFileWithoutEntries:
        return "XML-Datei ohne Einträge nicht geschrieben"_win1252;
    case kExecutionDateInvalid:
        return "Ausführungsdatum ungültig"_win1252;
    case kOriginatorNameInvalid:
        return "Name des Auftraggebers fehlt oder ist ungültig"_win1252;
    case kOriginatorAccountMissing:
        return "Konto des Auftraggebers fehlt";
    case kOriginatorIbanInvalid:
        return "IBAN des Auftraggebers ungültig"_win1252;
    case kOriginatorBicInvalid:
        return "BIC des Auftraggebers ungültig"_win1252;
    case kRecipientNameInvalid:
        return "Name des Empfängers fehlt oder ist ungültig"_win1252;
    case kRecipientAccountMissing:
        return "Konto des Empfängers fehlt"_win1252;
    case kRecipientIbanInvalid:
        return "IBAN des Empfängers ungültig"_win1252;
    case kRecipientBicInvalid:
        return "BIC des Empfängers ungültig"_win1252;
    case kAmountInvalid:
        return "Betrag ungültig"_win1252;
    case kRemittanceInvalid:
        return "Verwendungszweck ungültig oder zu lang"_win1252;
    case kCreditorIdInvalid:
        return "Gläubiger-Identifikationsnummer fehlt oder ist ungültig"_win1252;
    case kMandateReferenceInvalid:
        return "Mandatsreferenz fehlt oder ist ungültig"_win1252;
    case kMandateDateInvalid:
        return "Mandatsdatum fehlt oder ist ungültig"_win1252;
    case kReferenceInvalid:
        return "Referenz ungültig"_win1252;
    case kFileLimitReached:
        return "Grenze der XML-Datei erreicht (Anzahl oder Summe)";
    case kWriteFailed:
        return "Schreibfehler, Eintrag nicht übernommen"_win1252;
    case kExecutionDateInPast:
        return "Ausführungsdatum liegt in der Vergangenheit"_win1252;
    case kCollectionTooEarly:
        return "Lastschrift frühestens zum nächsten Tag"_win1252;
    case kOriginatorBicCountry:
        return "BIC des Auftraggebers passt nicht zum Land der IBAN";
    case kRecipientBicCountry:
        return "BIC des Empfängers passt nicht zum Land der IBAN"_win1252;
    case kNoEntryLeft:
        return "Keine weitere Zahlung vorhanden";
    case kBadArgument:
        return "Ungültiges Argument (Dateiname leer oder zu lang, Puffergröße)"_win1252;
    case kFileNotReadable:
        return "DTA-Datei nicht vorhanden oder nicht lesbar";
    case kFileTooLarge:
        return "DTA-Datei ist zu groß"_win1252;
    case kFileEmpty:
        return "DTA-Datei ist leer";
    case kTruncated:
        return "DTA-Datei endet mitten in einem Satz oder ohne Nachsatz";
    case kBadRecordLength:
        return "Falsche Satzlänge in der DTA-Datei"_win1252;
    case kBadRecordType:
        return "Unerwartete Satzart in der DTA-Datei";
    case kBadNumericField:
        return "Numerisches Feld oder Datum in der DTA-Datei ungültig"_win1252;
    case kBadTextField:
        return "Unzulässiges Zeichen in einem Textfeld der DTA-Datei"_win1252;
    case kBadFileKind:
        return "Unbekannte Dateiart im Vorsatz (erlaubt: GK, LK, GB, LB)";
    case kBadCurrency:
        return "Währung ist nicht Euro"_win1252;
    case kTextKeyMismatch:
        return "Textschlüssel passt nicht zur Dateiart"_win1252;
    case kBadExtension:
        return "Ungültiger Erweiterungsteil"_win1252;
    case kCountMismatch:
        return "Anzahl der Zahlungen im Nachsatz stimmt nicht";
    case kAccountSumMismatch:
        return "Kontrollsumme der Kontonummern stimmt nicht";
    case kBankCodeSumMismatch:
        return "Kontrollsumme der Bankleitzahlen stimmt nicht";
    case kAmountSumMismatch:
        return "Kontrollsumme der Beträge stimmt nicht"_win1252;
    case kTrailingData:
        return "Unerwartete Daten nach dem letzten Nachsatz";
    case kTooManyEntries:
        return "Zu viele Zahlungen in der DTA-Datei";
    case kNothingRead:
        return "Keine DTA-Datei eingelesen";
    case kUnknownEntry:
        return "Datensatz stammt nicht aus dem letzten GetDTAInfo";
    case kBadExecutionDate:
        return "Ausführungsdatum ungültig"_win1252;
    case kBadCreditorId:
        return "Gläubiger-ID ungültig"_win1252;
    case kBadMandateReference:
        return "Mandatsreferenz ungültig"_win1252;
    case kBadMandateDate:
        return "Mandatsdatum ungültig oder nach dem Ausführungsdatum"_win1252;
    case kBadDebitSettings:
        return "Lastschrift-Einstellungen ungültig"_win1252;
    case kDtaExecutionDateInPast:
        return "Ausführungsdatum liegt in der Vergangenheit"_win1252;
    case kDtaCollectionTooEarly:
        return "Lastschrift frühestens zum nächsten Tag"_win1252;
    case kBadPaymentType:
        return "Zahlungsart ungültig (0 oder 1)"_win1252;
    case kNoEntriesOfType:
        return "Keine Zahlungen dieser Art eingelesen";
    case kEntryNotCompleted:
        return "Zahlung nicht mit PutDTAInfo vervollständigt"_win1252;
    case kBadExportTarget:
        return "Exportpfad oder Dateiname ungültig"_win1252;
    default:
        return "Unbekannter Fehler";
    }
}

} // namespace paylib::result
