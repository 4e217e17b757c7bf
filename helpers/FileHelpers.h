#pragma once

#include "helpers/PathHelpers.h"

#include <string>
#include <string_view>
#include <vector>

// File-system checks of the log writer and the dialogs, on Windows-1252 names.

// Directories in which DeleteMatchingFiles never deletes anything.
struct DeletionGuard {
    PathStyle style = NativePathStyle();
    // Compared after RemoveBackslash; on Windows case-insensitively.
    std::vector<std::string> directories;
    // Windows: the drive root ("C:\") that holds the Windows directory; empty on POSIX.
    std::string systemDriveRoot;
};

// "/", "/bin", "/boot", "/dev", "/etc", "/lib", "/lib64", "/proc", "/sbin", "/sys", "/usr".
DeletionGuard PosixDeletionGuard();
// The Windows, system and program-files directories and the root of the Windows drive.
DeletionGuard WindowsDeletionGuard(std::string_view windowsDirectory,
                                   std::string_view systemDirectory,
                                   std::string_view programFilesDirectory);
DeletionGuard NativeDeletionGuard();

// True when the directory is one of the guard's (on POSIX also when it resolves to one).
bool IsProtectedDirectory(std::string_view directory, const DeletionGuard& guard);

// True when at least one entry matches the name or '*'/'?' pattern (directories count).
bool FileExistsAny(std::string_view pattern);

// True when the drive or directory answers a free-space query ("" is the root; on Windows
// a single letter is a drive).
bool DriveReady(std::string_view path, PathStyle style = NativePathStyle());

// Deletes the regular files that match the pattern ("dir/Xyyz*.tmp") unless their directory
// is protected or longer than 255 characters; failures are skipped. Returns how many files
// were deleted.
int DeleteMatchingFiles(std::string_view pattern,
                        const DeletionGuard& guard = NativeDeletionGuard());

// The first name prefix + eight-digit counter + "." + extension (prefix at most 30,
// extension at most 3 characters, the name cut to 30) that does not exist in the directory;
// with `nameOnly` the name, else the directory and the name.
std::string UniqueFileName(std::string_view directory, std::string_view prefix,
                           std::string_view extension, bool nameOnly,
                           PathStyle style = NativePathStyle());

// True when a new probe file can be created in the directory and four bytes written to it.
// The probe file is deleted again; probe files of earlier runs are cleared first.
bool DirectoryWritable(std::string_view directory,
                       const DeletionGuard& guard = NativeDeletionGuard());
