#include "paylib/bank/iban/SebRule.h"

#include "paylib/bank/iban/AccountDigits.h"

#include <algorithm>

namespace paylib::iban {
namespace {

// A donation account and the fixed IBAN it stands for, as bank code and account: the bank
// code of the fixed IBAN may differ from the one entered.
struct SebDonation {
    std::string_view entered;
    std::string_view bankCode;
    std::string_view account;
};

constexpr SebDonation kDonations[] = {
    {"36", "38010111", "1010240003"},        {"50", "48010111", "1328506100"},
    {"99", "43010111", "1826063000"},        {"110", "25010111", "1015597802"},
    {"240", "38010111", "1010240000"},       {"333", "38010111", "1011296100"},
    {"555", "10010111", "1600220800"},       {"556", "39010111", "1000556100"},
    {"606", "25010111", "1967153801"},       {"700", "26510111", "1070088000"},
    {"777", "25010111", "1006015200"},       {"999", "38010111", "1010240001"},
    {"1234", "25010111", "1369152400"},      {"1313", "57010111", "1017500000"},
    {"1888", "37010111", "1241113000"},      {"1953", "25010111", "1026500901"},
    {"1998", "67010111", "1547620500"},      {"2007", "25010111", "1026500907"},
    {"4004", "37010111", "1635100100"},      {"4444", "67010111", "1304610900"},
    {"5000", "25010111", "1395676000"},      {"5510", "29010111", "1611754300"},
    {"6060", "50010111", "1000400200"},      {"6800", "67010111", "1296401301"},
    {"55555", "38010111", "1027758200"},     {"60000", "50010111", "1005007001"},
    {"66666", "20010111", "1299807801"},     {"102030", "37010111", "1837501600"},
    {"121212", "70010111", "1249461502"},    {"130500", "30010111", "1413482100"},
    {"202020", "37010111", "1213431002"},    {"414141", "38010111", "1010555101"},
    {"666666", "20010111", "1798758900"},    {"5000000", "37010111", "1403124100"},
    {"500500500", "60010111", "1045720000"},
};

constexpr std::string_view kTenDigitBanks[] = {
    "10010111", "13010111", "16010111", "20010111", "21010111", "21210111", "23010111", "25010111",
    "25410111", "25910111", "26010111", "26510111", "27010111", "28010111", "29010111", "29210111",
    "30010111", "31010111", "33010111", "35010111", "35211012", "36010111", "36210111", "37010111",
    "38010111", "39010111", "40010111", "41010111", "42010111", "42610112", "43010111", "44010111",
    "46010111", "48010111", "50010111", "50510111", "51010111", "51310111", "51410111", "52010111",
    "54210111", "55010111", "57010111", "58510111", "59010111", "60010111", "63010111", "65310111",
    "66010111", "66610111", "67010111", "67210111", "68010111", "68310111", "69010111", "70010111",
    "72010111", "75010111", "76010111", "79010111", "79510111", "81010111", "82010111", "86010111",
};

constexpr int kLastVersionWithDonations = 0;
constexpr int kTenDigits = 10;

} // namespace

RuleResult SebRule::apply(const RuleRequest& request) const {
    if (request.version <= kLastVersionWithDonations) {
        for (const SebDonation& donation : kDonations) {
            if (sameAccount(donation.entered, request.account))
                return RuleResult::standard(donation.account)
                    .withBankCode(donation.bankCode)
                    .asChecked();
        }
    }
    const bool tenDigitsOnly = std::find(std::begin(kTenDigitBanks), std::end(kTenDigitBanks),
                                         request.bankCode()) != std::end(kTenDigitBanks);
    if (tenDigitsOnly && request.length() != kTenDigits)
        return RuleResult::invalidAccount();
    return RuleResult::standard(request.account);
}

} // namespace paylib::iban
