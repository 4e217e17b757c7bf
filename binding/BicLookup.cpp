#include "binding/BicLookup.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "binding/ResultReporter.h"

namespace zalvo {

namespace {

constexpr std::size_t kBankCodeMaxChars = kBankCodeBufferSize - 1;
constexpr std::size_t kBicMaxChars = kBicBufferSize - 1;

} // namespace

BicLookup::Outcome BicLookup::lookup(OwnerWindow owner, std::string_view bankCode) {
    const auto getBIC = DLLAPI::entry<EntryPoint::GetBIC>(owner);
    if (!getBIC) {
        return {kEntryPointMissing, std::nullopt};
    }
    Record bankCodeBuffer(kBankCodeBufferSize);
    bankCodeBuffer.putText(0, kBankCodeMaxChars, bankCode);
    Record bicBuffer(kBicBufferSize);

    const int32_t result = getBIC(bankCodeBuffer.data(), bicBuffer.data());
    ResultReporter::report(owner, entryPointName(EntryPoint::GetBIC), result);
    if (result != kResultOk) {
        return {result, std::nullopt};
    }
    // Read up to the buffer's end even when the library left the BIC unterminated.
    std::string bic = bicBuffer.text(0, kBicBufferSize);
    if (bic.size() > kBicMaxChars) {
        bic.resize(kBicMaxChars);
    }
    return {result, std::move(bic)};
}

} // namespace zalvo
