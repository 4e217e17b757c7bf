#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// File-system queries for the core. Names are Windows-1252 text like every other text of the
// core; they are converted to the file system's encoding only here, when used: UTF-8 on
// Linux; on Windows they go unchanged to the ANSI functions (code page 1252).
namespace platform {

// Whether names that differ only in the case of letters name the same file.
#if defined(_WIN32)
inline constexpr bool kNamesIgnoreCase = true;
#else
inline constexpr bool kNamesIgnoreCase = false;
#endif

// The name in the file system's encoding.
std::string nativePath(std::string_view name);

// Anything exists under the name (a dangling symbolic link counts).
bool pathExists(std::string_view name);
// The name is an existing directory (symbolic links followed).
bool isDirectory(std::string_view name);
// The file system holding the name answers a free-space query.
bool freeSpaceQuerySucceeds(std::string_view name);
// The name itself or its nearest ancestor that the file system does not report as missing:
// where the file system that would hold the name can be asked. "." stands for the current
// directory when no part of a relative name exists; "" stays "".
std::string nearestExistingAncestor(std::string_view name);
// The absolute name without symbolic links, "." or ".." (on Windows also without short 8.3
// names); empty when it does not resolve.
std::string canonicalPath(std::string_view name);

// The current directory; empty when it cannot be told.
std::string currentDirectory();
bool setCurrentDirectory(std::string_view name);

struct DirectoryEntry {
    std::string name; // Windows-1252
    bool isDirectory = false;
    bool isRegularFile = false;
};

// The entries of a directory ("" is the current one) except "." and "..". Entries whose
// names have no exact Windows-1252 form are left out: the core could not name them back.
std::vector<DirectoryEntry> listDirectory(std::string_view directory);

// '*' stands for any run of characters, '?' for exactly one; everything else for itself
// (letters of either case where kNamesIgnoreCase).
bool matchesWildcard(std::string_view name, std::string_view pattern);

// Removes a file (not a directory); false when that fails.
bool removeFile(std::string_view name);

enum class WriteMode {
    // A new file, or an existing one emptied.
    Create,
    // An existing file, written at its end.
    Append,
};

// Opens a regular file for writing, buffered by the caller. Never waits for a reader or a
// device: anything but a regular file (a FIFO, a device, a directory) is refused without
// being emptied. Null when refused or when the file cannot be opened.
std::FILE* openRegularFile(std::string_view name, WriteMode mode);

// Hands the stream's buffered bytes to the file and commits the file to the storage device.
bool commitFile(std::FILE* file);

enum class ProbeResult { Written, CreateFailed, WriteFailed };

// Creates a new file (never one that exists) and writes `zeroBytes` zero bytes into it.
ProbeResult createProbeFile(std::string_view name, std::size_t zeroBytes);

#if defined(_WIN32)
// The folders DeleteMatchingFiles never touches, as the system names them
// (GetWindowsDirectoryA, GetSystemDirectoryA, SHGetFolderPathA); empty when it does not.
std::string windowsDirectory();
std::string systemDirectory();
std::string programFilesDirectory();
#endif

} // namespace platform
