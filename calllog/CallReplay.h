#pragma once

#include "calllog/RecordedCall.h"
#include "calllog/ReplayLibrary.h"

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zalvo::calllog {

// A path prefix to rewrite in every path field of a replayed call (Windows-1252 bytes).
struct PathMapping {
    std::string from;
    std::string to;
};

// What differs in one replayed call: "Ergebnis", or an argument's field, with both values.
struct Difference {
    std::string what;
    std::string recorded;
    std::string replayed;
};

// Makes recorded calls again, with the recorded input bytes, and compares the result and every
// byte the library wrote back with what was recorded.
class CallReplay {
public:
    CallReplay(const ReplayLibrary& library, std::vector<PathMapping> mappings);

    // "OLD=NEW" from the command line (UTF-8); nothing when there is no "=" or OLD is empty.
    static std::optional<PathMapping> parseMapping(std::string_view argument);

    // The differences of one call; none when it answered as recorded.
    std::vector<Difference> replay(const RecordedCall& call) const;
    // Replays every call in order and prints one line per call, with the differences under
    // it. 0 when every call answered as recorded, 1 otherwise.
    int run(std::span<const RecordedCall> calls, std::ostream& out) const;

    // Rewrites the prefixes in the path fields of one argument's bytes.
    void rewritePaths(EntryPoint entry, std::size_t argument, std::string& bytes) const;

private:
    const ReplayLibrary& m_library;
    std::vector<PathMapping> m_mappings;
};

} // namespace zalvo::calllog
