// IBAN validation by the ISO 13616 registry: every SEPA country's example IBAN, the table's
// own consistency, and the faults the registry exists to catch.
#include "paylib/bank/IbanRegistry.h"
#include "paylib/sepa/SepaIdentifiers.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using paylib::IbanRegistry;
using Verdict = IbanRegistry::Verdict;

// The registry's example IBAN of each SEPA country.
constexpr const char* kSepaExamples[] = {
    "AD1200012030200359100100",
    "AL47212110090000000235698741",
    "AT611904300234573201",
    "BE68539007547034",
    "BG80BNBG96611020345678",
    "CH9300762011623852957",
    "CY17002001280000001200527600",
    "CZ6508000000192000145399",
    "DE89370400440532013000",
    "DK5000400440116243",
    "EE382200221020145685",
    "ES9121000418450200051332",
    "FI2112345600000785",
    "FR1420041010050500013M02606",
    "GB29NWBK60161331926819",
    "GI75NWBK000000007099453",
    "GR1601101250000000012300695",
    "HR1210010051863000160",
    "HU42117730161111101800000000",
    "IE29AIBK93115212345678",
    "IS140159260076545510730339",
    "IT60X0542811101000000123456",
    "LI21088100002324013AA",
    "LT121000011101001000",
    "LU280019400644750000",
    "LV80BANK0000435195001",
    "MC5811222000010123456789030",
    "MD24AG000225100013104168",
    "ME25505000012345678951",
    "MK07250120000058984",
    "MT84MALT011000012345MTLCAST001S",
    "NL91ABNA0417164300",
    "NO9386011117947",
    "PL61109010140000071219812874",
    "PT50000201231234567890154",
    "RO49AAAA1B31007593840000",
    "SE4550000000058398257466",
    "SI56263300012039086",
    "SK3112000000198742637541",
    "SM86U0322509800000000270100",
    "VA59001123000012345678",
};

TEST(IbanRegistry, EverySepaCountrysExampleIsValidAndAcceptedForSepaFiles) {
    std::set<std::string> sepaCountries;
    for (const IbanRegistry::Country& country : IbanRegistry::countries()) {
        if (country.sepa)
            sepaCountries.insert(std::string(country.code));
    }
    std::set<std::string> examined;
    for (const char* iban : kSepaExamples) {
        EXPECT_EQ(IbanRegistry::check(iban), Verdict::Valid) << iban;
        EXPECT_TRUE(paylib::SepaIdentifiers::isValidIban(iban)) << iban;
        examined.insert(std::string(iban, 2));
    }
    EXPECT_EQ(examined, sepaCountries);
}

TEST(IbanRegistry, EachCountrysLengthIsItsBbanPlusFourAndTheTableIsSorted) {
    std::string_view previous;
    for (const IbanRegistry::Country& country : IbanRegistry::countries()) {
        std::size_t bban = 0;
        std::size_t count = 0;
        for (char c : country.bban) {
            if (c >= '0' && c <= '9') {
                count = count * 10 + static_cast<std::size_t>(c - '0');
            } else if (c == '!') {
                bban += count;
                count = 0;
            }
        }
        EXPECT_EQ(country.length, bban + 4) << country.code;
        EXPECT_LT(previous, country.code);
        previous = country.code;
    }
}

TEST(IbanRegistry, IbansOutsideSepaAreValidButNotForSepaFiles) {
    for (const char* iban :
         {"TR330006100519786457841326", "SA0380000000608010167519", "BR1800360305000010009795493C1",
          "XK051212012345678906", "UA213223130000026007233566001", "RS35260005601001611379"}) {
        EXPECT_EQ(IbanRegistry::check(iban), Verdict::Valid) << iban;
        EXPECT_FALSE(paylib::SepaIdentifiers::isValidIban(iban)) << iban;
    }
}

TEST(IbanRegistry, TheFaultsItCatches) {
    const std::pair<const char*, Verdict> cases[] = {
        {"XX89370400440532013000", Verdict::UnknownCountry},
        {"D", Verdict::UnknownCountry},
        {"", Verdict::UnknownCountry},
        {"FR1420041010050500013M026060", Verdict::WrongLength},
        {"DE8937040044053201300", Verdict::WrongLength},
        {"NL91ABNA04171643001", Verdict::WrongLength},
        {"DE89370400440532O13000", Verdict::WrongFormat},  // letter O in a numeric BBAN
        {"NL9112340417164300", Verdict::WrongFormat},      // digits where the bank is letters
        {"GBXX NWBK60161331926819", Verdict::WrongLength}, // a blank is one character too many
        {"GBX9NWBK60161331926819", Verdict::WrongFormat},
        {"DE02370100500001651503", Verdict::WrongCheckDigits},
        // 99 ≡ 02 and 01 ≡ 98 (mod 97): the remainder passes, the check digits may not.
        {"DE99120300000000202051", Verdict::WrongCheckDigits},
        {"DE00370400440532013000", Verdict::WrongCheckDigits},
    };
    for (const auto& [iban, verdict] : cases)
        EXPECT_EQ(IbanRegistry::check(iban), verdict) << iban;
    // The same IBAN with its valid check digits 02.
    EXPECT_EQ(IbanRegistry::check("DE02120300000000202051"), Verdict::Valid);
}

TEST(IbanRegistry, BbanNotationMatchesItsGroups) {
    EXPECT_TRUE(IbanRegistry::matches("4!a6!n8!n", "NWBK60161331926819"));
    EXPECT_FALSE(IbanRegistry::matches("4!a6!n8!n", "NWBK6016133192681"));
    EXPECT_FALSE(IbanRegistry::matches("4!a6!n8!n", "NWB160161331926819"));
    EXPECT_TRUE(IbanRegistry::matches("1!a5!n5!n12!c", "X0542811101000000123456"));
    EXPECT_FALSE(IbanRegistry::matches("1!a5!n5!n12!c", "X054281110100000012345a"));
    EXPECT_FALSE(IbanRegistry::matches("4!x", "ABCD")); // no such kind
    EXPECT_FALSE(IbanRegistry::matches("4a", "ABCD"));  // no "!"
}

} // namespace
