#include "paylib/dta/DtaReader.h"

#include "paylib/ResultCodes.h"
#include "paylib/dta/DtaFile.h"
#include "paylib/dta/DtaInput.h"
#include "paylib/dta/DtaText.h"
#include "platform/Win1252.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

namespace paylib {
namespace {

// Positions of the DTAUS fields, 0-based within their record (the format counts from 1).
struct Span {
    std::size_t offset;
    std::size_t width;
};

constexpr std::size_t kBlock = 128;
constexpr Span kLength{0, 4};
constexpr std::size_t kMarker = 4;

namespace a {
constexpr Span kKind{5, 2};
constexpr Span kReceiverBankCode{7, 8};
constexpr Span kSenderBankCode{15, 8};
constexpr Span kSenderName{23, 27};
constexpr Span kCreationDate{50, 6};
constexpr Span kSenderAccount{60, 10};
constexpr Span kReference{70, 10};
constexpr Span kExecutionDate{95, 8};
constexpr std::size_t kCurrency = 127;
} // namespace a

namespace c {
constexpr std::size_t kFixedLength = 187;
constexpr std::size_t kMinBlocks = 2;
constexpr Span kFirstBankCode{5, 8};
constexpr Span kCounterpartyBankCode{13, 8};
constexpr Span kCounterpartyAccount{21, 10};
constexpr Span kCustomerNumber{31, 13};
constexpr Span kTextKey{44, 2};
constexpr Span kTextKeyExtension{46, 3};
constexpr Span kOriginatorBankCode{61, 8};
constexpr Span kOriginatorAccount{69, 10};
constexpr Span kAmount{79, 11};
constexpr Span kCounterpartyName{93, 27};
constexpr Span kOriginatorName{128, 27};
constexpr Span kPurpose{155, 27};
constexpr std::size_t kCurrency = 182;
constexpr Span kExtensionCount{185, 2};
constexpr std::size_t kFirstExtension = 187;
// Extension part: two-digit type, 27 characters of content.
constexpr std::size_t kExtensionSize = 29;
constexpr std::size_t kExtensionTypeWidth = 2;
constexpr std::size_t kExtensionTextWidth = 27;
constexpr std::size_t kExtensionsInBlock2 = 2;
constexpr std::size_t kExtensionsPerBlock = 4;
constexpr std::size_t kMaxExtensions = 15;
constexpr unsigned kExtCounterpartyName = 1;
constexpr unsigned kExtPurpose = 2;
constexpr unsigned kExtOriginatorName = 3;
constexpr unsigned kMaxPurposeExtensions = 13;
} // namespace c

namespace e {
constexpr Span kCount{10, 7};
constexpr Span kAccountSum{30, 17};
constexpr Span kBankCodeSum{47, 17};
constexpr Span kAmountSum{64, 13};
} // namespace e

constexpr std::string_view kRecordLength128 = "0128";
constexpr std::size_t kMinEntryBytes = 2 * kBlock;
constexpr std::size_t kMaxRecordBytes = 6 * kBlock; // a C record with 15 extension parts
constexpr char kEuro = '1';
constexpr const char* kChangedWhileReading =
    "die Datei ist nicht lesbar oder hat sich beim Lesen verändert";
constexpr unsigned kCenturyPivot = 80; // two-digit years below it are 20xx

// Text keys (first two digits) a logical file of each kind may carry.
constexpr std::array<unsigned, 7> kCreditKeys = {51, 53, 54, 56, 67, 68, 69};
constexpr std::array<unsigned, 2> kDebitKeys = {4, 5};

bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

bool allBlank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char ch) { return ch == ' '; });
}

std::uint64_t digitsValue(std::string_view s) {
    std::uint64_t value = 0;
    for (char ch : s) {
        value = value * 10 + static_cast<unsigned>(ch - '0');
    }
    return value;
}

// Raw file bytes quoted in the protocol, which is UTF-8 inside the library.
std::string shown(std::string_view raw) {
    std::string text(raw);
    for (char& ch : text) {
        if (!dtatext::isTextByte(static_cast<unsigned char>(ch))) {
            ch = '?';
        }
    }
    return win1252::toUtf8(text);
}

// The whole protocol of a file that could not be read.
std::int32_t refuseUnreadable(DtaFile& out, const char* why) {
    out.protocol = "FEHLER " + std::to_string(result::kFileNotReadable) + ": " + why + "\r\n";
    return result::kFileNotReadable;
}

bool isLineEnd(char ch) {
    return ch == '\n' || ch == '\r';
}

// The file's size without the line ends after its last block, read from its tail; the
// stream is left at the start. Nothing when the tail cannot be read.
std::optional<std::uint64_t> sizeWithoutLineEnds(std::istream& in, std::uint64_t size) {
    std::array<char, kBlock> tail{};
    while (size > 0) {
        const std::uint64_t step = std::min<std::uint64_t>(size, tail.size());
        if (!in.seekg(static_cast<std::streamoff>(size - step)) ||
            !in.read(tail.data(), static_cast<std::streamsize>(step))) {
            return std::nullopt;
        }
        std::uint64_t kept = step;
        while (kept > 0 && isLineEnd(tail[static_cast<std::size_t>(kept - 1)])) {
            --kept;
        }
        size -= step - kept;
        if (kept > 0) {
            break;
        }
    }
    if (!in.seekg(0)) {
        return std::nullopt;
    }
    return size;
}

std::string plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// One pass over the bytes; every access goes through field(), which the record checks have
// already bounded.
class Parser {
public:
    Parser(DtaInput& input, const DtaReader::Limits& limits, DtaFile& out)
        : m_input(input), m_limits(limits), m_out(out) {}

    std::int32_t run();

private:
    std::int32_t parseA();
    std::int32_t parseC(DtaLogicalFile& file);
    std::int32_t parseE(DtaLogicalFile& file, std::uint64_t accountSum, std::uint64_t bankCodeSum);

    std::string_view field(Span span) const {
        return m_input.bytes(m_record + span.offset, span.width);
    }
    char byteAt(std::size_t offsetInRecord) const {
        return m_input.byte(m_record + offsetInRecord);
    }
    std::uint64_t remaining() const { return m_input.size() - m_record; }
    // Brings the longest record that may start here into reach.
    bool nextRecordReadable() { return m_input.ensure(m_record, kMaxRecordBytes); }

    bool number(Span span, const char* name, std::uint64_t& value);
    bool optionalNumber(Span span, const char* name, std::uint64_t& value);
    bool text(Span span, const char* name);
    std::int32_t fail(std::int32_t code, std::size_t offsetInRecord, const std::string& what);
    std::int32_t unreadable();
    void line(const std::string& text) { m_out.protocol.append(text).append("\r\n"); }

    DtaInput& m_input;
    const DtaReader::Limits& m_limits;
    DtaFile& m_out;
    std::uint64_t m_record = 0;     // offset of the current record
    std::size_t m_recordNumber = 0; // within the logical file, A = 1
    std::int32_t m_fieldError = result::kOk;
    std::size_t m_fieldOffset = 0;
    std::string m_fieldMessage;
};

std::int32_t Parser::unreadable() {
    return refuseUnreadable(m_out, kChangedWhileReading);
}

std::int32_t Parser::fail(std::int32_t code, std::size_t offsetInRecord, const std::string& what) {
    line("FEHLER " + std::to_string(code) + " bei Byte " +
         std::to_string(m_record + offsetInRecord + 1) + " (logische Datei " +
         std::to_string(m_out.files.size() + (m_recordNumber == 1 ? 1 : 0)) + ", Satz " +
         std::to_string(m_recordNumber) + "): " + what);
    return code;
}

bool Parser::number(Span span, const char* name, std::uint64_t& value) {
    const std::string_view raw = field(span);
    if (!allDigits(raw)) {
        m_fieldError = result::kBadNumericField;
        m_fieldOffset = span.offset;
        m_fieldMessage = std::string("Feld ") + name + " ist nicht numerisch";
        return false;
    }
    value = digitsValue(raw);
    return true;
}

bool Parser::optionalNumber(Span span, const char* name, std::uint64_t& value) {
    if (allBlank(field(span))) {
        value = 0;
        return true;
    }
    return number(span, name, value);
}

bool Parser::text(Span span, const char* name) {
    const std::string_view raw = field(span);
    const auto bad = std::find_if(raw.begin(), raw.end(), [](char ch) {
        return !dtatext::isTextByte(static_cast<unsigned char>(ch));
    });
    if (bad == raw.end()) {
        return true;
    }
    m_fieldError = result::kBadTextField;
    m_fieldOffset = span.offset + static_cast<std::size_t>(bad - raw.begin());
    m_fieldMessage = std::string("Feld ") + name + " enthält ein unzulässiges Zeichen";
    return false;
}

std::int32_t Parser::run() {
    if (m_input.size() == 0) {
        line("FEHLER " + std::to_string(result::kFileEmpty) + ": die Datei ist leer");
        return result::kFileEmpty;
    }
    while (m_record < m_input.size()) {
        if (!nextRecordReadable()) {
            return unreadable();
        }
        // A tail too short to show its record type counts as a cut-off record.
        if (!m_out.files.empty() && remaining() > kMarker && byteAt(kMarker) != 'A') {
            ++m_recordNumber;
            return fail(result::kTrailingData, 0, "Daten nach dem letzten Nachsatz (E)");
        }
        if (const std::int32_t rc = parseA(); rc != result::kOk) {
            return rc;
        }
        if (m_out.files.size() == 1) {
            // Once the file looks like DTA, room for as many entries as its size allows
            // spares the moves of a growing vector.
            m_out.entries.reserve(std::min(
                static_cast<std::size_t>(m_input.size() / kMinEntryBytes), m_limits.maxEntries));
        }
        DtaLogicalFile& file = m_out.files.back();
        std::uint64_t accountSum = 0;
        std::uint64_t bankCodeSum = 0;
        for (;;) {
            ++m_recordNumber;
            if (!nextRecordReadable()) {
                return unreadable();
            }
            if (remaining() < kBlock) {
                return fail(result::kTruncated, 0,
                            remaining() == 0 ? "der Nachsatz (E) fehlt"
                                             : "die Datei endet mitten im Satz");
            }
            const char marker = byteAt(kMarker);
            if (marker == 'E') {
                if (const std::int32_t rc = parseE(file, accountSum, bankCodeSum);
                    rc != result::kOk) {
                    return rc;
                }
                break;
            }
            if (marker != 'C') {
                return fail(result::kBadRecordType, kMarker,
                            "Satzart C oder E erwartet, gefunden Byte " +
                                std::to_string(static_cast<unsigned char>(marker)));
            }
            if (m_out.entries.size() >= m_limits.maxEntries) {
                return fail(result::kTooManyEntries, 0,
                            "mehr als " + std::to_string(m_limits.maxEntries) + " Zahlungen");
            }
            if (const std::int32_t rc = parseC(file); rc != result::kOk) {
                return rc;
            }
            const DtaEntry& entry = m_out.entries.back();
            accountSum += entry.counterpartyAccount;
            bankCodeSum += entry.counterpartyBankCode;
        }
    }
    return result::kOk;
}

std::int32_t Parser::parseA() {
    m_recordNumber = 1;
    if (remaining() < kBlock) {
        return fail(result::kTruncated, 0, "die Datei endet mitten im Vorsatz (A)");
    }
    if (byteAt(kMarker) != 'A') {
        return fail(result::kBadRecordType, kMarker,
                    "Vorsatz (A) erwartet, gefunden Byte " +
                        std::to_string(static_cast<unsigned char>(byteAt(kMarker))));
    }
    if (field(kLength) != kRecordLength128) {
        return fail(result::kBadRecordLength, kLength.offset,
                    "Satzlänge des Vorsatzes ist " + shown(field(kLength)) + " statt 0128");
    }
    DtaLogicalFile file;
    file.kind = std::string(field(a::kKind));
    if (file.kind == "GK" || file.kind == "GB") {
        file.directDebit = false;
    } else if (file.kind == "LK" || file.kind == "LB") {
        file.directDebit = true;
    } else {
        return fail(result::kBadFileKind, a::kKind.offset,
                    "unbekannte Dateiart \"" + shown(file.kind) + "\" (erlaubt: GK, LK, GB, LB)");
    }
    std::uint64_t receiver = 0;
    std::uint64_t sender = 0;
    std::uint64_t created = 0;
    std::uint64_t execution = 0;
    if (!number(a::kReceiverBankCode, "A4 (BLZ Empfänger)", receiver) ||
        !optionalNumber(a::kSenderBankCode, "A5 (BLZ Absender)", sender) ||
        !number(a::kCreationDate, "A7 (Erstellungsdatum)", created) ||
        !number(a::kSenderAccount, "A9 (Konto Absender)", file.senderAccount) ||
        !optionalNumber(a::kReference, "A10 (Referenz)", file.reference) ||
        !text(a::kSenderName, "A6 (Name Absender)")) {
        return fail(m_fieldError, m_fieldOffset, m_fieldMessage);
    }
    file.receiverBankCode = static_cast<std::uint32_t>(receiver);
    file.senderBankCode = static_cast<std::uint32_t>(sender);
    file.senderName = dtatext::decodeField(field(a::kSenderName));

    const std::string_view yy = field(a::kCreationDate).substr(4, 2);
    const unsigned year = static_cast<unsigned>(digitsValue(yy));
    file.creationDate = std::string(field(a::kCreationDate).substr(0, 4)) +
                        (year < kCenturyPivot ? "20" : "19") + std::string(yy);
    if (!dtatext::isValidDate(file.creationDate)) {
        return fail(result::kBadNumericField, a::kCreationDate.offset,
                    "Feld A7 (Erstellungsdatum) ist kein gültiges Datum");
    }
    const std::string_view executionRaw = field(a::kExecutionDate);
    if (!allBlank(executionRaw) && executionRaw != "00000000") {
        if (!number(a::kExecutionDate, "A11b (Ausführungsdatum)", execution)) {
            return fail(m_fieldError, m_fieldOffset, m_fieldMessage);
        }
        if (!dtatext::isValidDate(executionRaw)) {
            return fail(result::kBadNumericField, a::kExecutionDate.offset,
                        "Feld A11b (Ausführungsdatum) ist kein gültiges Datum");
        }
        file.executionDate = std::string(executionRaw);
    }
    if (byteAt(a::kCurrency) != kEuro) {
        return fail(result::kBadCurrency, a::kCurrency, "Währung im Vorsatz ist nicht Euro (1)");
    }
    file.firstEntry = m_out.entries.size();
    m_out.files.push_back(std::move(file));
    m_record += kBlock;
    return result::kOk;
}

std::int32_t Parser::parseC(DtaLogicalFile& file) {
    if (remaining() < c::kMinBlocks * kBlock) {
        return fail(result::kTruncated, 0, "die Datei endet mitten im Zahlungssatz (C)");
    }
    std::uint64_t length = 0;
    std::uint64_t extensions = 0;
    if (!number(kLength, "C1 (Satzlänge)", length)) {
        return fail(result::kBadRecordLength, kLength.offset, m_fieldMessage);
    }
    if (!number(c::kExtensionCount, "C18 (Anzahl Erweiterungsteile)", extensions)) {
        return fail(result::kBadExtension, c::kExtensionCount.offset, m_fieldMessage);
    }
    if (extensions > c::kMaxExtensions) {
        return fail(result::kBadExtension, c::kExtensionCount.offset,
                    std::to_string(extensions) + " Erweiterungsteile (höchstens 15)");
    }
    if (length != c::kFixedLength + c::kExtensionSize * extensions) {
        return fail(result::kBadRecordLength, kLength.offset,
                    "Satzlänge " + shown(field(kLength)) + " passt nicht zu " +
                        plural(extensions, "Erweiterungsteil", "Erweiterungsteilen"));
    }
    const std::size_t blocks =
        c::kMinBlocks + (extensions > c::kExtensionsInBlock2
                             ? (extensions - c::kExtensionsInBlock2 + c::kExtensionsPerBlock - 1) /
                                   c::kExtensionsPerBlock
                             : 0);
    if (remaining() < blocks * kBlock) {
        return fail(result::kTruncated, 0, "die Datei endet mitten im Zahlungssatz (C)");
    }

    // Built in place: a failed record fails the whole read, which drops every entry.
    DtaEntry& entry = m_out.entries.emplace_back();
    entry.logicalFile = static_cast<std::uint32_t>(m_out.files.size());
    entry.directDebit = file.directDebit;
    std::uint64_t firstBank = 0;
    std::uint64_t bank = 0;
    std::uint64_t key = 0;
    std::uint64_t keyExtension = 0;
    std::uint64_t originatorBank = 0;
    if (!optionalNumber(c::kFirstBankCode, "C3 (erstbeteiligte BLZ)", firstBank) ||
        !number(c::kCounterpartyBankCode, "C4 (BLZ)", bank) ||
        !number(c::kCounterpartyAccount, "C5 (Kontonummer)", entry.counterpartyAccount) ||
        !optionalNumber(c::kCustomerNumber, "C6 (Kundennummer)", entry.customerNumber) ||
        !number(c::kTextKey, "C7a (Textschlüssel)", key) ||
        !number(c::kTextKeyExtension, "C7b (Textschlüsselergänzung)", keyExtension) ||
        !number(c::kOriginatorBankCode, "C10 (BLZ Auftraggeber)", originatorBank) ||
        !number(c::kOriginatorAccount, "C11 (Konto Auftraggeber)", entry.originatorAccount) ||
        !number(c::kAmount, "C12 (Betrag)", entry.amountCents) ||
        !text(c::kCounterpartyName, "C14a (Name)") ||
        !text(c::kOriginatorName, "C15 (Name Auftraggeber)") ||
        !text(c::kPurpose, "C16 (Verwendungszweck)")) {
        return fail(m_fieldError, m_fieldOffset, m_fieldMessage);
    }
    entry.firstBankCode = static_cast<std::uint32_t>(firstBank);
    entry.counterpartyBankCode = static_cast<std::uint32_t>(bank);
    entry.originatorBankCode = static_cast<std::uint32_t>(originatorBank);
    entry.textKey = static_cast<std::uint32_t>(key * 1000 + keyExtension);

    const auto keyFits = [&](const auto& keys) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    };
    if (file.directDebit ? !keyFits(kDebitKeys) : !keyFits(kCreditKeys)) {
        return fail(result::kTextKeyMismatch, c::kTextKey.offset,
                    "Textschlüssel " + std::string(field(c::kTextKey)) +
                        std::string(field(c::kTextKeyExtension)) + " passt nicht zur Dateiart " +
                        file.kind);
    }
    if (byteAt(c::kCurrency) != kEuro) {
        return fail(result::kBadCurrency, c::kCurrency,
                    "Währung im Zahlungssatz ist nicht Euro (1)");
    }

    // Names continue in their extension parts exactly where the fixed field ends, so the
    // raw fields are joined before trimming.
    std::string counterpartyRaw(field(c::kCounterpartyName));
    std::string originatorRaw(field(c::kOriginatorName));
    std::string purpose = dtatext::decodeField(field(c::kPurpose));
    entry.firstPurposeLength = static_cast<std::uint8_t>(purpose.size());
    entry.purposeLines = 1;
    unsigned purposeExtensions = 0;
    bool haveCounterpartyExt = false;
    bool haveOriginatorExt = false;
    for (std::size_t k = 0; k < extensions; ++k) {
        const std::size_t offset =
            k < c::kExtensionsInBlock2
                ? c::kFirstExtension + k * c::kExtensionSize
                : (c::kMinBlocks + (k - c::kExtensionsInBlock2) / c::kExtensionsPerBlock) * kBlock +
                      ((k - c::kExtensionsInBlock2) % c::kExtensionsPerBlock) * c::kExtensionSize;
        const std::string_view type = field({offset, c::kExtensionTypeWidth});
        const Span contentSpan{offset + c::kExtensionTypeWidth, c::kExtensionTextWidth};
        const std::string_view content = field(contentSpan);
        const auto where = [k] { return "Erweiterungsteil " + std::to_string(k + 1); };
        if (!allDigits(type)) {
            return fail(result::kBadExtension, offset,
                        where() + ": Kennzeichen ist nicht numerisch");
        }
        if (!text(contentSpan, "Erweiterungsteil")) {
            return fail(m_fieldError, m_fieldOffset, m_fieldMessage);
        }
        const auto kind = static_cast<unsigned>(digitsValue(type));
        if (kind == c::kExtCounterpartyName && !haveCounterpartyExt) {
            haveCounterpartyExt = true;
            counterpartyRaw.append(content);
        } else if (kind == c::kExtOriginatorName && !haveOriginatorExt) {
            haveOriginatorExt = true;
            originatorRaw.append(content);
        } else if (kind == c::kExtPurpose && purposeExtensions < c::kMaxPurposeExtensions) {
            ++purposeExtensions;
            ++entry.purposeLines;
            const std::string line = dtatext::decodeField(content);
            if (!line.empty()) {
                if (!purpose.empty()) {
                    purpose += ' ';
                }
                purpose += line;
            }
        } else {
            return fail(result::kBadExtension, offset,
                        where() + ": Kennzeichen " + shown(type) +
                            " ist unbekannt oder zu oft vorhanden");
        }
    }
    entry.extensionCount = static_cast<std::uint8_t>(extensions);
    entry.counterpartyName = dtatext::decodeField(counterpartyRaw);
    entry.originatorName = dtatext::decodeField(originatorRaw);
    entry.purpose = std::move(purpose);

    ++file.entryCount;
    file.amountSum += entry.amountCents;
    m_record += blocks * kBlock;
    return result::kOk;
}

std::int32_t Parser::parseE(DtaLogicalFile& file, std::uint64_t accountSum,
                            std::uint64_t bankCodeSum) {
    if (field(kLength) != kRecordLength128) {
        return fail(result::kBadRecordLength, kLength.offset,
                    "Satzlänge des Nachsatzes ist " + shown(field(kLength)) + " statt 0128");
    }
    std::uint64_t count = 0;
    std::uint64_t accounts = 0;
    std::uint64_t bankCodes = 0;
    std::uint64_t amounts = 0;
    if (!number(e::kCount, "E4 (Anzahl)", count) ||
        !number(e::kAccountSum, "E6 (Summe Kontonummern)", accounts) ||
        !number(e::kBankCodeSum, "E7 (Summe Bankleitzahlen)", bankCodes) ||
        !number(e::kAmountSum, "E8 (Summe Beträge)", amounts)) {
        return fail(m_fieldError, m_fieldOffset, m_fieldMessage);
    }
    if (count != file.entryCount) {
        return fail(result::kCountMismatch, e::kCount.offset,
                    "Nachsatz nennt " + std::to_string(count) + " Zahlungen, gelesen " +
                        std::to_string(file.entryCount));
    }
    if (accounts != accountSum) {
        return fail(result::kAccountSumMismatch, e::kAccountSum.offset,
                    "Kontrollsumme der Kontonummern " + std::to_string(accounts) + ", errechnet " +
                        std::to_string(accountSum));
    }
    if (bankCodes != bankCodeSum) {
        return fail(result::kBankCodeSumMismatch, e::kBankCodeSum.offset,
                    "Kontrollsumme der Bankleitzahlen " + std::to_string(bankCodes) +
                        ", errechnet " + std::to_string(bankCodeSum));
    }
    if (amounts != file.amountSum) {
        return fail(result::kAmountSumMismatch, e::kAmountSum.offset,
                    "Kontrollsumme der Beträge " + dtatext::formatCents(amounts) + ", errechnet " +
                        dtatext::formatCents(file.amountSum));
    }
    line("Logische Datei " + std::to_string(m_out.files.size()) + ": " + file.kind + ", BLZ " +
         std::to_string(file.receiverBankCode) + ", Absender " + win1252::toUtf8(file.senderName) +
         ", Konto " + std::to_string(file.senderAccount) + ", erstellt am " +
         dtatext::formatDate(file.creationDate) +
         (file.executionDate.empty()
              ? std::string()
              : ", ausführen am " + dtatext::formatDate(file.executionDate)));
    line("  " + plural(file.entryCount, "Zahlung", "Zahlungen") + ", Summe " +
         dtatext::formatCents(file.amountSum) + " EUR");
    m_record += kBlock;
    return result::kOk;
}

} // namespace

std::int32_t DtaReader::parse(std::span<const unsigned char> bytes, DtaFile& out) const {
    out.clear();
    std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    // A line end after the last block is tolerated; anything else must be whole records.
    while (!view.empty() && isLineEnd(view.back())) {
        view.remove_suffix(1);
    }
    if (bytes.size() > m_limits.maxFileBytes) {
        return refuseTooLarge(out);
    }
    DtaInput input(view);
    return parseInput(input, out);
}

std::int32_t DtaReader::readFile(const std::string& path, DtaFile& out) const {
    out.clear();
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path file = fs::u8path(path);
    if (!fs::is_regular_file(file, ec)) {
        return refuseUnreadable(out, "die Datei fehlt oder ist keine gewöhnliche Datei");
    }
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec) {
        return refuseUnreadable(out, "die Größe der Datei ist nicht lesbar");
    }
    if (size > m_limits.maxFileBytes) {
        return refuseTooLarge(out);
    }
    std::ifstream in(file, std::ios::binary);
    const std::optional<std::uint64_t> records = sizeWithoutLineEnds(in, size);
    if (!records) {
        return refuseUnreadable(out, kChangedWhileReading);
    }
    DtaInput input(in, *records);
    const std::int32_t rc = parseInput(input, out);
    // A file that grew while it was read is not the file that was checked.
    if (rc == result::kOk && (!in.seekg(static_cast<std::streamoff>(size)) ||
                              in.peek() != std::char_traits<char>::eof())) {
        out.files.clear();
        out.entries.clear();
        return refuseUnreadable(out, kChangedWhileReading);
    }
    return rc;
}

std::int32_t DtaReader::parseInput(DtaInput& input, DtaFile& out) const {
    const std::int32_t rc = Parser(input, m_limits, out).run();
    if (rc != result::kOk) {
        out.files.clear();
        out.entries.clear();
        return rc;
    }
    const std::size_t debits = out.countOf(true);
    out.protocol +=
        "Ergebnis: 0, " + plural(out.files.size(), "logische Datei", "logische Dateien") + ", " +
        plural(out.entries.size(), "Zahlung", "Zahlungen") + " (" +
        std::to_string(out.entries.size() - debits) + " Überweisungen, " + std::to_string(debits) +
        " Lastschriften), Summe " + dtatext::formatCents(out.amountSum()) + " EUR\r\n";
    return rc;
}

std::int32_t DtaReader::refuseTooLarge(DtaFile& out) const {
    out.protocol = "FEHLER " + std::to_string(result::kFileTooLarge) +
                   ": die Datei ist größer als " + std::to_string(m_limits.maxFileBytes) +
                   " Bytes\r\n";
    return result::kFileTooLarge;
}

} // namespace paylib
