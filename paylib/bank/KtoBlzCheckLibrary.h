#pragma once

#include "paylib/bank/CheckMethodLibrary.h"

class AccountNumberCheck;

namespace paylib {

// The check-digit methods of Debian's libktoblzcheck. The library's own (outdated) bank list
// is never loaded. The only class that knows the library.
class KtoBlzCheckLibrary final : public CheckMethodLibrary {
public:
    KtoBlzCheckLibrary();
    ~KtoBlzCheckLibrary() override;
    KtoBlzCheckLibrary(const KtoBlzCheckLibrary&) = delete;
    KtoBlzCheckLibrary& operator=(const KtoBlzCheckLibrary&) = delete;

    CheckVerdict check(std::string_view method, std::string_view bankCode,
                       std::string_view account10) const override;
    // The library prints to stderr for a method it lacks, so it is never asked for one.
    bool knows(std::string_view method) const override;

private:
    std::unique_ptr<AccountNumberCheck> m_check;
};

} // namespace paylib
