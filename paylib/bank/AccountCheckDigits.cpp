#include "paylib/bank/AccountCheckDigits.h"

#include "paylib/bank/iban/CheckDigitVariants.h"

#include <array>
#include <utility>

namespace paylib {
namespace {

using OwnMethod = bool (*)(std::string_view);

// Method 76 of libktoblzcheck accepts stems of fewer than five digits, which the method
// itself (and rule 0005, which depends on it) refuses.
constexpr std::array<std::pair<std::string_view, OwnMethod>, 1> kOwnMethods = {{
    {"76", iban::checkdigits::method76},
}};

} // namespace

AccountCheckDigits::AccountCheckDigits(std::unique_ptr<CheckMethodLibrary> library)
    : m_library(std::move(library)) {}

const AccountCheckDigits& AccountCheckDigits::shared() {
    static const AccountCheckDigits checker;
    return checker;
}

CheckVerdict AccountCheckDigits::check(std::string_view method, std::string_view bankCode,
                                       std::string_view account10) const {
    for (const auto& [name, own] : kOwnMethods) {
        if (name == method)
            return own(account10) ? CheckVerdict::Valid : CheckVerdict::Invalid;
    }
    return m_library->check(method, bankCode, account10);
}

} // namespace paylib
