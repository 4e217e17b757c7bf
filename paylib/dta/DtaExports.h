#pragma once

#include <cstdint>

// The six DTA entry points of Zalvotech.dll. Exports.cpp exports them under their
// Zalvotech_ names and forwards here (and writes the log lines). Each one checks its
// arguments, never throws and answers with the codes documented in paylib/README.md.
namespace paylib {

// Reads a DTA file (name: 256-byte buffer, Windows-1252). `buffer100` may be null; otherwise
// it receives counts and sum of the read (DtaSession.h, dtaread).
[[nodiscard]] std::int32_t dtaReadDTA(const char* fileName256, char* buffer100);

// Next entry into the 348-byte record, or -3 when none is left. The counter must not be
// null; the library keeps its own cursor and leaves the counter unchanged.
[[nodiscard]] std::int32_t dtaGetDTAInfo(char* dtaInfo348, std::int32_t* counter);

// Takes back a record that dtaGetDTAInfo filled and the front end completed.
[[nodiscard]] std::int32_t dtaPutDTAInfo(char* dtaInfo348);

// Writes the completed entries of the header's payment type (0 credit transfers as
// pain.001.001.09, 1 direct debits as pain.008.001.08) under the header's path and name.
// Uses the bank-code table and temporary directory of the initialised library; the caller
// holds the library's lock.
[[nodiscard]] std::int32_t dtaWriteDTAtoXML(char* fileHeader404);

// Copies the protocol of the last read, zero-terminated and cut to bufferSize - 1 bytes;
// returns the protocol's full length or a negative code.
[[nodiscard]] std::int32_t dtaGetDTAProtokoll(char* buffer, std::int32_t bufferSize);

// Forgets the read, the entries, the cursor and the protocol. Always 0.
std::int32_t dtaFreeDTAVars();

} // namespace paylib
