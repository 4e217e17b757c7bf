#pragma once

#include "paylib/bank/CheckMethodLibrary.h"

namespace paylib {

// For a platform without a check-digit library: only method 09 ("no check") is known, every
// other method is unknown, so its accounts are converted with notice 213 rather than refused.
class NoCheckMethodLibrary final : public CheckMethodLibrary {
public:
    CheckVerdict check(std::string_view method, std::string_view bankCode,
                       std::string_view account10) const override;
    bool knows(std::string_view method) const override;
};

} // namespace paylib
