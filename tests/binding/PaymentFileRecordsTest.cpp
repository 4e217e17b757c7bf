#include "binding/PaymentFileRecords.h"

#include "helpers/DateHelpers.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

using zalvo::AccountForm;
using zalvo::FileHeaderInput;
using zalvo::PaymentEntryInput;
using zalvo::PaymentFileRecords;

namespace {

// Expected records are built from the documented offsets, written out here on purpose, so
// a wrong constant in the layout shows up as a byte difference.
void place(std::string& bytes, std::size_t offset, std::string_view text) {
    bytes.replace(offset, text.size(), text);
}

// A function, not a global: the date helpers' own constants are set up during static
// initialisation, in an order across files that is not defined.
std::int32_t december8th2026() {
    return DayNumberFromDate(2026, 12, 8);
}

PaymentEntryInput sampleEntry() {
    PaymentEntryInput in;
    in.originatorName = "M\xFCller (S\xF6hne) GmbH";
    in.originatorBank = "COBADEFFXXX";
    in.originatorAccount = "DE89370400440532013000";
    in.creditorId = "DE98ZZZ09999999999";
    in.recipientName = "Stra\xDF"
                       "enbau Nord";
    in.recipientBank = "DEUTDEFF";
    in.recipientAccount = "DE02120300000000202051";
    in.amount = "1.234,56";
    in.remittance1 = "Rechnung 4711";
    in.remittance2 = "Kunde 0815";
    in.mandateReference = "MANDAT-1";
    in.mandateDate = "1.2.13";
    return in;
}

} // namespace

TEST(PaymentFileRecords, AmountsAreGermanEurosTurnedIntoWholeCents) {
    EXPECT_EQ(PaymentFileRecords::AmountToCents("1.234,56"), "123456");
    EXPECT_EQ(PaymentFileRecords::AmountToCents("12,5"), "1250");
    // A point is always a thousands point, never a decimal separator.
    EXPECT_EQ(PaymentFileRecords::AmountToCents("12.5"), "12500");
    EXPECT_EQ(PaymentFileRecords::AmountToCents("1.234.567,89"), "123456789");
    EXPECT_EQ(PaymentFileRecords::AmountToCents("0,01"), "1");
    EXPECT_EQ(PaymentFileRecords::AmountToCents("0,29"), "29");
    EXPECT_EQ(PaymentFileRecords::AmountToCents("19,99"), "1999");
    EXPECT_EQ(PaymentFileRecords::AmountToCents(""), "0");
    EXPECT_EQ(PaymentFileRecords::AmountToCents(".."), "0");
}

TEST(PaymentFileRecords, AmountsThatAreNoNumberGiveZero) {
    EXPECT_EQ(PaymentFileRecords::AmountToCents("1,2,3"), "0");
    EXPECT_EQ(PaymentFileRecords::AmountToCents(",,"), "0");
    EXPECT_EQ(PaymentFileRecords::AmountToCents(","), "0");
}

TEST(PaymentFileRecords, AmountsTooWideForTwelveDigitsOfCentsGiveTheFiller) {
    const std::string filler(12, '$');
    EXPECT_EQ(PaymentFileRecords::AmountToCents("12345678901"), filler);
    EXPECT_EQ(PaymentFileRecords::AmountToCents("12345678901,"), filler);
    // Ten digits and a decimal still fit.
    EXPECT_EQ(PaymentFileRecords::AmountToCents("9999999999,9"), "999999999990");
    // Thousands points make the text longer, not the number: only twelve characters count.
    EXPECT_EQ(PaymentFileRecords::AmountToCents("1.234.567.890,12"), "12345678900");
}

TEST(PaymentFileRecords, ExecutionDateIsSixDaysAfterToday) {
    EXPECT_EQ(PaymentFileRecords::ExecutionDate(december8th2026()), "14122026");
    EXPECT_EQ(PaymentFileRecords::ExecutionDate(DayNumberFromDate(2026, 12, 28)), "03012027");
    EXPECT_EQ(PaymentFileRecords::ExecutionDate(DayNumberFromDate(2028, 2, 24)), "01032028");
}

TEST(PaymentFileRecords, SummaryTextShowsCountAndSumInGermanStyle) {
    EXPECT_EQ(PaymentFileRecords::SummaryText(3, "123456"),
              "Anzahl Datens\xE4tze: 3\r\n\r\nSumme der Betr\xE4ge: 1.234,56");
    EXPECT_EQ(PaymentFileRecords::SummaryText(9999, "5"),
              "Anzahl Datens\xE4tze: 9.999\r\n\r\nSumme der Betr\xE4ge: 0,05");
    EXPECT_EQ(PaymentFileRecords::SummaryText(0, ""),
              "Anzahl Datens\xE4tze: 0\r\n\r\nSumme der Betr\xE4ge: 0,00");
}

TEST(PaymentFileRecords, SummaryTextShowsTheFillerWhereNumbersDoNotFit) {
    // 10000 needs six characters with its group point, one more than the width of five.
    EXPECT_EQ(PaymentFileRecords::SummaryText(10000, "100"),
              "Anzahl Datens\xE4tze: $$$$$\r\n\r\nSumme der Betr\xE4ge: 1,00");
    // 1.000.000.000,00 needs sixteen characters, the width is fifteen.
    EXPECT_EQ(PaymentFileRecords::SummaryText(1, "100000000000"),
              "Anzahl Datens\xE4tze: 1\r\n\r\nSumme der Betr\xE4ge: $$$$$$$$$$$$$$$");
    EXPECT_EQ(PaymentFileRecords::SummaryText(1, "99999999999"),
              "Anzahl Datens\xE4tze: 1\r\n\r\nSumme der Betr\xE4ge: 999.999.999,99");
}

TEST(PaymentFileRecords, SummaryTextReadsTheRecordWithoutRunningPastIt) {
    PaymentFileRecords records(AccountForm::BicIban);
    auto& summary = records.summary();
    summary.putInt32(0, 2);
    // The library left the sum unterminated: all sixteen bytes are digits.
    std::memset(summary.data() + 4, '1', 16);
    EXPECT_EQ(records.summaryText(), PaymentFileRecords::SummaryText(2, "1111111111111111"));
    records.zeroSummary();
    EXPECT_EQ(records.summary().bytes(), std::string(20, '\0'));
}

TEST(PaymentFileRecords, FileHeaderHoldsPathTypeNameIdAndParty) {
    PaymentFileRecords records(AccountForm::BicIban);
    FileHeaderInput in{"/tmp/sepa out", "lauf*.xml", "Einreicher AG", "MSG-0001", true};
    records.fillFileHeader(in);

    std::string expected(404, '\0');
    place(expected, 0, "/tmp/sepa out");
    place(expected, 256, std::string("\x01\0\0\0", 4));
    place(expected, 260, "lauf*.xml");
    place(expected, 296, "MSG-0001");
    place(expected, 332, "Einreicher AG");
    EXPECT_EQ(records.fileHeader().bytes(), expected);

    in.directDebit = false;
    in.exportPath = "/x";
    records.fillFileHeader(in);
    place(expected, 0, std::string("/x\0", 3) + std::string(10, '\0'));
    place(expected, 256, std::string(4, '\0'));
    EXPECT_EQ(records.fileHeader().bytes(), expected);
}

TEST(PaymentFileRecords, FileHeaderTakesAFullLengthPath) {
    PaymentFileRecords records(AccountForm::BicIban);
    records.fillFileHeader({std::string(300, 'p'), "", "", "", false});
    EXPECT_EQ(records.fileHeader().bytes().substr(0, 256), std::string(255, 'p') + '\0');
    EXPECT_EQ(records.fileHeader().bytes().substr(256), std::string(404 - 256, '\0'));
}

TEST(PaymentFileRecords, BicIbanEntryFillsEveryOffsetAndLeavesBankCodesZero) {
    PaymentFileRecords records(AccountForm::BicIban);
    records.fillPaymentEntry(sampleEntry(), december8th2026());

    std::string expected(708, '\0');
    place(expected, 0, "Test");
    place(expected, 11, "14122026");
    place(expected, 20, "M\xFCller (S\xF6hne) GmbH");
    place(expected, 91, "COBADEFFXXX");
    place(expected, 103, "DE89370400440532013000");
    place(expected, 210, "DE98ZZZ09999999999");
    place(expected, 267,
          "Stra\xDF"
          "enbau Nord");
    place(expected, 338, "DEUTDEFF");
    place(expected, 350, "DE02120300000000202051");
    place(expected, 483, "123456");
    place(expected, 496, "ETE");
    place(expected, 507, "MANDAT-1");
    place(expected, 543, "01022013");
    place(expected, 564, "Rechnung 4711");
    place(expected, 635, "Kunde 0815");
    EXPECT_EQ(records.paymentEntry().bytes(), expected);
}

TEST(PaymentFileRecords, BankCodeEntryFillsAccountsAndLeavesBicIbanZero) {
    PaymentFileRecords records(AccountForm::BankCodeAccount);
    PaymentEntryInput in = sampleEntry();
    in.originatorBank = "37 40044";
    in.originatorAccount = "532013000";
    in.recipientBank = "12030000";
    in.recipientAccount = "20 20 51";
    records.fillPaymentEntry(in, december8th2026());

    const auto bytes = records.paymentEntry().bytes();
    EXPECT_EQ(bytes.substr(91, 12), std::string(12, '\0'));
    EXPECT_EQ(bytes.substr(103, 107), std::string(107, '\0'));
    EXPECT_EQ(bytes.substr(338, 12), std::string(12, '\0'));
    EXPECT_EQ(bytes.substr(350, 107), std::string(107, '\0'));
    // As typed: inner blanks kept, no leading zeros added.
    EXPECT_EQ(bytes.substr(246, 9), std::string("37 40044\0", 9));
    EXPECT_EQ(bytes.substr(255, 12), std::string("532013000\0\0\0", 12));
    EXPECT_EQ(bytes.substr(457, 9), std::string("12030000\0", 9));
    EXPECT_EQ(bytes.substr(466, 17), std::string("20 20 51") + std::string(9, '\0'));
    // Everything else is written as in the BIC/IBAN form.
    EXPECT_EQ(bytes.substr(0, 5), std::string("Test\0", 5));
    EXPECT_EQ(bytes.substr(483, 7), std::string("123456\0", 7));
    EXPECT_EQ(bytes.substr(543, 9), std::string("01022013\0", 9));
}

TEST(PaymentFileRecords, ARewriteLeavesNothingOfALongerEarlierEntry) {
    PaymentFileRecords records(AccountForm::BicIban);
    records.fillPaymentEntry(sampleEntry(), december8th2026());
    PaymentFileRecords fresh(AccountForm::BicIban);
    PaymentEntryInput shorter;
    shorter.originatorName = "Abc";
    shorter.amount = "1";
    records.fillPaymentEntry(shorter, december8th2026() + 1);
    fresh.fillPaymentEntry(shorter, december8th2026() + 1);
    EXPECT_EQ(records.paymentEntry().bytes(), fresh.paymentEntry().bytes());
    EXPECT_EQ(records.paymentEntry().bytes().substr(11, 9), std::string("15122026\0", 9));
    EXPECT_EQ(records.paymentEntry().bytes().substr(543, 21), std::string(21, '\0'));
}

TEST(PaymentFileRecords, TextsAreCutToTheirEntryFieldAndTheRestOfTheSpanStaysZero) {
    PaymentFileRecords records(AccountForm::BicIban);
    PaymentEntryInput in;
    in.originatorAccount = std::string(60, 'A');
    in.recipientName = std::string(80, 'n');
    in.remittance2 = std::string(90, 'z');
    records.fillPaymentEntry(in, december8th2026());
    const auto bytes = records.paymentEntry().bytes();
    EXPECT_EQ(bytes.substr(103, 107), std::string(35, 'A') + std::string(72, '\0'));
    EXPECT_EQ(bytes.substr(267, 71), std::string(30, 'n') + std::string(41, '\0'));
    EXPECT_EQ(bytes.substr(635, 73), std::string(70, 'z') + std::string(3, '\0'));
}

TEST(PaymentFileRecords, ZeroClearsAllThreeRecords) {
    PaymentFileRecords records(AccountForm::BankCodeAccount);
    records.fillFileHeader({"p", "f", "e", "m", true});
    records.fillPaymentEntry(sampleEntry(), december8th2026());
    records.summary().putInt32(0, 7);
    records.zero();
    EXPECT_EQ(records.fileHeader().bytes(), std::string(404, '\0'));
    EXPECT_EQ(records.paymentEntry().bytes(), std::string(708, '\0'));
    EXPECT_EQ(records.summary().bytes(), std::string(20, '\0'));
}
