#include "binding/PaymentFile.h"

#include "abi/RecordLayouts.h"
#include "abi/RecordView.h"
#include "binding/DLLAPI.h"
#include "helpers/DateHelpers.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/support/FakeLibrary.h"
#include "tests/support/RecordingMessageSink.h"

#include <cstring>
#include <gtest/gtest.h>

using testsupport::FakeLibrary;
using zalvo::AccountForm;
using zalvo::DLLAPI;
using zalvo::EntryPoint;
using zalvo::PaymentFile;

namespace {

const std::string kSuccess = "Alles verlief erfolgreich!     ";
const std::string kMissing = "Beim Laden einer Funktion ist ein Fehler aufgetreten.\r\n\r\n"
                             "Bitte informieren Sie den Hersteller!   ";

int g_dialog;

std::string failure(const std::string& name, int code) {
    return "Fehler bei der Funktion: " + name + "\r\n\r\nFehlernummer=" + std::to_string(code) +
           "   ";
}

std::string totals(const std::string& count, const std::string& sum) {
    return "Anzahl Datens\xE4tze: " + count + "\r\n\r\nSumme der Betr\xE4ge: " + sum + "   ";
}

std::string int32Bytes(int32_t value) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

// Both payment file dialogs run these steps; they differ only in the entry's account fields.
class PaymentFileTest : public ::testing::TestWithParam<AccountForm> {
protected:
    void SetUp() override { ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kResultOk); }

    std::vector<std::string> texts() const {
        std::vector<std::string> shown;
        for (const auto& message : m_recorder.messages()) {
            EXPECT_EQ(message.owner, &g_dialog);
            shown.push_back(message.text);
        }
        return shown;
    }

    // Closing with the library answering `result` and writing these totals.
    void closeAnswering(int32_t result, int32_t count, std::string_view sumCents) {
        m_fake.script(EntryPoint::CloseXML, result);
        m_fake.scriptWrite(EntryPoint::CloseXML, 0, 0, int32Bytes(count));
        m_fake.scriptText(EntryPoint::CloseXML, 0, zalvo::summary::kSumCents, sumCents);
        m_file.close(&g_dialog);
    }

    // Execution dates are six days after this Tuesday.
    platform::FixedClock m_clock{platform::LocalDateTime{2026, 12, 8, 9, 30, 0}};
    platform::ScopedClock m_pinnedClock{m_clock};
    FakeLibrary m_fake;
    testsupport::ScopedRecordingSink m_recorder;
    PaymentFile m_file{GetParam()};
};

std::string formName(const ::testing::TestParamInfo<AccountForm>& info) {
    return info.param == AccountForm::BicIban ? "BicIban" : "BankCodeAccount";
}

} // namespace

INSTANTIATE_TEST_SUITE_P(BothForms, PaymentFileTest,
                         ::testing::Values(AccountForm::BicIban, AccountForm::BankCodeAccount),
                         formName);

TEST_P(PaymentFileTest, SuccessfulCloseShowsTheSuccessThenTheTotals) {
    closeAnswering(0, 3, "123456");
    const auto calls = m_fake.callsTo(EntryPoint::CloseXML);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].buffers.at(0), std::string(zalvo::summary::kSize, '\0'));
    EXPECT_EQ(texts(), (std::vector<std::string>{kSuccess, totals("3", "1.234,56")}));
    EXPECT_EQ(m_recorder.messages()[1].caption, "Erfolg!");
}

TEST_P(PaymentFileTest, TotalsTooWideShowTheFillerAndTheSummaryIsZeroedBeforeEachClose) {
    closeAnswering(0, 10000, "999999999999999");
    // The second close answers without writing anything: the totals are zero again.
    m_file.close(&g_dialog);
    const auto calls = m_fake.callsTo(EntryPoint::CloseXML);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].buffers.at(0), std::string(zalvo::summary::kSize, '\0'));
    EXPECT_EQ(texts(), (std::vector<std::string>{kSuccess, totals("$$$$$", std::string(15, '$')),
                                                 kSuccess, totals("0", "0,00")}));
}

TEST_P(PaymentFileTest, FailedCloseShowsOnlyTheError) {
    closeAnswering(-12, 2, "100");
    // A positive answer is not a success either: its text, no totals.
    closeAnswering(5, 2, "100");
    EXPECT_EQ(texts(), (std::vector<std::string>{failure("Zalvotech_CloseXML", -12),
                                                 "Zalvotech_CloseXML   "}));
}

TEST_P(PaymentFileTest, EachStepHandsItsRecordOverAndShowsTheAnswerInAnyOrder) {
    zalvo::PaymentEntryInput entry;
    entry.originatorName = "Abc";
    entry.amount = "1,5";
    zalvo::FileHeaderInput header;
    header.fileName = "lauf.xml";
    header.directDebit = true;
    m_fake.script(EntryPoint::WriteXML, -3);
    m_fake.script(EntryPoint::CloseXML, -4);
    m_fake.script(EntryPoint::CreateXML, 0);
    m_file.write(&g_dialog, entry);
    m_file.close(&g_dialog);
    m_file.create(&g_dialog, header);

    EXPECT_EQ(m_fake.callNames(),
              (std::vector<std::string>{"Zalvotech_WriteXML", "Zalvotech_CloseXML",
                                        "Zalvotech_CreateXML"}));
    EXPECT_EQ(texts(), (std::vector<std::string>{failure("Zalvotech_WriteXML", -3),
                                                 failure("Zalvotech_CloseXML", -4), kSuccess}));
    // The records as the steps filled them: the entry with the date six days on, the header
    // with the payment type.
    EXPECT_EQ(m_fake.callsTo(EntryPoint::WriteXML)[0].buffers.at(0),
              std::string(m_file.records().paymentEntry().bytes()));
    EXPECT_EQ(m_file.records().paymentEntry().text(zalvo::payment::kExecutionDate), "14122026");
    EXPECT_EQ(m_file.records().paymentEntry().text(zalvo::payment::kAmountCents), "150");
    EXPECT_EQ(m_fake.callsTo(EntryPoint::CreateXML)[0].buffers.at(0),
              std::string(m_file.records().fileHeader().bytes()));
    EXPECT_EQ(m_file.records().fileHeader().int32(zalvo::fileheader::kPaymentType), 1);
}

TEST_P(PaymentFileTest, ResetZeroesAllThreeRecords) {
    zalvo::PaymentEntryInput entry;
    entry.recipientName = "Zeta";
    m_file.write(&g_dialog, entry);
    closeAnswering(0, 1, "5");
    m_file.reset();
    EXPECT_EQ(m_file.records().paymentEntry().bytes(), std::string(zalvo::payment::kSize, '\0'));
    EXPECT_EQ(m_file.records().summary().bytes(), std::string(zalvo::summary::kSize, '\0'));
    EXPECT_EQ(m_file.records().fileHeader().bytes(), std::string(zalvo::fileheader::kSize, '\0'));
}

TEST_P(PaymentFileTest, WhatTheLibraryWroteIntoARecordNeverReachesItAgain) {
    namespace payment = zalvo::payment;
    namespace fileheader = zalvo::fileheader;
    // The first write answers by filling in the recipient's IBAN and BIC (and bank code and
    // account, the other form's fields), as a library deriving them might.
    m_fake.script(EntryPoint::WriteXML, 0);
    m_fake.scriptText(EntryPoint::WriteXML, 0, payment::kRecipientIban, "DE89370400440532013000");
    m_fake.scriptText(EntryPoint::WriteXML, 0, payment::kRecipientBic, "COBADEFFXXX");
    m_fake.scriptText(EntryPoint::WriteXML, 0, payment::kOriginatorBankCode, "37040044");
    m_fake.scriptWrite(EntryPoint::WriteXML, 0, payment::kRemittance2.end() - 1, "Z");
    m_fake.script(EntryPoint::CreateXML, 0);
    m_fake.scriptText(EntryPoint::CreateXML, 0, fileheader::kMessageId, "vom-Fremden");
    m_fake.scriptWrite(EntryPoint::CreateXML, 0, fileheader::kExportPath.end() - 2, "X");

    zalvo::PaymentEntryInput first;
    first.recipientName = "Erste";
    zalvo::PaymentEntryInput second;
    second.recipientName = "Zweite";
    second.recipientBank = "10000000";
    second.recipientAccount = "12345";
    zalvo::FileHeaderInput header;
    header.fileName = "lauf.xml";
    m_file.write(&g_dialog, first);
    m_file.write(&g_dialog, second);
    m_file.create(&g_dialog, header);
    m_file.create(&g_dialog, header);

    // The second calls get exactly what the fields give, as from a fresh dialog.
    zalvo::PaymentFileRecords fresh(GetParam());
    fresh.fillPaymentEntry(second, Today());
    fresh.fillFileHeader(header);
    const auto writes = m_fake.callsTo(EntryPoint::WriteXML);
    const auto creates = m_fake.callsTo(EntryPoint::CreateXML);
    ASSERT_EQ(writes.size(), 2u);
    ASSERT_EQ(creates.size(), 2u);
    EXPECT_EQ(writes[1].buffers.at(0), fresh.paymentEntry().bytes());
    EXPECT_EQ(creates[1].buffers.at(0), fresh.fileHeader().bytes());
    const zalvo::RecordView entry(writes[1].buffers.at(0));
    EXPECT_EQ(entry.text(payment::kRecipientName), "Zweite");
    if (GetParam() == AccountForm::BankCodeAccount) {
        EXPECT_EQ(entry.text(payment::kRecipientIban), "");
        EXPECT_EQ(entry.text(payment::kRecipientBic), "");
        EXPECT_EQ(entry.text(payment::kRecipientBankCode), "10000000");
    } else {
        EXPECT_EQ(entry.text(payment::kOriginatorBankCode), "");
    }
}

TEST(PaymentFileUnbound, EmptySlotsAreReportedAndNeverCalledAndNoTotalsFollow) {
    FakeLibrary none(testsupport::FakeVariant::None);
    ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kEntryPointMissing);
    testsupport::ScopedRecordingSink recorder;
    PaymentFile file(AccountForm::BankCodeAccount);
    file.create(&g_dialog, {});
    file.write(&g_dialog, {});
    file.close(&g_dialog);
    EXPECT_TRUE(none.calls().empty());
    ASSERT_EQ(recorder.messages().size(), 3u);
    for (const auto& message : recorder.messages()) {
        EXPECT_EQ(message.text, kMissing);
    }
}
