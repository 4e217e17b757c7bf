#include "paylib/bank/iban/DzBankRule.h"

#include "paylib/bank/iban/AccountDigits.h"
#include "paylib/bank/iban/AccountSubstitutionRule.h"

namespace paylib::iban {
namespace {

// Version 00 only: the later version has no table.
constexpr AccountSubstitution kDonationsVersion00[] = {
    {"36", "2310113"},
    {"936", "2310113"},
    {"999", "1310113"},
    {"6060", "160602"},
};
constexpr int kLastVersionWithTable = 0;
constexpr int kRotationMarkPosition = 5;
constexpr char kRotationMark = '9';
constexpr std::size_t kRotatedPart = 4;
constexpr std::string_view kNamedMethod = "44";

} // namespace

RuleResult DzBankRule::apply(const RuleRequest& request) const {
    if (request.version <= kLastVersionWithTable) {
        const std::string_view real =
            AccountSubstitutionRule::lookup(kDonationsVersion00, request.account, request.version);
        if (!real.empty())
            return RuleResult::standard(padded(real));
    }
    if (request.digit(kRotationMarkPosition) == kRotationMark) {
        // The rotated number carries no check digit of its own.
        return RuleResult::standard(std::string(request.account.substr(kRotatedPart)) +
                                    std::string(request.account.substr(0, kRotatedPart)))
            .asChecked();
    }
    return RuleResult::standard(request.account).withCheckMethod(request.methodOr(kNamedMethod));
}

} // namespace paylib::iban
