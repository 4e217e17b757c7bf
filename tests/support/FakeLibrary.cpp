#include "tests/support/FakeLibrary.h"

#include "binding/DLLAPI.h"

#include <dlfcn.h>
#include <stdexcept>

namespace testsupport {

namespace {

const char* variantFolder(FakeVariant variant) {
    switch (variant) {
    case FakeVariant::Full:
        return "full";
    case FakeVariant::NoProtokoll:
        return "no-protokoll";
    case FakeVariant::NoSetLogFile:
        return "no-setlogfile";
    case FakeVariant::NoFree:
        return "no-free";
    case FakeVariant::None:
        return "none";
    }
    return "full";
}

std::string nameOf(zalvo::EntryPoint entry) {
    return std::string(zalvo::entryPointName(entry));
}

} // namespace

std::filesystem::path FakeLibrary::variantPath(FakeVariant variant) {
    return std::filesystem::path(ZALVO_FAKE_ROOT) / variantFolder(variant) /
           std::string(zalvo::DLLAPI::kLibraryFileName);
}

FakeLibrary::FakeLibrary(FakeVariant variant) {
    // A copy, not a link: every test gets a module of its own with empty records.
    std::filesystem::copy_file(variantPath(variant), libraryPath());
    m_module = dlopen(libraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_module) {
        throw std::runtime_error(std::string("cannot load the fake library: ") + dlerror());
    }
    zalvo::DLLAPI::reset();
}

FakeLibrary::~FakeLibrary() {
    zalvo::DLLAPI::reset();
    dlclose(m_module);
}

std::filesystem::path FakeLibrary::libraryPath() const {
    return directory() / std::string(zalvo::DLLAPI::kLibraryFileName);
}

void* FakeLibrary::address(zalvo::EntryPoint entry) const {
    return dlsym(m_module, nameOf(entry).c_str());
}

template <typename F> F FakeLibrary::control(const char* name) const {
    void* function = dlsym(m_module, name);
    if (!function) {
        throw std::runtime_error(std::string("fake library lacks ") + name);
    }
    return reinterpret_cast<F>(function);
}

void FakeLibrary::script(zalvo::EntryPoint entry, int32_t result) {
    control<void (*)(const char*, int32_t)>("Fake_Script")(nameOf(entry).c_str(), result);
}

void FakeLibrary::scriptWrite(zalvo::EntryPoint entry, int buffer, std::size_t offset,
                              std::string_view bytes) {
    control<void (*)(const char*, int32_t, int32_t, const char*, int32_t)>("Fake_ScriptWrite")(
        nameOf(entry).c_str(), buffer, static_cast<int32_t>(offset), bytes.data(),
        static_cast<int32_t>(bytes.size()));
}

void FakeLibrary::scriptText(zalvo::EntryPoint entry, int buffer, zalvo::Field field,
                             std::string_view text) {
    std::string terminated(text.substr(0, field.maxChars()));
    terminated.push_back('\0');
    scriptWrite(entry, buffer, field.offset, terminated);
}

void FakeLibrary::setDefault(zalvo::EntryPoint entry, int32_t result) {
    control<void (*)(const char*, int32_t)>("Fake_SetDefault")(nameOf(entry).c_str(), result);
}

std::vector<FakeCall> FakeLibrary::calls() const {
    const auto count = control<int32_t (*)()>("Fake_CallCount")();
    const auto name = control<const char* (*)(int32_t)>("Fake_CallName");
    const auto bufferCount = control<int32_t (*)(int32_t)>("Fake_CallBufferCount");
    const auto buffer = control<int32_t (*)(int32_t, int32_t, const char**)>("Fake_CallBuffer");
    const auto intCount = control<int32_t (*)(int32_t)>("Fake_CallIntCount");
    const auto integer = control<int64_t (*)(int32_t, int32_t)>("Fake_CallInt");

    std::vector<FakeCall> result;
    for (int32_t i = 0; i < count; ++i) {
        FakeCall call{name(i), {}, {}};
        for (int32_t b = 0; b < bufferCount(i); ++b) {
            const char* bytes = nullptr;
            const int32_t length = buffer(i, b, &bytes);
            call.buffers.emplace_back(bytes, static_cast<std::size_t>(length));
        }
        for (int32_t k = 0; k < intCount(i); ++k) {
            call.ints.push_back(integer(i, k));
        }
        result.push_back(std::move(call));
    }
    return result;
}

std::vector<FakeCall> FakeLibrary::callsTo(zalvo::EntryPoint entry) const {
    std::vector<FakeCall> result;
    for (FakeCall& call : calls()) {
        if (call.name == zalvo::entryPointName(entry)) {
            result.push_back(std::move(call));
        }
    }
    return result;
}

std::vector<std::string> FakeLibrary::callNames() const {
    std::vector<std::string> names;
    for (const FakeCall& call : calls()) {
        names.push_back(call.name);
    }
    return names;
}

void FakeLibrary::reset() {
    control<void (*)()>("Fake_Reset")();
}

} // namespace testsupport
