#pragma once

#include <string>
#include <string_view>

namespace platform {

// Run-time loading of a shared library by file name. Modules are never unloaded: the payment
// library stays mapped for the life of the process, so there is no close operation.
class DynamicLibrary {
public:
    // Loads `fileName` (a plain name without directory): the file of that name in the current
    // directory if it exists there, otherwise whatever the system loader finds under the
    // plain name. Returns the module handle, or nullptr when nothing could be loaded.
    static void* open(std::string_view fileName);

    // Address of an exported symbol, or nullptr when the module has none of that name.
    static void* symbol(void* module, std::string_view name);

    // The loader's description of the latest failure of this thread, empty if none.
    static std::string lastError();
};

} // namespace platform
