#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// File-system queries for the core. Names are Windows-1252 text like every other text of the
// core; they are converted to the file system's encoding (UTF-8) only here, when used.
namespace platform {

// The name in the file system's encoding.
std::string nativePath(std::string_view name);

// Anything exists under the name (a dangling symbolic link counts).
bool pathExists(std::string_view name);
// The name is an existing directory (symbolic links followed).
bool isDirectory(std::string_view name);
// The file system holding the name answers a free-space query.
bool freeSpaceQuerySucceeds(std::string_view name);
// The absolute name without symbolic links, "." or ".."; empty when it does not resolve.
std::string canonicalPath(std::string_view name);

struct DirectoryEntry {
    std::string name; // Windows-1252
    bool isDirectory = false;
    bool isRegularFile = false;
};

// The entries of a directory ("" is the current one) except "." and "..". Entries whose
// names have no exact Windows-1252 form are left out: the core could not name them back.
std::vector<DirectoryEntry> listDirectory(std::string_view directory);

// '*' stands for any run of characters, '?' for exactly one; everything else for itself.
bool matchesWildcard(std::string_view name, std::string_view pattern);

// Removes a file (not a directory); false when that fails.
bool removeFile(std::string_view name);

enum class ProbeResult { Written, CreateFailed, WriteFailed };

// Creates a new file (never one that exists) and writes `zeroBytes` zero bytes into it.
ProbeResult createProbeFile(std::string_view name, std::size_t zeroBytes);

} // namespace platform
