#pragma once

#include <string>
#include <string_view>

// The one set of path rules of the program. Windows names use "\" and the drive colon ":";
// POSIX names use "/", and the root "/" plays the part of a drive root such as "C:\".
// Every routine takes the style, defaulting to the platform's, so both rule sets stay testable.

enum class PathStyle { Posix, Windows };

constexpr PathStyle NativePathStyle() {
#if defined(_WIN32)
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

// "\" or "/".
char PathDelimiter(PathStyle style = NativePathStyle());

// True for the characters that end a directory part: "\" and ":" (Windows) or "/" (POSIX),
// and NUL in both.
bool IsPathDelimiter(char c, PathStyle style = NativePathStyle());

// The path with a delimiter appended unless it is blank or already ends with one.
std::string AddBackslash(std::string_view path, PathStyle style = NativePathStyle());

// The path (first 255 characters) without one trailing delimiter; a drive root ("C:\", or
// "/" on POSIX) and other Windows paths of fewer than 4 characters stay as they are.
std::string RemoveBackslash(std::string_view path, PathStyle style = NativePathStyle());

// The directory of a name: empty when the name has no delimiter; the root when its only
// delimiter is the first character ("\x.log" -> "\", "/x.log" -> "/"); the drive root for
// "C:\x.log" and the drive "C:" for "C:x.log"; else everything before the last delimiter
// ("C:\Logs\x.log" -> "C:\Logs").
std::string DirectoryPart(std::string_view name, PathStyle style = NativePathStyle());

// The part of a name after its last delimiter; the whole name when it has none.
std::string FileNamePart(std::string_view name, PathStyle style = NativePathStyle());

// The name up to and including its last delimiter; empty when it has none.
std::string DirectoryPrefix(std::string_view name, PathStyle style = NativePathStyle());
