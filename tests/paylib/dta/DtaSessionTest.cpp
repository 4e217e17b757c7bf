#include "paylib/dta/DtaSession.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "paylib/ResultCodes.h"
#include "paylib/dta/DtaInfoRecord.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/paylib/EmbeddedTable.h"
#include "tests/paylib/SchemaCheck.h"
#include "tests/paylib/dta/DtaTestWriter.h"
#include "tests/support/DtaSamples.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

using paylib::DtaSession;
using paylib::DtaXmlExport;
using zalvo::Record;
namespace result = paylib::result;
namespace info = paylib::dtainfo;
namespace fs = std::filesystem;

namespace {

const paylib::BankTable& bankTable() {
    return paylibtest::embeddedTable();
}

dtatest::LogicalFile credits() {
    dtatest::LogicalFile file;
    dtatest::Payment a;
    a.cents = 1050;
    a.name = "M]LLER & S\\HNE";
    a.purposes = {"RECHNUNG 1", "KUNDE 77", "DANKE"};
    dtatest::Payment b;
    b.bankCode = 10010010;
    b.account = 6820101;
    b.cents = 99;
    b.name = "ERIKA MUSTERFRAU";
    file.payments = {a, b};
    return file;
}

dtatest::LogicalFile debits() {
    dtatest::LogicalFile file;
    file.kind = "LK";
    file.executionDate = "15012025";
    dtatest::Payment p;
    p.bankCode = 20050550;
    p.account = 1015871393;
    p.cents = 2500;
    p.name = "ZAHLER AG";
    p.nameContinued = "ZWEIGNIEDERLASSUNG NORD";
    p.purposes = {"BEITRAG 2025"};
    dtatest::Payment b2b = p;
    b2b.textKey = 4000;
    b2b.cents = 700;
    file.payments = {p, b2b};
    return file;
}

class DtaSessionTest : public ::testing::Test {
protected:
    // Writes the bytes to a file in the test's folder and reads it.
    std::int32_t read(const std::string& bytes, char* summary = nullptr) {
        const fs::path file = m_temp.path() / "input.dta";
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        Record name(zalvo::kPathBufferSize);
        name.putText(0, zalvo::kMaxPathChars, file.string());
        return m_session.read(name.data(), summary);
    }

    std::int32_t next(Record& record) {
        record.zero();
        std::int32_t counter = 1;
        const std::int32_t rc = m_session.next(record.data(), &counter);
        EXPECT_EQ(counter, 1);
        return rc;
    }

    // What the front end writes: dates relative to a fixed day.
    static void complete(Record& record) {
        record.putText(info::kExecutionDate, "20012025");
        if (record.int32(info::kPaymentKind) == info::kKindDirectDebit) {
            record.putText(info::kCreditorId, "DE98ZZZ09999999999");
            record.putText(info::kMandateReference, "Testmandat");
            record.putText(info::kMandateDate, "18122024");
            record.putInt32(info::kSequenceSetting, 1);
            record.putInt32(info::kSchemeSetting, 100);
        }
    }

    // Walks all entries, completes and hands each back; returns the count.
    int walk() {
        Record record(info::kSize);
        int count = 0;
        while (next(record) == result::kOk) {
            complete(record);
            EXPECT_EQ(m_session.put(record.data()), result::kOk);
            ++count;
        }
        return count;
    }

    Record header(std::int32_t type, const std::string& fileName) const {
        Record h(zalvo::fileheader::kSize);
        h.putText(zalvo::fileheader::kExportPath, m_temp.path().string());
        h.putInt32(zalvo::fileheader::kPaymentType, type);
        h.putText(zalvo::fileheader::kFileName, fileName);
        h.putText(zalvo::fileheader::kMessageId, "MessageId1234567890");
        h.putText(zalvo::fileheader::kInitiatingParty, "Testeinreicher");
        return h;
    }

    std::string protocol() const {
        std::string text(64 * 1024, '\0');
        const std::int32_t length =
            m_session.protocol(text.data(), static_cast<std::int32_t>(text.size()));
        EXPECT_GT(length, 0);
        text.resize(static_cast<std::size_t>(std::max(length, 0)));
        return text;
    }

    // Five days before the execution date the tests complete entries with.
    platform::FixedClock m_clock{{2025, 1, 15, 9, 30, 0}};
    platform::ScopedClock m_pinnedClock{m_clock};
    testsupport::TempDirectory m_temp;
    DtaSession m_session;
};

} // namespace

TEST_F(DtaSessionTest, WalksEveryEntryOnceWithTheLibraryFieldsFilled) {
    Record summary(paylib::dtaread::kSize);
    ASSERT_EQ(read(dtatest::write({credits(), debits()}), summary.data()), result::kOk)
        << protocol();
    EXPECT_EQ(summary.int32(paylib::dtaread::kEntries), 4);
    EXPECT_EQ(summary.int32(paylib::dtaread::kCreditTransfers), 2);
    EXPECT_EQ(summary.int32(paylib::dtaread::kDirectDebits), 2);
    EXPECT_EQ(summary.int32(paylib::dtaread::kLogicalFiles), 2);
    EXPECT_EQ(summary.text(paylib::dtaread::kSumCents), "4349");

    Record r(info::kSize);
    ASSERT_EQ(next(r), result::kOk);
    EXPECT_EQ(r.int32(info::kEntryNumber), 1);
    EXPECT_EQ(r.int32(info::kPaymentKind), info::kKindCreditTransfer);
    EXPECT_NE(r.int32(info::kReadStamp), 0);
    EXPECT_EQ(r.int32(info::kLogicalFile), 1);
    EXPECT_EQ(r.text(info::kTextKey), "51000");
    EXPECT_EQ(r.text(info::kCounterpartyBankCode), "37040044");
    EXPECT_EQ(r.text(info::kCounterpartyAccount), "532013000");
    EXPECT_EQ(r.text(info::kAmountCents), "1050");
    EXPECT_EQ(r.text(info::kOriginatorBankCode), "50010517");
    EXPECT_EQ(r.text(info::kOriginatorAccount), "648489890");
    EXPECT_EQ(r.text(info::kCounterpartyName), "M\xDCLLER & S\xD6HNE");
    EXPECT_EQ(r.text(info::kOriginatorName), "BEISPIEL GMBH");
    EXPECT_EQ(r.text(info::kFirstPurposeLine), "RECHNUNG 1");
    EXPECT_EQ(r.int32(info::kPurposeLines), 3);
    EXPECT_EQ(r.int32(info::kExtensionCount), 2);
    EXPECT_EQ(r.text(info::kFileExecutionDate), "");
    // The front end's fields stay for the front end.
    EXPECT_EQ(r.text(info::kExecutionDate), "");
    EXPECT_EQ(r.int32(info::kSequenceSetting), 0);

    ASSERT_EQ(next(r), result::kOk);
    EXPECT_EQ(r.int32(info::kEntryNumber), 2);
    ASSERT_EQ(next(r), result::kOk);
    EXPECT_EQ(r.int32(info::kEntryNumber), 3);
    EXPECT_EQ(r.int32(info::kPaymentKind), info::kKindDirectDebit);
    EXPECT_EQ(r.int32(info::kLogicalFile), 2);
    EXPECT_EQ(r.text(info::kTextKey), "05000");
    EXPECT_EQ(r.text(info::kFileExecutionDate), "15012025");
    EXPECT_EQ(r.text(info::kCounterpartyName),
              "ZAHLER AG                  ZWEIGNIEDERLASSUNG NORD");
    ASSERT_EQ(next(r), result::kOk);
    EXPECT_EQ(r.text(info::kTextKey), "04000");
    EXPECT_EQ(next(r), result::kNoEntryLeft);
    EXPECT_EQ(next(r), result::kNoEntryLeft);
}

TEST_F(DtaSessionTest, AnswersNothingReadBeforeAReadAndAfterClear) {
    Record r(info::kSize);
    std::int32_t counter = 1;
    EXPECT_EQ(m_session.next(r.data(), &counter), result::kNothingRead);
    EXPECT_EQ(m_session.put(r.data()), result::kNothingRead);
    EXPECT_EQ(m_session.writeXml(header(0, "a.xml").data(), bankTable(), ""), result::kNothingRead);
    char buffer[16];
    EXPECT_EQ(m_session.protocol(buffer, sizeof buffer), result::kNothingRead);

    ASSERT_EQ(read(dtatest::write(credits())), result::kOk);
    m_session.clear();
    EXPECT_EQ(m_session.next(r.data(), &counter), result::kNothingRead);
    EXPECT_EQ(m_session.protocol(buffer, sizeof buffer), result::kNothingRead);
    m_session.clear(); // harmless twice
}

TEST_F(DtaSessionTest, RefusesMissingAndMalformedArguments) {
    Record r(info::kSize);
    std::int32_t counter = 1;
    EXPECT_EQ(m_session.read(nullptr, nullptr), paylib::result::kNullArgument);
    Record empty(zalvo::kPathBufferSize);
    EXPECT_EQ(m_session.read(empty.data(), nullptr), result::kBadArgument);
    std::string unterminated(zalvo::kPathBufferSize, 'a');
    EXPECT_EQ(m_session.read(unterminated.data(), nullptr), result::kBadArgument);

    ASSERT_EQ(read(dtatest::write(credits())), result::kOk);
    EXPECT_EQ(m_session.next(nullptr, &counter), paylib::result::kNullArgument);
    EXPECT_EQ(m_session.next(r.data(), nullptr), paylib::result::kNullArgument);
    EXPECT_EQ(m_session.put(nullptr), paylib::result::kNullArgument);
    EXPECT_EQ(m_session.writeXml(nullptr, bankTable(), ""), paylib::result::kNullArgument);
    char buffer[4];
    EXPECT_EQ(m_session.protocol(nullptr, 4), paylib::result::kNullArgument);
    EXPECT_EQ(m_session.protocol(buffer, 0), result::kBadArgument);
    EXPECT_EQ(m_session.protocol(buffer, -1), result::kBadArgument);
}

TEST_F(DtaSessionTest, ReadsAFileNamedInWindows1252) {
    const std::string bytes = dtatest::write(credits());
    std::ofstream(m_temp.path() / fs::u8path("Zahlungen-\xC3\xBC.dta"), std::ios::binary) << bytes;
    Record name(zalvo::kPathBufferSize);
    name.putText(0, zalvo::kMaxPathChars, m_temp.path().string() + "/Zahlungen-\xFC.dta");
    EXPECT_EQ(m_session.read(name.data(), nullptr), result::kOk) << protocol();
}

TEST_F(DtaSessionTest, AFailedReadForgetsThePreviousOneAndKeepsItsProtocol) {
    ASSERT_EQ(read(dtatest::write(credits())), result::kOk);
    std::string broken = dtatest::write(credits());
    broken.replace(128, 4, "0216");
    EXPECT_EQ(read(broken), result::kBadRecordLength);
    Record r(info::kSize);
    EXPECT_EQ(next(r), result::kNothingRead);
    const std::string text = protocol();
    EXPECT_NE(text.find("FEHLER -506 bei Byte 129"), std::string::npos) << text;
    EXPECT_NE(text.find("Satzl\xE4nge 0216 passt nicht zu 2 Erweiterungsteilen"), std::string::npos)
        << text;
}

TEST_F(DtaSessionTest, ProtocolIsWindows1252CutToTheBufferAndReportsItsFullLength) {
    ASSERT_EQ(read(dtatest::write({credits(), debits()})), result::kOk);
    const std::string full = protocol();
    EXPECT_NE(full.find("(2 \xDC"
                        "berweisungen, 2 Lastschriften), Summe 43,49 EUR\r\n"),
              std::string::npos)
        << full;
    EXPECT_NE(full.find("Logische Datei 2: LK"), std::string::npos);
    char small[11];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(m_session.protocol(small, 10), static_cast<std::int32_t>(full.size()));
    EXPECT_EQ(std::string(small), full.substr(0, 9));
    EXPECT_EQ(small[10], 'x'); // nothing written past the given size
    char one[1] = {'x'};
    EXPECT_EQ(m_session.protocol(one, 1), static_cast<std::int32_t>(full.size()));
    EXPECT_EQ(one[0], '\0');
}

TEST_F(DtaSessionTest, PutChecksWhatTheFrontEndCompleted) {
    ASSERT_EQ(read(dtatest::write({credits(), debits()})), result::kOk);
    Record credit(info::kSize);
    ASSERT_EQ(next(credit), result::kOk);
    // Nothing completed yet: the execution date is missing.
    EXPECT_EQ(m_session.put(credit.data()), result::kBadExecutionDate);
    credit.putText(info::kExecutionDate, "31022025");
    EXPECT_EQ(m_session.put(credit.data()), result::kBadExecutionDate);
    std::memset(credit.data() + info::kExecutionDate.offset, '1', info::kExecutionDate.width);
    EXPECT_EQ(m_session.put(credit.data()), result::kBadExecutionDate);
    // A bank books no credit transfer in the past; today is fine.
    credit.putText(info::kExecutionDate, "14012025");
    EXPECT_EQ(m_session.put(credit.data()), result::kDtaExecutionDateInPast);
    credit.putText(info::kExecutionDate, "15012025");
    EXPECT_EQ(m_session.put(credit.data()), result::kOk);
    complete(credit);
    EXPECT_EQ(m_session.put(credit.data()), result::kOk);
    EXPECT_EQ(m_session.put(credit.data()), result::kOk); // again: the later one counts

    Record skip(info::kSize);
    ASSERT_EQ(next(skip), result::kOk);
    Record debit(info::kSize);
    ASSERT_EQ(next(debit), result::kOk);
    ASSERT_EQ(debit.int32(info::kPaymentKind), info::kKindDirectDebit);
    const auto putWith = [&](auto change) {
        Record copy(info::kSize);
        std::memcpy(copy.data(), debit.data(), info::kSize);
        complete(copy);
        change(copy);
        return m_session.put(copy.data());
    };
    EXPECT_EQ(putWith([](Record&) {}), result::kOk);
    EXPECT_EQ(putWith([](Record& r) { r.putText(info::kCreditorId, "DE99ZZZ09999999999"); }),
              result::kBadCreditorId);
    EXPECT_EQ(putWith([](Record& r) { r.putText(info::kCreditorId, ""); }), result::kBadCreditorId);
    EXPECT_EQ(putWith([](Record& r) {
                  std::memset(r.data() + info::kCreditorId.offset, 'A', info::kCreditorId.width);
              }),
              result::kBadCreditorId);
    EXPECT_EQ(putWith([](Record& r) { r.putText(info::kMandateReference, ""); }),
              result::kBadMandateReference);
    EXPECT_EQ(putWith([](Record& r) { r.putText(info::kMandateReference, "Test mandat"); }),
              result::kBadMandateReference);
    EXPECT_EQ(putWith([](Record& r) { r.putText(info::kMandateReference, "Mandat_1"); }),
              result::kBadMandateReference);
    EXPECT_EQ(putWith([](Record& r) { r.putText(info::kMandateDate, "21012025"); }),
              result::kBadMandateDate); // after the execution date
    EXPECT_EQ(putWith([](Record& r) { r.putText(info::kMandateDate, "20012025"); }), result::kOk);
    // A direct debit is collected the next day at the earliest.
    EXPECT_EQ(putWith([](Record& r) {
                  r.putText(info::kExecutionDate, "15012025");
                  r.putText(info::kMandateDate, "15012025");
              }),
              result::kDtaCollectionTooEarly);
    EXPECT_EQ(putWith([](Record& r) {
                  r.putText(info::kExecutionDate, "10012025");
                  r.putText(info::kMandateDate, "01012025");
              }),
              result::kDtaExecutionDateInPast);
    EXPECT_EQ(putWith([](Record& r) {
                  r.putText(info::kExecutionDate, "16012025");
                  r.putText(info::kMandateDate, "16012025");
              }),
              result::kOk);
    EXPECT_EQ(putWith([](Record& r) { r.putText(info::kMandateDate, "1812202"); }),
              result::kBadMandateDate);
    EXPECT_EQ(putWith([](Record& r) { r.putInt32(info::kSequenceSetting, 0); }),
              result::kBadDebitSettings);
    EXPECT_EQ(putWith([](Record& r) { r.putInt32(info::kSequenceSetting, 5); }),
              result::kBadDebitSettings);
    EXPECT_EQ(putWith([](Record& r) { r.putInt32(info::kSchemeSetting, 0); }),
              result::kBadDebitSettings);
    EXPECT_EQ(putWith([](Record& r) { r.putInt32(info::kSchemeSetting, 103); }),
              result::kBadDebitSettings);
    EXPECT_EQ(putWith([](Record& r) {
                  r.putInt32(info::kSequenceSetting, info::kSequenceOneOff);
                  r.putInt32(info::kSchemeSetting, info::kSchemeB2B);
              }),
              result::kOk);
}

TEST_F(DtaSessionTest, PutTakesOnlyRecordsHandedOutByThisRead) {
    ASSERT_EQ(read(dtatest::write({credits(), debits()})), result::kOk);
    Record r(info::kSize);
    ASSERT_EQ(next(r), result::kOk);
    complete(r);
    Record zeroed(info::kSize);
    complete(zeroed);
    EXPECT_EQ(m_session.put(zeroed.data()), result::kUnknownEntry);

    Record ahead(info::kSize);
    std::memcpy(ahead.data(), r.data(), info::kSize);
    ahead.putInt32(info::kEntryNumber, 2); // not handed out yet
    EXPECT_EQ(m_session.put(ahead.data()), result::kUnknownEntry);
    ahead.putInt32(info::kEntryNumber, 0);
    EXPECT_EQ(m_session.put(ahead.data()), result::kUnknownEntry);

    Record kindChanged(info::kSize);
    std::memcpy(kindChanged.data(), r.data(), info::kSize);
    kindChanged.putInt32(info::kPaymentKind, info::kKindDirectDebit);
    EXPECT_EQ(m_session.put(kindChanged.data()), result::kUnknownEntry);

    // A record of an earlier read does not fit a new read of the same file.
    ASSERT_EQ(read(dtatest::write({credits(), debits()})), result::kOk);
    Record fresh(info::kSize);
    ASSERT_EQ(next(fresh), result::kOk);
    EXPECT_EQ(m_session.put(r.data()), result::kUnknownEntry);
    complete(fresh);
    EXPECT_EQ(m_session.put(fresh.data()), result::kOk);
}

TEST_F(DtaSessionTest, WriteRefusesWrongTypeMissingKindAndIncompleteEntries) {
    ASSERT_EQ(read(dtatest::write(credits())), result::kOk);
    EXPECT_EQ(m_session.writeXml(header(2, "x.xml").data(), bankTable(), ""),
              result::kBadPaymentType);
    EXPECT_EQ(m_session.writeXml(header(-1, "x.xml").data(), bankTable(), ""),
              result::kBadPaymentType);
    EXPECT_EQ(m_session.writeXml(header(1, "x.xml").data(), bankTable(), ""),
              result::kNoEntriesOfType);

    Record r(info::kSize);
    ASSERT_EQ(next(r), result::kOk);
    complete(r);
    ASSERT_EQ(m_session.put(r.data()), result::kOk);
    EXPECT_EQ(m_session.writeXml(header(0, "x.xml").data(), bankTable(), ""),
              result::kEntryNotCompleted);
    EXPECT_NE(protocol().find("Zahlung 2 wurde nicht mit PutDTAInfo"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_temp.path() / "x.xml"));

    Record h = header(0, "x.xml");
    std::memset(h.data() + zalvo::fileheader::kMessageId.offset, 'M',
                zalvo::fileheader::kMessageId.width);
    ASSERT_EQ(next(r), result::kOk);
    complete(r);
    ASSERT_EQ(m_session.put(r.data()), result::kOk);
    EXPECT_EQ(m_session.writeXml(h.data(), bankTable(), ""), result::kBadExportTarget);
    EXPECT_FALSE(fs::exists(m_temp.path() / "x.xml"));
}

TEST_F(DtaSessionTest, WritesBothKindsAsValidSepaFiles) {
    ASSERT_EQ(read(dtatest::write({credits(), debits()})), result::kOk);
    ASSERT_EQ(walk(), 4);
    const std::int32_t credit =
        m_session.writeXml(header(0, "Ueberweisungen.xml").data(), bankTable(), "");
    // 37040044 carries IBAN rule 000503, which keeps this account as it is.
    EXPECT_EQ(credit, result::kOk) << protocol();
    ASSERT_EQ(m_session.writeXml(header(1, "Lastschriften.xml").data(), bankTable(), ""),
              result::kOk)
        << protocol();

    const fs::path creditFile = m_temp.path() / "Ueberweisungen.xml";
    const fs::path debitFile = m_temp.path() / "Lastschriften.xml";
    EXPECT_TRUE(schemacheck::validates(creditFile, "pain.001.001.09.xsd"));
    EXPECT_TRUE(schemacheck::validates(debitFile, "pain.008.001.08.xsd"));
    const std::string creditXml = schemacheck::contents(creditFile);
    EXPECT_NE(creditXml.find("<NbOfTxs>2</NbOfTxs>"), std::string::npos);
    EXPECT_NE(creditXml.find("<CtrlSum>11.49</CtrlSum>"), std::string::npos);
    EXPECT_NE(creditXml.find("DE89370400440532013000"), std::string::npos);
    EXPECT_NE(creditXml.find("COBADEFFXXX"), std::string::npos);
    EXPECT_NE(creditXml.find("DE02100100100006820101"), std::string::npos);
    EXPECT_NE(creditXml.find("<Dt>2025-01-20</Dt>"), std::string::npos);
    // DIN umlauts arrive as UTF-8 umlauts, the DTAUS "&" as it is, escaped.
    EXPECT_NE(creditXml.find("M\xC3\x9CLLER &amp; S\xC3\x96HNE"), std::string::npos);
    EXPECT_NE(creditXml.find("RECHNUNG 1 KUNDE 77 DANKE"), std::string::npos);
    EXPECT_EQ(creditXml.find("ZAHLER AG"), std::string::npos);

    const std::string debitXml = schemacheck::contents(debitFile);
    EXPECT_NE(debitXml.find("<NbOfTxs>2</NbOfTxs>"), std::string::npos);
    EXPECT_NE(debitXml.find("DE02200505501015871393"), std::string::npos);
    EXPECT_NE(debitXml.find("<MndtId>Testmandat</MndtId>"), std::string::npos);
    EXPECT_NE(debitXml.find("<DtOfSgntr>2024-12-18</DtOfSgntr>"), std::string::npos);
    EXPECT_NE(debitXml.find("DE98ZZZ09999999999"), std::string::npos);
    // Text key 04000 is the B2B scheme, 05000 the core scheme.
    EXPECT_NE(debitXml.find("<Cd>B2B</Cd>"), std::string::npos);
    EXPECT_NE(debitXml.find("<Cd>CORE</Cd>"), std::string::npos);
    // The padding between name field and extension is not part of the name.
    EXPECT_NE(debitXml.find("<Nm>ZAHLER AG ZWEIGNIEDERLASSUNG NORD</Nm>"), std::string::npos);

    const std::string text = protocol();
    EXPECT_NE(text.find("Lastschriften geschrieben: " + debitFile.string()), std::string::npos)
        << text;
    EXPECT_NE(text.find(", 2 Zahlungen, Summe 32,00 EUR"), std::string::npos) << text;
}

TEST_F(DtaSessionTest, ARefusedEntryLeavesNoFile) {
    ZALVO_REQUIRE_DTA_SAMPLES();
    // The published sample's bank codes are in no bank-code table.
    std::ifstream in(fs::path(ZALVO_DTA_SAMPLES) / "pear_show_dta_gk_two_credits.dta",
                     std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(read(bytes), result::kOk);
    ASSERT_EQ(walk(), 2);
    EXPECT_EQ(m_session.writeXml(header(0, "pear.xml").data(), bankTable(), ""),
              paylib::result::kBankCodeUnknown);
    EXPECT_FALSE(fs::exists(m_temp.path() / "pear.xml"));
    EXPECT_NE(protocol().find("Zahlung 1 (BLZ 33334444, Konto 13579000, FRANZ MUELLER) wurde "
                              "abgewiesen"),
              std::string::npos)
        << protocol();
    // The writer's header checks pass through as well.
    EXPECT_EQ(m_session.writeXml(header(0, "bad/name.xml").data(), bankTable(), ""),
              paylib::result::kFileNameInvalid);
}

TEST_F(DtaSessionTest, AFileWithoutEntriesReadsAndEndsAtOnce) {
    dtatest::LogicalFile empty;
    ASSERT_EQ(read(dtatest::write(empty)), result::kOk);
    Record r(info::kSize);
    EXPECT_EQ(next(r), result::kNoEntryLeft);
    EXPECT_EQ(m_session.writeXml(header(0, "none.xml").data(), bankTable(), ""),
              result::kNoEntriesOfType);
}

TEST(ResultCodes, EveryDtaCodeHasItsGermanMessageInWindows1252) {
    constexpr std::int32_t kUnlistedCode = -999;
    const std::int32_t codes[] = {result::kNoEntryLeft,
                                  result::kBadArgument,
                                  result::kFileNotReadable,
                                  result::kFileTooLarge,
                                  result::kFileEmpty,
                                  result::kTruncated,
                                  result::kBadRecordLength,
                                  result::kBadRecordType,
                                  result::kBadNumericField,
                                  result::kBadTextField,
                                  result::kBadFileKind,
                                  result::kBadCurrency,
                                  result::kTextKeyMismatch,
                                  result::kBadExtension,
                                  result::kCountMismatch,
                                  result::kAccountSumMismatch,
                                  result::kBankCodeSumMismatch,
                                  result::kAmountSumMismatch,
                                  result::kTrailingData,
                                  result::kTooManyEntries,
                                  result::kNothingRead,
                                  result::kUnknownEntry,
                                  result::kBadExecutionDate,
                                  result::kBadCreditorId,
                                  result::kBadMandateReference,
                                  result::kBadMandateDate,
                                  result::kBadDebitSettings,
                                  result::kBadPaymentType,
                                  result::kNoEntriesOfType,
                                  result::kEntryNotCompleted,
                                  result::kBadExportTarget,
                                  result::kDtaExecutionDateInPast,
                                  result::kDtaCollectionTooEarly};
    for (const std::int32_t code : codes) {
        EXPECT_NE(result::resultMessage(code), result::resultMessage(kUnlistedCode)) << code;
    }
    EXPECT_EQ(result::resultMessage(result::kFileTooLarge), "DTA-Datei ist zu gro\xDF");
    EXPECT_EQ(result::resultMessage(result::kBadCreditorId), "Gl\xE4ubiger-ID ung\xFCltig");
    // One table answers for the whole library.
    EXPECT_EQ(result::resultMessage(result::kBankCodeUnknown), "Bankleitzahl unbekannt");
    EXPECT_EQ(result::resultMessage(kUnlistedCode), "Unbekannter Fehler");
}

namespace {

int countOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// Number of entries in each payment-info block, in the order of the blocks.
std::vector<int> entriesPerBlock(const std::string& xml, const std::string& entryTag) {
    std::vector<int> counts;
    for (std::size_t at = xml.find("<PmtInf>"); at != std::string::npos;
         at = xml.find("<PmtInf>", at + 1))
        counts.push_back(countOf(xml.substr(at, xml.find("</PmtInf>", at) - at), entryTag));
    return counts;
}

struct Originator {
    std::uint32_t bankCode;
    std::uint64_t account;
    const char* name;
};
// Banks whose IBAN follows the standard rule.
constexpr Originator kOriginators[] = {
    {50010517, 648489890, "BEISPIEL GMBH"}, {10010010, 6820101, "ZWEITE GMBH"},
    {12030000, 202051, "DRITTE GMBH"},      {20050550, 1015871393, "VIERTE GMBH"},
    {10090000, 1234567892, "F]NFTE GMBH"},  {30020900, 106531065, "SECHSTE GMBH"}};
constexpr int kInterleaved = 1502;

} // namespace

class DtaGroupingTest : public DtaSessionTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DtaGroupingTest, InterleavedOriginatorsGiveOneBlockEach) {
    const bool debit = GetParam();
    dtatest::LogicalFile file;
    file.kind = debit ? "LK" : "GK";
    std::vector<int> expected(std::size(kOriginators));
    std::vector<int> order;
    for (int i = 0; i < kInterleaved; ++i) {
        const int key = (i * 5 + i / 7) % static_cast<int>(std::size(kOriginators));
        dtatest::Payment p;
        p.bankCode = 10010010;
        p.account = 6820101;
        p.cents = 100 + static_cast<std::uint64_t>(i);
        p.originatorBankCode = kOriginators[key].bankCode;
        p.originatorAccount = kOriginators[key].account;
        p.originatorName = kOriginators[key].name;
        file.payments.push_back(p);
        if (expected[key]++ == 0)
            order.push_back(key);
    }
    ASSERT_EQ(read(dtatest::write(file)), result::kOk) << protocol();
    ASSERT_EQ(walk(), kInterleaved);
    ASSERT_EQ(m_session.writeXml(header(debit ? 1 : 0, "out.xml").data(), bankTable(), ""),
              result::kOk)
        << protocol();
    const fs::path out = m_temp.path() / "out.xml";
    EXPECT_TRUE(schemacheck::validates(out, debit ? "pain.008.001.08.xsd" : "pain.001.001.09.xsd"));
    std::vector<int> blocks;
    for (int key : order)
        blocks.push_back(expected[key]);
    const std::string xml = schemacheck::contents(out);
    EXPECT_EQ(entriesPerBlock(xml, debit ? "<DrctDbtTxInf>" : "<CdtTrfTxInf>"), blocks);
    for (int key : order)
        EXPECT_NE(xml.find("<NbOfTxs>" + std::to_string(expected[key]) + "</NbOfTxs>"),
                  std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(CreditTransfersAndDirectDebits, DtaGroupingTest, ::testing::Bool());

TEST_F(DtaSessionTest, TextKeysCarryTheirSepaCodesNamesKeepTheirAmpersandCutsAreNoticed) {
    dtatest::LogicalFile file;
    dtatest::Payment plain;
    plain.name = "M\xFCller & S\xF6hne GmbH";
    dtatest::Payment salary = plain;
    salary.textKey = 53000;
    dtatest::Payment capitalForming = plain;
    capitalForming.textKey = 54000;
    // 14 lines of 27: the purpose is 391 characters long.
    capitalForming.purposes.assign(14, std::string(27, 'V'));
    file.payments = {plain, salary, capitalForming};
    ASSERT_EQ(read(dtatest::write(file)), result::kOk) << protocol();
    ASSERT_EQ(walk(), 3);
    std::vector<std::string> logged;
    const auto log = [&](std::int32_t code, const std::string& line) {
        logged.push_back(std::to_string(code) + " " + line);
    };
    EXPECT_EQ(m_session.writeXml(header(0, "keys.xml").data(), bankTable(), "", log),
              paylib::result::kNoticeRemittanceCut);
    const fs::path out = m_temp.path() / "keys.xml";
    EXPECT_TRUE(schemacheck::validates(out, "pain.001.001.09.xsd"));
    const std::string xml = schemacheck::contents(out);
    // Salary is a kind of block of its own; the capital-forming benefit a purpose of its entry.
    EXPECT_EQ(entriesPerBlock(xml, "<CdtTrfTxInf>"), (std::vector<int>{2, 1}));
    EXPECT_EQ(countOf(xml, "<CtgyPurp><Cd>SALA</Cd></CtgyPurp>"), 1);
    EXPECT_EQ(countOf(xml, "<Purp><Cd>CBFF</Cd></Purp>"), 1);
    EXPECT_EQ(countOf(xml, "<Nm>M\xC3\xBCller &amp; S\xC3\xB6hne GmbH</Nm>"), 3);
    EXPECT_NE(xml.find("<Ustrd>" + std::string(27, 'V') + " " + std::string(27, 'V') + " "),
              std::string::npos);
    const std::string text = protocol();
    EXPECT_NE(text.find("HINWEIS 222: Zahlung 3 (BLZ 37040044, Konto 532013000, M\xFCller & "
                        "S\xF6hne GmbH): Verwendungszweck auf 140 Zeichen gek\xFCrzt"),
              std::string::npos)
        << text;
    EXPECT_NE(std::find_if(logged.begin(), logged.end(),
                           [](const std::string& line) {
                               return line.starts_with("222 Zahlung 3 ") &&
                                      line.ends_with("Hinweis: 222");
                           }),
              logged.end());
    EXPECT_EQ(DtaXmlExport::purposesOf(51000).categoryPurpose, "");
    EXPECT_EQ(DtaXmlExport::purposesOf(53888).categoryPurpose, "SALA");
    EXPECT_EQ(DtaXmlExport::purposesOf(54012).purpose, "CBFF");
}
