#include "platform/FileSystem.h"

#include "platform/Win1252.h"

namespace platform {
namespace {

bool sameCharacter(char a, char b) {
    // Windows' file search, which the names follow there, ignores the case of letters.
    if constexpr (kNamesIgnoreCase)
        return win1252::toUpper(a) == win1252::toUpper(b);
    return a == b;
}

} // namespace

bool matchesWildcard(std::string_view name, std::string_view pattern) {
    // Greedy matching with one backtrack point: the latest '*'.
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || sameCharacter(pattern[p], name[n]))) {
            ++n;
            ++p;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace platform
