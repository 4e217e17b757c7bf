#include "helpers/FileHelpers.h"

#include "helpers/TextHelpers.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::size_t kPrefixMax = 30;
constexpr std::size_t kExtensionMax = 3;
constexpr std::size_t kUniqueNameMax = 30;
constexpr int kCounterDigits = 8;
constexpr int kLastCounter = 99999998;
constexpr std::size_t kDriveRootLength = 3;

constexpr std::string_view kProbePrefix = "Xyyz";
constexpr std::string_view kProbeExtension = "yxz";
// Matches the probe names of counters 0 to 999, the ones earlier runs may have left behind.
constexpr std::string_view kProbePattern = "Xyyz00000???.yxz";
constexpr std::size_t kProbeBytes = 4;

bool hasWildcard(std::string_view pattern) {
    return pattern.find_first_of("*?") != std::string_view::npos;
}

std::string comparable(std::string_view directory, PathStyle style) {
    const std::string cut = RemoveBackslash(directory, style);
    return style == PathStyle::Windows ? UpperCaseGerman(cut) : cut;
}

std::string counterText(int counter) {
    char buffer[kCounterDigits + 1];
    std::snprintf(buffer, sizeof buffer, "%08d", counter);
    return buffer;
}

} // namespace

DeletionGuard PosixDeletionGuard() {
    DeletionGuard guard;
    guard.style = PathStyle::Posix;
    guard.directories = {"/",      "/bin",  "/boot", "/dev", "/etc", "/lib",
                         "/lib64", "/proc", "/sbin", "/sys", "/usr"};
    return guard;
}

DeletionGuard WindowsDeletionGuard(std::string_view windowsDirectory,
                                   std::string_view systemDirectory,
                                   std::string_view programFilesDirectory) {
    DeletionGuard guard;
    guard.style = PathStyle::Windows;
    guard.directories = {std::string(windowsDirectory), std::string(systemDirectory),
                         std::string(programFilesDirectory)};
    guard.systemDriveRoot = std::string(windowsDirectory.substr(0, kDriveRootLength));
    return guard;
}

DeletionGuard NativeDeletionGuard() {
#if defined(_WIN32)
    return WindowsDeletionGuard(platform::windowsDirectory(), platform::systemDirectory(),
                                platform::programFilesDirectory());
#else
    return PosixDeletionGuard();
#endif
}

bool IsProtectedDirectory(std::string_view directory, const DeletionGuard& guard) {
    const auto isGuarded = [&](std::string_view candidate) {
        const std::string dir = comparable(candidate, guard.style);
        if (guard.style == PathStyle::Windows && dir.size() == kDriveRootLength &&
            dir == UpperCaseGerman(guard.systemDriveRoot))
            return true;
        return std::any_of(guard.directories.begin(), guard.directories.end(),
                           [&](const std::string& protectedDir) {
                               return dir == comparable(protectedDir, guard.style);
                           });
    };
    if (isGuarded(directory))
        return true;
    // "/usr/../etc", "//etc", a link to "/", "C:\Windows\System32\.." or "C:\PROGRA~1" are
    // the same directories under other names.
    if (guard.style == NativePathStyle()) {
        const std::string resolved =
            platform::canonicalPath(RemoveBackslash(directory, guard.style));
        if (!resolved.empty() && isGuarded(resolved))
            return true;
    }
    return false;
}

bool FileExistsAny(std::string_view pattern) {
    const std::string namePattern = FileNamePart(pattern);
    if (!hasWildcard(namePattern))
        return platform::pathExists(pattern);
    const auto entries = platform::listDirectory(DirectoryPrefix(pattern));
    return std::any_of(entries.begin(), entries.end(), [&](const platform::DirectoryEntry& e) {
        return platform::matchesWildcard(e.name, namePattern);
    });
}

bool DriveReady(std::string_view path, PathStyle style) {
    std::string target = TrimText(path);
    const bool isLetter = target.size() == 1 && ((target[0] >= 'A' && target[0] <= 'Z') ||
                                                 (target[0] >= 'a' && target[0] <= 'z'));
    if (style == PathStyle::Windows && isLetter)
        target += ":\\";
    if (target.empty())
        target = PathDelimiter(style);
    return platform::freeSpaceQuerySucceeds(target);
}

int DeleteMatchingFiles(std::string_view pattern, const DeletionGuard& guard) {
    // Files are deleted from exactly the directory that was searched: the prefix as written,
    // never cut to a bound and never given a delimiter it did not have ("C:x*" stays in C:).
    const std::string prefix = DirectoryPrefix(pattern, guard.style);
    if (prefix.size() > kShortTextMax ||
        IsProtectedDirectory(RemoveBackslash(prefix, guard.style), guard))
        return 0;
    const std::string namePattern = FileNamePart(pattern, guard.style);
    int deleted = 0;
    for (const auto& entry : platform::listDirectory(prefix)) {
        if (entry.isRegularFile && platform::matchesWildcard(entry.name, namePattern) &&
            platform::removeFile(prefix + entry.name))
            ++deleted;
    }
    return deleted;
}

std::string UniqueFileName(std::string_view directory, std::string_view prefix,
                           std::string_view extension, bool nameOnly, PathStyle style) {
    const std::string_view pre = prefix.substr(0, std::min(prefix.size(), kPrefixMax));
    const std::string_view ext = extension.substr(0, std::min(extension.size(), kExtensionMax));
    // Digits cut off by the name bound would only repeat the same candidate; step over them.
    const std::size_t visibleDigits =
        std::min<std::size_t>(kCounterDigits, kUniqueNameMax - pre.size());
    int step = 1;
    for (std::size_t hidden = visibleDigits; hidden < static_cast<std::size_t>(kCounterDigits);
         ++hidden)
        step *= 10;
    const std::string dir = AddBackslash(directory, style);
    std::string name;
    for (int counter = 0; counter <= kLastCounter; counter += step) {
        name = std::string(pre) + counterText(counter) + "." + std::string(ext);
        name.resize(std::min(name.size(), kUniqueNameMax));
        if (!FileExistsAny(dir + name))
            break;
    }
    return nameOnly ? name : dir + name;
}

bool DirectoryWritable(std::string_view directory, const DeletionGuard& guard) {
    const std::string dir = AddBackslash(directory, guard.style);
    DeleteMatchingFiles(dir + std::string(kProbePattern), guard);
    const std::string path =
        dir + UniqueFileName(directory, kProbePrefix, kProbeExtension, true, guard.style);
    const platform::ProbeResult result = platform::createProbeFile(path, kProbeBytes);
    // A file that could not be created is not ours to delete.
    if (result == platform::ProbeResult::CreateFailed)
        return false;
    platform::removeFile(path);
    return result == platform::ProbeResult::Written;
}
