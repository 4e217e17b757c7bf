#include "paylib/sepa/SepaPaymentBuilder.h"

#include "helpers/TextHelpers.h"
#include "paylib/ResultCodes.h"
#include "paylib/bank/AccountResolver.h"
#include "paylib/bank/BankTable.h"
#include "paylib/sepa/BicCountry.h"
#include "paylib/sepa/SepaDates.h"
#include "paylib/sepa/SepaIdentifiers.h"
#include "paylib/sepa/SepaText.h"
#include "platform/Win1252.h"

#include <algorithm>

namespace paylib {
namespace {

constexpr std::size_t kMaxAmountDigits = 12;
constexpr std::string_view kNotProvided = "NOTPROVIDED";
constexpr std::string_view kGermany = "DE";
constexpr std::size_t kIbanBankCodeOffset = 4;
constexpr char kKeySeparator = '\x1F';
constexpr std::int32_t kFirstNotice = 129;
constexpr std::string_view kBlockIndent = "      ";
constexpr std::string_view kTxIndent = "        ";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void compactUpper(std::string_view text, std::string& out) {
    out.clear();
    for (char c : text) {
        if (c != ' ')
            out += win1252::toUpper(c);
    }
}

bool parseCents(std::string_view raw, std::int64_t& cents) {
    const std::string_view text = TrimView(raw);
    if (text.empty() || text.size() > kMaxAmountDigits ||
        !std::all_of(text.begin(), text.end(), isDigit))
        return false;
    cents = 0;
    for (char c : text)
        cents = cents * 10 + (c - '0');
    return cents >= 1 && cents <= SepaPaymentBuilder::kMaxCents;
}

// Appends "<indent><name>value</name>\n" pieces without temporaries.
struct XmlOut {
    std::string& out;

    XmlOut& raw(std::string_view text) {
        out += text;
        return *this;
    }
    XmlOut& text(std::string_view w1252) {
        SepaText::appendXml(w1252, out);
        return *this;
    }
    XmlOut& agent(std::string_view indent, std::string_view element, std::string_view bic) {
        raw(indent).raw("<").raw(element).raw("><FinInstnId>");
        if (bic.empty())
            raw("<Othr><Id>").raw(kNotProvided).raw("</Id></Othr>");
        else
            raw("<BICFI>").raw(bic).raw("</BICFI>");
        return raw("</FinInstnId></").raw(element).raw(">\n");
    }
    XmlOut& account(std::string_view indent, std::string_view element, std::string_view iban) {
        return raw(indent)
            .raw("<")
            .raw(element)
            .raw("><Id><IBAN>")
            .raw(iban)
            .raw("</IBAN></Id></")
            .raw(element)
            .raw(">\n");
    }
    XmlOut& party(std::string_view indent, std::string_view element, std::string_view name) {
        return raw(indent)
            .raw("<")
            .raw(element)
            .raw("><Nm>")
            .text(name)
            .raw("</Nm></")
            .raw(element)
            .raw(">\n");
    }
    XmlOut& code(std::string_view element, std::string_view value) {
        return raw("<").raw(element).raw("><Cd>").raw(value).raw("</Cd></").raw(element).raw(">");
    }
};

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

std::int32_t dateVerdictCode(SepaDates::Verdict verdict) {
    return SepaDates::codeOf(verdict, {result::kExecutionDateInPast, result::kCollectionTooEarly,
                                       result::kMandateDateInvalid});
}

void appendKey(std::string& key, std::string_view part) {
    key += part;
    key += kKeySeparator;
}

} // namespace

void SepaPaymentBuilder::Built::addNotice(std::int32_t code) {
    if (std::find(notices.begin(), notices.begin() + noticeCount, code) !=
            notices.begin() + noticeCount ||
        noticeCount == notices.size())
        return;
    notices[noticeCount++] = code;
}

SepaPaymentBuilder::SepaPaymentBuilder(const BankTable& table, SepaFileSpec::Kind kind)
    : m_table(table), m_kind(kind) {}

void SepaPaymentBuilder::appendEuros(std::int64_t cents, std::string& out) {
    out += std::to_string(cents / 100);
    const int rest = static_cast<int>(cents % 100);
    out += '.';
    out += static_cast<char>('0' + rest / 10);
    out += static_cast<char>('0' + rest % 10);
}

std::string SepaPaymentBuilder::euros(std::int64_t cents) {
    std::string text;
    appendEuros(cents, text);
    return text;
}

void SepaPaymentBuilder::forgetDerivations() {
    m_originatorCache = Derived{};
    m_recipientCache = Derived{};
}

std::int32_t SepaPaymentBuilder::resolveAccount(std::string_view iban, std::string_view bic,
                                                std::string_view bankCode,
                                                std::string_view accountNumber,
                                                const SideCodes& codes, Derived& cache,
                                                Account& account, Built& built) const {
    compactUpper(iban, account.iban);
    compactUpper(bic, account.bic);
    if (!account.bic.empty() && !SepaIdentifiers::isValidBic(account.bic))
        return codes.bicInvalid;
    if (!account.iban.empty()) {
        if (!SepaIdentifiers::isValidIban(account.iban))
            return codes.ibanInvalid;
        if (account.bic.empty() && account.iban.starts_with(kGermany)) {
            const BankRecord* bank =
                m_table.find(std::string_view(account.iban)
                                 .substr(kIbanBankCodeOffset, SepaIdentifiers::kBankCodeDigits));
            if (bank && !bank->deleted())
                account.bic = bank->bic;
        }
    } else {
        const std::string_view code = TrimView(bankCode);
        const std::string_view number = TrimView(accountNumber);
        if (code.empty() && number.empty())
            return codes.missing;
        if (!cache.valid || code != cache.bankCode || number != cache.account) {
            const AccountResolver::Derivation derived =
                AccountResolver(m_table).derive(code, number);
            cache.bankCode = code;
            cache.account = number;
            cache.code = derived.code;
            cache.valid = true;
            cache.result.iban = derived.iban;
            cache.result.bic = derived.bic;
        }
        if (cache.code < 0)
            return cache.code;
        if (cache.code >= kFirstNotice)
            built.addNotice(cache.code);
        const std::string given = std::move(account.bic);
        account = cache.result;
        if (!given.empty())
            account.bic = given;
    }
    if (!account.bic.empty() && !BicCountry::fits(account.bic, account.iban))
        return codes.bicCountry;
    return result::kOk;
}

std::int32_t SepaPaymentBuilder::build(const SepaPayment& payment, std::int32_t today,
                                       Built& built) {
    const bool debit = m_kind == SepaFileSpec::Kind::DirectDebit;
    built.noticeCount = 0;
    built.cents = 0;
    Block& block = built.block;

    const std::int32_t date = SepaDates::dayNumber(TrimView(payment.executionDate));
    if (date < 0)
        return result::kExecutionDateInvalid;
    if (const std::int32_t code =
            dateVerdictCode(debit ? SepaDates::checkCollection(date, date, today)
                                  : SepaDates::checkExecution(date, today)))
        return code;

    switch (SepaText::fit(payment.originatorName, SepaText::kMaxName, true, block.originatorName)) {
    case SepaText::Fit::Refused:
        return result::kOriginatorNameInvalid;
    case SepaText::Fit::Cut:
        built.addNotice(result::kNoticeOriginatorNameCut);
        break;
    case SepaText::Fit::Fits:
        break;
    }
    Account originator;
    std::int32_t code =
        resolveAccount(payment.originatorIban, payment.originatorBic, payment.originatorBankCode,
                       payment.originatorAccount,
                       {result::kOriginatorAccountMissing, result::kOriginatorIbanInvalid,
                        result::kOriginatorBicInvalid, result::kOriginatorBicCountry},
                       m_originatorCache, originator, built);
    if (code != result::kOk)
        return code;
    block.iban = std::move(originator.iban);
    block.bic = std::move(originator.bic);

    block.creditorId.clear();
    if (debit) {
        compactUpper(payment.creditorId, block.creditorId);
        if (block.creditorId.empty() || block.creditorId != m_validCreditorId) {
            if (!SepaIdentifiers::isValidCreditorId(block.creditorId))
                return result::kCreditorIdInvalid;
            m_validCreditorId = block.creditorId;
        }
    }

    switch (SepaText::fit(payment.recipientName, SepaText::kMaxName, true, m_recipientName)) {
    case SepaText::Fit::Refused:
        return result::kRecipientNameInvalid;
    case SepaText::Fit::Cut:
        built.addNotice(result::kNoticeRecipientNameCut);
        break;
    case SepaText::Fit::Fits:
        break;
    }
    code = resolveAccount(payment.recipientIban, payment.recipientBic, payment.recipientBankCode,
                          payment.recipientAccount,
                          {result::kRecipientAccountMissing, result::kRecipientIbanInvalid,
                           result::kRecipientBicInvalid, result::kRecipientBicCountry},
                          m_recipientCache, m_recipient, built);
    if (code != result::kOk)
        return code;

    if (!parseCents(payment.amountCents, built.cents))
        return result::kAmountInvalid;

    const std::string_view instructionId = TrimView(payment.instructionId);
    const std::string_view endToEndId = TrimView(payment.endToEndId);
    if ((!instructionId.empty() && !SepaText::isIdentifier(instructionId, true)) ||
        (!endToEndId.empty() && !SepaText::isIdentifier(endToEndId, true)))
        return result::kReferenceInvalid;

    std::string_view mandateReference;
    std::int32_t mandateDate = -1;
    if (debit) {
        mandateReference = TrimView(payment.mandateReference);
        if (!SepaText::isIdentifier(mandateReference, false))
            return result::kMandateReferenceInvalid;
        mandateDate = SepaDates::dayNumber(TrimView(payment.mandateDate));
        if (mandateDate < 0)
            return result::kMandateDateInvalid;
        if (const std::int32_t verdict =
                dateVerdictCode(SepaDates::checkCollection(date, mandateDate, today)))
            return verdict;
    }

    switch (SepaText::fit(payment.remittance, SepaText::kMaxRemittance, false, m_remittance)) {
    case SepaText::Fit::Refused:
        return result::kRemittanceInvalid;
    case SepaText::Fit::Cut:
        built.addNotice(result::kNoticeRemittanceCut);
        break;
    case SepaText::Fit::Fits:
        break;
    }

    if (date != m_isoDay) {
        m_isoDay = date;
        m_isoDate = SepaDates::isoDate(date);
    }
    block.date = m_isoDate;
    block.instrument = debit ? instrumentCode(payment.instrument) : std::string_view();
    block.sequence = debit ? sequenceCode(payment.sequence) : std::string_view();
    block.categoryPurpose = payment.categoryPurpose;
    std::string& key = built.blockKey;
    key.clear();
    for (std::string_view part :
         {std::string_view(block.originatorName), std::string_view(block.iban),
          std::string_view(block.bic), std::string_view(block.date),
          std::string_view(block.creditorId), block.instrument, block.sequence,
          std::string_view(block.categoryPurpose)})
        appendKey(key, part);

    built.transactionXml.clear();
    XmlOut tx{built.transactionXml};
    const std::string_view txElement = debit ? "DrctDbtTxInf" : "CdtTrfTxInf";
    tx.raw("      <").raw(txElement).raw(">\n").raw(kTxIndent).raw("<PmtId>");
    if (!instructionId.empty())
        tx.raw("<InstrId>").text(instructionId).raw("</InstrId>");
    tx.raw("<EndToEndId>")
        .text(endToEndId.empty() ? kNotProvided : endToEndId)
        .raw("</EndToEndId></PmtId>\n");
    if (debit) {
        tx.raw(kTxIndent).raw("<InstdAmt Ccy=\"EUR\">");
        appendEuros(built.cents, built.transactionXml);
        tx.raw("</InstdAmt>\n").raw(kTxIndent).raw("<DrctDbtTx><MndtRltdInf><MndtId>");
        tx.text(mandateReference).raw("</MndtId><DtOfSgntr>").raw(SepaDates::isoDate(mandateDate));
        tx.raw("</DtOfSgntr></MndtRltdInf></DrctDbtTx>\n");
        tx.agent(kTxIndent, "DbtrAgt", m_recipient.bic);
        tx.party(kTxIndent, "Dbtr", m_recipientName);
        tx.account(kTxIndent, "DbtrAcct", m_recipient.iban);
    } else {
        tx.raw(kTxIndent).raw("<Amt><InstdAmt Ccy=\"EUR\">");
        appendEuros(built.cents, built.transactionXml);
        tx.raw("</InstdAmt></Amt>\n");
        if (!m_recipient.bic.empty())
            tx.agent(kTxIndent, "CdtrAgt", m_recipient.bic);
        tx.party(kTxIndent, "Cdtr", m_recipientName);
        tx.account(kTxIndent, "CdtrAcct", m_recipient.iban);
    }
    if (!payment.purpose.empty())
        tx.raw(kTxIndent).code("Purp", payment.purpose).raw("\n");
    if (!m_remittance.empty())
        tx.raw(kTxIndent).raw("<RmtInf><Ustrd>").text(m_remittance).raw("</Ustrd></RmtInf>\n");
    tx.raw("      </").raw(txElement).raw(">\n");
    return result::kOk;
}

std::string SepaPaymentBuilder::blockXml(const Block& block) const {
    const bool debit = m_kind == SepaFileSpec::Kind::DirectDebit;
    std::string xml;
    XmlOut out{xml};
    out.raw(kBlockIndent).raw("<PmtTpInf>").code("SvcLvl", "SEPA");
    if (debit)
        out.code("LclInstrm", block.instrument).raw("<SeqTp>").raw(block.sequence).raw("</SeqTp>");
    if (!block.categoryPurpose.empty())
        out.code("CtgyPurp", block.categoryPurpose);
    out.raw("</PmtTpInf>\n");
    if (debit) {
        out.raw(kBlockIndent).raw("<ReqdColltnDt>").raw(block.date).raw("</ReqdColltnDt>\n");
        out.party(kBlockIndent, "Cdtr", block.originatorName);
        out.account(kBlockIndent, "CdtrAcct", block.iban);
        out.agent(kBlockIndent, "CdtrAgt", block.bic);
        out.raw(kBlockIndent).raw("<ChrgBr>SLEV</ChrgBr>\n");
        out.raw(kBlockIndent).raw("<CdtrSchmeId><Id><PrvtId><Othr><Id>").raw(block.creditorId);
        out.raw("</Id><SchmeNm><Prtry>SEPA</Prtry></SchmeNm></Othr></PrvtId></Id>"
                "</CdtrSchmeId>\n");
    } else {
        out.raw(kBlockIndent).raw("<ReqdExctnDt><Dt>").raw(block.date).raw("</Dt></ReqdExctnDt>\n");
        out.party(kBlockIndent, "Dbtr", block.originatorName);
        out.account(kBlockIndent, "DbtrAcct", block.iban);
        out.agent(kBlockIndent, "DbtrAgt", block.bic);
        out.raw(kBlockIndent).raw("<ChrgBr>SLEV</ChrgBr>\n");
    }
    return xml;
}

} // namespace paylib
