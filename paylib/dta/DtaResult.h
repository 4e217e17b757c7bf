#pragma once

#include <cstdint>
#include <string_view>

// Result codes of the DTA entry points. 0 is success; -3 is the one code the front end knows
// by value (no entry left); the others are this library's own, documented in its README.
namespace paylib::dta {

inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kNoEntryLeft = -3;

// Arguments
inline constexpr std::int32_t kBadArgument = -501;

// Reading a file
inline constexpr std::int32_t kFileNotReadable = -502;
inline constexpr std::int32_t kFileTooLarge = -503;
inline constexpr std::int32_t kFileEmpty = -504;
inline constexpr std::int32_t kTruncated = -505;
inline constexpr std::int32_t kBadRecordLength = -506;
inline constexpr std::int32_t kBadRecordType = -507;
inline constexpr std::int32_t kBadNumericField = -508;
inline constexpr std::int32_t kBadTextField = -509;
inline constexpr std::int32_t kBadFileKind = -510;
inline constexpr std::int32_t kBadCurrency = -511;
inline constexpr std::int32_t kTextKeyMismatch = -512;
inline constexpr std::int32_t kBadExtension = -513;
inline constexpr std::int32_t kCountMismatch = -514;
inline constexpr std::int32_t kAccountSumMismatch = -515;
inline constexpr std::int32_t kBankCodeSumMismatch = -516;
inline constexpr std::int32_t kAmountSumMismatch = -517;
inline constexpr std::int32_t kTrailingData = -518;
inline constexpr std::int32_t kTooManyEntries = -519;

// Walking and completing the entries
inline constexpr std::int32_t kNothingRead = -520;
inline constexpr std::int32_t kUnknownEntry = -521;
inline constexpr std::int32_t kBadExecutionDate = -522;
inline constexpr std::int32_t kBadCreditorId = -523;
inline constexpr std::int32_t kBadMandateReference = -524;
inline constexpr std::int32_t kBadMandateDate = -525;
inline constexpr std::int32_t kBadDebitSettings = -526;
inline constexpr std::int32_t kExecutionDateInPast = -527;
inline constexpr std::int32_t kCollectionTooEarly = -528;

// Writing the XML file; the XML writer's own codes pass through.
inline constexpr std::int32_t kBadPaymentType = -530;
inline constexpr std::int32_t kNoEntriesOfType = -531;
inline constexpr std::int32_t kEntryNotCompleted = -532;
inline constexpr std::int32_t kBadExportTarget = -533;

// German text of a code above (Windows-1252), empty for codes that are not DTA codes.
// Null arguments and internal errors answer with the library-wide codes of ResultCodes.h.
std::string_view resultMessage(std::int32_t code);

} // namespace paylib::dta
