#pragma once

#include <span>
#include <string_view>

// The Bundesbank's account check-digit methods that the stand-in implements itself, for
// builds without a check-digit library (the Windows builds). Accounts are ten digits,
// positions 1..10 from the left, padded with leading zeros.
namespace paylib::checkmethods {

// True when the account passes the method. A few methods also depend on the bank code.
using CheckMethod = bool (*)(std::string_view bankCode, std::string_view account10);

struct NamedCheckMethod {
    std::string_view name;
    CheckMethod passes;
};

// One table per range of method names, each in the file of that name.
std::span<const NamedCheckMethod> methods00To29();
std::span<const NamedCheckMethod> methods30To59();
std::span<const NamedCheckMethod> methods60To99();
std::span<const NamedCheckMethod> methodsA0ToB9();
std::span<const NamedCheckMethod> methodsC0ToE9();

} // namespace paylib::checkmethods
