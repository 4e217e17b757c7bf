#pragma once

#include "abi/EntryPoints.h"

#include <cstdint>
#include <string_view>

// Result codes of the stand-in payment library, one table for every entry point, kept at the
// boundary so that the front end's call log shows the same meanings. 0 is success, negative
// codes are failures, positive codes above 128 are notices: the call did its work,
// but with a reservation the caller must see (1 to 128 are left to the caller's own texts).
namespace paylib::result {

inline constexpr std::int32_t kOk = 0;

// Notices.
inline constexpr std::int32_t kNoticeBankFileRejected = 201;    // Init: embedded table used
inline constexpr std::int32_t kNoticeDataPathNoDirectory = 202; // Init: embedded table used
inline constexpr std::int32_t kNoticeTempPathNoDirectory = 203; // Init: temp files elsewhere
inline constexpr std::int32_t kNoticeIbanRuleNotApplied = 210;  // rule unknown: standard rule
inline constexpr std::int32_t kNoticeNoBic = 211;               // IBAN derived, no BIC known
inline constexpr std::int32_t kNoticeRuleVersionUnknown = 212;  // newest known version applied
inline constexpr std::int32_t kNoticeAccountNotChecked = 213;   // check method unknown
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
inline constexpr std::int32_t kNoIbanAllowed = -17; // the bank's IBAN rule forbids one
inline constexpr std::int32_t kNoBic = -18;
inline constexpr std::int32_t kAccountRefused = -19; // fails the bank's check or its rule

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

// DTA files. -3 is the one code the front end knows by value.
inline constexpr std::int32_t kNoEntryLeft = zalvo::kNoEntryLeft;
inline constexpr std::int32_t kBadArgument = -501; // file name empty or too long, buffer size

// DTA files: reading
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

// DTA files: walking and completing the entries
inline constexpr std::int32_t kNothingRead = -520;
inline constexpr std::int32_t kUnknownEntry = -521;
inline constexpr std::int32_t kBadExecutionDate = -522;
inline constexpr std::int32_t kBadCreditorId = -523;
inline constexpr std::int32_t kBadMandateReference = -524;
inline constexpr std::int32_t kBadMandateDate = -525;
inline constexpr std::int32_t kBadDebitSettings = -526;
inline constexpr std::int32_t kDtaExecutionDateInPast = -527; // WriteXML: -47
inline constexpr std::int32_t kDtaCollectionTooEarly = -528;  // WriteXML: -48

// DTA files: writing the XML file; the XML writer's own codes pass through.
inline constexpr std::int32_t kBadPaymentType = -530;
inline constexpr std::int32_t kNoEntriesOfType = -531;
inline constexpr std::int32_t kEntryNotCompleted = -532;
inline constexpr std::int32_t kBadExportTarget = -533;

// German message of a code (Windows-1252), as written into the library's log; "Unbekannter
// Fehler" for a code not listed here.
std::string_view resultMessage(std::int32_t code);

} // namespace paylib::result
