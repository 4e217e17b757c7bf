// The rule registry, the versions of the rules that differ from their newest one (the
// published vectors cover mostly the newest), and how a rule's result is completed: successor
// bank codes, BICs, the final check.
#include "paylib/ResultCodes.h"
#include "paylib/bank/AccountResolver.h"
#include "paylib/bank/BankRecord.h"
#include "paylib/bank/BankTable.h"
#include "paylib/bank/iban/IbanRuleRegistry.h"
#include "paylib/bank/iban/UniCreditRule.h"

#include "tests/paylib/EmbeddedTable.h"

#include <gtest/gtest.h>

namespace {

namespace result = paylib::result;
using paylib::iban::IbanRuleRegistry;
using Match = IbanRuleRegistry::Match;

// A bank as the data knows it (or a bare record for a code it lacks) carrying `rule`.
paylib::BankRecord bankWithRule(std::string_view bankCode, std::string_view rule) {
    const paylib::BankRecord* known = paylibtest::embeddedTable().find(bankCode);
    paylib::BankRecord bank = known ? *known : paylib::BankRecord{};
    bank.bankCode = bankCode;
    bank.ibanRule = rule;
    return bank;
}

paylib::AccountResolver::Derivation derive(std::string_view bankCode, std::string_view rule,
                                           std::string_view account) {
    return paylib::AccountResolver(paylibtest::embeddedTable())
        .deriveFor(bankWithRule(bankCode, rule), account);
}

TEST(IbanRuleRegistry, EveryRuleNumberHasAUnitUpToItsNewestVersion) {
    for (int number = 0; number <= IbanRuleRegistry::kHighestRuleNumber; ++number) {
        const int newest = IbanRuleRegistry::newestVersion(number);
        ASSERT_GE(newest, 0) << number;
        char field[7];
        std::snprintf(field, sizeof field, "%04d%02d", number, newest);
        const IbanRuleRegistry::Found found = IbanRuleRegistry::find(field);
        EXPECT_NE(found.rule, nullptr) << field;
        EXPECT_EQ(found.match, Match::Known) << field;
        EXPECT_EQ(found.version, newest) << field;
    }
    EXPECT_EQ(IbanRuleRegistry::newestVersion(5), 3);
    EXPECT_EQ(IbanRuleRegistry::newestVersion(20), 2);
    EXPECT_EQ(IbanRuleRegistry::newestVersion(58), -1);
}

TEST(IbanRuleRegistry, NewerVersionsAndUnknownRulesAreMarked) {
    IbanRuleRegistry::Found found = IbanRuleRegistry::find("000504");
    EXPECT_EQ(found.match, Match::NewerVersion);
    EXPECT_EQ(found.version, 3);
    EXPECT_EQ(found.rule, IbanRuleRegistry::find("000503").rule);
    // 0056 had versions 02 and 03 that were never described.
    found = IbanRuleRegistry::find("005603");
    EXPECT_EQ(found.match, Match::NewerVersion);
    EXPECT_EQ(found.version, 1);
    found = IbanRuleRegistry::find("005800");
    EXPECT_EQ(found.match, Match::UnknownRule);
    EXPECT_EQ(found.rule, IbanRuleRegistry::find("000000").rule);
    EXPECT_EQ(IbanRuleRegistry::find("").match, Match::Known); // no rule column: standard
}

TEST(IbanRuleRegistry, EveryRuleOfTheEmbeddedDataIsKnownInItsVersion) {
    std::size_t banks = 0;
    for (const paylib::BankRecord& bank : paylibtest::embeddedTable().records()) {
        EXPECT_EQ(IbanRuleRegistry::find(bank.ibanRule).match, Match::Known)
            << bank.bankCode << " " << bank.ibanRule;
        ++banks;
    }
    EXPECT_EQ(banks, 3505u);
}

struct VersionCase {
    const char* what;
    const char* bankCode;
    const char* rule;
    const char* account;
    std::int32_t code;
    const char* iban; // for code >= 0
};

TEST(IbanRuleVersions, OlderVersionsBehaveAsTheirDocumentsDescribe) {
    const VersionCase cases[] = {
        // 0005: version 00 barred three bank codes, later only 50040033.
        {"0005 v00 barred code", "10045050", "000500", "930125001", result::kNoIbanAllowed, ""},
        {"0005 v01 code open", "10045050", "000501", "930125001", result::kOk,
         "DE46100450500930125001"},
        // 0010: from version 01 the 1822direkt code goes to the Sparkasse.
        {"0010 v00", "50050222", "001000", "1241539870", result::kOk, "DE04500502221241539870"},
        {"0010 v01", "50050222", "001001", "1241539870", result::kOk, "DE45500502011241539870"},
        {"0010 v01 donation via 1822direkt", "50050222", "001001", "2000", result::kOk,
         "DE42500502010000222000"},
        // 0015: account 94 since version 01.
        {"0015 v00", "37060193", "001500", "94", result::kOk, "DE77370601930000000094"},
        {"0015 v01", "37060193", "001501", "94", result::kOk, "DE17370601933008888018"},
        // 0020: versions 00/01 repair by steps, 02 by length (117 is too short there).
        {"0020 v01 repair", "23070700", "002001", "117", result::kOk, "DE05230707000000011700"},
        {"0020 v02 length", "23070700", "002002", "117", result::kAccountRefused, ""},
        // 0021: version 00 had no length limits.
        {"0021 v00", "36020030", "002100", "12345678", result::kOk, "DE56360200300012345678"},
        {"0021 v01", "36020030", "002101", "12345678", result::kAccountRefused, ""},
        // 0042: ten-digit accounts only from version 01.
        {"0042 v00", "10000000", "004200", "1234400001", result::kNoIbanAllowed, ""},
        {"0042 v01", "10000000", "004201", "1234400001", result::kOk, "DE22100000001234400001"},
        // 0049: the donation table only in version 00.
        {"0049 v00", "30060010", "004900", "36", result::kOk, "DE57300600100002310113"},
        {"0049 v01", "30060010", "004901", "36", result::kAccountRefused, ""},
        // 0054: accounts exempt from the check only from version 01.
        {"0054 v00", "21060237", "005400", "624044", result::kNoticeAccountNotChecked,
         "DE96210602370000624044"},
        {"0054 v01", "21060237", "005401", "624044", result::kNoticeNoBic,
         "DE96210602370000624044"},
        // 0056: donation accounts only in version 00; ten digits for the listed codes.
        {"0056 v00", "38010111", "005600", "36", result::kNoticeNoBic, "DE29380101111010240003"},
        {"0056 v01", "38010111", "005601", "36", result::kAccountRefused, ""},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto d = derive(c.bankCode, c.rule, c.account);
        EXPECT_EQ(d.code, c.code);
        EXPECT_EQ(d.iban, c.iban);
    }
}

TEST(IbanRuleResults, TheRuleDecidesTheBankCodeBeforeTheSuccessorDoes) {
    // A Bundesbank file names 37060193 as successor of 10060198; with the standard rule the
    // successor enters the IBAN (with its BIC), with rule 0001 nothing does.
    paylib::BankRecord pax = bankWithRule("10060198", "000000");
    pax.successor = "37060193";
    const paylib::AccountResolver resolver(paylibtest::embeddedTable());
    auto d = resolver.deriveFor(pax, "12343"); // checked with the successor's method 06
    EXPECT_EQ(d.code, result::kOk);
    EXPECT_EQ(d.iban, "DE27370601930000012343");
    EXPECT_EQ(d.bic, "GENODED1PAX");
    EXPECT_EQ(resolver.deriveFor(pax, "12346").code, result::kAccountRefused);
    pax.ibanRule = "000100";
    EXPECT_EQ(resolver.deriveFor(pax, "12343").code, result::kNoIbanAllowed);
    // Rule 0012 chooses 50050000 itself; a successor of the entered code does not count.
    paylib::BankRecord helaba = bankWithRule("50850049", "001201");
    helaba.successor = "50010517";
    d = resolver.deriveFor(helaba, "4500104");
    EXPECT_EQ(d.iban.substr(4, 8), "50050000");
    EXPECT_EQ(d.bic, "HELADEFFXXX");
}

TEST(IbanRuleResults, CommerzbankCodesAnswerWithTheHeadOfficeBicExceptComdirect) {
    auto d = derive("50540028", "000503", "420086100");
    EXPECT_EQ(d.bic, "COBADEFFXXX");
    d = derive("20041111", "000503", "1234567806");
    EXPECT_EQ(d.code, result::kOk);
    EXPECT_EQ(d.bic, "COBADEHDXXX");
    d = derive("50080000", "000503", "23165400"); // former Dresdner Bank: its own BIC
    EXPECT_EQ(d.bic, "DRESDEFFXXX");
}

TEST(IbanRuleResults, UniCreditKontenkreiseNotInTheTableGetNoIban) {
    EXPECT_EQ(paylib::iban::UniCreditRule::bankCodeOfKontenkreis("1450000000"), "66020286");
    EXPECT_EQ(paylib::iban::UniCreditRule::bankCodeOfKontenkreis("1670000000"), "74320073");
    EXPECT_EQ(paylib::iban::UniCreditRule::bankCodeOfKontenkreis("1160000000"), "");
    // 116 is no Kontenkreis; 1160000003 passes method 99 of 10020890.
    EXPECT_EQ(derive("10020890", "003200", "1160000003").code, result::kNoIbanAllowed);
}

TEST(IbanRuleResults, HshNordbankRangeBordersAndTheExtendedSixDigitAccounts) {
    const std::pair<const char*, std::int32_t> borders[] = {
        {"99999", result::kNoIbanAllowed},
        {"900000", result::kNoIbanAllowed},
        {"29999999", result::kNoIbanAllowed},
        {"60000000", result::kNoIbanAllowed},
        {"999999999", result::kNoIbanAllowed},
        {"2000000000", result::kNoIbanAllowed},
        {"8499999999", result::kNoIbanAllowed},
        {"8999999999", result::kNoIbanAllowed},
        {"7099999999", result::kOk},
        {"8500000000", result::kOk},
    };
    for (const auto& [account, code] : borders)
        EXPECT_EQ(derive("21050000", "003600", account).code, code) << account;
    const auto d = derive("21050000", "003600", "101105");
    EXPECT_EQ(d.iban, "DE32210500000101105000");
}

} // namespace
