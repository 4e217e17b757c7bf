#include "paylib/sepa/SepaPaymentBuilder.h"

#include "helpers/DateHelpers.h"
#include "helpers/TextHelpers.h"
#include "paylib/ResultCodes.h"
#include "paylib/bank/AccountResolver.h"
#include "paylib/bank/BankTable.h"
#include "paylib/sepa/SepaIdentifiers.h"
#include "paylib/sepa/SepaText.h"
#include "platform/Win1252.h"

#include <algorithm>

namespace paylib {
namespace {

constexpr std::size_t kMaxRemittance = 140;
constexpr std::size_t kMaxAmountDigits = 12;
constexpr std::size_t kDateDigits = 8;
constexpr std::string_view kNotProvided = "NOTPROVIDED";
constexpr std::string_view kGermany = "DE";
constexpr std::size_t kIbanBankCodeOffset = 4;
constexpr char kKeySeparator = '\x1F';

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Codes of one side of the payment.
struct SideCodes {
    std::int32_t missing;
    std::int32_t ibanInvalid;
    std::int32_t bicInvalid;
};

struct Account {
    std::string iban;
    std::string bic; // empty: not provided
};

std::string compactUpper(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != ' ')
            out += win1252::toUpper(c);
    }
    return out;
}

std::int32_t resolveAccount(const BankTable& table, std::string_view iban, std::string_view bic,
                            std::string_view bankCode, std::string_view accountNumber,
                            const SideCodes& codes, Account& account, std::int32_t& notice) {
    account.iban = compactUpper(iban);
    account.bic = compactUpper(bic);
    if (!account.bic.empty() && !SepaIdentifiers::isValidBic(account.bic))
        return codes.bicInvalid;
    if (!account.iban.empty()) {
        if (!SepaIdentifiers::isValidIban(account.iban))
            return codes.ibanInvalid;
        if (account.bic.empty() && account.iban.starts_with(kGermany)) {
            const BankRecord* bank =
                table.find(std::string_view(account.iban)
                               .substr(kIbanBankCodeOffset, SepaIdentifiers::kBankCodeDigits));
            if (bank && !bank->deleted())
                account.bic = bank->bic;
        }
        return result::kOk;
    }
    const std::string code = TrimText(bankCode);
    const std::string number = TrimText(accountNumber);
    if (code.empty() && number.empty())
        return codes.missing;
    const AccountResolver::Derivation derived = AccountResolver(table).derive(code, number);
    if (derived.code < 0)
        return derived.code;
    if (derived.code == result::kNoticeIbanRuleNotApplied)
        notice = derived.code;
    account.iban = derived.iban;
    if (account.bic.empty())
        account.bic = derived.bic;
    return result::kOk;
}

bool parseCents(std::string_view raw, std::int64_t& cents) {
    const std::string text = TrimText(raw);
    if (text.empty() || text.size() > kMaxAmountDigits ||
        !std::all_of(text.begin(), text.end(), isDigit))
        return false;
    cents = 0;
    for (char c : text)
        cents = cents * 10 + (c - '0');
    return cents >= 1 && cents <= SepaPaymentBuilder::kMaxCents;
}

std::string agentXml(std::string_view element, std::string_view bic, std::string_view indent) {
    std::string xml;
    xml += indent;
    xml += "<";
    xml += element;
    xml += "><FinInstnId>";
    if (bic.empty()) {
        xml += "<Othr><Id>";
        xml += kNotProvided;
        xml += "</Id></Othr>";
    } else {
        xml += "<BICFI>";
        xml += bic;
        xml += "</BICFI>";
    }
    xml += "</FinInstnId></";
    xml += element;
    xml += ">\n";
    return xml;
}

std::string element(std::string_view indent, std::string_view name, std::string_view value) {
    std::string xml(indent);
    xml += "<";
    xml += name;
    xml += ">";
    xml += value;
    xml += "</";
    xml += name;
    xml += ">\n";
    return xml;
}

std::string accountXml(std::string_view element, std::string_view iban, std::string_view indent) {
    std::string xml(indent);
    xml += "<";
    xml += element;
    xml += "><Id><IBAN>";
    xml += iban;
    xml += "</IBAN></Id></";
    xml += element;
    xml += ">\n";
    return xml;
}

std::string_view sequenceCode(SepaPayment::Sequence sequence) {
    switch (sequence) {
    case SepaPayment::Sequence::First:
        return "FRST";
    case SepaPayment::Sequence::Final:
        return "FNAL";
    case SepaPayment::Sequence::OneOff:
        return "OOFF";
    case SepaPayment::Sequence::Recurrent:
        break;
    }
    return "RCUR";
}

std::string_view instrumentCode(SepaPayment::Instrument instrument) {
    return instrument == SepaPayment::Instrument::B2B ? "B2B" : "CORE";
}

constexpr std::string_view kBlockIndent = "      ";
constexpr std::string_view kTxIndent = "        ";

} // namespace

std::string SepaPaymentBuilder::isoDate(std::string_view digits) {
    if (digits.size() != kDateDigits || !std::all_of(digits.begin(), digits.end(), isDigit))
        return {};
    const int day = std::stoi(std::string(digits.substr(0, 2)));
    const int month = std::stoi(std::string(digits.substr(2, 2)));
    const int year = std::stoi(std::string(digits.substr(4, 4)));
    const std::int32_t number = DayNumberFromDate(year, month, day);
    const CalendarDate back = DateFromDayNumber(number);
    if (!IsValidDayNumber(number) || number == kEmptyDate || back.year != year ||
        back.month != month || back.day != day)
        return {};
    std::string iso(digits.substr(4, 4));
    iso += '-';
    iso += digits.substr(2, 2);
    iso += '-';
    iso += digits.substr(0, 2);
    return iso;
}

std::string SepaPaymentBuilder::euros(std::int64_t cents) {
    std::string text = std::to_string(cents / 100);
    const int rest = static_cast<int>(cents % 100);
    text += '.';
    text += static_cast<char>('0' + rest / 10);
    text += static_cast<char>('0' + rest % 10);
    return text;
}

std::int32_t SepaPaymentBuilder::build(const SepaPayment& payment, Built& built) const {
    const bool debit = m_kind == SepaFileSpec::Kind::DirectDebit;
    built = Built{};

    const std::string date = isoDate(TrimText(payment.executionDate));
    if (date.empty())
        return result::kExecutionDateInvalid;

    std::string originatorName;
    if (!SepaText::name(payment.originatorName, originatorName))
        return result::kOriginatorNameInvalid;
    Account originator;
    std::int32_t code =
        resolveAccount(m_table, payment.originatorIban, payment.originatorBic,
                       payment.originatorBankCode, payment.originatorAccount,
                       {result::kOriginatorAccountMissing, result::kOriginatorIbanInvalid,
                        result::kOriginatorBicInvalid},
                       originator, built.notice);
    if (code != result::kOk)
        return code;

    std::string creditorId;
    if (debit) {
        creditorId = compactUpper(payment.creditorId);
        if (!SepaIdentifiers::isValidCreditorId(creditorId))
            return result::kCreditorIdInvalid;
    }

    std::string recipientName;
    if (!SepaText::name(payment.recipientName, recipientName))
        return result::kRecipientNameInvalid;
    Account recipient;
    code = resolveAccount(m_table, payment.recipientIban, payment.recipientBic,
                          payment.recipientBankCode, payment.recipientAccount,
                          {result::kRecipientAccountMissing, result::kRecipientIbanInvalid,
                           result::kRecipientBicInvalid},
                          recipient, built.notice);
    if (code != result::kOk)
        return code;

    if (!parseCents(payment.amountCents, built.cents))
        return result::kAmountInvalid;

    const std::string instructionId = TrimText(payment.instructionId);
    std::string endToEndId = TrimText(payment.endToEndId);
    if (endToEndId.empty())
        endToEndId = kNotProvided;
    if ((!instructionId.empty() && !SepaText::isIdentifier(instructionId, true)) ||
        !SepaText::isIdentifier(endToEndId, true))
        return result::kReferenceInvalid;

    std::string mandateReference;
    std::string mandateDate;
    if (debit) {
        mandateReference = TrimText(payment.mandateReference);
        if (!SepaText::isIdentifier(mandateReference, false))
            return result::kMandateReferenceInvalid;
        mandateDate = isoDate(TrimText(payment.mandateDate));
        // ISO dates compare like their days; a mandate is signed before it is used.
        if (mandateDate.empty() || mandateDate > date)
            return result::kMandateDateInvalid;
    }

    std::string remittance;
    if (!SepaText::toSepa(TrimText(payment.remittance), remittance) ||
        remittance.size() > kMaxRemittance)
        return result::kRemittanceInvalid;

    // The block: everything that payment-info level carries for its transactions.
    built.blockKey = originatorName;
    for (std::string_view part :
         {std::string_view(originator.iban), std::string_view(originator.bic),
          std::string_view(date), std::string_view(creditorId)}) {
        built.blockKey += kKeySeparator;
        built.blockKey += part;
    }
    std::string& block = built.blockXml;
    std::string& tx = built.transactionXml;
    const std::string name = SepaText::xml(originatorName);
    if (debit) {
        built.blockKey += kKeySeparator;
        built.blockKey += instrumentCode(payment.instrument);
        built.blockKey += sequenceCode(payment.sequence);
        block += kBlockIndent;
        block += "<PmtTpInf><SvcLvl><Cd>SEPA</Cd></SvcLvl><LclInstrm><Cd>";
        block += instrumentCode(payment.instrument);
        block += "</Cd></LclInstrm><SeqTp>";
        block += sequenceCode(payment.sequence);
        block += "</SeqTp></PmtTpInf>\n";
        block += element(kBlockIndent, "ReqdColltnDt", date);
        block += kBlockIndent;
        block += "<Cdtr><Nm>" + name + "</Nm></Cdtr>\n";
        block += accountXml("CdtrAcct", originator.iban, kBlockIndent);
        block += agentXml("CdtrAgt", originator.bic, kBlockIndent);
        block += element(kBlockIndent, "ChrgBr", "SLEV");
        block += kBlockIndent;
        block += "<CdtrSchmeId><Id><PrvtId><Othr><Id>" + creditorId +
                 "</Id><SchmeNm><Prtry>SEPA</Prtry></SchmeNm></Othr></PrvtId></Id>"
                 "</CdtrSchmeId>\n";
    } else {
        block += kBlockIndent;
        block += "<PmtTpInf><SvcLvl><Cd>SEPA</Cd></SvcLvl></PmtTpInf>\n";
        block += kBlockIndent;
        block += "<ReqdExctnDt><Dt>" + date + "</Dt></ReqdExctnDt>\n";
        block += kBlockIndent;
        block += "<Dbtr><Nm>" + name + "</Nm></Dbtr>\n";
        block += accountXml("DbtrAcct", originator.iban, kBlockIndent);
        block += agentXml("DbtrAgt", originator.bic, kBlockIndent);
        block += element(kBlockIndent, "ChrgBr", "SLEV");
    }

    const std::string_view txElement = debit ? "DrctDbtTxInf" : "CdtTrfTxInf";
    tx += "      <";
    tx += txElement;
    tx += ">\n";
    tx += kTxIndent;
    tx += "<PmtId>";
    if (!instructionId.empty())
        tx += "<InstrId>" + SepaText::xml(instructionId) + "</InstrId>";
    tx += "<EndToEndId>" + SepaText::xml(endToEndId) + "</EndToEndId></PmtId>\n";
    const std::string amount = "<InstdAmt Ccy=\"EUR\">" + euros(built.cents) + "</InstdAmt>";
    const std::string recipientXmlName = SepaText::xml(recipientName);
    if (debit) {
        tx += kTxIndent;
        tx += amount + "\n";
        tx += kTxIndent;
        tx += "<DrctDbtTx><MndtRltdInf><MndtId>" + SepaText::xml(mandateReference) +
              "</MndtId><DtOfSgntr>" + mandateDate + "</DtOfSgntr></MndtRltdInf></DrctDbtTx>\n";
        tx += agentXml("DbtrAgt", recipient.bic, kTxIndent);
        tx += kTxIndent;
        tx += "<Dbtr><Nm>" + recipientXmlName + "</Nm></Dbtr>\n";
        tx += accountXml("DbtrAcct", recipient.iban, kTxIndent);
    } else {
        tx += kTxIndent;
        tx += "<Amt>" + amount + "</Amt>\n";
        if (!recipient.bic.empty())
            tx += agentXml("CdtrAgt", recipient.bic, kTxIndent);
        tx += kTxIndent;
        tx += "<Cdtr><Nm>" + recipientXmlName + "</Nm></Cdtr>\n";
        tx += accountXml("CdtrAcct", recipient.iban, kTxIndent);
    }
    if (!remittance.empty()) {
        tx += kTxIndent;
        tx += "<RmtInf><Ustrd>" + SepaText::xml(remittance) + "</Ustrd></RmtInf>\n";
    }
    tx += "      </";
    tx += txElement;
    tx += ">\n";
    return result::kOk;
}

} // namespace paylib
