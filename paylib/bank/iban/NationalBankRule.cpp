#include "paylib/bank/iban/NationalBankRule.h"

namespace paylib::iban {
namespace {

constexpr std::string_view kTargetBank = "36020030";
constexpr std::string_view kBic = "NBAGDE3EXXX";
constexpr int kFirstVersionWithLengths = 1;
constexpr int kShortestAccount = 6;
constexpr int kMissingLength = 8;

} // namespace

RuleResult NationalBankRule::apply(const RuleRequest& request) const {
    const int length = request.length();
    if (request.version >= kFirstVersionWithLengths &&
        (length < kShortestAccount || length == kMissingLength))
        return RuleResult::invalidAccount();
    return RuleResult::standard(request.account).withBankCode(kTargetBank).withBic(kBic);
}

} // namespace paylib::iban
