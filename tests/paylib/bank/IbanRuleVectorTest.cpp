// The published IBAN-rule vectors (rule, bank code, account, expected IBAN, BIC, outcome):
// every row against the rule in its first column, and the rows whose bank code carries that
// rule in our bank data also through the loaded library's Zalvotech_ConvertBLZKonto. The copy
// in tests/data always runs; the shared copy beside the repository (which may hold more rows)
// runs when it is there.
#include "tests/paylib/PayLib.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "paylib/ResultCodes.h"
#include "paylib/bank/AccountCheckDigits.h"
#include "paylib/bank/AccountResolver.h"
#include "paylib/bank/BankTable.h"
#include "paylib/bank/iban/AccountDigits.h"
#include "paylib/sepa/SepaIdentifiers.h"

#include "tests/paylib/EmbeddedTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace result = paylib::result;
using paylibtest::PayLib;

struct Vector {
    std::string rule;
    std::string bankCode;
    std::string account;
    std::string iban;
    std::string bic;
    std::string outcome; // OK, NO_IBAN or INVALID_ACCOUNT
    std::string source;
    std::size_t line = 0;
};

std::vector<Vector> readVectors(const fs::path& file) {
    std::vector<Vector> vectors;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    std::size_t number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line.starts_with('#') || line.starts_with("rule\t"))
            continue;
        std::istringstream fields(line);
        Vector v;
        std::getline(fields, v.rule, '\t');
        std::getline(fields, v.bankCode, '\t');
        std::getline(fields, v.account, '\t');
        std::getline(fields, v.iban, '\t');
        std::getline(fields, v.bic, '\t');
        std::getline(fields, v.outcome, '\t');
        std::getline(fields, v.source, '\t');
        v.line = number;
        vectors.push_back(v);
    }
    return vectors;
}

std::int32_t expectedCode(const Vector& v) {
    if (v.outcome == "NO_IBAN")
        return result::kNoIbanAllowed;
    if (v.outcome == "INVALID_ACCOUNT")
        return result::kAccountRefused;
    return result::kOk;
}

// The account as entered fails the check-digit method our data names for its bank.
bool failsItsBanksMethod(const Vector& v) {
    const paylib::BankRecord* bank = paylibtest::embeddedTable().find(v.bankCode);
    return bank && paylib::AccountCheckDigits::shared().check(bank->checkMethod, v.bankCode,
                                                              paylib::iban::padded(v.account)) ==
                       paylib::CheckVerdict::Invalid;
}

// Where a source's expectation and ours differ only as two ways of refusing an account its
// bank's own method rejects, the row counts as agreed and is listed in the test's output:
// - ibandit's converter applies no check-digit methods, so its rows expect the plain IBAN
//   even for accounts (such as 1) that the bank's method rejects; we refuse them. The same
//   holds for a standard-rule row of any source: rule 0000 knows no exemptions, so a row
//   expecting the plain IBAN for such an account comes from a source that did not check;
// - a rule may exclude a range whose accounts also fail the method: "no IBAN" and "account
//   invalid" are both right, and the sources classify such rows differently.
std::string refusalDifference(const Vector& v, std::int32_t code) {
    if (!failsItsBanksMethod(v))
        return {};
    const bool plainIbanRefused =
        v.outcome == "OK" && code == result::kAccountRefused &&
        v.iban == paylib::SepaIdentifiers::germanIban(v.bankCode, paylib::iban::padded(v.account));
    if (plainIbanRefused && v.source.starts_with("ibandit"))
        return "ibandit applies no check-digit method; refused by the bank's method";
    if (plainIbanRefused && v.rule == "000000")
        return "standard rule, the source did not check; refused by the bank's method";
    if (v.outcome == "INVALID_ACCOUNT" && code == result::kNoIbanAllowed)
        return "excluded by the rule; the bank's method rejects it as well";
    return {};
}

std::vector<std::string>& differences() {
    static std::vector<std::string> listed;
    return listed;
}

// How many rows took each way of agreeing by refusal.
std::map<std::string, int>& differenceCounts() {
    static std::map<std::string, int> counts;
    return counts;
}

// Compares one answer with its row; OK rows accept any notice (the IBAN is what counts).
void expectRow(const Vector& v, std::int32_t code, const std::string& iban,
               const std::string& bic) {
    const std::string where = "line " + std::to_string(v.line) + ": rule " + v.rule + ", " +
                              v.bankCode + " / " + v.account;
    SCOPED_TRACE(where);
    const std::string difference = refusalDifference(v, code);
    if (!difference.empty()) {
        differences().push_back(where + " (" + v.outcome + " expected, " + std::to_string(code) +
                                "): " + difference);
        ++differenceCounts()[difference];
        return;
    }
    if (v.outcome == "OK") {
        EXPECT_GE(code, 0);
        EXPECT_EQ(iban, v.iban);
        if (!v.bic.empty()) {
            EXPECT_EQ(bic, v.bic);
        }
    } else {
        EXPECT_EQ(code, expectedCode(v));
    }
}

void printDifferences() {
    for (const std::string& line : differences())
        std::cout << "  " << line << "\n";
    for (const auto& [reason, count] : differenceCounts())
        std::cout << "  " << count << " rows: " << reason << "\n";
    differences().clear();
    differenceCounts().clear();
}

// The bank of a row as the rule sees it: our record with the row's rule, or, for a bank code
// no longer in the data, a record that carries only the rule (no BIC, no check method).
paylib::BankRecord bankOf(const Vector& v) {
    const paylib::BankRecord* known = paylibtest::embeddedTable().find(v.bankCode);
    paylib::BankRecord bank = known ? *known : paylib::BankRecord{};
    bank.bankCode = v.bankCode;
    bank.ibanRule = v.rule;
    return bank;
}

bool carriesItsRule(const Vector& v) {
    const paylib::BankRecord* known = paylibtest::embeddedTable().find(v.bankCode);
    return known && known->ibanRule == v.rule;
}

void printCounts(const std::vector<Vector>& vectors, const std::string& title) {
    std::map<std::string, std::pair<int, int>> counts; // rule -> rows, through the library
    for (const Vector& v : vectors) {
        ++counts[v.rule].first;
        if (carriesItsRule(v))
            ++counts[v.rule].second;
    }
    std::cout << title << ": " << vectors.size() << " rows\n";
    for (const auto& [rule, count] : counts)
        std::cout << "  rule " << rule << ": " << count.first << " rows, " << count.second
                  << " through Zalvotech_ConvertBLZKonto\n";
}

void checkEveryRowAgainstItsRule(const std::vector<Vector>& vectors) {
    ASSERT_FALSE(vectors.empty());
    const paylib::AccountResolver resolver(paylibtest::embeddedTable());
    for (const Vector& v : vectors) {
        const paylib::AccountResolver::Derivation d = resolver.deriveFor(bankOf(v), v.account);
        expectRow(v, d.code, d.iban, d.bic);
    }
    printDifferences();
}

void checkRowsThroughTheLibrary(const std::vector<Vector>& vectors) {
    const PayLib& lib = PayLib::get();
    lib.free();
    ASSERT_EQ(lib.initDefault(), result::kOk);
    int converted = 0;
    for (const Vector& v : vectors) {
        if (!carriesItsRule(v))
            continue;
        zalvo::Record record(zalvo::account::kSize);
        record.putText(zalvo::account::kBankCode, v.bankCode);
        record.putText(zalvo::account::kAccountNumber, v.account);
        const std::int32_t code = lib.convertBLZKonto(record.data());
        expectRow(v, code, record.text(zalvo::account::kIban), record.text(zalvo::account::kBic));
        ++converted;
    }
    printDifferences();
    EXPECT_GT(converted, 0);
    lib.free();
}

const fs::path kRepositoryCopy = ZALVO_IBAN_VECTORS;
const fs::path kSharedCopy = ZALVO_SHARED_IBAN_VECTORS;

TEST(IbanRuleVectors, EveryRowOfTheRepositoryCopyUnderItsRule) {
    const std::vector<Vector> vectors = readVectors(kRepositoryCopy);
    printCounts(vectors, kRepositoryCopy.string());
    checkEveryRowAgainstItsRule(vectors);
}

TEST(IbanRuleVectors, RowsOfTheRepositoryCopyThroughConvertBLZKonto) {
    checkRowsThroughTheLibrary(readVectors(kRepositoryCopy));
}

TEST(IbanRuleVectors, EveryRowOfTheSharedCopyUnderItsRule) {
    if (!fs::is_regular_file(kSharedCopy))
        GTEST_SKIP() << "IBAN rule vectors not found in " << kSharedCopy;
    const std::vector<Vector> vectors = readVectors(kSharedCopy);
    printCounts(vectors, kSharedCopy.string());
    checkEveryRowAgainstItsRule(vectors);
}

TEST(IbanRuleVectors, RowsOfTheSharedCopyThroughConvertBLZKonto) {
    if (!fs::is_regular_file(kSharedCopy))
        GTEST_SKIP() << "IBAN rule vectors not found in " << kSharedCopy;
    checkRowsThroughTheLibrary(readVectors(kSharedCopy));
}

} // namespace
