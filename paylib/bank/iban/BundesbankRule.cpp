#include "paylib/bank/iban/BundesbankRule.h"

#include "paylib/bank/iban/AccountDigits.h"

namespace paylib::iban {
namespace {

// Positions below count in the number itself (8 or 10 digits), not in the padded account.
constexpr std::size_t kEightDigits = 8;
constexpr std::size_t kTenDigits = 10;
constexpr int kFirstVersionWithTenDigits = 1;

struct NumberRange {
    std::string_view first;
    std::string_view last;
};
constexpr NumberRange kAdmittedEightDigitRanges[] = {{"50462000", "50463999"},
                                                     {"50469000", "50469999"}};

} // namespace

bool BundesbankRule::admitsEightDigits(std::string_view number) {
    if (number.substr(3, 2) == "00")
        return false;
    if (number[3] == '0')
        return true;
    for (const NumberRange& range : kAdmittedEightDigitRanges) {
        if (number >= range.first && number <= range.last)
            return true;
    }
    return false;
}

bool BundesbankRule::admitsTenDigits(std::string_view number) {
    return number.substr(3, 2) == "44" && number.substr(5) != "00000";
}

RuleResult BundesbankRule::apply(const RuleRequest& request) const {
    const std::string_view number = significantDigits(request.account);
    const bool admitted =
        (number.size() == kEightDigits && admitsEightDigits(number)) ||
        (number.size() == kTenDigits && request.version >= kFirstVersionWithTenDigits &&
         admitsTenDigits(number));
    return admitted ? RuleResult::standard(request.account) : RuleResult::noIban();
}

} // namespace paylib::iban
