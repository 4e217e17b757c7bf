#include "binding/LibraryInit.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "binding/LibraryCall.h"
#include "binding/ResultReporter.h"
#include "helpers/TextHelpers.h"

namespace zalvo {

namespace {

// A zero-terminated 256-byte buffer holding one argument text.
Record pathBuffer(std::string_view text) {
    Record buffer(kPathBufferSize);
    buffer.putText(0, kMaxPathChars, text);
    return buffer;
}

} // namespace

std::string LibraryInit::argument(std::string_view fieldText) {
    std::string text = TrimText(fieldText);
    if (text.size() > kMaxPathChars) {
        text.resize(kMaxPathChars);
    }
    return text;
}

bool LibraryInit::load(OwnerWindow owner) {
    const int32_t result = DLLAPI::loadAndBind();
    if (result == kResultOk) {
        return true;
    }
    // Binding stops at the first name the library lacks, so that slot is the empty one first.
    const auto missing =
        result == kEntryPointMissing ? DLLAPI::firstEmptySlot() : std::optional<EntryPoint>();
    if (missing) {
        ResultReporter::reportMissingEntryPoint(owner, entryPointName(*missing));
    } else {
        ResultReporter::report(owner, entryPointName(EntryPoint::Init), result);
    }
    return false;
}

bool LibraryInit::startLog(OwnerWindow owner, std::string_view logFieldText) {
    DLLAPI::setLogFileName(argument(logFieldText));
    const std::string& name = DLLAPI::logFileName();
    if (name.empty()) {
        return true;
    }
    const Record buffer = pathBuffer(name);
    const auto result = LibraryCall::call<EntryPoint::SetLogFile>(owner, CallReport::UnlessOk,
                                                                  buffer.view(), kLogActionCreate,
                                                                  kLogContentAll, kLogFlushAlways);
    return result == kResultOk;
}

bool LibraryInit::initialise(OwnerWindow owner, std::string_view dataFieldText,
                             std::string_view tempFieldText, std::string_view userFieldText) {
    const Record dataPath = pathBuffer(argument(dataFieldText));
    const Record tempPath = pathBuffer(argument(tempFieldText));
    const Record userPath = pathBuffer(argument(userFieldText));
    constexpr int32_t kReserved = 0;
    const auto result = LibraryCall::call<EntryPoint::Init>(
        owner, CallReport::Always, dataPath.view(), tempPath.view(), userPath.view(), kReserved);
    return result.has_value();
}

} // namespace zalvo
