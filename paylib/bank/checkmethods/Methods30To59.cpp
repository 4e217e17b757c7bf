#include "paylib/bank/checkmethods/CheckMethod.h"
#include "paylib/bank/checkmethods/CheckMethodMath.h"

#include <array>

namespace paylib::checkmethods {
namespace {

} // namespace

std::span<const NamedCheckMethod> methods30To59() {
    static constexpr std::array<NamedCheckMethod, 0> kMethods = {};
    return kMethods;
}

} // namespace paylib::checkmethods
