#include "paylib/bank/BankFileLocator.h"

#include "helpers/DateHelpers.h"
#include "platform/SystemClock.h"
#include "platform/Win1252.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace paylib {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "blz";
constexpr std::string_view kSuffix = ".txt";
constexpr std::size_t kDateDigits = 8;
// The complete file is about 3.3 MB; anything far larger is not one.
constexpr std::uintmax_t kMaxFileSize = 64u * 1024u * 1024u;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string lower(std::string_view text) {
    return win1252::toLower(text);
}

struct Candidate {
    fs::path path;
    std::int32_t validFrom;
};

std::int32_t modificationDay(const fs::path& path) {
    std::error_code ec;
    const auto written = fs::last_write_time(path, ec);
    if (ec)
        return 0;
    const auto system = std::chrono::file_clock::to_sys(written);
    const platform::LocalDateTime local =
        platform::SystemClock::localTime(std::chrono::system_clock::to_time_t(system));
    return BankTable::periodStart(DayNumberFromDate(local.year, local.month, local.day));
}

bool readFile(const fs::path& path, std::string& content) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec || size > kMaxFileSize)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

std::int32_t BankFileLocator::dateInName(std::string_view fileName) {
    for (std::size_t i = 0; i + kDateDigits <= fileName.size(); ++i) {
        const std::string_view digits = fileName.substr(i, kDateDigits);
        if (!std::all_of(digits.begin(), digits.end(), isDigit))
            continue;
        const int year = std::stoi(std::string(digits.substr(0, 4)));
        const int month = std::stoi(std::string(digits.substr(4, 2)));
        const int day = std::stoi(std::string(digits.substr(6, 2)));
        const std::int32_t number = DayNumberFromDate(year, month, day);
        const CalendarDate back = DateFromDayNumber(number);
        if (back.year == year && back.month == month && back.day == day && IsValidDayNumber(number))
            return number;
    }
    return -1;
}

BankFileLocator::Outcome BankFileLocator::load(std::string_view directory, BankTable& table,
                                               std::string* fileName) {
    const fs::path dir(win1252::toUtf8(directory));
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        return Outcome::NoDirectory;

    std::vector<Candidate> candidates;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string name = win1252::fromUtf8(it->path().filename().string());
        const std::string folded = lower(name);
        if (!folded.starts_with(kPrefix) || !folded.ends_with(kSuffix))
            continue;
        const std::int32_t dated = dateInName(name);
        candidates.push_back({it->path(), dated >= 0 ? dated : modificationDay(it->path())});
    }
    if (candidates.empty())
        return Outcome::NoFile;

    // Newest first; among equal dates the name decides, so the choice does not depend on
    // the order in which the directory lists its files.
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.validFrom != b.validFrom ? a.validFrom > b.validFrom : a.path > b.path;
    });
    std::string content;
    for (const Candidate& candidate : candidates) {
        BankTable loaded;
        if (!readFile(candidate.path, content) || !loaded.parse(content))
            continue;
        loaded.setValidFrom(candidate.validFrom);
        table = std::move(loaded);
        if (fileName)
            *fileName = win1252::fromUtf8(candidate.path.string());
        return Outcome::Loaded;
    }
    return Outcome::Rejected;
}

} // namespace paylib
