#pragma once

#include <string>
#include <string_view>

namespace paylib {
class AccountCheckDigits;
struct BankRecord;
} // namespace paylib

namespace paylib::iban {

enum class RuleOutcome {
    Derived,        // an IBAN is formed from the result's bank code and account
    NoIban,         // the rule forbids an IBAN for this bank code and account
    InvalidAccount, // the account fails the check the rule requires
};

struct RuleResult;

// What a rule is asked: the bank's record as entered, the account padded to ten digits, and
// the version of the rule the bank carries.
struct RuleRequest {
    const BankRecord& bank;
    std::string_view account; // ten digits
    int version = 0;
    const AccountCheckDigits& checker;

    std::string_view bankCode() const;
    // Digit at position 1..10 of the padded account.
    char digit(int position) const { return account[static_cast<std::size_t>(position - 1)]; }
    // Number of digits without leading zeros.
    int length() const;
    // The bank's own check method; `namedMethod` (the one the rule text names for its banks)
    // stands in when the record carries none.
    std::string_view methodOr(std::string_view namedMethod) const;
    // The account as entered, judged by that method: refused, or derived and checked. When
    // the method is unknown, the result leaves the check to the final step, which reports it.
    RuleResult judge(std::string_view namedMethod) const;
};

// What a rule decides. Unless `checked` is set, the account that enters the IBAN is then
// tested with `checkMethod`, or the method of the bank code that enters the IBAN.
struct RuleResult {
    RuleOutcome outcome = RuleOutcome::Derived;
    std::string account;     // ten digits
    std::string bankCode;    // chosen by the rule; empty: as entered (its successor may apply)
    std::string bic;         // prescribed by the rule; empty: that of the final bank code
    std::string checkMethod; // prescribed method of the final check
    bool checked = false;    // the rule has judged the check digits itself, or waives them

    static RuleResult standard(std::string_view account10);
    static RuleResult noIban();
    static RuleResult invalidAccount();

    RuleResult& withBankCode(std::string_view code);
    RuleResult& withBic(std::string_view prescribed);
    RuleResult& withCheckMethod(std::string_view method);
    RuleResult& asChecked();
};

// One bank-specific IBAN rule of the Bundesbank ("IBAN-Regel"), in all its versions.
class IbanRule {
public:
    virtual ~IbanRule() = default;
    virtual RuleResult apply(const RuleRequest& request) const = 0;
};

} // namespace paylib::iban
