// The stand-in's own check-digit methods, which the Windows builds check with, against Debian's
// libktoblzcheck, which the Linux builds use: each of ours must give the library's verdict.
#include "paylib/bank/KtoBlzCheckLibrary.h"
#include "paylib/bank/OwnCheckMethodLibrary.h"
#include "paylib/bank/checkmethods/CheckMethod.h"
#include "paylib/bank/checkmethods/CheckMethodMath.h"

#include "tests/paylib/EmbeddedTable.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace {

using paylib::CheckVerdict;
namespace cm = paylib::checkmethods;

constexpr std::size_t kStems = 60;
constexpr std::size_t kDigits = paylib::checkmethods::kAccountDigits;
constexpr std::size_t kMismatchesShown = 5;

// Pseudo-random accounts of every length, and each of them with every position set to every
// digit, so that for any check-digit position some variants pass.
std::vector<std::string> accountsToTry() {
    std::mt19937_64 random(20261209);
    std::vector<std::string> accounts;
    for (std::size_t i = 0; i < kStems; ++i) {
        const std::size_t length = 1 + random() % kDigits;
        std::string stem(kDigits, '0');
        for (std::size_t p = kDigits - length; p < kDigits; ++p)
            stem[p] = static_cast<char>('0' + random() % 10);
        for (std::size_t p = 0; p < kDigits; ++p) {
            for (char d = '0'; d <= '9'; ++d) {
                std::string account = stem;
                account[p] = d;
                accounts.push_back(account);
            }
        }
    }
    return accounts;
}

// A bank that names the method, for the methods whose verdict depends on the bank code.
std::string bankCodeWith(std::string_view method) {
    for (const paylib::BankRecord& bank : paylibtest::embeddedTable().records()) {
        if (bank.checkMethod == method)
            return bank.bankCode;
    }
    return "10000000";
}

TEST(OwnCheckMethods, GiveTheLibrarysVerdictOnEveryAccountTried) {
    const paylib::KtoBlzCheckLibrary library;
    const paylib::OwnCheckMethodLibrary own;
    const std::vector<std::string> accounts = accountsToTry();
    const std::array tables = {cm::methods00To29(), cm::methods30To59(), cm::methods60To99(),
                               cm::methodsA0ToB9(), cm::methodsC0ToE9()};
    for (const auto& table : tables) {
        for (const cm::NamedCheckMethod& method : table) {
            const std::string bankCode = bankCodeWith(method.name);
            std::vector<std::string> mismatches;
            std::size_t valid = 0;
            for (const std::string& account : accounts) {
                const CheckVerdict expected = library.check(method.name, bankCode, account);
                valid += expected == CheckVerdict::Valid ? 1 : 0;
                if (own.check(method.name, bankCode, account) != expected &&
                    mismatches.size() < kMismatchesShown)
                    mismatches.push_back(account);
            }
            EXPECT_TRUE(mismatches.empty())
                << "method " << method.name << " (bank " << bankCode
                << ") differs for: " << testing::PrintToString(mismatches);
            EXPECT_GT(valid, 0u) << "method " << method.name << ": no account passed";
        }
    }
}

} // namespace
