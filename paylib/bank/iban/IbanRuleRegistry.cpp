#include "paylib/bank/iban/IbanRuleRegistry.h"

#include "helpers/TextHelpers.h"
#include "paylib/bank/iban/AccountRedirectRule.h"
#include "paylib/bank/iban/AccountSubstitutionRule.h"
#include "paylib/bank/iban/BankCodeRedirectRule.h"
#include "paylib/bank/iban/BundesbankRule.h"
#include "paylib/bank/iban/CheckExemptionRule.h"
#include "paylib/bank/iban/CommerzbankRule.h"
#include "paylib/bank/iban/DeutscheBankRule.h"
#include "paylib/bank/iban/DzBankRule.h"
#include "paylib/bank/iban/EdgRule.h"
#include "paylib/bank/iban/ExcludedAccountsRule.h"
#include "paylib/bank/iban/FixedIbanRule.h"
#include "paylib/bank/iban/FrankfurterSparkasseRule.h"
#include "paylib/bank/iban/HshNordbankRule.h"
#include "paylib/bank/iban/NationalBankRule.h"
#include "paylib/bank/iban/NoIbanRule.h"
#include "paylib/bank/iban/RuleTables.h"
#include "paylib/bank/iban/SantanderRule.h"
#include "paylib/bank/iban/SchopfheimZellRule.h"
#include "paylib/bank/iban/SebRule.h"
#include "paylib/bank/iban/SocieteGeneraleRule.h"
#include "paylib/bank/iban/StandardRule.h"
#include "paylib/bank/iban/UniCreditRule.h"

#include <array>

namespace paylib::iban {
namespace {

namespace t = tables;
using Variant = UniCreditRule::Variant;

constexpr std::size_t kNumberDigits = 4;
constexpr std::size_t kFieldDigits = 6;

// 0002: digit 8 is 6, or digits 8-9 are 86. 0003: one account.
bool augsburgerAktienbankExcluded(std::string_view account10) {
    return account10[7] == '6' || account10.substr(7, 2) == "86";
}
bool aarealExcluded(std::string_view account10) {
    return account10 == "6161604670";
}

constexpr AccountSubstitution kRule0033Donations[] = {
    {"22222", "5803435253"},   {"1111111", "39908140"}, {"94", "2711931"},
    {"7777777", "5800522694"}, {"55555", "5801800000"},
};
constexpr AccountSubstitution kRule0034Donations[] = {
    {"500500500", "4340111112"},
    {"502", "4340118001"},
};
constexpr AccountSubstitution kRule0035Donations[] = {
    {"9696", "1490196966"},
};

const StandardRule kStandard;
const NoIbanRule kNoIban;
const ExcludedAccountsRule kRule0002(augsburgerAktienbankExcluded);
const ExcludedAccountsRule kRule0003(aarealExcluded);
const AccountSubstitutionRule kRule0004(t::kRule0004);
const CommerzbankRule kRule0005;
const AccountSubstitutionRule kRule0006(t::kRule0006);
const AccountSubstitutionRule kRule0007(t::kRule0007);
const BankCodeRedirectRule
    kRule0008({.target = "50020200", .bic = "BHFBDEFF500", .checkMethod = "60"});
const SchopfheimZellRule kRule0009;
const FrankfurterSparkasseRule kRule0010;
const AccountSubstitutionRule kRule0011(t::kRule0011);
const BankCodeRedirectRule
    kRule0012({.target = "50050000", .bic = "HELADEFFXXX", .bicSinceVersion = 1});
const BankCodeRedirectRule
    kRule0013({.target = "30050000", .bic = "WELADEDDXXX", .bicSinceVersion = 1});
const BankCodeRedirectRule kRule0014({.target = "30060601", .bic = "DAAEDEDDXXX"});
const AccountSubstitutionRule kRule0015(t::kRule0015);
const AccountSubstitutionRule kRule0016(t::kRule0016);
const AccountSubstitutionRule kRule0017(t::kRule0017);
const AccountSubstitutionRule kRule0018(t::kRule0018);
const BankCodeRedirectRule
    kRule0019({.target = "50120383", .bic = "DELBDE33XXX", .sources = t::kRule0019});
const DeutscheBankRule kRule0020;
const NationalBankRule kRule0021;
const AccountSubstitutionRule kRule0022(t::kRule0022);
const AccountSubstitutionRule kRule0023(t::kRule0023);
const AccountSubstitutionRule kRule0024(t::kRule0024);
const BankCodeRedirectRule kRule0025({.target = "60050101"});
const CheckExemptionRule kRule0026(t::kRule0026);
const CheckExemptionRule kRule0027(t::kRule0027);
const BankCodeRedirectRule kRule0028({.target = "25050180", .bic = "SPKHDE2HXXX"});
const SocieteGeneraleRule kRule0029;
const CheckExemptionRule kRule0030(t::kRule0030);
const UniCreditRule kRule0031(Variant::DeletedCode, {}, "99");
const UniCreditRule kRule0032(Variant::Receiving, {}, "99");
const UniCreditRule kRule0033(Variant::Muenchen, kRule0033Donations, "95");
const UniCreditRule kRule0034(Variant::Receiving, kRule0034Donations, "99");
const UniCreditRule kRule0035(Variant::Receiving, kRule0035Donations, "99");
const HshNordbankRule kRule0036;
const BankCodeRedirectRule kRule0037({.target = "30010700", .bic = "BOTKDEDXXXX"});
const BankCodeRedirectRule
    kRule0038({.target = "28590075", .bic = "GENODEF1LER", .sources = t::kRule0038});
const BankCodeRedirectRule kRule0039({.target = "28020050", .sources = t::kRule0039});
const BankCodeRedirectRule kRule0040({.target = "68052328", .bic = "SOLADES1STF"});
const FixedIbanRule kRule0041("50060400", "0000011404", "GENODEFFXXX");
const BundesbankRule kRule0042;
const BankCodeRedirectRule
    kRule0043({.target = "66650085", .bic = "PZHSDE66XXX", .checkMethod = "06"});
const AccountSubstitutionRule kRule0044(t::kRule0044);
const BankCodeRedirectRule kRule0045({.bic = "ESSEDE5FXXX"});
const BankCodeRedirectRule kRule0046({.target = "31010833"});
const SantanderRule kRule0047;
const BankCodeRedirectRule
    kRule0048({.target = "36010200", .bic = "VONEDE33XXX", .sources = t::kRule0048});
const DzBankRule kRule0049;
const BankCodeRedirectRule kRule0050({.target = "28550000", .bic = "BRLADE21LER"});
const AccountSubstitutionRule kRule0051(t::kRule0051);
const AccountRedirectRule kRule0052(t::kRule0052, AccountRedirectRule::Others::NoIban);
const AccountRedirectRule kRule0053(t::kRule0053, AccountRedirectRule::Others::Standard);
const EdgRule kRule0054;
const BankCodeRedirectRule kRule0055({.target = "25410200", .bic = "BHWBDE2HXXX"});
const SebRule kRule0056;
const BankCodeRedirectRule kRule0057({.target = "66010200"});

struct Entry {
    const IbanRule* rule;
    int newestVersion;
};

// Index = rule number. Versions as the Bundesbank's overviews and the later changes list them;
// 0056 is known up to 01 (its versions 02 and 03 were never described).
const std::array<Entry, IbanRuleRegistry::kHighestRuleNumber + 1> kEntries = {{
    {&kStandard, 0}, {&kNoIban, 0},   {&kRule0002, 0}, {&kRule0003, 0}, {&kRule0004, 0},
    {&kRule0005, 3}, {&kRule0006, 0}, {&kRule0007, 0}, {&kRule0008, 0}, {&kRule0009, 0},
    {&kRule0010, 1}, {&kRule0011, 0}, {&kRule0012, 1}, {&kRule0013, 1}, {&kRule0014, 0},
    {&kRule0015, 1}, {&kRule0016, 0}, {&kRule0017, 0}, {&kRule0018, 0}, {&kRule0019, 0},
    {&kRule0020, 2}, {&kRule0021, 1}, {&kRule0022, 0}, {&kRule0023, 0}, {&kRule0024, 0},
    {&kRule0025, 0}, {&kRule0026, 0}, {&kRule0027, 0}, {&kRule0028, 0}, {&kRule0029, 0},
    {&kRule0030, 0}, {&kRule0031, 1}, {&kRule0032, 0}, {&kRule0033, 1}, {&kRule0034, 0},
    {&kRule0035, 1}, {&kRule0036, 0}, {&kRule0037, 0}, {&kRule0038, 0}, {&kRule0039, 0},
    {&kRule0040, 1}, {&kRule0041, 0}, {&kRule0042, 1}, {&kRule0043, 1}, {&kRule0044, 0},
    {&kRule0045, 1}, {&kRule0046, 0}, {&kRule0047, 0}, {&kRule0048, 0}, {&kRule0049, 1},
    {&kRule0050, 0}, {&kRule0051, 0}, {&kRule0052, 0}, {&kRule0053, 0}, {&kRule0054, 1},
    {&kRule0055, 0}, {&kRule0056, 1}, {&kRule0057, 0},
}};

} // namespace

IbanRuleRegistry::Found IbanRuleRegistry::find(std::string_view ruleField) {
    if (ruleField.size() != kFieldDigits)
        return {&kStandard, 0, Match::Known};
    const auto number = TextToInt64(ruleField.substr(0, kNumberDigits));
    const auto version = static_cast<int>(TextToInt64(ruleField.substr(kNumberDigits)));
    if (number < 0 || number > kHighestRuleNumber)
        return {&kStandard, 0, Match::UnknownRule};
    const Entry& entry = kEntries[static_cast<std::size_t>(number)];
    if (version > entry.newestVersion)
        return {entry.rule, entry.newestVersion, Match::NewerVersion};
    return {entry.rule, version, Match::Known};
}

int IbanRuleRegistry::newestVersion(int number) {
    if (number < 0 || number > kHighestRuleNumber)
        return -1;
    return kEntries[static_cast<std::size_t>(number)].newestVersion;
}

} // namespace paylib::iban
