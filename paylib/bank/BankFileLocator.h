#pragma once

#include "paylib/bank/BankTable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace paylib {

// Finds the Bundesbank bank-code file to use in a data directory: files named blz*.txt
// (any case). A name holding a date YYYYMMDD (as in blz_20141208.txt) is valid from that
// date; a file without one is valid from the start of the quarterly period of its last
// change. The newest complete file wins.
class BankFileLocator {
public:
    enum class Outcome {
        Loaded,      // `table` holds the file
        NoFile,      // the directory has no blz*.txt
        Rejected,    // blz*.txt found, none complete
        NoDirectory, // the path names no directory
    };

    // `directory` is Windows-1252, as it crosses the library boundary.
    static Outcome load(std::string_view directory, BankTable& table, std::string* fileName);

    // The date YYYYMMDD inside a file name as day number, or -1.
    static std::int32_t dateInName(std::string_view fileName);
};

} // namespace paylib
