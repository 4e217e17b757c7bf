#include "binding/DLLAPI.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/LibraryCall.h"
#include "binding/ResultReporter.h"
#include "log/LogWriter.h"
#include "platform/DynamicLibrary.h"

#include <algorithm>
#include <array>

namespace zalvo {

namespace {

struct BindingState {
    std::uintptr_t moduleHandle = 0;
    std::array<void*, kEntryPointCount> slots{};
    std::string logFileName;
};

BindingState& state() {
    static BindingState s_state;
    return s_state;
}

} // namespace

int32_t DLLAPI::loadAndBind() {
    BindingState& s = state();
    if (s.moduleHandle >= kFirstLoadedHandle) {
        return kResultOk;
    }
    s.moduleHandle =
        reinterpret_cast<std::uintptr_t>(platform::DynamicLibrary::open(kLibraryFileName));
    if (s.moduleHandle < kFirstLoadedHandle) {
        return kLibraryNotLoadable;
    }
    // Every slot must belong to the module just loaded: an address left over from an
    // earlier module would be called on behalf of this one.
    s.slots.fill(nullptr);
    void* module = reinterpret_cast<void*>(s.moduleHandle);
    for (std::size_t i = 0; i < kEntryPointCount; ++i) {
        void* address = platform::DynamicLibrary::symbol(module, kEntryPointNames[i]);
        if (!address) {
            return kEntryPointMissing;
        }
        s.slots[i] = address;
    }
    return kResultOk;
}

void DLLAPI::release(OwnerWindow owner) {
    if (!forgetModule()) {
        return;
    }
    const Record name = logFileNameBuffer();
    // The stop's answer is not shown: without a log name it is expected to fail.
    static_cast<void>(LibraryCall::call<EntryPoint::SetLogFile>(
        owner, CallReport::SlotOnly, name.view(), kLogActionStop, kLogContentAll, kLogFlushNone));
    // Free's own answer: a library that could not clean up must not be shown as released.
    static_cast<void>(LibraryCall::call<EntryPoint::Free>(owner, CallReport::Always));
}

void DLLAPI::releaseAtWindowClose() {
    if (!forgetModule()) {
        return;
    }
    const Record name = logFileNameBuffer();
    // Nothing of this writer's was started, so this only runs its checks; the result does not
    // matter.
    static_cast<void>(LogWriter::process().SetLogFile(name.text(0, kPathBufferSize), kLogActionStop,
                                                      kLogContentAll, kLogFlushNone));
    static_cast<void>(LibraryCall::call<EntryPoint::Free>(nullptr, CallReport::Nothing));
}

Record DLLAPI::logFileNameBuffer() {
    Record name(kPathBufferSize);
    name.putText(0, kMaxPathChars, state().logFileName);
    return name;
}

bool DLLAPI::requireLoaded(OwnerWindow owner) {
    if (loaded()) {
        return true;
    }
    ResultReporter::report(owner, {}, kLibraryNotLoaded);
    return false;
}

bool DLLAPI::loaded() {
    return state().moduleHandle >= kFirstLoadedHandle;
}

std::uintptr_t DLLAPI::moduleHandle() {
    return state().moduleHandle;
}

bool DLLAPI::forgetModule() {
    BindingState& s = state();
    if (s.moduleHandle == 0) {
        return false;
    }
    s.moduleHandle = 0;
    return true;
}

void* DLLAPI::slot(EntryPoint entry) {
    return state().slots[slotIndex(entry)];
}

std::optional<EntryPoint> DLLAPI::firstEmptySlot() {
    const auto& slots = state().slots;
    const auto empty = std::find(slots.begin(), slots.end(), nullptr);
    if (empty == slots.end()) {
        return std::nullopt;
    }
    return static_cast<EntryPoint>(empty - slots.begin());
}

void DLLAPI::setLogFileName(std::string_view name) {
    state().logFileName.assign(name.substr(0, std::min(name.size(), kMaxLogFileNameChars)));
}

const std::string& DLLAPI::logFileName() {
    return state().logFileName;
}

void DLLAPI::reset() {
    state() = BindingState{};
}

} // namespace zalvo
