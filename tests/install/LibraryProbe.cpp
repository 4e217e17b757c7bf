// Prints the file Zalvotech.dll is loaded from when searched exactly as the program's
// initialisation searches it. Installed beside the program (with the program's RUNPATH) by
// the install test only, it shows which library the installed program would load.
#include "binding/DLLAPI.h"
#include "platform/DynamicLibrary.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <link.h>

int main() {
    void* module = platform::DynamicLibrary::open(zalvo::DLLAPI::kLibraryFileName);
    link_map* map = nullptr;
    if (!module || dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name) {
        std::fprintf(stderr, "not found: %s\n", platform::DynamicLibrary::lastError().c_str());
        return EXIT_FAILURE;
    }
    std::puts(map->l_name);
    return EXIT_SUCCESS;
}
