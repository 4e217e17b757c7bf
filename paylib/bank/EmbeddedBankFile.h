#pragma once

#include <cstdint>
#include <string_view>

namespace paylib {

// The bank-code table built into the library (data/blz-default.txt, Bundesbank layout,
// Latin-1) and the first day of the Bundesbank file its records come from.
std::string_view embeddedBankFile();
// YYYYMMDD.
std::string_view embeddedBankFileDate();

} // namespace paylib
