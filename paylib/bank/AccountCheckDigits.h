#pragma once

#include "paylib/bank/CheckMethodLibrary.h"

#include <memory>
#include <string_view>

namespace paylib {

// Checks an account number against the check-digit method our bank table names for its bank.
// Methods the IBAN rules define more strictly than the library implements them are ours
// (76: account type and stem length); every other method is asked of the check-digit
// library, the build's own unless another one is given.
class AccountCheckDigits {
public:
    explicit AccountCheckDigits(
        std::unique_ptr<CheckMethodLibrary> library = CheckMethodLibrary::forThisBuild());

    // The process-wide instance (the library's method tables are built once).
    static const AccountCheckDigits& shared();

    // `account10` ten digits. An empty or unknown method gives MethodUnknown.
    CheckVerdict check(std::string_view method, std::string_view bankCode,
                       std::string_view account10) const;

private:
    std::unique_ptr<CheckMethodLibrary> m_library;
};

} // namespace paylib
