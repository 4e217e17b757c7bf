#include "paylib/bank/iban/DeutscheBankRule.h"

#include "paylib/bank/CheckMethodLibrary.h"
#include "paylib/bank/iban/AccountDigits.h"
#include "paylib/bank/iban/CheckDigitVariants.h"

namespace paylib::iban {
namespace {

constexpr std::string_view kBerlinerBank = "10020000";
constexpr std::string_view kDonationBank = "50070010";
constexpr std::string_view kDonationAccount = "0000009999";
constexpr std::string_view kDonationBooking = "0092777202";
constexpr std::string_view kMethod63 = "63";
constexpr std::string_view kNorisbankMethod = "C7";
constexpr int kFirstLengthByLength = 2; // version that introduced the length-based steps

RuleResult derivedIfValid(std::string_view account10) {
    return checkdigits::method63Plain(account10) ? RuleResult::standard(account10).asChecked()
                                                 : RuleResult::invalidAccount();
}

// The account with its last zero dropped (a customer's number with one zero too many).
std::string withoutLastZero(std::string_view account10) {
    std::string shifted(1, '0');
    shifted += account10.substr(0, kAccountDigits - 1);
    return shifted;
}

} // namespace

RuleResult DeutscheBankRule::apply(const RuleRequest& request) const {
    const std::string_view bankCode = request.bankCode();
    if (bankCode == kBerlinerBank)
        return RuleResult::noIban();
    if (bankCode == kDonationBank && request.account == kDonationAccount)
        return RuleResult::standard(kDonationBooking).asChecked();
    const std::string_view method = request.methodOr(kMethod63);
    if (method == kNoCheckMethod)
        return RuleResult::standard(request.account).asChecked();
    if (method == kNorisbankMethod && !checkdigits::method63Plain(request.account) &&
        !checkdigits::method63Exception(request.account)) {
        // A valid number of the bank's second variant exists but must not be converted.
        return checkdigits::method06(request.account) ? RuleResult::noIban()
                                                      : RuleResult::invalidAccount();
    }
    if (method != kMethod63 && method != kNorisbankMethod)
        return RuleResult::standard(request.account);
    return request.version >= kFirstLengthByLength ? byLength(request) : byRepairSteps(request);
}

RuleResult DeutscheBankRule::byLength(const RuleRequest& request) {
    const std::string extended = checkdigits::withSubAccount(request.account);
    switch (request.length()) {
    case 5:
    case 6:
        return derivedIfValid(extended);
    case 7:
        // Both forms may pass; the extended one wins.
        if (checkdigits::method63Plain(extended))
            return RuleResult::standard(extended).asChecked();
        return derivedIfValid(request.account);
    case 8:
    case 9:
        return derivedIfValid(request.account);
    default: // 1 to 4 digits, or 10 with a non-zero first position
        return RuleResult::invalidAccount();
    }
}

RuleResult DeutscheBankRule::byRepairSteps(const RuleRequest& request) {
    const std::string_view account = request.account;
    if (checkdigits::method63Plain(account))
        return RuleResult::standard(account).asChecked();
    if (account.starts_with("000")) {
        const std::string extended = checkdigits::withSubAccount(account);
        if (checkdigits::method63Plain(extended))
            return RuleResult::standard(extended).asChecked();
    }
    if (account.front() != '0' && account.ends_with("000"))
        return derivedIfValid(withoutLastZero(account));
    return RuleResult::invalidAccount();
}

} // namespace paylib::iban
