#pragma once

#include "paylib/bank/CheckMethodLibrary.h"

namespace paylib {

// The check-digit methods the stand-in implements itself (checkmethods/), for builds that
// cannot link a check-digit library. A method it lacks answers MethodUnknown, so such an
// account is converted unchecked, as before any method was ours.
class OwnCheckMethodLibrary final : public CheckMethodLibrary {
public:
    CheckVerdict check(std::string_view method, std::string_view bankCode,
                       std::string_view account10) const override;
    bool knows(std::string_view method) const override;
};

} // namespace paylib
