#include "calllog/ReplayLibrary.h"

#include "platform/DynamicLibrary.h"

#include <cstring>

namespace zalvo::calllog {

namespace {

template <EntryPoint E> EntryPointFn<E> function(void* slot) {
    return reinterpret_cast<EntryPointFn<E>>(slot);
}

} // namespace

std::optional<ReplayLibrary> ReplayLibrary::load(std::string_view file) {
    void* module = platform::DynamicLibrary::open(file);
    if (!module) {
        return std::nullopt;
    }
    ReplayLibrary library;
    for (std::size_t slot = 0; slot < kEntryPointCount; ++slot) {
        library.m_slots[slot] = platform::DynamicLibrary::symbol(module, kEntryPointNames[slot]);
    }
    return library;
}

std::string ReplayLibrary::error() {
    return platform::DynamicLibrary::lastError();
}

std::optional<std::int32_t> ReplayLibrary::call(EntryPoint entry, std::span<std::string> buffers,
                                                std::span<const std::int32_t> integers) const {
    void* slot = m_slots[slotIndex(entry)];
    if (!slot) {
        return std::nullopt;
    }
    auto buffer = [&](std::size_t index) { return buffers[index].data(); };
    auto integer = [&](std::size_t index) { return integers[index]; };
    switch (entry) {
    case EntryPoint::Init:
        return function<EntryPoint::Init>(slot)(buffer(0), buffer(1), buffer(2), integer(0));
    case EntryPoint::Free:
        return function<EntryPoint::Free>(slot)();
    case EntryPoint::Version:
        return function<EntryPoint::Version>(slot)(buffer(0));
    case EntryPoint::Info:
        return function<EntryPoint::Info>(slot)(buffer(0));
    case EntryPoint::ConvertBLZKonto:
        return function<EntryPoint::ConvertBLZKonto>(slot)(buffer(0));
    case EntryPoint::CreateXML:
        return function<EntryPoint::CreateXML>(slot)(buffer(0));
    case EntryPoint::WriteXML:
        return function<EntryPoint::WriteXML>(slot)(buffer(0));
    case EntryPoint::CloseXML:
        return function<EntryPoint::CloseXML>(slot)(buffer(0));
    case EntryPoint::GetBIC:
        return function<EntryPoint::GetBIC>(slot)(buffer(0), buffer(1));
    case EntryPoint::ReadDTA:
        return function<EntryPoint::ReadDTA>(slot)(buffer(0), buffer(1));
    case EntryPoint::GetDTAInfo: {
        // The counter's bytes are copied through an aligned int32.
        std::int32_t counter = 0;
        std::memcpy(&counter, buffer(1), sizeof counter);
        const std::int32_t result = function<EntryPoint::GetDTAInfo>(slot)(buffer(0), &counter);
        std::memcpy(buffer(1), &counter, sizeof counter);
        return result;
    }
    case EntryPoint::PutDTAInfo:
        return function<EntryPoint::PutDTAInfo>(slot)(buffer(0));
    case EntryPoint::WriteDTAtoXML:
        return function<EntryPoint::WriteDTAtoXML>(slot)(buffer(0));
    case EntryPoint::GetDTAProtokoll:
        return function<EntryPoint::GetDTAProtokoll>(slot)(buffer(0), integer(0));
    case EntryPoint::FreeDTAVars:
        return function<EntryPoint::FreeDTAVars>(slot)();
    case EntryPoint::SetLogFile:
        return function<EntryPoint::SetLogFile>(slot)(buffer(0), integer(0), integer(1),
                                                      integer(2));
    }
    return std::nullopt;
}

} // namespace zalvo::calllog
