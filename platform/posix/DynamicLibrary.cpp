#include "platform/DynamicLibrary.h"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

thread_local std::string t_lastError;

void rememberError() {
    const char* message = dlerror();
    t_lastError = message ? message : "";
}

} // namespace

void* DynamicLibrary::open(std::string_view fileName) {
    t_lastError.clear();
    if (fileName.empty()) {
        return nullptr;
    }
    const std::string name(fileName);
    // A name without "/" would make dlopen skip the current directory, so that one is tried
    // first by absolute path.
    std::error_code error;
    const std::filesystem::path local = std::filesystem::current_path(error) / name;
    if (!error && std::filesystem::is_regular_file(local, error)) {
        if (void* module = dlopen(local.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            return module;
        }
        rememberError();
        return nullptr;
    }
    void* module = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        rememberError();
    }
    return module;
}

void* DynamicLibrary::symbol(void* module, std::string_view name) {
    if (!module) {
        return nullptr;
    }
    const std::string symbolName(name);
    dlerror();
    void* address = dlsym(module, symbolName.c_str());
    if (!address) {
        rememberError();
    }
    return address;
}

std::string DynamicLibrary::lastError() {
    return t_lastError;
}

} // namespace platform
