#pragma once

#include "binding/OwnerWindow.h"
#include "helpers/PathHelpers.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zalvo {

class Record;

// The Qt-free parts of the DTA-to-XML run: completing each DTA information record with the
// SEPA data DTA lacks, splitting a chosen XML file name, filling the file header of
// WriteDTAtoXML, and the messages for names the library cannot be given.
class DtaConversion {
public:
    enum class Kind { CreditTransfer, DirectDebit };

    // Test values and day offsets the run writes into every entry.
    static constexpr std::string_view kCreditorId = "DE98ZZZ09999999999";
    static constexpr std::string_view kMandateReference = "Testmandat";
    static constexpr int32_t kCreditExecutionDays = 1;
    static constexpr int32_t kDebitExecutionDays = 3;
    static constexpr int32_t kMandateDays = -30;

    // Fixed header values of every XML file the run writes.
    static constexpr std::string_view kMessageId = "MessageId1234567890";
    static constexpr std::string_view kInitiatingParty = "Testeinreicher";

    // Why a chosen name is not handed to the library.
    enum class Refusal {
        DtaNameTooLong,
        DtaNameNotRepresentable,
        ExportPathTooLong,
        XmlNameTooLong,
        XmlNameNotRepresentable,
    };

    // Where the XML file goes: directory and file name as the file header takes them.
    struct XmlTarget {
        std::string exportPath;
        std::string fileName;
    };

    // Payment kind the library filled into a DTA information record.
    static Kind kindOf(const Record& info);

    // Writes the execution date (today + 1 for credit transfers, today + 3 for direct
    // debits) and, for direct debits only, creditor identifier, mandate reference, mandate
    // date (today - 30) and the two debit settings. Every other byte stays as the library
    // left it. Returns the entry's kind.
    static Kind completeEntry(Record& info, int32_t today);

    // The directory part (the root keeps its delimiter) and the file name part. Neither is
    // cut: see fitsPath and fitsFileName.
    static XmlTarget splitXmlFileName(std::string_view chosen, PathStyle style = NativePathStyle());

    // Whether a file name (without directory) fits the header's 35 characters whole.
    static bool fitsFileName(std::string_view fileName);

    // The Windows-1252 bytes of a chosen file name (UTF-8), or nothing when they would name
    // another file: characters the code page lacks would turn into "?", a NUL would end the
    // name early.
    static std::optional<std::string> libraryName(std::string_view chosen);

    // Whether a name fits the library's 256-byte path fields whole.
    static bool fitsPath(std::string_view name);

    // Zeroes the 404-byte header and fills export path, file name, message id, initiating
    // party and the payment type of `kind`.
    static void fillFileHeader(Record& header, const XmlTarget& target, Kind kind);

    // The preset of the save dialog for `kind`, Windows-1252.
    static std::string_view presetFileName(Kind kind);

    // The message text of a refusal, Windows-1252 with CR LF, blanks appended like every
    // shown message.
    static std::string refusalText(Refusal refusal);
    // Shows a refusal through the reporter's sink, as an error owned by `owner`.
    static void showRefusal(OwnerWindow owner, Refusal refusal);
};

} // namespace zalvo
