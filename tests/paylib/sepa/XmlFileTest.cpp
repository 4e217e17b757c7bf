// SEPA XML payment files through Zalvotech_CreateXML / WriteXML / CloseXML, validated
// against the ISO 20022 schemas.
#include "tests/paylib/PayLib.h"
#include "tests/paylib/SchemaCheck.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "helpers/DateHelpers.h"
#include "paylib/ResultCodes.h"
#include "paylib/sepa/SepaPaymentBuilder.h"
#include "tests/support/RealDay.h"
#include "tests/support/SystemPaths.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
namespace result = paylib::result;
namespace header = zalvo::fileheader;
namespace payment = zalvo::payment;
using paylibtest::PayLib;

constexpr const char* kCreditSchema = "pain.001.001.09.xsd";
constexpr const char* kDebitSchema = "pain.008.001.08.xsd";

// Dates relative to today: the loaded library judges them by the real clock.
constexpr int kExecutionDays = 10;
constexpr int kMandateDays = -20;

std::string daysAhead(int days) {
    return DateToDigits(Today() + days);
}

std::string isoDaysAhead(int days) {
    return testsupport::isoDate(Today() + days);
}

std::size_t count(const std::string& text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

struct Totals {
    int count;
    std::string sum;
    bool operator==(const Totals&) const = default;
};

std::vector<Totals> totalsAfter(const std::string& xml, const std::string& opening) {
    static const std::regex kTotals("<NbOfTxs>([0-9]+)</NbOfTxs>\\s*<CtrlSum>([0-9.]+)</CtrlSum>");
    std::vector<Totals> found;
    for (std::size_t at = xml.find(opening); at != std::string::npos;
         at = xml.find(opening, at + 1)) {
        std::smatch match;
        const std::string rest = xml.substr(at, 400);
        if (std::regex_search(rest, match, kTotals))
            found.push_back({std::stoi(match[1]), match[2]});
    }
    return found;
}

// NbOfTxs and CtrlSum of the group header and of each payment-info block.
Totals groupTotals(const std::string& xml) {
    const std::vector<Totals> group = totalsAfter(xml, "<GrpHdr>");
    return group.size() == 1 ? group[0] : Totals{-1, ""};
}

std::vector<Totals> blockTotals(const std::string& xml) {
    return totalsAfter(xml, "<PmtInf>");
}

class XmlFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        PayLib::get().free();
        ASSERT_EQ(PayLib::get().initDefault(), result::kOk);
    }
    void TearDown() override { PayLib::get().free(); }

    fs::path target(const std::string& name = "out.xml") const { return m_dir.path() / name; }

    int32_t create(int32_t type, const std::string& name = "out.xml",
                   const std::string& messageId = "MessageId1234567890",
                   const std::string& party = "Testeinreicher") {
        zalvo::Record record(header::kSize);
        record.putText(header::kExportPath, m_dir.path().string());
        record.putInt32(header::kPaymentType, type);
        record.putText(header::kFileName, name);
        record.putText(header::kMessageId, messageId);
        record.putText(header::kInitiatingParty, party);
        return PayLib::get().createXML(record.data());
    }

    // An entry as the BIC/IBAN dialog writes it.
    static zalvo::Record ibanEntry(const std::string& recipient = "Erika Mustermann",
                                   const std::string& cents = "12345") {
        zalvo::Record r(payment::kSize);
        r.putText(payment::kReference1, "Test");
        r.putText(payment::kExecutionDate, daysAhead(kExecutionDays));
        r.putText(payment::kOriginatorName, "Zalvotech Test GmbH");
        r.putText(payment::kOriginatorBic, "COBADEFFXXX");
        r.putText(payment::kOriginatorIban, "DE89370400440532013000");
        r.putText(payment::kCreditorId, "DE98ZZZ09999999999");
        r.putText(payment::kRecipientName, recipient);
        r.putText(payment::kRecipientBic, "INGDDEFFXXX");
        r.putText(payment::kRecipientIban, "DE12500105170648489890");
        r.putText(payment::kAmountCents, cents);
        r.putText(payment::kReference2, "ETE");
        r.putText(payment::kMandateReference, "Testmandat");
        r.putText(payment::kMandateDate, daysAhead(kMandateDays));
        r.putText(payment::kRemittance1, "Rechnung 4711");
        r.putText(payment::kRemittance2, "vom 1.12.2026");
        return r;
    }

    // An entry as the bank-code dialog writes it.
    static zalvo::Record accountEntry(const std::string& recipient = "Max Mustermann",
                                      const std::string& cents = "100") {
        zalvo::Record r = ibanEntry(recipient, cents);
        for (zalvo::Field f : {payment::kOriginatorBic, payment::kOriginatorIban,
                               payment::kRecipientBic, payment::kRecipientIban})
            r.putText(f, "");
        r.putText(payment::kOriginatorBankCode, "50010517");
        r.putText(payment::kOriginatorAccount, "648489890");
        r.putText(payment::kRecipientBankCode, "10010010");
        r.putText(payment::kRecipientAccount, "6820101");
        return r;
    }

    static int32_t write(zalvo::Record& entry) { return PayLib::get().writeXML(entry.data()); }

    struct Closed {
        int32_t code;
        int32_t count;
        std::string sum;
    };
    static Closed close() {
        zalvo::Record summary(zalvo::summary::kSize);
        const int32_t code = PayLib::get().closeXML(summary.data());
        return {code, summary.int32(zalvo::summary::kCount),
                summary.text(zalvo::summary::kSumCents)};
    }

    // Names of everything in the test folder.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir.path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    testsupport::TempDirectory m_dir;
};

TEST_F(XmlFileTest, CreditTransfersFromIbansValidate) {
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    zalvo::Record first = ibanEntry("Erika Mustermann", "12345");
    zalvo::Record second = ibanEntry("Hans M\xFCller", "100");
    ASSERT_EQ(write(first), result::kOk);
    ASSERT_EQ(write(second), result::kOk);
    // The file appears only when it is complete.
    EXPECT_FALSE(fs::exists(target()));
    const Closed closed = close();
    ASSERT_EQ(closed.code, result::kOk);
    EXPECT_EQ(closed.count, 2);
    EXPECT_EQ(closed.sum, "12445");

    EXPECT_EQ(schemacheck::errors(target(), kCreditSchema), "");
    const std::string xml = schemacheck::contents(target());
    EXPECT_EQ(count(xml, "<CdtTrfTxInf>"), 2u);
    EXPECT_NE(xml.find("<CtrlSum>124.45</CtrlSum>"), std::string::npos);
    EXPECT_NE(xml.find("<NbOfTxs>2</NbOfTxs>"), std::string::npos);
    EXPECT_NE(xml.find("<InstdAmt Ccy=\"EUR\">123.45</InstdAmt>"), std::string::npos);
    EXPECT_NE(xml.find("<Dt>" + isoDaysAhead(kExecutionDays) + "</Dt>"), std::string::npos);
    // Windows-1252 in, UTF-8 out.
    EXPECT_NE(xml.find("<Nm>Hans M\xC3\xBCller</Nm>"), std::string::npos);
    EXPECT_NE(xml.find("<Ustrd>Rechnung 4711 vom 1.12.2026</Ustrd>"), std::string::npos);
    EXPECT_NE(xml.find("<EndToEndId>ETE</EndToEndId>"), std::string::npos);
    EXPECT_EQ(files(), std::vector<std::string>{"out.xml"});
}

TEST_F(XmlFileTest, CreditTransfersFromBankCodesGetDerivedIbansAndBics) {
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    zalvo::Record entry = accountEntry();
    ASSERT_EQ(write(entry), result::kOk);
    // Commerzbank (rule 0005): the donation account 101010 is booked on 311011100.
    entry.putText(payment::kRecipientBankCode, "50040000");
    entry.putText(payment::kRecipientAccount, "101010");
    EXPECT_EQ(write(entry), result::kOk);
    // A bank without a check method in the data: written, with the notice that the account
    // could not be checked.
    entry.putText(payment::kRecipientBankCode, "21050055");
    entry.putText(payment::kRecipientAccount, "1234567");
    EXPECT_EQ(write(entry), result::kNoticeAccountNotChecked);
    const Closed closed = close();
    ASSERT_EQ(closed.code, result::kOk);
    EXPECT_EQ(closed.count, 3);
    EXPECT_EQ(closed.sum, "300");
    EXPECT_EQ(schemacheck::errors(target(), kCreditSchema), "");
    const std::string xml = schemacheck::contents(target());
    EXPECT_NE(xml.find("<IBAN>DE12500105170648489890</IBAN>"), std::string::npos);
    EXPECT_NE(xml.find("<BICFI>INGDDEFFXXX</BICFI>"), std::string::npos);
    EXPECT_NE(xml.find("<IBAN>DE02100100100006820101</IBAN>"), std::string::npos);
    EXPECT_NE(xml.find("<BICFI>PBNKDEFFXXX</BICFI>"), std::string::npos);
    EXPECT_NE(xml.find("<IBAN>DE46500400000311011100</IBAN>"), std::string::npos);
    EXPECT_NE(xml.find("<BICFI>COBADEFFXXX</BICFI>"), std::string::npos);
    EXPECT_NE(xml.find("<IBAN>DE66210500550001234567</IBAN>"), std::string::npos);
}

TEST_F(XmlFileTest, AnAccountGivenAsAnIbanIsJudgedByTheIbanAlone) {
    // 12345678 fails method 74 of bank code 21050170: refused as bank code and account ...
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    zalvo::Record entry = accountEntry();
    entry.putText(payment::kRecipientBankCode, "21050170");
    entry.putText(payment::kRecipientAccount, "12345678");
    EXPECT_EQ(write(entry), result::kAccountRefused);
    // ... but its IBAN has valid check digits and the registry's form, so it is taken.
    zalvo::Record asIban = ibanEntry();
    asIban.putText(payment::kRecipientIban, "DE68210501700012345678");
    asIban.putText(payment::kRecipientBic, "");
    EXPECT_EQ(write(asIban), result::kOk);
    ASSERT_EQ(close().code, result::kOk);
    const std::string xml = schemacheck::contents(target());
    EXPECT_NE(xml.find("<IBAN>DE68210501700012345678</IBAN>"), std::string::npos);
    EXPECT_NE(xml.find("<BICFI>NOLADE21KIE</BICFI>"), std::string::npos);
    EXPECT_EQ(xml.find("Max Mustermann"), std::string::npos);
}

TEST_F(XmlFileTest, DirectDebitsFromBothVariantsValidate) {
    ASSERT_EQ(create(header::kDirectDebit, "ls.xml"), result::kOk);
    zalvo::Record first = ibanEntry("Erika Mustermann", "5000");
    zalvo::Record second = accountEntry("Max Mustermann", "2500");
    ASSERT_EQ(write(first), result::kOk);
    ASSERT_EQ(write(second), result::kOk);
    const Closed closed = close();
    ASSERT_EQ(closed.code, result::kOk);
    EXPECT_EQ(closed.count, 2);
    EXPECT_EQ(closed.sum, "7500");
    EXPECT_EQ(schemacheck::errors(target("ls.xml"), kDebitSchema), "");
    const std::string xml = schemacheck::contents(target("ls.xml"));
    EXPECT_EQ(count(xml, "<DrctDbtTxInf>"), 2u);
    // Different creditor accounts: one payment-info block each.
    EXPECT_EQ(count(xml, "<PmtInf>"), 2u);
    EXPECT_NE(xml.find("<LclInstrm><Cd>CORE</Cd></LclInstrm><SeqTp>RCUR</SeqTp>"),
              std::string::npos);
    EXPECT_NE(xml.find("<ReqdColltnDt>" + isoDaysAhead(kExecutionDays) + "</ReqdColltnDt>"),
              std::string::npos);
    EXPECT_NE(xml.find("<MndtId>Testmandat</MndtId><DtOfSgntr>" + isoDaysAhead(kMandateDays) +
                       "</DtOfSgntr>"),
              std::string::npos);
    EXPECT_NE(xml.find("<Id>DE98ZZZ09999999999</Id>"), std::string::npos);
}

TEST_F(XmlFileTest, EntriesOfOneKeyShareOneBlockWhateverTheirOrder) {
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    zalvo::Record a = ibanEntry("A", "100");
    zalvo::Record b = ibanEntry("B", "200");
    b.putText(payment::kExecutionDate, daysAhead(kExecutionDays + 1));
    zalvo::Record c = ibanEntry("C", "300");
    for (zalvo::Record* r : {&a, &b, &a, &c})
        ASSERT_EQ(write(*r), result::kOk);
    ASSERT_EQ(close().code, result::kOk);
    EXPECT_EQ(schemacheck::errors(target(), kCreditSchema), "");
    const std::string xml = schemacheck::contents(target());
    EXPECT_EQ(groupTotals(xml), (Totals{4, "7.00"}));
    EXPECT_EQ(blockTotals(xml), (std::vector<Totals>{{3, "5.00"}, {1, "2.00"}}));
    // Arrival order inside the block; the block's own elements in front, batch booked.
    EXPECT_LT(xml.find("<Nm>A</Nm>"), xml.find("<Nm>C</Nm>"));
    EXPECT_LT(xml.find("<Nm>C</Nm>"), xml.find("<Nm>B</Nm>"));
    EXPECT_NE(xml.find("<PmtInfId>MessageId1234567890-1</PmtInfId>\n      <PmtMtd>TRF</PmtMtd>\n"
                       "      <BtchBookg>true</BtchBookg>"),
              std::string::npos);
    EXPECT_NE(xml.find("<PmtInfId>MessageId1234567890-2</PmtInfId>"), std::string::npos);
}

TEST_F(XmlFileTest, RejectedEntryInTheMiddleLeavesTheOthersIntact) {
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    zalvo::Record first = ibanEntry("Erste", "111");
    zalvo::Record broken = ibanEntry("Kaputt", "222");
    broken.putText(payment::kRecipientIban, "DE13500105170648489890"); // check digits wrong
    zalvo::Record third = ibanEntry("Dritte", "333");
    ASSERT_EQ(write(first), result::kOk);
    EXPECT_EQ(write(broken), result::kRecipientIbanInvalid);
    ASSERT_EQ(write(third), result::kOk);
    const Closed closed = close();
    ASSERT_EQ(closed.code, result::kOk);
    EXPECT_EQ(closed.count, 2);
    EXPECT_EQ(closed.sum, "444");
    EXPECT_EQ(schemacheck::errors(target(), kCreditSchema), "");
    const std::string xml = schemacheck::contents(target());
    EXPECT_NE(xml.find("<Nm>Erste</Nm>"), std::string::npos);
    EXPECT_NE(xml.find("<Nm>Dritte</Nm>"), std::string::npos);
    EXPECT_EQ(xml.find("Kaputt"), std::string::npos);
    EXPECT_EQ(count(xml, "<CdtTrfTxInf>"), 2u);
}

TEST_F(XmlFileTest, CallsOutOfOrderAreRefused) {
    zalvo::Record entry = ibanEntry();
    EXPECT_EQ(write(entry), result::kNoFileOpen);
    EXPECT_EQ(close().code, result::kNoFileOpen);

    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    // A second create does not disturb the open file.
    EXPECT_EQ(create(header::kDirectDebit, "other.xml"), result::kFileAlreadyOpen);
    ASSERT_EQ(write(entry), result::kOk);
    ASSERT_EQ(close().code, result::kOk);
    EXPECT_EQ(close().code, result::kNoFileOpen);
    EXPECT_EQ(write(entry), result::kNoFileOpen);
    EXPECT_EQ(files(), std::vector<std::string>{"out.xml"});

    // After a close a new file can be started.
    ASSERT_EQ(create(header::kDirectDebit, "second.xml"), result::kOk);
    ASSERT_EQ(write(entry), result::kOk);
    ASSERT_EQ(close().code, result::kOk);
    EXPECT_EQ(schemacheck::errors(target("second.xml"), kDebitSchema), "");
}

TEST_F(XmlFileTest, FileWithoutEntriesIsNotWritten) {
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    const Closed closed = close();
    EXPECT_EQ(closed.code, result::kFileWithoutEntries);
    EXPECT_EQ(closed.count, 0);
    EXPECT_TRUE(files().empty());
    EXPECT_EQ(close().code, result::kNoFileOpen);
}

TEST_F(XmlFileTest, FreeDropsAnUnfinishedFile) {
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    zalvo::Record entry = ibanEntry();
    ASSERT_EQ(write(entry), result::kOk);
#if !defined(_WIN32)
    // The unfinished document has no name in the directory, not even a hidden one (Windows
    // has no nameless files).
    EXPECT_TRUE(files().empty());
#endif
    PayLib::get().free();
    EXPECT_TRUE(files().empty());
    ASSERT_EQ(PayLib::get().initDefault(), result::kOk);
    EXPECT_EQ(close().code, result::kNoFileOpen);
}

TEST_F(XmlFileTest, ExistingFileIsReplacedOnlyAtClose) {
    std::ofstream(target()) << "old";
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    zalvo::Record entry = ibanEntry();
    ASSERT_EQ(write(entry), result::kOk);
    EXPECT_EQ(schemacheck::contents(target()), "old");
    ASSERT_EQ(close().code, result::kOk);
    EXPECT_EQ(schemacheck::errors(target(), kCreditSchema), "");
}

TEST_F(XmlFileTest, FileHeaderFaultsHaveTheirCodes) {
    EXPECT_EQ(create(2), result::kPaymentTypeInvalid);
    EXPECT_EQ(create(-1), result::kPaymentTypeInvalid);
    EXPECT_EQ(create(0, ""), result::kFileNameInvalid);
    EXPECT_EQ(create(0, "a/b.xml"), result::kFileNameInvalid);
    EXPECT_EQ(create(0, "*.xml"), result::kFileNameInvalid);
    EXPECT_EQ(create(0, ".."), result::kFileNameInvalid);
    fs::create_directory(target("dir.xml"));
    EXPECT_EQ(create(0, "dir.xml"), result::kFileNameInvalid);
    EXPECT_EQ(create(0, "out.xml", ""), result::kMessageIdInvalid);
    EXPECT_EQ(create(0, "out.xml", "a//b"), result::kMessageIdInvalid);
    EXPECT_EQ(create(0, "out.xml", "Id@1"), result::kMessageIdInvalid);
    EXPECT_EQ(create(0, "out.xml", "Id1", ""), result::kInitiatingPartyInvalid);
    EXPECT_EQ(create(0, "out.xml", "Id1", "Firma@Web"), result::kInitiatingPartyInvalid);

    zalvo::Record record(header::kSize);
    record.putText(header::kExportPath, (m_dir.path() / "missing").string());
    record.putText(header::kFileName, "out.xml");
    record.putText(header::kMessageId, "Id1");
    record.putText(header::kInitiatingParty, "Test");
    EXPECT_EQ(PayLib::get().createXML(record.data()), result::kExportPathInvalid);
    // A directory where no file can be created, not even by root.
    record.putText(header::kExportPath, testsupport::kUnwritableDirectory);
    EXPECT_EQ(PayLib::get().createXML(record.data()), result::kFileNotWritable);
    // Nothing was opened by any of these.
    EXPECT_EQ(close().code, result::kNoFileOpen);
    EXPECT_EQ(files(), std::vector<std::string>{"dir.xml"});
}

TEST_F(XmlFileTest, EntryFaultsHaveTheirCodesAndLeaveNothingBehind) {
    using Mutate = std::function<void(zalvo::Record&)>;
    struct Case {
        const char* what;
        bool debit;
        Mutate mutate;
        int32_t code;
    };
    auto set = [](zalvo::Field f, std::string value) -> Mutate {
        return [f, value](zalvo::Record& r) { r.putText(f, value); };
    };
    const Case cases[] = {
        {"no date", false, set(payment::kExecutionDate, ""), result::kExecutionDateInvalid},
        {"30 Feb", false, set(payment::kExecutionDate, "30022026"), result::kExecutionDateInvalid},
        {"no originator", false, set(payment::kOriginatorName, " "),
         result::kOriginatorNameInvalid},
        {"originator name character", false, set(payment::kOriginatorName, "Firma @ Co"),
         result::kOriginatorNameInvalid},
        {"execution yesterday", false, set(payment::kExecutionDate, daysAhead(-1)),
         result::kExecutionDateInPast},
        {"collection yesterday", true, set(payment::kExecutionDate, daysAhead(-1)),
         result::kExecutionDateInPast},
        {"collection today", true, set(payment::kExecutionDate, daysAhead(0)),
         result::kCollectionTooEarly},
        {"originator BIC of another country", false, set(payment::kOriginatorBic, "BNPAFRPPXXX"),
         result::kOriginatorBicCountry},
        {"recipient BIC of another country", true, set(payment::kRecipientBic, "UBSWCHZH80A"),
         result::kRecipientBicCountry},
        {"no originator account", false,
         [](zalvo::Record& r) {
             r.putText(payment::kOriginatorIban, "");
             r.putText(payment::kOriginatorBic, "");
         },
         result::kOriginatorAccountMissing},
        {"originator IBAN", false, set(payment::kOriginatorIban, "DE89370400440532013001"),
         result::kOriginatorIbanInvalid},
        {"originator BIC", false, set(payment::kOriginatorBic, "COBADEF"),
         result::kOriginatorBicInvalid},
        {"recipient name", false, set(payment::kRecipientName, "Euro \x80"),
         result::kRecipientNameInvalid},
        {"no recipient account", false, set(payment::kRecipientIban, ""),
         result::kRecipientAccountMissing},
        {"recipient IBAN swapped", false, set(payment::kRecipientIban, "DE12500105170648489980"),
         result::kRecipientIbanInvalid},
        {"recipient BIC", false, set(payment::kRecipientBic, "INGD1EFFXXX"),
         result::kRecipientBicInvalid},
        {"amount zero", false, set(payment::kAmountCents, "0"), result::kAmountInvalid},
        {"amount text", false, set(payment::kAmountCents, "12a"), result::kAmountInvalid},
        {"amount overflow filler", false, set(payment::kAmountCents, "$$$$$$$$$$$$"),
         result::kAmountInvalid},
        {"amount above SEPA", false, set(payment::kAmountCents, "100000000000"),
         result::kAmountInvalid},
        {"remittance character", false, set(payment::kRemittance1, "a@b"),
         result::kRemittanceInvalid},
        {"reference", false, set(payment::kReference2, "ETE//1"), result::kReferenceInvalid},
        {"instruction id", false, set(payment::kReference1, "T@st"), result::kReferenceInvalid},
        {"creditor id", true, set(payment::kCreditorId, "DE97ZZZ09999999999"),
         result::kCreditorIdInvalid},
        {"no creditor id", true, set(payment::kCreditorId, ""), result::kCreditorIdInvalid},
        {"no mandate", true, set(payment::kMandateReference, ""), result::kMandateReferenceInvalid},
        {"mandate blank", true, set(payment::kMandateReference, "Test mandat"),
         result::kMandateReferenceInvalid},
        {"no mandate date", true, set(payment::kMandateDate, ""), result::kMandateDateInvalid},
        {"mandate after collection", true,
         set(payment::kMandateDate, daysAhead(kExecutionDays + 1)), result::kMandateDateInvalid},
        {"unknown bank code", false,
         [](zalvo::Record& r) {
             r.putText(payment::kRecipientIban, "");
             r.putText(payment::kRecipientBic, "");
             r.putText(payment::kRecipientBankCode, "12345678");
             r.putText(payment::kRecipientAccount, "1");
         },
         result::kBankCodeUnknown},
        {"recipient IBAN of a country outside SEPA", false,
         set(payment::kRecipientIban, "TR330006100519786457841326"), result::kRecipientIbanInvalid},
        {"originator IBAN with check digits 99", false,
         set(payment::kOriginatorIban, "DE99120300000000202051"), result::kOriginatorIbanInvalid},
        {"account failing its bank's check method", false,
         [](zalvo::Record& r) {
             r.putText(payment::kRecipientIban, "");
             r.putText(payment::kRecipientBic, "");
             r.putText(payment::kRecipientBankCode, "21050170");
             r.putText(payment::kRecipientAccount, "12345678");
         },
         result::kAccountRefused},
        {"originator account refused by its bank's rule", true,
         [](zalvo::Record& r) {
             r.putText(payment::kOriginatorIban, "");
             r.putText(payment::kOriginatorBic, "");
             r.putText(payment::kOriginatorBankCode, "76026000"); // norisbank, rule 0020
             r.putText(payment::kOriginatorAccount, "1234517892");
         },
         result::kAccountRefused},
        {"rule 0001", true,
         [](zalvo::Record& r) {
             r.putText(payment::kRecipientIban, "");
             r.putText(payment::kRecipientBic, "");
             r.putText(payment::kRecipientBankCode, "10060198");
             r.putText(payment::kRecipientAccount, "12345");
         },
         result::kNoIbanAllowed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(create(c.debit ? header::kDirectDebit : header::kCreditTransfer), result::kOk);
        zalvo::Record good = ibanEntry("Gut", "100");
        zalvo::Record bad = ibanEntry("Schlecht", "200");
        c.mutate(bad);
        ASSERT_EQ(write(good), result::kOk);
        EXPECT_EQ(write(bad), c.code);
        const Closed closed = close();
        ASSERT_EQ(closed.code, result::kOk);
        EXPECT_EQ(closed.count, 1);
        EXPECT_EQ(closed.sum, "100");
        EXPECT_EQ(schemacheck::contents(target()).find("Schlecht"), std::string::npos);
        EXPECT_EQ(schemacheck::errors(target(), c.debit ? kDebitSchema : kCreditSchema), "");
    }
}

TEST_F(XmlFileTest, RecordsWithoutAnyTerminatorAreReadWithinTheirFields) {
    zalvo::Record header(header::kSize);
    std::memset(header.data(), 'A', header::kSize);
    header.putInt32(header::kPaymentType, header::kCreditTransfer);
    // The export path is 256 letters: no such directory.
    EXPECT_EQ(PayLib::get().createXML(header.data()), result::kExportPathInvalid);

    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    zalvo::Record entry(payment::kSize);
    std::memset(entry.data(), '9', payment::kSize);
    // Every field full to its last byte: the date is nine digits, so the entry is refused.
    EXPECT_EQ(write(entry), result::kExecutionDateInvalid);
    zalvo::Record good = ibanEntry();
    ASSERT_EQ(write(good), result::kOk);
    EXPECT_EQ(close().count, 1);
}

TEST_F(XmlFileTest, TextsAreBroughtIntoTheSepaCharacterSet) {
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    zalvo::Record entry = ibanEntry("Jos\xE9 Fran\xE7ois \xDF'", "100");
    // Two full lines of 70 keep their blank and are cut at 140, with the notice.
    entry.putText(payment::kRemittance1, std::string(70, 'x'));
    entry.putText(payment::kRemittance2, std::string(70, 'y'));
    ASSERT_EQ(write(entry), result::kNoticeRemittanceCut);
    // The Nordic letters that take two Latin ones.
    zalvo::Record nordic = ibanEntry("\xC6SA \xD8RSTED \x8C"
                                     "DIPE \xDE"
                                     "ORA \xD0"
                                     "AN",
                                     "100");
    nordic.putText(payment::kOriginatorName, "S\xF8ren \xE6"
                                             "b\xF8 \x9C"
                                             "uf \xFE"
                                             "or \xF0"
                                             "a");
    ASSERT_EQ(write(nordic), result::kOk);
    ASSERT_EQ(close().code, result::kOk);
    EXPECT_EQ(schemacheck::errors(target(), kCreditSchema), "");
    const std::string xml = schemacheck::contents(target());
    EXPECT_NE(xml.find("<Nm>Jose Francois \xC3\x9F&apos;</Nm>"), std::string::npos);
    EXPECT_NE(xml.find("<Ustrd>" + std::string(70, 'x') + " " + std::string(69, 'y') + "</Ustrd>"),
              std::string::npos);
    EXPECT_NE(xml.find("<Nm>AESA OERSTED OEDIPE THORA DAN</Nm>"), std::string::npos);
    EXPECT_NE(xml.find("<Nm>Soeren aeboe oeuf thor da</Nm>"), std::string::npos);
}

TEST_F(XmlFileTest, SumBeyondTheSummaryFieldIsRefused) {
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    zalvo::Record entry = ibanEntry("Gross", "99999999999");
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(write(entry), result::kOk) << i;
    EXPECT_EQ(write(entry), result::kFileLimitReached);
    zalvo::Record small = ibanEntry("Klein", "9999");
    ASSERT_EQ(write(small), result::kOk);
    const Closed closed = close();
    ASSERT_EQ(closed.code, result::kOk);
    EXPECT_EQ(closed.count, 10001);
    EXPECT_EQ(closed.sum, "999999999999999");
    EXPECT_EQ(schemacheck::errors(target(), kCreditSchema), "");
}

// Windows has no limit on the size of the files a process writes, and no fork(): the full
// disk and the ended process are met on Linux only.
#if !defined(_WIN32)
// Limits the size of every file this process writes, so the library meets a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

TEST_F(XmlFileTest, WriteFailuresLoseNothingThatWasAccepted) {
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    int accepted = 0;
    {
        // The document can take about 100 KB: some entries fit, then writing fails.
        FileSizeLimit limit(100 * 1024);
        zalvo::Record entry = ibanEntry("Eintrag", "1");
        for (int i = 0; i < 2000; ++i) {
            const int32_t code = write(entry);
            if (code == result::kWriteFailed)
                break;
            ASSERT_EQ(code, result::kOk);
            ++accepted;
        }
        ASSERT_GT(accepted, 0);
        ASSERT_LT(accepted, 2000);
    }
    const Closed closed = close();
    ASSERT_EQ(closed.code, result::kOk);
    EXPECT_EQ(closed.count, accepted);
    EXPECT_EQ(closed.sum, std::to_string(accepted));
    EXPECT_EQ(schemacheck::errors(target(), kCreditSchema), "");
    EXPECT_EQ(count(schemacheck::contents(target()), "<CdtTrfTxInf>"),
              static_cast<std::size_t>(accepted));
    EXPECT_EQ(files(), std::vector<std::string>{"out.xml"});
}

TEST_F(XmlFileTest, AFailedCloseLeavesNothingBehindAndEndsTheFile) {
    zalvo::Record entry = ibanEntry();
    zalvo::Record later = ibanEntry("Anderer Tag", "5");
    later.putText(payment::kExecutionDate, daysAhead(kExecutionDays + 1));
    // The same file once without a limit, to learn the size of the document.
    ASSERT_EQ(create(header::kCreditTransfer, "probe.xml"), result::kOk);
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(write(i % 3 == 0 ? later : entry), result::kOk);
    ASSERT_EQ(close().code, result::kOk);
    const auto documentSize = fs::file_size(target("probe.xml"));
    fs::remove(target("probe.xml"));

    std::ofstream(target()) << "old";
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(write(i % 3 == 0 ? later : entry), result::kOk);
    {
        // Room for the entries, not for the blocks gathered at close.
        FileSizeLimit limit(documentSize - 100);
        EXPECT_EQ(close().code, result::kWriteFailed);
    }
    // Nothing of the file is left, the old file is untouched, and the file is ended.
    EXPECT_EQ(files(), std::vector<std::string>{"out.xml"});
    EXPECT_EQ(schemacheck::contents(target()), "old");
    EXPECT_EQ(close().code, result::kNoFileOpen);
    EXPECT_EQ(write(entry), result::kNoFileOpen);
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    ASSERT_EQ(write(entry), result::kOk);
    ASSERT_EQ(close().code, result::kOk);
    EXPECT_EQ(schemacheck::errors(target(), kCreditSchema), "");
}
#endif

} // namespace

namespace {

struct Originator {
    const char* iban;
    const char* bic;
};
constexpr Originator kOriginators[] = {{"DE89370400440532013000", "COBADEFFXXX"},
                                       {"DE12500105170648489890", "INGDDEFFXXX"},
                                       {"DE02100100100006820101", "PBNKDEFFXXX"}};
constexpr int kKeys = 6; // three originator accounts on two dates
constexpr int kInterleaved = 1502;

// Entry i of an interleaved file: keys in an irregular order, amounts varying.
int keyOf(int i) {
    return (i * 5 + i / 7) % kKeys;
}

class GroupingTest : public XmlFileTest, public ::testing::WithParamInterface<bool> {};

TEST_P(GroupingTest, InterleavedEntriesOverSixKeysGiveSixBlocksWithTheirTotals) {
    const bool debit = GetParam();
    ASSERT_EQ(create(debit ? header::kDirectDebit : header::kCreditTransfer), result::kOk);
    std::vector<int> firstSeen;
    std::map<int, Totals> expected;
    std::map<int, std::int64_t> cents;
    std::int64_t total = 0;
    for (int i = 0; i < kInterleaved; ++i) {
        const int key = keyOf(i);
        const Originator& originator = kOriginators[key % 3];
        zalvo::Record entry =
            ibanEntry("Empfaenger " + std::to_string(i), std::to_string(100 + i * 37 % 9000));
        entry.putText(payment::kOriginatorIban, originator.iban);
        entry.putText(payment::kOriginatorBic, originator.bic);
        entry.putText(payment::kExecutionDate, daysAhead(kExecutionDays + key / 3));
        std::string reference(1, 'E');
        reference += std::to_string(i);
        entry.putText(payment::kReference2, reference);
        ASSERT_EQ(write(entry), result::kOk) << i;
        if (std::find(firstSeen.begin(), firstSeen.end(), key) == firstSeen.end())
            firstSeen.push_back(key);
        ++expected[key].count;
        cents[key] += 100 + i * 37 % 9000;
        total += 100 + i * 37 % 9000;
    }
    const Closed closed = close();
    ASSERT_EQ(closed.code, result::kOk);
    EXPECT_EQ(closed.count, kInterleaved);
    EXPECT_EQ(closed.sum, std::to_string(total));

    const std::string xml = schemacheck::contents(target());
    EXPECT_EQ(schemacheck::errors(target(), debit ? kDebitSchema : kCreditSchema), "");
    const auto euros = [](std::int64_t c) { return paylib::SepaPaymentBuilder::euros(c); };
    std::vector<Totals> blocks;
    for (int key : firstSeen)
        blocks.push_back({expected[key].count, euros(cents[key])});
    ASSERT_EQ(firstSeen.size(), static_cast<std::size_t>(kKeys));
    EXPECT_EQ(blockTotals(xml), blocks);
    EXPECT_EQ(groupTotals(xml), (Totals{kInterleaved, euros(total)}));
    EXPECT_EQ(count(xml, "<BtchBookg>true</BtchBookg>"), static_cast<std::size_t>(kKeys));

    // Inside each block the entries keep the order they came in.
    std::size_t blockStart = xml.find("<PmtInf>");
    while (blockStart != std::string::npos) {
        const std::size_t blockEnd = xml.find("</PmtInf>", blockStart);
        int previous = -1;
        for (std::size_t at = xml.find("<EndToEndId>E", blockStart); at < blockEnd;
             at = xml.find("<EndToEndId>E", at + 1)) {
            const int number = std::stoi(xml.substr(at + 13, 6));
            EXPECT_GT(number, previous);
            previous = number;
        }
        blockStart = xml.find("<PmtInf>", blockEnd);
    }
}

INSTANTIATE_TEST_SUITE_P(CreditTransfersAndDirectDebits, GroupingTest, ::testing::Bool());

TEST_F(XmlFileTest, NamesWithAmpersandAreWrittenAsGermanBanksTakeThem) {
    ASSERT_EQ(create(header::kCreditTransfer, "out.xml", "MessageId1234567890",
                     "M\xFCller & S\xF6hne GmbH"),
              result::kOk);
    zalvo::Record entry = ibanEntry("M\xFCller & S\xF6hne GmbH", "100");
    entry.putText(payment::kOriginatorName, "Schmidt & Co. KG");
    entry.putText(payment::kRemittance1, "Rechnung 4711 * 10 $ 5 %");
    ASSERT_EQ(write(entry), result::kOk);
    ASSERT_EQ(close().code, result::kOk);
    EXPECT_EQ(schemacheck::errors(target(), kCreditSchema), "");
    const std::string xml = schemacheck::contents(target());
    EXPECT_EQ(count(xml, "<Nm>M\xC3\xBCller &amp; S\xC3\xB6hne GmbH</Nm>"), 2u);
    EXPECT_NE(xml.find("<Nm>Schmidt &amp; Co. KG</Nm>"), std::string::npos);
    EXPECT_NE(xml.find("<Ustrd>Rechnung 4711 * 10 $ 5 % vom 1.12.2026</Ustrd>"), std::string::npos);
}

TEST_F(XmlFileTest, CutsAreNoticedAndEveryNoticeIsLogged) {
    const std::string log = (m_dir.path() / "zalvo.log").string();
    ASSERT_EQ(PayLib::get().setLogFile(log.c_str(), 1, 7, 0), result::kOk);
    // 36 x Æ is 72 letters once transliterated: the party is cut to 70.
    EXPECT_EQ(create(header::kCreditTransfer, "out.xml", "Id1", std::string(36, '\xC6')),
              result::kNoticeInitiatingPartyCut);
    zalvo::Record entry = accountEntry(std::string(40, '\xC6'), "100");
    // A bank without a check method in the data: its account gets notice 213.
    entry.putText(payment::kRecipientBankCode, "21050055");
    entry.putText(payment::kRecipientAccount, "1234567");
    entry.putText(payment::kRemittance1, std::string(70, 'x'));
    entry.putText(payment::kRemittance2, std::string(70, 'y'));
    // The first notice is the answer; the log has all three.
    EXPECT_EQ(write(entry), result::kNoticeRecipientNameCut);
    ASSERT_EQ(close().code, result::kOk);
    ASSERT_EQ(PayLib::get().setLogFile(log.c_str(), 3, 7, 0), result::kOk);
    const std::string text = schemacheck::contents(log);
    for (const char* line : {
             "HINWEIS:CreateXML.Einreicher auf 70 Zeichen gek\xFCrzt. Hinweis: 223\r\n",
             "HINWEIS:WriteXML.Name des Empf\xE4ngers auf 70 Zeichen gek\xFCrzt. Hinweis: 221\r\n",
             "HINWEIS:WriteXML.IBAN ermittelt, Pr\xFC"
             "fzifferberechnungsmethode der Bank unbekannt, Kontonummer nicht gepr\xFC"
             "ft. Hinweis: 213\r\n",
             "HINWEIS:WriteXML.Verwendungszweck auf 140 Zeichen gek\xFCrzt. Hinweis: 222\r\n",
         })
        EXPECT_NE(text.find(line), std::string::npos) << line;
    const std::string xml = schemacheck::contents(target());
    std::string pairs;
    for (int i = 0; i < 35; ++i)
        pairs += "AE";
    EXPECT_EQ(count(xml, "<Nm>" + pairs + "</Nm>"), 2u); // party and recipient
    EXPECT_EQ(schemacheck::errors(target(), kCreditSchema), "");
}

TEST_F(XmlFileTest, BicsOfTheTerritoriesThatUseAnotherCountrysIban) {
    ASSERT_EQ(create(header::kCreditTransfer), result::kOk);
    struct Case {
        const char* iban;
        const char* bic;
        int32_t code;
    };
    const Case cases[] = {
        {"FR1420041010050500013M02606", "BNPAGPGPXXX", result::kOk}, // Guadeloupe
        {"FR1420041010050500013M02606", "BNPAFRPPXXX", result::kOk},
        {"GB29NWBK60161331926819", "RBOSJESHXXX", result::kOk}, // Jersey
        {"FI2112345600000785", "AABAAX22XXX", result::kOk},     // Åland
        {"FI2112345600000785", "NDEASESSXXX", result::kRecipientBicCountry},
        {"GB29NWBK60161331926819", "BNPAFRPPXXX", result::kRecipientBicCountry},
        {"DE12500105170648489890", "BNPAGPGPXXX", result::kRecipientBicCountry},
    };
    for (const Case& c : cases) {
        zalvo::Record entry = ibanEntry();
        entry.putText(payment::kRecipientIban, c.iban);
        entry.putText(payment::kRecipientBic, c.bic);
        EXPECT_EQ(write(entry), c.code) << c.iban << " " << c.bic;
    }
    ASSERT_EQ(close().code, result::kOk);
}

#if !defined(_WIN32)
// The library loaded into a child process that ends while its file is open.
void endWithOpenFile(const fs::path& directory, bool killed) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        zalvo::Record record(header::kSize);
        record.putText(header::kExportPath, directory.string());
        record.putText(header::kFileName, "out.xml");
        record.putText(header::kMessageId, "Id1");
        record.putText(header::kInitiatingParty, "Test");
        zalvo::Record entry(payment::kSize);
        if (PayLib::get().createXML(record.data()) != 0)
            _exit(2);
        if (killed)
            raise(SIGKILL);
        std::exit(0); // a normal end: static objects are destroyed
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (killed)
        EXPECT_TRUE(WIFSIGNALED(status));
    else
        EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(XmlFileTest, AProcessThatEndsWithAnOpenFileLeavesNothingBehind) {
    for (bool killed : {false, true}) {
        endWithOpenFile(m_dir.path(), killed);
        EXPECT_TRUE(files().empty()) << killed;
    }
}
#endif

} // namespace
