#pragma once

#include <memory>
#include <string_view>

namespace paylib {

enum class CheckVerdict { Valid, Invalid, MethodUnknown };

// The Bundesbank's method for banks that do not check their account numbers.
inline constexpr std::string_view kNoCheckMethod = "09";

// The Bundesbank's account check-digit methods, asked by method name. The method always
// comes from our own bank table. The seam to a check-digit library: each platform's build
// picks the implementation it can link (paylib/CMakeLists.txt), and tests may plug in
// another one.
class CheckMethodLibrary {
public:
    virtual ~CheckMethodLibrary() = default;

    // `method` is the two-character method of the bank code file, `account10` ten digits.
    // Some methods also depend on the bank code.
    virtual CheckVerdict check(std::string_view method, std::string_view bankCode,
                               std::string_view account10) const = 0;
    // Whether the implementation has a method; check() answers MethodUnknown for the others.
    virtual bool knows(std::string_view method) const = 0;

    // The implementation this build was made with.
    static std::unique_ptr<CheckMethodLibrary> forThisBuild();
};

} // namespace paylib
