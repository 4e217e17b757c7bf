#include "paylib/bank/NoCheckMethodLibrary.h"

namespace paylib {
namespace {

// The Bundesbank's method for banks that do not check account numbers.
constexpr std::string_view kNoCheck = "09";

} // namespace

CheckVerdict NoCheckMethodLibrary::check(std::string_view method, std::string_view /*bankCode*/,
                                         std::string_view /*account10*/) const {
    return knows(method) ? CheckVerdict::Valid : CheckVerdict::MethodUnknown;
}

bool NoCheckMethodLibrary::knows(std::string_view method) const {
    return method == kNoCheck;
}

} // namespace paylib
