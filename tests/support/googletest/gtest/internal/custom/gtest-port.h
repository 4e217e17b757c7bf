// GoogleTest's port settings for this project, found before GoogleTest's own (empty) one.
//
// The Windows builds use GoogleTest without its thread-safe parts, so that it starts no
// watcher thread (docs/decisions/windows.md). Its death-test code for Windows still needs
// AutoHandle, which comes only with those parts; this is the same handle owner.
#pragma once

#include <cstdint>

#if defined(_WIN32) && defined(GTEST_IS_THREADSAFE) && !GTEST_IS_THREADSAFE

extern "C" __declspec(dllimport) int __stdcall CloseHandle(void* handle);

namespace testing::internal {

class AutoHandle {
public:
    using Handle = void*;

    AutoHandle() = default;
    explicit AutoHandle(Handle handle) : m_handle(handle) {}
    ~AutoHandle() { Reset(); }
    AutoHandle(const AutoHandle&) = delete;
    AutoHandle& operator=(const AutoHandle&) = delete;

    Handle Get() const { return m_handle; }
    void Reset() { Reset(invalid()); }
    void Reset(Handle handle) {
        if (m_handle != handle) {
            if (IsCloseable())
                CloseHandle(m_handle);
            m_handle = handle;
        }
    }

private:
    // INVALID_HANDLE_VALUE, without <windows.h> in every test.
    static Handle invalid() { return reinterpret_cast<Handle>(static_cast<std::intptr_t>(-1)); }
    bool IsCloseable() const { return m_handle != nullptr && m_handle != invalid(); }

    Handle m_handle = invalid();
};

} // namespace testing::internal

#endif
