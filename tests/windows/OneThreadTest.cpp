// The test programs keep to one thread. Under the emulated 32-bit Wine a signal to any thread
// but the newest one leaves it on the newest one's thread block, which hung or broke the test
// programs once GoogleTest's watcher thread existed (docs/decisions/windows.md).
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

namespace {

int threadsOfThisProcess() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    }
    CloseHandle(snapshot);
    return count;
}

} // namespace

TEST(TestProgram, KeepsToOneThreadWhenATraceIsOpened) {
    // A trace is GoogleTest's per-thread state: a thread-safe GoogleTest starts its watcher
    // thread for the main thread here.
    {
        SCOPED_TRACE("a trace of the main thread");
        EXPECT_EQ(threadsOfThisProcess(), 1);
    }
    EXPECT_EQ(threadsOfThisProcess(), 1);
}
