#include "paylib/bank/NoCheckMethodLibrary.h"

namespace paylib {

CheckVerdict NoCheckMethodLibrary::check(std::string_view method, std::string_view /*bankCode*/,
                                         std::string_view /*account10*/) const {
    return knows(method) ? CheckVerdict::Valid : CheckVerdict::MethodUnknown;
}

bool NoCheckMethodLibrary::knows(std::string_view method) const {
    return method == kNoCheckMethod;
}

} // namespace paylib
