#pragma once

#include <cstdint>

// Action codes of the library's log lines: the codes of the log vocabulary's action names
// (LogActionName) for the sixteen entry points.
namespace paylib::action {

inline constexpr std::uint8_t kInit = 1;
inline constexpr std::uint8_t kFree = 2;
inline constexpr std::uint8_t kInfo = 3;
inline constexpr std::uint8_t kCreateXML = 4;
inline constexpr std::uint8_t kWriteXML = 5;
inline constexpr std::uint8_t kCloseXML = 7;
inline constexpr std::uint8_t kGetBIC = 8;
inline constexpr std::uint8_t kConvertBLZKonto = 13;
inline constexpr std::uint8_t kReadDTA = 41;
inline constexpr std::uint8_t kGetDTAInfo = 43;
inline constexpr std::uint8_t kPutDTAInfo = 44;
inline constexpr std::uint8_t kWriteDTAtoXML = 45;
inline constexpr std::uint8_t kGetDTAProtokoll = 46;
inline constexpr std::uint8_t kFreeDTAVars = 47;
inline constexpr std::uint8_t kVersion = 56;
inline constexpr std::uint8_t kSetLogFile = 57;

} // namespace paylib::action
