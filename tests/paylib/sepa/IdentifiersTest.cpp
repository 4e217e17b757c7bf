// The library's inner parts: check digits, identifier forms, SEPA texts and the bank-code
// file layout and its validity periods.
#include "paylib/bank/BankTable.h"
#include "paylib/sepa/SepaIdentifiers.h"
#include "paylib/sepa/SepaText.h"

#include "helpers/DateHelpers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using paylib::BankTable;
using paylib::SepaIdentifiers;
using paylib::SepaText;

const char* const kIbans[] = {
    "DE89370400440532013000", "DE68210501700012345678", "DE12500105170648489890",
    "DE02120300000000202051", "DE02500105170137075030", "DE02100500000054540402",
    "DE02300209000106531065", "DE02200505501015871393", "DE02100100100006820101",
    "DE02300606010002474689", "DE02600501010002034304", "DE02700202700010108669",
    "DE02700100800030876808", "DE02370502990000684712", "DE88100900001234567892",
    "DE02701500000000594937"};

TEST(SepaIdentifiersTest, GermanIbanOfTheStandardVectors) {
    for (const char* iban : kIbans) {
        const std::string_view text(iban);
        EXPECT_EQ(SepaIdentifiers::germanIban(text.substr(4, 8), text.substr(12)), iban);
        EXPECT_TRUE(SepaIdentifiers::isValidIban(iban)) << iban;
    }
    EXPECT_EQ(SepaIdentifiers::germanIban("37040044", "532013000"), "DE89370400440532013000");
}

TEST(SepaIdentifiersTest, EveryChangedDigitAndEverySwapFails) {
    EXPECT_FALSE(SepaIdentifiers::isValidIban("DE02370100500001651503"));
    EXPECT_TRUE(SepaIdentifiers::isValidIban("DE40370100500001651503"));
    for (const char* iban : kIbans) {
        for (std::size_t i = 2; i < 22; ++i) {
            std::string changed(iban);
            changed[i] = changed[i] == '9' ? '0' : static_cast<char>(changed[i] + 1);
            EXPECT_FALSE(SepaIdentifiers::isValidIban(changed)) << changed;
            if (i + 1 < 22 && iban[i] != iban[i + 1]) {
                std::string swapped(iban);
                std::swap(swapped[i], swapped[i + 1]);
                EXPECT_FALSE(SepaIdentifiers::isValidIban(swapped)) << swapped;
            }
        }
    }
}

TEST(SepaIdentifiersTest, IbanForms) {
    EXPECT_TRUE(SepaIdentifiers::isValidIban("FR1420041010050500013M02606"));
    EXPECT_TRUE(SepaIdentifiers::isValidIban("GB29NWBK60161331926819"));
    EXPECT_FALSE(SepaIdentifiers::isValidIban("de89370400440532013000"));
    EXPECT_FALSE(SepaIdentifiers::isValidIban("DE8937040044053201300")); // 21 characters
    EXPECT_FALSE(SepaIdentifiers::isValidIban("DE89 3704 0044 0532 0130 00"));
    EXPECT_FALSE(SepaIdentifiers::isValidIban(""));
    EXPECT_EQ(SepaIdentifiers::mod97("3214282912345698765432161182"), 1);
    EXPECT_EQ(SepaIdentifiers::mod97("12-3"), -1);
}

TEST(SepaIdentifiersTest, BicForms) {
    for (const char* bic : {"COBADEFFXXX", "COBADEFF", "MARKDEF1100", "GENODED1PA6", "1234DEAB"})
        EXPECT_TRUE(SepaIdentifiers::isValidBic(bic)) << bic;
    for (const char* bic :
         {"COBADEF", "COBADEFFXX", "COBAD1FFXXX", "cobadeffxxx", "COBADEFF XX", ""})
        EXPECT_FALSE(SepaIdentifiers::isValidBic(bic)) << bic;
}

TEST(SepaIdentifiersTest, CreditorIdentifierCheckDigits) {
    EXPECT_TRUE(SepaIdentifiers::isValidCreditorId("DE98ZZZ09999999999"));
    // The business code does not take part in the check.
    EXPECT_TRUE(SepaIdentifiers::isValidCreditorId("DE98ABC09999999999"));
    EXPECT_FALSE(SepaIdentifiers::isValidCreditorId("DE98ZZZ09999999998"));
    EXPECT_FALSE(SepaIdentifiers::isValidCreditorId("DE99ZZZ09999999999"));
    EXPECT_FALSE(SepaIdentifiers::isValidCreditorId("DE98ZZZ0999999999")); // DE is 18 long
    EXPECT_FALSE(SepaIdentifiers::isValidCreditorId("DE98ZZZ"));
}

TEST(SepaTextTest, GermanBankCharactersStayOtherLettersAreTransliteratedOthersRefused) {
    std::string sepa;
    EXPECT_TRUE(SepaText::toSepa("M\xFCller & S\xF6hne \xC4rger \xDF (1/2) 'x' +?:.,- *$%", sepa));
    EXPECT_EQ(sepa, "M\xFCller & S\xF6hne \xC4rger \xDF (1/2) 'x' +?:.,- *$%");
    EXPECT_TRUE(SepaText::toSepa("Jos\xE9 \xC7\xE0 \x8A\x9E", sepa));
    EXPECT_EQ(sepa, "Jose Ca Sz");
    // The letters that need two: Æ Ø Œ Þ and their lower-case forms; Ð is one.
    EXPECT_TRUE(SepaText::toSepa("\xC6\xD8\x8C\xDE\xD0 \xE6\xF8\x9C\xFE\xF0", sepa));
    EXPECT_EQ(sepa, "AEOEOETHD aeoeoethd");
    for (const char* bad : {"a@b", "\x80", "a\tb", "a_b", "a;b", "\"x\"",
                            "a\xD7"
                            "b",
                            "<b>"})
        EXPECT_FALSE(SepaText::toSepa(bad, sepa)) << bad;
}

TEST(SepaTextTest, FitCutsWithoutTrailingBlankAndSaysSo) {
    std::string out;
    EXPECT_EQ(SepaText::fit("  Name  ", 70, true, out), SepaText::Fit::Fits);
    EXPECT_EQ(out, "Name");
    EXPECT_EQ(SepaText::fit(" ", 70, true, out), SepaText::Fit::Refused);
    EXPECT_EQ(SepaText::fit(" ", 140, false, out), SepaText::Fit::Fits);
    // Transliteration can make a full field longer than its limit.
    EXPECT_EQ(SepaText::fit(std::string(40, '\xC6'), 70, true, out), SepaText::Fit::Cut);
    std::string pairs;
    for (int i = 0; i < 35; ++i)
        pairs += "AE";
    EXPECT_EQ(out, pairs);
    EXPECT_EQ(SepaText::fit(std::string(69, 'a') + " b", 70, true, out), SepaText::Fit::Cut);
    EXPECT_EQ(out, std::string(69, 'a'));
    EXPECT_EQ(SepaText::fit("a@b", 70, true, out), SepaText::Fit::Refused);
}

TEST(SepaTextTest, IdentifiersAndXml) {
    EXPECT_TRUE(SepaText::isIdentifier("MessageId1234567890", false));
    EXPECT_TRUE(SepaText::isIdentifier("Rechnung 1", true));
    EXPECT_FALSE(SepaText::isIdentifier("Rechnung 1", false));
    EXPECT_FALSE(SepaText::isIdentifier("/abc", true));
    EXPECT_FALSE(SepaText::isIdentifier("abc/", true));
    EXPECT_FALSE(SepaText::isIdentifier("a//b", true));
    EXPECT_FALSE(SepaText::isIdentifier(std::string(36, 'a'), true));
    EXPECT_FALSE(SepaText::isIdentifier("M\xFCller", true)); // identifiers keep to the basic set
    EXPECT_EQ(SepaText::xml("A<B>&'\"\xFC"), "A&lt;B&gt;&amp;&apos;&quot;\xC3\xBC");
}

// The Bundesbank extract of 8 December 2014 (46 records), the test file of bank-code files.
std::string defaultFile() {
    std::ifstream in(ZALVO_BLZ_EXTRACT, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(BankTableTest, DefaultTableHoldsItsPaymentRecords) {
    BankTable table;
    ASSERT_TRUE(table.parse(defaultFile()));
    // 46 records: one branch record (marker 2) is not a payment record.
    EXPECT_EQ(table.size(), 45u);
    const paylib::BankRecord* bank = table.find("37050198");
    ASSERT_NE(bank, nullptr);
    EXPECT_EQ(bank->name, "Sparkasse K\xF6lnBonn");
    EXPECT_EQ(bank->city, "K\xF6ln");
    EXPECT_EQ(bank->postcode, "50667");
    EXPECT_EQ(bank->bic, "COLSDE33XXX");
    EXPECT_EQ(bank->checkMethod, "00");
    EXPECT_EQ(bank->ibanRule, "000700");
    const paylib::BankRecord* pax = table.find("10060198");
    ASSERT_NE(pax, nullptr);
    EXPECT_TRUE(pax->deletionAnnounced);
    EXPECT_EQ(pax->successor, "37060193");
    EXPECT_EQ(pax->ibanRule, "000100");
    EXPECT_TRUE(table.find("27090077")->deleted());
    EXPECT_EQ(table.find("37040044")->bic, "COBADEFFXXX"); // the payment record, not the branch
    EXPECT_EQ(table.find("3704004"), nullptr);
}

TEST(BankTableTest, MalformedFilesAreRefusedWhole) {
    const std::string file = defaultFile();
    const std::string line = file.substr(0, file.find('\n'));
    BankTable table;
    std::string error;
    EXPECT_FALSE(table.parse(line.substr(0, 173), &error));
    EXPECT_NE(error.find("Zeile 1"), std::string::npos);
    EXPECT_TRUE(table.empty());
    EXPECT_FALSE(table.parse(""));
    for (std::size_t at : {0u, 8u, 139u, 150u, 152u, 158u, 159u, 160u, 168u}) {
        std::string damaged = line;
        damaged[at] = '#';
        EXPECT_FALSE(table.parse(file + damaged + "\n")) << at;
    }
    // A BIC of nine characters.
    std::string bic9 = line;
    bic9.replace(139, 11, "MARKDEF11  ");
    EXPECT_FALSE(table.parse(bic9));
    EXPECT_TRUE(table.parse(line + "\r\n\r\n"));
}

TEST(BankTableTest, ValidityFollowsTheQuarterlyFiles) {
    // Monday after the first Saturday of March, June, September, December.
    EXPECT_EQ(DateToDigits(BankTable::nextPeriodStart(DayNumberFromDate(2014, 12, 8))), "09032015");
    EXPECT_EQ(DateToDigits(BankTable::nextPeriodStart(DayNumberFromDate(2025, 3, 3))), "09062025");
    EXPECT_EQ(DateToDigits(BankTable::nextPeriodStart(DayNumberFromDate(2026, 8, 31))), "07092026");
    // A first Saturday on the 1st: the Monday is the 3rd.
    EXPECT_EQ(DateToDigits(BankTable::nextPeriodStart(DayNumberFromDate(2029, 12, 1))), "03122029");
    EXPECT_EQ(DateToDigits(BankTable::periodStart(DayNumberFromDate(2025, 7, 15))), "09062025");
    EXPECT_EQ(DateToDigits(BankTable::periodStart(DayNumberFromDate(2026, 1, 10))), "08122025");
    BankTable table;
    table.setValidFrom(DayNumberFromDate(2014, 12, 8));
    EXPECT_EQ(DateToDigits(table.validUntil()), "08032015");
}

} // namespace
