#pragma once

#include "abi/EntryPoints.h"
#include "binding/OwnerWindow.h"
#include "binding/ResultReporter.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zalvo {

// The process-wide binding of the payment library: module handle, the table of sixteen
// entry points and the stored log-file name. Everything runs on the user-interface thread.
class DLLAPI {
public:
    // Plain file name of the library; the current directory is searched first.
    static constexpr std::string_view kLibraryFileName = "Zalvotech.dll";
    // Handle values below this count as a failed load.
    static constexpr std::uintptr_t kFirstLoadedHandle = 32;
    static constexpr std::size_t kMaxLogFileNameChars = 255;

    // Loads the library and binds the entry points in binding order. Returns 0 (also when it
    // was already loaded, without loading or binding again), -99999 when the file cannot be
    // loaded, -99998 when an entry point is missing (the library then counts as loaded).
    // Shows nothing.
    static int32_t loadAndBind();

    // Forgets the library, stops its log through SetLogFile, calls Free and shows the success
    // message. Does nothing at all when the library is not loaded. A call whose slot is empty
    // is reported with -99998 instead, and then no success message follows.
    static void release(OwnerWindow owner);

    // The guard in front of every command: false, after showing the -99997 message, when the
    // library is not loaded.
    static bool isLoaded(OwnerWindow owner);
    // The same test without a message.
    static bool loaded();

    static std::uintptr_t moduleHandle();
    // Sets the module handle to 0; the module itself stays mapped. Used by window close.
    static void forgetModule();

    // The bound address of an entry point, or nullptr when its slot is empty.
    static void* slot(EntryPoint entry);
    template <EntryPoint E> static EntryPointFn<E> bound() {
        return reinterpret_cast<EntryPointFn<E>>(slot(E));
    }
    // The entry point a command is about to call. An empty slot is never called: the command
    // gets nullptr, and -99998 has been reported under the entry point's name.
    template <EntryPoint E> static EntryPointFn<E> entry(OwnerWindow owner) {
        const auto function = bound<E>();
        if (!function) {
            ResultReporter::report(owner, entryPointName(E), kEntryPointMissing);
        }
        return function;
    }

    // Written by the initialisation dialog after a load; cut to 255 characters.
    static void setLogFileName(std::string_view name);
    static const std::string& logFileName();

    // Back to the state at program start: not loaded, empty table, empty name. Modules
    // already loaded stay mapped.
    static void reset();
};

} // namespace zalvo
