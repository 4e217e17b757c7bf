#pragma once

#include <cstdint>
#include <string_view>

// Result codes of the stand-in payment library. 0 is success, negative codes are failures,
// positive codes above 128 are notices: the call did its work, but with a reservation the
// caller must see (1 to 128 are left to the caller's own texts).
namespace paylib::result {

inline constexpr std::int32_t kOk = 0;

// Notices.
inline constexpr std::int32_t kNoticeBankFileRejected = 201;    // Init: embedded table used
inline constexpr std::int32_t kNoticeDataPathNoDirectory = 202; // Init: embedded table used
inline constexpr std::int32_t kNoticeTempPathNoDirectory = 203; // Init: temp files elsewhere
inline constexpr std::int32_t kNoticeIbanRuleNotApplied = 210;  // standard derivation only
inline constexpr std::int32_t kNoticeNoBic = 211;               // IBAN derived, no BIC known
inline constexpr std::int32_t kNoticeOriginatorNameCut = 220;   // written, cut to 70
inline constexpr std::int32_t kNoticeRecipientNameCut = 221;    // written, cut to 70
inline constexpr std::int32_t kNoticeRemittanceCut = 222;       // written, cut to 140
inline constexpr std::int32_t kNoticeInitiatingPartyCut = 223;  // file opened, cut to 70

// Any entry point.
inline constexpr std::int32_t kNotInitialised = -1;
inline constexpr std::int32_t kNullArgument = -2;
inline constexpr std::int32_t kInternalError = -9;

// Bank code, account number, IBAN derivation.
inline constexpr std::int32_t kBankCodeLength = -11;
inline constexpr std::int32_t kBankCodeNotDigits = -12;
inline constexpr std::int32_t kAccountLength = -13;
inline constexpr std::int32_t kAccountNotDigits = -14;
inline constexpr std::int32_t kBankCodeUnknown = -15;
inline constexpr std::int32_t kBankCodeDeleted = -16;
inline constexpr std::int32_t kNoIbanAllowed = -17;
inline constexpr std::int32_t kNoBic = -18;

// Payment files: order of calls and the file header.
inline constexpr std::int32_t kFileAlreadyOpen = -20;
inline constexpr std::int32_t kNoFileOpen = -21;
inline constexpr std::int32_t kPaymentTypeInvalid = -22;
inline constexpr std::int32_t kExportPathInvalid = -23;
inline constexpr std::int32_t kFileNameInvalid = -24;
inline constexpr std::int32_t kMessageIdInvalid = -25;
inline constexpr std::int32_t kInitiatingPartyInvalid = -26;
inline constexpr std::int32_t kFileNotWritable = -27;
inline constexpr std::int32_t kFileWithoutEntries = -28;

// Payment entries.
inline constexpr std::int32_t kExecutionDateInvalid = -30;
inline constexpr std::int32_t kOriginatorNameInvalid = -31;
inline constexpr std::int32_t kOriginatorAccountMissing = -32;
inline constexpr std::int32_t kOriginatorIbanInvalid = -33;
inline constexpr std::int32_t kOriginatorBicInvalid = -34;
inline constexpr std::int32_t kRecipientNameInvalid = -35;
inline constexpr std::int32_t kRecipientAccountMissing = -36;
inline constexpr std::int32_t kRecipientIbanInvalid = -37;
inline constexpr std::int32_t kRecipientBicInvalid = -38;
inline constexpr std::int32_t kAmountInvalid = -39;
inline constexpr std::int32_t kRemittanceInvalid = -40;
inline constexpr std::int32_t kCreditorIdInvalid = -41;
inline constexpr std::int32_t kMandateReferenceInvalid = -42;
inline constexpr std::int32_t kMandateDateInvalid = -43;
inline constexpr std::int32_t kReferenceInvalid = -44;
inline constexpr std::int32_t kFileLimitReached = -45;
inline constexpr std::int32_t kWriteFailed = -46;

// What a bank would reject.
inline constexpr std::int32_t kExecutionDateInPast = -47;
inline constexpr std::int32_t kCollectionTooEarly = -48;
inline constexpr std::int32_t kOriginatorBicCountry = -49;
inline constexpr std::int32_t kRecipientBicCountry = -50;

// German message of a code (Windows-1252), as written into the library's log.
std::string_view resultMessage(std::int32_t code);

} // namespace paylib::result
