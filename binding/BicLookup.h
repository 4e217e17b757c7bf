#pragma once

#include "binding/OwnerWindow.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zalvo {

// One GetBIC call with its 9-byte bank-code and 12-byte BIC buffers.
class BicLookup {
public:
    struct Outcome {
        int32_t result;
        // Only for a result of exactly 0: the BIC, read at most up to the buffer's end and cut
        // to 11 characters.
        std::optional<std::string> bic;
    };

    // Passes the bank code (at most 8 characters) to GetBIC and reports the result under that
    // name.
    static Outcome lookup(OwnerWindow owner, std::string_view bankCode);
};

} // namespace zalvo
