#include "platform/DynamicLibrary.h"

#include "platform/FileSystem.h"

#include <windows.h>

namespace platform {

namespace {

thread_local std::string t_lastError;

void rememberError() {
    const DWORD code = GetLastError();
    char* message = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&message), 0, nullptr);
    t_lastError =
        length > 0 ? std::string(message, length) : "Windows error " + std::to_string(code);
    LocalFree(message);
    while (!t_lastError.empty() && (t_lastError.back() == '\n' || t_lastError.back() == '\r'))
        t_lastError.pop_back();
}

void* load(const std::string& name) {
    void* module = reinterpret_cast<void*>(LoadLibraryA(name.c_str()));
    if (!module)
        rememberError();
    return module;
}

} // namespace

void* DynamicLibrary::open(std::string_view fileName) {
    t_lastError.clear();
    if (fileName.empty())
        return nullptr;
    const std::string name(fileName);
    // The system's own search may put the program's folder or the system folders before the
    // current directory; the file there is taken first, by absolute name, as on Linux.
    const std::string local = currentDirectory();
    if (!local.empty()) {
        const std::string path =
            local + (local.back() == '\\' || local.back() == '/' ? "" : "\\") + name;
        if (pathExists(path) && !isDirectory(path))
            return load(path);
    }
    return load(name);
}

void* DynamicLibrary::symbol(void* module, std::string_view name) {
    if (!module)
        return nullptr;
    const std::string symbolName(name);
    void* address =
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), symbolName.c_str()));
    if (!address)
        rememberError();
    return address;
}

std::string DynamicLibrary::lastError() {
    return t_lastError;
}

} // namespace platform
