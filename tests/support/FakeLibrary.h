#pragma once

#include "abi/EntryPoints.h"
#include "abi/RecordLayouts.h"
#include "tests/support/TempDirectory.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// Variants of the fake payment library; each lacks the entry points its name says.
enum class FakeVariant { Full, NoProtokoll, NoSetLogFile, NoFree, None };

// One recorded call: copies of the pointer arguments (with their contract sizes) and the
// integer arguments, each in argument order.
struct FakeCall {
    std::string name;
    std::vector<std::string> buffers;
    std::vector<int64_t> ints;
};

// A fresh copy of a fake Zalvotech.dll in a new temporary folder that is the current
// directory while the object lives, so the program finds it exactly as it finds a real one.
// The binding state is reset on construction and destruction. Scripting works before and
// after the program has loaded the copy: both share the one module.
class FakeLibrary {
public:
    explicit FakeLibrary(FakeVariant variant = FakeVariant::Full);
    ~FakeLibrary();
    FakeLibrary(const FakeLibrary&) = delete;
    FakeLibrary& operator=(const FakeLibrary&) = delete;

    const std::filesystem::path& directory() const { return m_directory.path(); }
    std::filesystem::path libraryPath() const;
    // The module handle of the copy, the one the program gets when it loads it.
    void* module() const { return m_module; }
    // Address of an export of the copy, for comparing with the binding's slots.
    void* address(zalvo::EntryPoint entry) const;

    // Queues the result of the next unanswered call of `entry`.
    void script(zalvo::EntryPoint entry, int32_t result);
    // Adds bytes to write into pointer argument `buffer` at `offset` to the last queued
    // response of `entry` (queues a result 0 first when none is queued).
    void scriptWrite(zalvo::EntryPoint entry, int buffer, std::size_t offset,
                     std::string_view bytes);
    // The same with the text followed by its terminating zero.
    void scriptText(zalvo::EntryPoint entry, int buffer, zalvo::Field field, std::string_view text);
    void setDefault(zalvo::EntryPoint entry, int32_t result);

    std::vector<FakeCall> calls() const;
    std::vector<FakeCall> callsTo(zalvo::EntryPoint entry) const;
    std::vector<std::string> callNames() const;
    // Forgets recorded calls and scripts.
    void reset();

    static std::filesystem::path variantPath(FakeVariant variant);

private:
    template <typename F> F control(const char* name) const;

    TempDirectory m_directory;
    void* m_module = nullptr;
};

} // namespace testsupport
