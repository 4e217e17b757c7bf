// The sixteen entry points of Zalvotech.dll. Each one logs its call, does its work on the
// process-wide library state under its lock, logs a failure, and lets no exception out.
#include "paylib/Exports.h"

#include "abi/MutableRecordView.h"
#include "abi/RecordLayouts.h"
#include "helpers/DateHelpers.h"
#include "helpers/NumberHelpers.h"
#include "helpers/TextHelpers.h"
#include "paylib/LogActions.h"
#include "paylib/PayLibrary.h"
#include "paylib/ResultCodes.h"
#include "paylib/Version.h"
#include "paylib/bank/AccountResolver.h"
#include "paylib/sepa/SepaPayment.h"
#include "platform/Win1252Literal.h"

#include "paylib/dta/DtaExports.h"

#include <span>
#include <string>

namespace {

using namespace win1252::literals;

using paylib::PayLibrary;
using zalvo::MutableRecordView;
using zalvo::RecordView;
namespace result = paylib::result;
namespace action = paylib::action;

// The text of a zero-terminated argument buffer of `width` bytes; empty for a null pointer.
std::string text(const char* buffer, std::size_t width) {
    return buffer ? RecordView(buffer, width).text(0, width) : std::string();
}

std::string number(std::int64_t value) {
    return FormatCents(false, value);
}

// Runs one entry point: INFO line with its arguments, the work, then a FEHLER line for a
// failure or a HINWEIS line for a notice.
template <typename Work>
std::int32_t run(std::uint8_t actionCode, bool needsInit, Work&& work,
                 const std::string& arguments) noexcept {
    try {
        PayLibrary& library = PayLibrary::instance();
        const std::lock_guard<std::mutex> lock(library.mutex());
        LogWriter& log = library.log();
        log.WriteLogLine(LogWriter::kInfo, actionCode, arguments);
        std::int32_t code = result::kNotInitialised;
        if (!needsInit || library.initialised())
            code = work(library);
        // The texts cost more than the work of a fast call: built only for an open log.
        if (!log.isOpen()) {
            return code;
        }
        if (code < 0) {
            log.WriteLogLine(LogWriter::kFehler, actionCode,
                             std::string(result::resultMessage(code)) +
                                 ". Fehler: " + number(code));
        } else if (code > 0) {
            log.WriteLogLine(LogWriter::kHinweis, actionCode,
                             std::string(result::resultMessage(code)) +
                                 ". Hinweis: " + number(code));
        }
        return code;
    } catch (...) {
        return result::kInternalError;
    }
}

// Arguments are formatted inside the guard as well: building them may throw.
template <typename Args, typename Work>
std::int32_t entry(std::uint8_t actionCode, bool needsInit, Args&& arguments,
                   Work&& work) noexcept {
    try {
        return run(actionCode, needsInit, std::forward<Work>(work), arguments());
    } catch (...) {
        return result::kInternalError;
    }
}

// Notices beyond the one an entry point returns, which run() logs itself.
void logFurtherNotices(LogWriter& log, std::uint8_t actionCode,
                       std::span<const std::int32_t> notices) {
    for (std::size_t i = 1; i < notices.size(); ++i)
        log.WriteLogLine(LogWriter::kHinweis, actionCode,
                         std::string(result::resultMessage(notices[i])) +
                             ". Hinweis: " + number(notices[i]));
}

// Fills `payment` in place, so its texts keep their memory from call to call. The two
// remittance lines keep the blank between them; the writer cuts an over-long text with a
// notice.
void readPayment(const char* paymentEntry708, paylib::SepaPayment& payment) {
    namespace p = zalvo::payment;
    const RecordView record(paymentEntry708, p::kSize);
    const auto take = [&record](std::string& to, zalvo::Field f) { to.assign(record.textView(f)); };
    take(payment.instructionId, p::kReference1);
    take(payment.executionDate, p::kExecutionDate);
    take(payment.originatorName, p::kOriginatorName);
    take(payment.originatorBic, p::kOriginatorBic);
    take(payment.originatorIban, p::kOriginatorIban);
    take(payment.creditorId, p::kCreditorId);
    take(payment.originatorBankCode, p::kOriginatorBankCode);
    take(payment.originatorAccount, p::kOriginatorAccount);
    take(payment.recipientName, p::kRecipientName);
    take(payment.recipientBic, p::kRecipientBic);
    take(payment.recipientIban, p::kRecipientIban);
    take(payment.recipientBankCode, p::kRecipientBankCode);
    take(payment.recipientAccount, p::kRecipientAccount);
    take(payment.amountCents, p::kAmountCents);
    take(payment.endToEndId, p::kReference2);
    take(payment.mandateReference, p::kMandateReference);
    take(payment.mandateDate, p::kMandateDate);
    const std::string_view first = TrimView(record.textView(p::kRemittance1));
    const std::string_view second = TrimView(record.textView(p::kRemittance2));
    payment.remittance.assign(first);
    if (!first.empty() && !second.empty())
        payment.remittance += ' ';
    payment.remittance += second;
}

std::string paymentArguments(const paylib::SepaPayment& payment) {
    std::string text;
    text.reserve(256);
    for (const auto& [caption, value] :
         {std::pair<std::string_view, const std::string*>{"Auftraggeber=", &payment.originatorName},
          {", IBAN=", &payment.originatorIban},
          {", BLZ=", &payment.originatorBankCode},
          {", Konto=", &payment.originatorAccount},
          {", Empfänger="_win1252, &payment.recipientName},
          {", IBAN=", &payment.recipientIban},
          {", BLZ=", &payment.recipientBankCode},
          {", Konto=", &payment.recipientAccount},
          {", Betrag=", &payment.amountCents},
          {", Datum=", &payment.executionDate}}) {
        text += caption;
        text += *value;
    }
    return text;
}

} // namespace

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_Init(const char* dataPath, const char* tempPath,
                                               const char* userPath, int32_t reserved) {
    std::string data;
    std::string temp;
    std::string user;
    return entry(
        action::kInit, false,
        [&] {
            data = TrimText(text(dataPath, zalvo::kPathBufferSize));
            temp = TrimText(text(tempPath, zalvo::kPathBufferSize));
            user = TrimText(text(userPath, zalvo::kPathBufferSize));
            return "DataPath=" + data + ", TempPath=" + temp + ", UserPath=" + user +
                   ", Reserved=" + number(reserved);
        },
        [&](PayLibrary& library) {
            const std::int32_t code = library.init(data, temp, user);
            if (code >= 0) {
                const paylib::BankTable& table = library.bankTable();
                library.log().WriteLogLine(
                    LogWriter::kInfo, action::kInit,
                    "BLZ-Bestand=" +
                        (library.bankFileName().empty() ? std::string("eingebaut")
                                                        : library.bankFileName()) +
                        ", Banken=" + number(static_cast<std::int64_t>(table.size())) +
                        ", gültig "_win1252 + DateToText(table.validFrom()) + " bis " +
                        DateToText(table.validUntil()) + ", IBAN-Regeln aus eingebauten Daten=" +
                        number(static_cast<std::int64_t>(library.rulesFromEmbeddedData())));
            }
            return code;
        });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_Free(void) {
    return entry(
        action::kFree, false, [] { return std::string(); },
        [](PayLibrary& library) {
            paylib::dtaFreeDTAVars();
            library.free();
            return result::kOk;
        });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_Version(char* record44) {
    return entry(
        action::kVersion, false, [] { return std::string(); },
        [&](PayLibrary&) {
            if (!record44)
                return result::kNullArgument;
            const MutableRecordView record(record44, zalvo::version::kSize);
            record.zero();
            record.putText(zalvo::version::kDate, paylib::version::kDate);
            record.putText(zalvo::version::kText, paylib::version::kText);
            return result::kOk;
        });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_Info(char* record27) {
    return entry(
        action::kInfo, true, [] { return std::string(); },
        [&](PayLibrary& library) {
            if (!record27)
                return result::kNullArgument;
            const paylib::BankTable& table = library.bankTable();
            const MutableRecordView record(record27, zalvo::info::kSize);
            record.zero();
            record.putText(zalvo::info::kParticipantsDate, DateToDigits(table.validFrom()));
            record.putText(zalvo::info::kBankCodesFrom, DateToDigits(table.validFrom()));
            record.putText(zalvo::info::kBankCodesUntil, DateToDigits(table.validUntil()));
            return result::kOk;
        });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_ConvertBLZKonto(char* account69) {
    namespace a = zalvo::account;
    std::string bankCode;
    std::string account;
    return entry(
        action::kConvertBLZKonto, true,
        [&] {
            if (account69) {
                const RecordView record(account69, a::kSize);
                bankCode = TrimText(record.text(a::kBankCode));
                account = TrimText(record.text(a::kAccountNumber));
            }
            return "BLZ=" + bankCode + ", Konto=" + account;
        },
        [&](PayLibrary& library) {
            if (!account69)
                return result::kNullArgument;
            const MutableRecordView record(account69, a::kSize);
            record.putTextCleared(a::kBic, "");
            record.putTextCleared(a::kIban, "");
            const paylib::AccountResolver::Derivation derived =
                paylib::AccountResolver(library.bankTable()).derive(bankCode, account);
            if (derived.code >= 0) {
                record.putTextCleared(a::kBic, derived.bic);
                record.putTextCleared(a::kIban, derived.iban);
            }
            if (derived.code >= 0 && library.log().isOpen()) {
                library.log().WriteLogLine(LogWriter::kInfo, action::kConvertBLZKonto,
                                           "BIC=" + derived.bic + ", IBAN=" + derived.iban +
                                               ", IBAN-Regel=" + derived.rule);
            }
            return derived.code;
        });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_GetBIC(const char* bankCode9, char* bic12) {
    std::string bankCode;
    return entry(
        action::kGetBIC, true,
        [&] {
            bankCode = TrimText(text(bankCode9, zalvo::kBankCodeBufferSize));
            return "BLZ=" + bankCode;
        },
        [&](PayLibrary& library) {
            if (!bankCode9 || !bic12)
                return result::kNullArgument;
            const MutableRecordView bicBuffer(bic12, zalvo::kBicBufferSize);
            bicBuffer.zero();
            std::string bic;
            const std::int32_t code =
                paylib::AccountResolver(library.bankTable()).bic(bankCode, bic);
            if (code == result::kOk) {
                bicBuffer.putText(0, zalvo::kBicBufferSize - 1, bic);
                library.log().WriteLogLine(LogWriter::kInfo, action::kGetBIC, "BIC=" + bic);
            }
            return code;
        });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_CreateXML(char* fileHeader404) {
    namespace h = zalvo::fileheader;
    paylib::SepaFileSpec fileSpec;
    std::int32_t type = 0;
    return entry(
        action::kCreateXML, true,
        [&] {
            if (fileHeader404) {
                const RecordView header(fileHeader404, h::kSize);
                fileSpec.directory = TrimText(header.text(h::kExportPath));
                fileSpec.fileName = TrimText(header.text(h::kFileName));
                fileSpec.messageId = TrimText(header.text(h::kMessageId));
                fileSpec.initiatingParty = header.text(h::kInitiatingParty);
                type = header.int32(h::kPaymentType);
            }
            return "Exportpfad=" + fileSpec.directory + ", Dateiname=" + fileSpec.fileName +
                   ", MsgId=" + fileSpec.messageId + ", Einreicher=" + fileSpec.initiatingParty +
                   ", Zahlungsart=" + number(type);
        },
        [&](PayLibrary& library) {
            if (!fileHeader404)
                return result::kNullArgument;
            if (library.xmlFile())
                return result::kFileAlreadyOpen;
            if (type != h::kCreditTransfer && type != h::kDirectDebit)
                return result::kPaymentTypeInvalid;
            fileSpec.kind = type == h::kDirectDebit ? paylib::SepaFileSpec::Kind::DirectDebit
                                                    : paylib::SepaFileSpec::Kind::CreditTransfer;
            return paylib::SepaXmlFile::open(fileSpec, library.tempPath(), library.bankTable(),
                                             library.xmlFile());
        });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_WriteXML(char* paymentEntry708) {
    // Kept from call to call: the texts of an entry then need no new memory.
    thread_local paylib::SepaPayment payment;
    return entry(
        action::kWriteXML, true,
        [&] {
            if (paymentEntry708)
                readPayment(paymentEntry708, payment);
            else
                payment = paylib::SepaPayment{};
            return paymentArguments(payment);
        },
        [&](PayLibrary& library) {
            if (!paymentEntry708)
                return result::kNullArgument;
            if (!library.xmlFile())
                return result::kNoFileOpen;
            const std::int32_t code = library.xmlFile()->add(payment);
            if (code > 0)
                logFurtherNotices(library.log(), action::kWriteXML, library.xmlFile()->notices());
            return code;
        });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_CloseXML(char* summary20) {
    namespace s = zalvo::summary;
    return entry(
        action::kCloseXML, true, [] { return std::string(); },
        [&](PayLibrary& library) {
            if (!summary20)
                return result::kNullArgument;
            const MutableRecordView record(summary20, s::kSize);
            record.zero();
            std::unique_ptr<paylib::SepaXmlFile>& file = library.xmlFile();
            if (!file)
                return result::kNoFileOpen;
            paylib::SepaSummary summary;
            const std::int32_t code = file->close(summary);
            if (file->finished())
                file.reset();
            if (code == result::kOk) {
                record.putInt32(s::kCount, summary.count);
                record.putText(s::kSumCents, std::to_string(summary.sumCents));
                library.log().WriteLogLine(LogWriter::kInfo, action::kCloseXML,
                                           "Anzahl=" + number(summary.count) +
                                               ", Summe=" + std::to_string(summary.sumCents));
            }
            return code;
        });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_ReadDTA(const char* fileName256, char* buffer100) {
    return entry(
        action::kReadDTA, true,
        [&] { return "Datei=" + text(fileName256, zalvo::kPathBufferSize); },
        [&](PayLibrary&) { return paylib::dtaReadDTA(fileName256, buffer100); });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_GetDTAInfo(char* dtaInfo348, int32_t* counter) {
    return entry(
        action::kGetDTAInfo, true,
        [&] { return "Zähler="_win1252 + number(counter ? *counter : 0); },
        [&](PayLibrary&) { return paylib::dtaGetDTAInfo(dtaInfo348, counter); });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_PutDTAInfo(char* dtaInfo348) {
    return entry(
        action::kPutDTAInfo, true, [] { return std::string(); },
        [&](PayLibrary&) { return paylib::dtaPutDTAInfo(dtaInfo348); });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_WriteDTAtoXML(char* fileHeader404) {
    namespace h = zalvo::fileheader;
    return entry(
        action::kWriteDTAtoXML, true,
        [&] {
            if (!fileHeader404)
                return std::string();
            const RecordView header(fileHeader404, h::kSize);
            return "Exportpfad=" + header.text(h::kExportPath) +
                   ", Dateiname=" + header.text(h::kFileName) +
                   ", Zahlungsart=" + number(header.int32(h::kPaymentType));
        },
        [&](PayLibrary&) { return paylib::dtaWriteDTAtoXML(fileHeader404); });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_GetDTAProtokoll(char* buffer, int32_t bufferSize) {
    return entry(
        action::kGetDTAProtokoll, false,
        [&] { return "Puffergröße="_win1252 + number(bufferSize); },
        [&](PayLibrary&) { return paylib::dtaGetDTAProtokoll(buffer, bufferSize); });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_FreeDTAVars(void) {
    return entry(
        action::kFreeDTAVars, false, [] { return std::string(); },
        [](PayLibrary&) { return paylib::dtaFreeDTAVars(); });
}

ZALVO_EXPORT int32_t ZALVO_CALL Zalvotech_SetLogFile(const char* fileName256, int32_t action,
                                                     int32_t inhalt, int32_t flush) {
    try {
        const std::string name = text(fileName256, zalvo::kPathBufferSize);
        PayLibrary& library = PayLibrary::instance();
        const std::lock_guard<std::mutex> lock(library.mutex());
        // The writer records its own call and failures.
        return library.log().SetLogFile(name, action, inhalt, flush);
    } catch (...) {
        return result::kInternalError;
    }
}
