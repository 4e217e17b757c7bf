#include "paylib/bank/checkmethods/CheckMethod.h"
#include "paylib/bank/checkmethods/CheckMethodMath.h"

#include <array>

namespace paylib::checkmethods {
namespace {

constexpr std::array<int, 2> kWeights21 = {2, 1};

// Modulus 10, weights 2,1,2,1,... over positions 9..1, cross sums; check digit at 10.
bool method00(std::string_view /*bankCode*/, std::string_view account10) {
    return modulus10CheckDigit(weightedCrossSum(account10, 1, 9, kWeights21)) ==
           digit(account10, kAccountDigits);
}

} // namespace

std::span<const NamedCheckMethod> methods00To29() {
    static constexpr std::array<NamedCheckMethod, 1> kMethods = {{
        {"00", method00},
    }};
    return kMethods;
}

} // namespace paylib::checkmethods
