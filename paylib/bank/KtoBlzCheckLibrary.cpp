#include "paylib/bank/KtoBlzCheckLibrary.h"

#include <ktoblzcheck.h>

#include <string>

namespace paylib {
namespace {

// An empty list: the constructor must not read the library's own (outdated) bank data.
constexpr const char* kNoBankData = "/dev/null";
// libktoblzcheck 1.53 implements 00-99, A0-D9 and E0-E3.
constexpr char kLastLetter = 'E';
constexpr char kLastDigitOfLastLetter = '3';

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

KtoBlzCheckLibrary::KtoBlzCheckLibrary()
    : m_check(std::make_unique<AccountNumberCheck>(kNoBankData)) {}

KtoBlzCheckLibrary::~KtoBlzCheckLibrary() = default;

bool KtoBlzCheckLibrary::knows(std::string_view method) const {
    if (method.size() != 2 || !isDigit(method[1]))
        return false;
    const char first = method[0];
    if (isDigit(first) || (first >= 'A' && first < kLastLetter))
        return true;
    return first == kLastLetter && method[1] <= kLastDigitOfLastLetter;
}

CheckVerdict KtoBlzCheckLibrary::check(std::string_view method, std::string_view bankCode,
                                       std::string_view account10) const {
    if (!knows(method))
        return CheckVerdict::MethodUnknown;
    switch (m_check->check(std::string(bankCode), std::string(account10), std::string(method))) {
    case AccountNumberCheck::OK:
        return CheckVerdict::Valid;
    case AccountNumberCheck::ERROR:
        return CheckVerdict::Invalid;
    default:
        return CheckVerdict::MethodUnknown;
    }
}

} // namespace paylib
