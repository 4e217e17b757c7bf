#pragma once

#include "abi/EntryPoints.h"
#include "binding/OwnerWindow.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zalvo {

class Record;

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
    [[nodiscard]] static int32_t loadAndBind();

    // Release and window close run one sequence: nothing at all when the library is not
    // loaded; otherwise forget the module, stop the log named at initialisation, call Free.
    //
    // Release (the menu command) stops the library's own log through SetLogFile, whose
    // answer is not shown, and shows Free's answer under "Zalvotech_Free". A call whose slot
    // is empty is reported with -99998 instead.
    static void release(OwnerWindow owner);
    // Window close stops it through the front end's log writer instead, which never started
    // a log, so that only runs the writer's checks; it shows nothing, not even an empty slot.
    static void releaseAtWindowClose();

    // The guard in front of every command: false, after showing the -99997 message, when the
    // library is not loaded.
    [[nodiscard]] static bool requireLoaded(OwnerWindow owner);
    // The same test without a message.
    static bool loaded();

    static std::uintptr_t moduleHandle();
    // Sets the module handle to 0, the first step of release and window close; the module
    // itself stays mapped and the table stays filled. False when the handle was 0 already.
    static bool forgetModule();

    // The bound address of an entry point, or nullptr when its slot is empty.
    static void* slot(EntryPoint entry);
    // The first entry point in binding order whose slot is empty: after a load that answered
    // -99998, the one the library lacks.
    static std::optional<EntryPoint> firstEmptySlot();
    // Calls go through LibraryCall, which never calls an empty slot.
    template <EntryPoint E> static EntryPointFn<E> bound() {
        return reinterpret_cast<EntryPointFn<E>>(slot(E));
    }

    // Written by the initialisation dialog after a load; cut to 255 characters.
    static void setLogFileName(std::string_view name);
    static const std::string& logFileName();

    // Back to the state at program start: not loaded, empty table, empty name. Modules
    // already loaded stay mapped.
    static void reset();

private:
    // The stored log-file name in a zero-terminated 256-byte buffer.
    static Record logFileNameBuffer();
};

} // namespace zalvo
