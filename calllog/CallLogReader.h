#pragma once

#include "calllog/RecordedCall.h"

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace zalvo::calllog {

// Reads a saved call log and checks all of it: the first line's format and version, every
// call's entry point, its arguments against the entry point's layout (kind, count, record
// size), the bytes, and that exactly as many calls follow as the first line announces.
class CallLogReader {
public:
    struct Result {
        std::vector<RecordedCall> calls;
        // 0 when the whole log is good; otherwise the first bad line (1 = the first line).
        std::size_t errorLine = 0;
        std::string error; // German
        bool ok() const { return errorLine == 0; }
    };

    static Result read(std::istream& in);
};

} // namespace zalvo::calllog
