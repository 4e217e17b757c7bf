#pragma once

#include "abi/EntryPoints.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zalvo::calllog {

// A payment library loaded for replay, its entry points looked up by their exported names.
// Independent of the program's binding, so replay never disturbs it.
class ReplayLibrary {
public:
    // `file` as the program loads the library: a plain name is looked for in the current
    // directory first, then by the system loader; a path is loaded as it is. Nothing when it
    // cannot be loaded (see error()).
    static std::optional<ReplayLibrary> load(std::string_view file);
    // The loader's description of why the last load failed.
    static std::string error();

    bool has(EntryPoint entry) const { return m_slots[slotIndex(entry)] != nullptr; }
    // Calls the entry point with `buffers` (each argument that is a pointer, in order, with
    // its contract size) and `integers` (each integer argument, in order). Nothing when the
    // library lacks the entry point.
    std::optional<std::int32_t> call(EntryPoint entry, std::span<std::string> buffers,
                                     std::span<const std::int32_t> integers) const;

private:
    std::array<void*, kEntryPointCount> m_slots{};
};

} // namespace zalvo::calllog
