#include "paylib/bank/BankTable.h"

#include "helpers/DateHelpers.h"
#include "helpers/TextHelpers.h"
#include "platform/Win1252.h"
#include "platform/Win1252Literal.h"

#include <algorithm>
#include <array>

namespace paylib {
namespace {

using namespace win1252::literals;

// Fields of a record, 0-based offsets into its 174 (or 168) characters.
struct Span {
    std::size_t offset;
    std::size_t width;
};
constexpr Span kBankCode{0, 8};
constexpr Span kMarker{8, 1};
constexpr Span kName{9, 58};
constexpr Span kPostcode{67, 5};
constexpr Span kCity{72, 35};
constexpr Span kShortName{107, 27};
constexpr Span kPan{134, 5};
constexpr Span kBic{139, 11};
constexpr Span kCheckMethod{150, 2};
constexpr Span kRecordNumber{152, 6};
constexpr Span kChangeCode{158, 1};
constexpr Span kDeletion{159, 1};
constexpr Span kSuccessor{160, 8};
constexpr Span kIbanRule{168, 6};

constexpr char kPaymentMarker = '1';
constexpr char kBranchMarker = '2';
constexpr std::size_t kShortBic = 8;
constexpr std::size_t kLongBic = 11;
constexpr std::string_view kStandardRule = "000000";
constexpr unsigned char kFirstC1Control = 0x80;
constexpr unsigned char kLastC1Control = 0x9F;

// Saturday is day 0 of the week for day number 0 (1 January 1600 was a Saturday).
constexpr std::int32_t kDaysPerWeek = 7;
constexpr std::int32_t kDaysSaturdayToMonday = 2;
constexpr std::array<int, 4> kQuarterMonths = {3, 6, 9, 12};

std::string_view field(std::string_view line, Span span) {
    return line.substr(span.offset, span.width);
}

bool allOf(std::string_view text, bool (*pred)(char)) {
    return std::all_of(text.begin(), text.end(), pred);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ';
}
bool isDigitOrBlank(char c) {
    return isDigit(c) || isBlank(c);
}
bool isBicChar(char c) {
    return isDigit(c) || (c >= 'A' && c <= 'Z');
}
bool isCheckMethodChar(char c) {
    return isDigit(c) || (c >= 'A' && c <= 'Z');
}

bool isRecordLength(std::size_t length) {
    return length == BankTable::kRecordLength || length == BankTable::kRecordLengthWithoutRule;
}

// The line as Windows-1252 characters: Latin-1 bytes as published, or UTF-8 when that is
// what makes it a record.
bool decodeLine(std::string_view raw, std::string& line) {
    if (isRecordLength(raw.size())) {
        line.assign(raw);
        // Latin-1 has only control codes where Windows-1252 has its extra characters.
        for (char& c : line) {
            const auto u = static_cast<unsigned char>(c);
            if (u >= kFirstC1Control && u <= kLastC1Control)
                c = '?';
        }
        return true;
    }
    line = win1252::fromUtf8(raw);
    return isRecordLength(line.size()) && win1252::toUtf8(line) == raw;
}

// Field 14 when the record has it: six digits, or blanks for a file without rules.
bool readRule(std::string_view line, std::string& rule) {
    rule.clear();
    if (line.size() < BankTable::kRecordLength)
        return true;
    const std::string_view field14 = field(line, kIbanRule);
    if (allOf(field14, isBlank))
        return true;
    if (!allOf(field14, isDigit))
        return false;
    rule = field14;
    return true;
}

bool checkBic(std::string_view bic) {
    const std::size_t used = bic.find(' ');
    const std::string_view code = bic.substr(0, used);
    if (used != std::string_view::npos && !allOf(bic.substr(used), isBlank))
        return false;
    return code.empty() ||
           ((code.size() == kShortBic || code.size() == kLongBic) && allOf(code, isBicChar));
}

bool parseRecord(const std::string& line, BankRecord& record, char& marker) {
    marker = field(line, kMarker)[0];
    const char change = field(line, kChangeCode)[0];
    const char deletion = field(line, kDeletion)[0];
    if (!allOf(field(line, kBankCode), isDigit) ||
        (marker != kPaymentMarker && marker != kBranchMarker) ||
        !allOf(field(line, kPostcode), isDigitOrBlank) ||
        !allOf(field(line, kPan), isDigitOrBlank) || !checkBic(field(line, kBic)) ||
        !allOf(field(line, kCheckMethod), isCheckMethodChar) ||
        !allOf(field(line, kRecordNumber), isDigit) ||
        std::string_view("AMUD").find(change) == std::string_view::npos ||
        (deletion != '0' && deletion != '1') || !allOf(field(line, kSuccessor), isDigit) ||
        !readRule(line, record.ibanRule))
        return false;
    record.bankCode = field(line, kBankCode);
    record.name = TrimText(field(line, kName));
    record.postcode = TrimText(field(line, kPostcode));
    record.city = TrimText(field(line, kCity));
    record.shortName = TrimText(field(line, kShortName));
    record.bic = TrimText(field(line, kBic));
    record.checkMethod = field(line, kCheckMethod);
    record.changeCode = change;
    record.deletionAnnounced = deletion == '1';
    record.successor = field(line, kSuccessor);
    return true;
}

// Eight digits as a number; order and equality are those of the digit strings.
std::uint32_t codeNumber(std::string_view digits) {
    return static_cast<std::uint32_t>(TextToInt64(digits));
}

std::int32_t weekday(std::int32_t dayNumber) {
    return dayNumber % kDaysPerWeek; // 0 Saturday ... 6 Friday
}

// Monday after the first Saturday of the month.
std::int32_t fileStart(int year, int month) {
    const std::int32_t first = DayNumberFromDate(year, month, 1);
    const std::int32_t toSaturday = (kDaysPerWeek - weekday(first)) % kDaysPerWeek;
    return first + toSaturday + kDaysSaturdayToMonday;
}

} // namespace

bool BankTable::parse(std::string_view content, std::string* error) {
    m_records.clear();
    std::vector<BankRecord> records;
    std::string line;
    std::size_t lineNumber = 0;
    auto fail = [&](std::string_view why) {
        if (error)
            *error = "Zeile " + std::to_string(lineNumber) + ": " + std::string(why);
        return false;
    };
    while (!content.empty()) {
        ++lineNumber;
        const std::size_t end = content.find('\n');
        std::string_view raw = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        if (raw.empty())
            continue;
        if (!decodeLine(raw, line))
            return fail("Satzlänge nicht 174 oder 168"_win1252);
        BankRecord record;
        char marker = 0;
        if (!parseRecord(line, record, marker))
            return fail("Feldinhalt ungültig"_win1252);
        if (marker == kPaymentMarker)
            records.push_back(std::move(record));
    }
    if (records.empty())
        return fail("keine Zahlungsverkehrssätze"_win1252);
    return assign(std::move(records), error);
}

bool BankTable::assign(std::vector<BankRecord> records, std::string* error) {
    m_records.clear();
    m_codes.clear();
    std::sort(records.begin(), records.end(),
              [](const BankRecord& a, const BankRecord& b) { return a.bankCode < b.bankCode; });
    const auto twice = std::adjacent_find(
        records.begin(), records.end(),
        [](const BankRecord& a, const BankRecord& b) { return a.bankCode == b.bankCode; });
    if (twice != records.end()) {
        if (error)
            *error = "Bankleitzahl " + twice->bankCode + " mehrfach";
        return false;
    }
    m_records = std::move(records);
    m_codes.reserve(m_records.size());
    for (const BankRecord& record : m_records)
        m_codes.push_back(codeNumber(record.bankCode));
    return true;
}

std::size_t BankTable::takeMissingRulesFrom(const BankTable& source) {
    std::size_t filled = 0;
    for (BankRecord& record : m_records) {
        if (!record.ibanRule.empty())
            continue;
        const BankRecord* known = source.find(record.bankCode);
        record.ibanRule = known ? known->ibanRule : std::string(kStandardRule);
        ++filled;
    }
    return filled;
}

const BankRecord* BankTable::find(std::string_view bankCode) const {
    if (bankCode.size() != kBankCode.width || !allOf(bankCode, isDigit))
        return nullptr;
    const std::uint32_t number = codeNumber(bankCode);
    const auto it = std::lower_bound(m_codes.begin(), m_codes.end(), number);
    if (it == m_codes.end() || *it != number)
        return nullptr;
    return &m_records[static_cast<std::size_t>(it - m_codes.begin())];
}
void BankTable::setValidFrom(std::int32_t dayNumber) {
    m_validFrom = dayNumber;
    m_validUntil = nextPeriodStart(dayNumber) - 1;
}

std::int32_t BankTable::periodStart(std::int32_t dayNumber) {
    const CalendarDate date = DateFromDayNumber(dayNumber);
    std::int32_t best = fileStart(date.year - 1, kQuarterMonths.back());
    for (int month : kQuarterMonths) {
        const std::int32_t start = fileStart(date.year, month);
        if (start <= dayNumber)
            best = start;
    }
    return best;
}

std::int32_t BankTable::nextPeriodStart(std::int32_t dayNumber) {
    const CalendarDate date = DateFromDayNumber(dayNumber);
    for (int month : kQuarterMonths) {
        const std::int32_t start = fileStart(date.year, month);
        if (start > dayNumber)
            return start;
    }
    return fileStart(date.year + 1, kQuarterMonths.front());
}

} // namespace paylib
