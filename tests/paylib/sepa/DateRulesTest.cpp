// The dates a bank refuses, judged on a pinned day, and the dates the front end sets itself,
// which must pass on every day of the week through both paths: the payment dialogs (today + 6,
// the mandate date as typed) and the DTA run (today + 1, today + 3, mandate today - 30).
#include "paylib/sepa/SepaDates.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/DtaConversion.h"
#include "binding/PaymentFileRecords.h"
#include "helpers/DateHelpers.h"
#include "paylib/ResultCodes.h"
#include "paylib/dta/DtaSession.h"
#include "paylib/sepa/BicCountry.h"
#include "paylib/sepa/SepaXmlFile.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/paylib/EmbeddedTable.h"
#include "tests/paylib/SchemaCheck.h"
#include "tests/paylib/dta/DtaTestWriter.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace {

using paylib::SepaDates;
using Verdict = SepaDates::Verdict;
namespace fs = std::filesystem;

const paylib::BankTable& bankTable() {
    return paylibtest::embeddedTable();
}

TEST(SepaDatesTest, WhatABankRefusesOnTheDayTheFileIsMade) {
    const std::int32_t today = DayNumberFromDate(2026, 12, 8);
    struct Case {
        const char* what;
        bool debit;
        int days;
        int mandateDays;
        Verdict verdict;
    };
    const Case cases[] = {
        {"credit transfer yesterday", false, -1, 0, Verdict::InThePast},
        {"credit transfer today", false, 0, 0, Verdict::Ok},
        {"credit transfer tomorrow", false, 1, 0, Verdict::Ok},
        {"collection yesterday", true, -1, -30, Verdict::InThePast},
        {"collection today", true, 0, -30, Verdict::CollectionTooEarly},
        {"collection tomorrow", true, 1, -30, Verdict::Ok},
        {"mandate signed on the collection day", true, 3, 3, Verdict::Ok},
        {"mandate signed after the collection", true, 3, 4, Verdict::MandateAfterCollection},
    };
    for (const Case& c : cases) {
        const std::int32_t date = today + c.days;
        EXPECT_EQ(c.debit ? SepaDates::checkCollection(date, today + c.mandateDays, today)
                          : SepaDates::checkExecution(date, today),
                  c.verdict)
            << c.what;
    }
}

TEST(SepaDatesTest, DayNumbersOfRealDatesOnly) {
    EXPECT_EQ(SepaDates::dayNumber("29022024"), DayNumberFromDate(2024, 2, 29));
    for (const char* bad : {"29022025", "31042026", "00012026", "01132026", "0101202", "01-01-26",
                            "01011899", "01013000"})
        EXPECT_EQ(SepaDates::dayNumber(bad), -1) << bad;
    EXPECT_EQ(SepaDates::isoDate(DayNumberFromDate(2024, 3, 1)), "2024-03-01");
}

TEST(BicCountryTest, TheIbansCountryOrATerritoryThatUsesIt) {
    struct Case {
        const char* bic;
        const char* iban;
        bool fits;
    };
    const Case cases[] = {
        {"COBADEFFXXX", "DE89370400440532013000", true},
        {"BNPAFRPP", "DE89370400440532013000", false},
        {"BNPAGPGP", "FR1420041010050500013M02606", true},
        {"BNPAMQMQ", "FR14", true},
        {"BNPAREPP", "FR14", true},
        {"BNPAGFGF", "FR14", true},
        {"BNPAYTYT", "FR14", true},
        {"BNPAPMPM", "FR14", true},
        {"BNPABLBL", "FR14", true},
        {"BNPAMFMF", "FR14", true},
        {"RBOSJESH", "GB29", true},
        {"RBOSGGSP", "GB29", true},
        {"RBOSIMDD", "GB29", true},
        {"AABAAX22", "FI21", true},
        {"AABAAX22", "SE45", false},
        {"BNPAGPGP", "DE89", false},
        {"RBOSJESH", "FR14", false},
        // Territories with an IBAN of their own keep to it.
        {"CMCIMCMC", "MC58", true},
        {"CMCIFRPP", "MC58", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paylib::BicCountry::fits(c.bic, c.iban), c.fits) << c.bic << " " << c.iban;
}

// One pinned day after the other, Monday 7 December 2026 to Sunday 13 December 2026, and the
// week that crosses into March of a leap year.
class FrontEndDatesTest : public ::testing::TestWithParam<platform::LocalDateTime> {
protected:
    platform::FixedClock m_clock{GetParam()};
    platform::ScopedClock m_pinnedClock{m_clock};
    testsupport::TempDirectory m_dir;
};

// The payment dialogs: execution six days ahead, the mandate signed the day it is typed.
TEST_P(FrontEndDatesTest, PaymentDialogDatesPass) {
    const std::int32_t today = Today();
    for (auto kind :
         {paylib::SepaFileSpec::Kind::CreditTransfer, paylib::SepaFileSpec::Kind::DirectDebit}) {
        paylib::SepaFileSpec spec;
        spec.directory = m_dir.path().string();
        spec.fileName = "dialog.xml";
        spec.messageId = "Id1";
        spec.initiatingParty = "Test";
        spec.kind = kind;
        std::unique_ptr<paylib::SepaXmlFile> file;
        ASSERT_EQ(paylib::SepaXmlFile::open(spec, "", bankTable(), file), 0);
        paylib::SepaPayment p;
        p.executionDate = zalvo::PaymentFileRecords::ExecutionDate(today);
        p.originatorName = "Auftraggeber";
        p.originatorIban = "DE89370400440532013000";
        p.creditorId = "DE98ZZZ09999999999";
        p.recipientName = "Empf\xE4nger";
        p.recipientIban = "DE12500105170648489890";
        p.amountCents = "100";
        p.mandateReference = "Testmandat";
        const CalendarDate date = DateFromDayNumber(today);
        p.mandateDate =
            NormalizeDateText(std::to_string(date.day) + "." + std::to_string(date.month) + "." +
                              std::to_string(date.year));
        EXPECT_EQ(file->add(p), 0) << DateToText(today);
        paylib::SepaSummary summary;
        EXPECT_EQ(file->close(summary), 0);
    }
}

// The DTA run: each entry completed exactly as the front end completes it.
TEST_P(FrontEndDatesTest, DtaRunDatesPass) {
    dtatest::LogicalFile credits;
    credits.payments.resize(2);
    dtatest::LogicalFile debits = credits;
    debits.kind = "LK";
    const fs::path input = m_dir.path() / "in.dta";
    std::ofstream(input, std::ios::binary) << dtatest::write({credits, debits});
    zalvo::Record name(zalvo::kPathBufferSize);
    name.putText(0, zalvo::kMaxPathChars, input.string());
    paylib::DtaSession session;
    ASSERT_EQ(session.read(name.data(), nullptr), 0);
    zalvo::Record info(zalvo::dtainfo::kSize);
    std::int32_t counter = 1;
    while (true) {
        info.zero();
        if (session.next(info.data(), &counter) != 0)
            break;
        zalvo::DtaConversion::completeEntry(info, Today());
        EXPECT_EQ(session.put(info.data()), 0) << DateToText(Today());
    }
    for (std::int32_t type :
         {zalvo::fileheader::kCreditTransfer, zalvo::fileheader::kDirectDebit}) {
        zalvo::Record header(zalvo::fileheader::kSize);
        header.putText(zalvo::fileheader::kExportPath, m_dir.path().string());
        header.putInt32(zalvo::fileheader::kPaymentType, type);
        header.putText(zalvo::fileheader::kFileName, "run.xml");
        header.putText(zalvo::fileheader::kMessageId, "Id1");
        header.putText(zalvo::fileheader::kInitiatingParty, "Test");
        // The test writer's counterparty 37040044 is converted under its IBAN rule 0005.
        EXPECT_EQ(session.writeXml(header.data(), bankTable(), ""), paylib::result::kOk)
            << DateToText(Today());
        EXPECT_TRUE(schemacheck::validates(
            m_dir.path() / "run.xml", type == 0 ? "pain.001.001.09.xsd" : "pain.008.001.08.xsd"));
    }
}

std::vector<platform::LocalDateTime> days() {
    std::vector<platform::LocalDateTime> list;
    for (int day = 7; day <= 13; ++day)
        list.push_back({2026, 12, day, 23, 59, 0});
    for (int day = 26; day <= 29; ++day)
        list.push_back({2024, 2, day, 0, 0, 0});
    return list;
}

INSTANTIATE_TEST_SUITE_P(EveryDayOfTheWeek, FrontEndDatesTest, ::testing::ValuesIn(days()));

} // namespace
