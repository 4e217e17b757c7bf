#include "helpers/PathHelpers.h"

#include "helpers/TextHelpers.h"

#include <algorithm>

namespace {

constexpr char kWindowsDelimiter = '\\';
constexpr char kDriveDelimiter = ':';
constexpr char kPosixDelimiter = '/';
// "C:\" is the longest Windows path that keeps its trailing delimiter; "/" on POSIX.
constexpr std::size_t kWindowsRootMax = 3;
constexpr std::size_t kPosixRootMax = 1;

std::size_t lastDelimiter(std::string_view name, PathStyle style) {
    for (std::size_t i = name.size(); i > 0; --i)
        if (IsPathDelimiter(name[i - 1], style))
            return i - 1;
    return std::string_view::npos;
}

} // namespace

char PathDelimiter(PathStyle style) {
    return style == PathStyle::Windows ? kWindowsDelimiter : kPosixDelimiter;
}

bool IsPathDelimiter(char c, PathStyle style) {
    if (c == '\0' || c == PathDelimiter(style))
        return true;
    return style == PathStyle::Windows && c == kDriveDelimiter;
}

std::string AddBackslash(std::string_view path, PathStyle style) {
    std::string result(path);
    if (!TrimText(path).empty() && path.back() != PathDelimiter(style))
        result += PathDelimiter(style);
    return result;
}

std::string RemoveBackslash(std::string_view path, PathStyle style) {
    std::string result(path.substr(0, std::min(path.size(), kShortTextMax)));
    const std::size_t keepUpTo = style == PathStyle::Windows ? kWindowsRootMax : kPosixRootMax;
    if (result.size() > keepUpTo && result.back() == PathDelimiter(style))
        result.pop_back();
    return result;
}

std::string DirectoryPart(std::string_view name, PathStyle style) {
    const std::size_t last = lastDelimiter(name, style);
    if (last == std::string_view::npos)
        return {};
    if (last == 0)
        return std::string(name.substr(0, 1));
    const char delimiter = name[last];
    const bool driveRoot = style == PathStyle::Windows && delimiter == kWindowsDelimiter &&
                           name[last - 1] == kDriveDelimiter;
    if (driveRoot || (style == PathStyle::Windows && delimiter == kDriveDelimiter))
        return std::string(name.substr(0, last + 1));
    return std::string(name.substr(0, last));
}

std::string FileNamePart(std::string_view name, PathStyle style) {
    const std::size_t last = lastDelimiter(name, style);
    return std::string(last == std::string_view::npos ? name : name.substr(last + 1));
}

std::string DirectoryPrefix(std::string_view name, PathStyle style) {
    const std::size_t last = lastDelimiter(name, style);
    return last == std::string_view::npos ? std::string() : std::string(name.substr(0, last + 1));
}
