#pragma once

#include "paylib/bank/CheckMethodLibrary.h"

namespace paylib {

// Knows only method 09 ("no check"): every other method is unknown, so its accounts are
// converted with notice 213 rather than refused, the path of a method no build can apply.
class NoCheckMethodLibrary final : public CheckMethodLibrary {
public:
    CheckVerdict check(std::string_view method, std::string_view bankCode,
                       std::string_view account10) const override;
    bool knows(std::string_view method) const override;
};

} // namespace paylib
