#pragma once

#include <memory>
#include <string_view>

class AccountNumberCheck;

namespace paylib {

enum class CheckVerdict { Valid, Invalid, MethodUnknown };

// The Bundesbank account check-digit methods of Debian's libktoblzcheck, asked by method name.
// The method always comes from our own bank table; the library's own bank list is never
// loaded. This is the one class that knows the library, so a platform without it can put
// another implementation of the same header in its place.
class CheckMethodLibrary {
public:
    CheckMethodLibrary();
    ~CheckMethodLibrary();
    CheckMethodLibrary(const CheckMethodLibrary&) = delete;
    CheckMethodLibrary& operator=(const CheckMethodLibrary&) = delete;

    // `method` is the two-character method of the bank code file, `account10` ten digits.
    // Some methods also depend on the bank code.
    CheckVerdict check(std::string_view method, std::string_view bankCode,
                       std::string_view account10) const;

    // Whether the library implements a method (it prints to stderr for one it does not).
    static bool knows(std::string_view method);

private:
    std::unique_ptr<AccountNumberCheck> m_check;
};

} // namespace paylib
