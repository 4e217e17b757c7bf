#include "paylib/bank/OwnCheckMethodLibrary.h"

#include "paylib/bank/checkmethods/CheckMethod.h"

#include <array>

namespace paylib {
namespace {

using checkmethods::NamedCheckMethod;

const NamedCheckMethod* find(std::string_view method) {
    using Table = std::span<const NamedCheckMethod> (*)();
    static constexpr std::array<Table, 5> kTables = {
        checkmethods::methods00To29, checkmethods::methods30To59, checkmethods::methods60To99,
        checkmethods::methodsA0ToB9, checkmethods::methodsC0ToE9};
    for (const Table table : kTables) {
        for (const NamedCheckMethod& named : table()) {
            if (named.name == method)
                return &named;
        }
    }
    return nullptr;
}

} // namespace

bool OwnCheckMethodLibrary::knows(std::string_view method) const {
    return method == kNoCheckMethod || find(method) != nullptr;
}

CheckVerdict OwnCheckMethodLibrary::check(std::string_view method, std::string_view bankCode,
                                          std::string_view account10) const {
    if (method == kNoCheckMethod)
        return CheckVerdict::Valid;
    const NamedCheckMethod* named = find(method);
    if (named == nullptr)
        return CheckVerdict::MethodUnknown;
    return named->passes(bankCode, account10) ? CheckVerdict::Valid : CheckVerdict::Invalid;
}

} // namespace paylib
