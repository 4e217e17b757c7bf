#include "binding/LibraryCall.h"

#include "binding/ResultReporter.h"

namespace zalvo {

void LibraryCall::reportEmptySlot(OwnerWindow owner, EntryPoint entry, CallReport report) {
    if (report != CallReport::Nothing) {
        ResultReporter::reportMissingEntryPoint(owner, entryPointName(entry));
    }
}

void LibraryCall::reportResult(OwnerWindow owner, EntryPoint entry, CallReport report,
                               std::int32_t result) {
    const bool shown =
        report == CallReport::Always || (report == CallReport::UnlessOk && result != kResultOk);
    if (shown) {
        ResultReporter::report(owner, entryPointName(entry), result);
    }
}

} // namespace zalvo
