#include "binding/BicLookup.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/LibraryCall.h"

#include <utility>

namespace zalvo {

namespace {

constexpr std::size_t kBankCodeMaxChars = kBankCodeBufferSize - 1;
constexpr std::size_t kBicMaxChars = kBicBufferSize - 1;

} // namespace

BicLookup::Outcome BicLookup::lookup(OwnerWindow owner, std::string_view bankCode) {
    Record bankCodeBuffer(kBankCodeBufferSize);
    bankCodeBuffer.putText(0, kBankCodeMaxChars, bankCode);
    Record bicBuffer(kBicBufferSize);

    const auto result = LibraryCall::call<EntryPoint::GetBIC>(
        owner, CallReport::Always, std::as_const(bankCodeBuffer).view(), bicBuffer.view());
    if (!result) {
        return {kEntryPointMissing, std::nullopt};
    }
    if (*result != kResultOk) {
        return {*result, std::nullopt};
    }
    // Read up to the buffer's end even when the library left the BIC unterminated.
    std::string bic = bicBuffer.text(0, kBicBufferSize);
    if (bic.size() > kBicMaxChars) {
        bic.resize(kBicMaxChars);
    }
    return {*result, std::move(bic)};
}

} // namespace zalvo
