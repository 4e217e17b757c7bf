#include "binding/DLLAPI.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
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
    BindingState& s = state();
    if (s.moduleHandle == 0) {
        return;
    }
    s.moduleHandle = 0;

    // Each call whose slot is empty is reported instead of made; the success message
    // only follows when both calls could be made.
    bool complete = true;
    if (const auto setLogFile = entry<EntryPoint::SetLogFile>(owner)) {
        Record name(kPathBufferSize);
        name.putText(0, kMaxPathChars, s.logFileName);
        setLogFile(name.data(), kLogActionStop, kLogContentAll, kLogFlushNone);
    } else {
        complete = false;
    }
    if (const auto free = entry<EntryPoint::Free>(owner)) {
        free();
    } else {
        complete = false;
    }
    if (complete) {
        ResultReporter::report(owner, entryPointName(EntryPoint::Free), kResultOk);
    }
}

bool DLLAPI::isLoaded(OwnerWindow owner) {
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

void DLLAPI::forgetModule() {
    state().moduleHandle = 0;
}

void* DLLAPI::slot(EntryPoint entry) {
    return state().slots[slotIndex(entry)];
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
