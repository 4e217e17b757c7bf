#include "paylib/dta/DtaResult.h"

namespace paylib::dta {

std::string_view resultMessage(std::int32_t code) {
    switch (code) {
    case kNoEntryLeft:
        return "Keine weitere Zahlung vorhanden";
    case kBadArgument:
        return "Ung\xFC"
               "ltiges Argument (Dateiname leer oder zu lang, Puffergr\xF6"
               "\xDF"
               "e)";
    case kFileNotReadable:
        return "DTA-Datei nicht vorhanden oder nicht lesbar";
    case kFileTooLarge:
        return "DTA-Datei ist zu gro\xDF";
    case kFileEmpty:
        return "DTA-Datei ist leer";
    case kTruncated:
        return "DTA-Datei endet mitten in einem Satz oder ohne Nachsatz";
    case kBadRecordLength:
        return "Falsche Satzl\xE4"
               "nge in der DTA-Datei";
    case kBadRecordType:
        return "Unerwartete Satzart in der DTA-Datei";
    case kBadNumericField:
        return "Numerisches Feld oder Datum in der DTA-Datei ung\xFC"
               "ltig";
    case kBadTextField:
        return "Unzul\xE4"
               "ssiges Zeichen in einem Textfeld der DTA-Datei";
    case kBadFileKind:
        return "Unbekannte Dateiart im Vorsatz (erlaubt: GK, LK, GB, LB)";
    case kBadCurrency:
        return "W\xE4"
               "hrung ist nicht Euro";
    case kTextKeyMismatch:
        return "Textschl\xFC"
               "ssel passt nicht zur Dateiart";
    case kBadExtension:
        return "Ung\xFC"
               "ltiger Erweiterungsteil";
    case kCountMismatch:
        return "Anzahl der Zahlungen im Nachsatz stimmt nicht";
    case kAccountSumMismatch:
        return "Kontrollsumme der Kontonummern stimmt nicht";
    case kBankCodeSumMismatch:
        return "Kontrollsumme der Bankleitzahlen stimmt nicht";
    case kAmountSumMismatch:
        return "Kontrollsumme der Betr\xE4"
               "ge stimmt nicht";
    case kTrailingData:
        return "Unerwartete Daten nach dem letzten Nachsatz";
    case kTooManyEntries:
        return "Zu viele Zahlungen in der DTA-Datei";
    case kNothingRead:
        return "Keine DTA-Datei eingelesen";
    case kUnknownEntry:
        return "Datensatz stammt nicht aus dem letzten GetDTAInfo";
    case kBadExecutionDate:
        return "Ausf\xFC"
               "hrungsdatum ung\xFC"
               "ltig";
    case kBadCreditorId:
        return "Gl\xE4"
               "ubiger-ID ung\xFC"
               "ltig";
    case kBadMandateReference:
        return "Mandatsreferenz ung\xFC"
               "ltig";
    case kBadMandateDate:
        return "Mandatsdatum ung\xFC"
               "ltig oder nach dem Ausf\xFC"
               "hrungsdatum";
    case kBadDebitSettings:
        return "Lastschrift-Einstellungen ung\xFC"
               "ltig";
    case kExecutionDateInPast:
        return "Ausf\xFChrungsdatum liegt in der Vergangenheit";
    case kCollectionTooEarly:
        return "Lastschrift fr\xFChestens zum n\xE4"
               "chsten Tag";
    case kBadPaymentType:
        return "Zahlungsart ung\xFC"
               "ltig (0 oder 1)";
    case kNoEntriesOfType:
        return "Keine Zahlungen dieser Art eingelesen";
    case kEntryNotCompleted:
        return "Zahlung nicht mit PutDTAInfo vervollst\xE4"
               "ndigt";
    case kBadExportTarget:
        return "Exportpfad oder Dateiname ung\xFC"
               "ltig";
    default:
        return {};
    }
}

} // namespace paylib::dta
