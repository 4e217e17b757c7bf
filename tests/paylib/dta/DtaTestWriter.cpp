#include "tests/paylib/dta/DtaTestWriter.h"

#include <algorithm>

namespace dtatest {
namespace {

constexpr std::size_t kBlock = 128;
constexpr std::size_t kFixed = 187;
constexpr std::size_t kExtension = 29;
constexpr std::size_t kText = 27;

std::string alpha(const std::string& text, std::size_t width) {
    std::string field = text.substr(0, std::min(text.size(), width));
    field.resize(width, ' ');
    return field;
}

std::string digits(std::uint64_t value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() > width) {
        text = text.substr(text.size() - width);
    }
    return std::string(width - text.size(), '0') + text;
}

std::string aRecord(const LogicalFile& file) {
    std::string r;
    r += "0128A" + alpha(file.kind, 2);
    r += digits(file.bankCode, 8) + digits(0, 8);
    r += alpha(file.senderName, 27);
    r += alpha(file.creationDate, 6) + std::string(4, ' ');
    r += digits(file.senderAccount, 10) + digits(0, 10);
    r += std::string(15, ' ') + alpha(file.executionDate, 8) + std::string(24, ' ') + "1";
    return r;
}

std::string cRecord(const LogicalFile& file, const Payment& p) {
    std::vector<std::string> ext;
    if (!p.nameContinued.empty()) {
        ext.push_back("01" + alpha(p.nameContinued, kText));
    }
    for (std::size_t i = 1; i < p.purposes.size(); ++i) {
        ext.push_back("02" + alpha(p.purposes[i], kText));
    }
    if (!p.originatorNameContinued.empty()) {
        ext.push_back("03" + alpha(p.originatorNameContinued, kText));
    }
    const std::uint32_t key = p.textKey != 0 ? p.textKey : (file.kind[0] == 'L' ? 5000 : 51000);
    std::string r;
    r += digits(cRecordLength(ext.size()), 4) + "C";
    r += digits(0, 8) + digits(p.bankCode, 8) + digits(p.account, 10) + digits(0, 13);
    r += digits(key, 5) + " " + digits(0, 11);
    r += digits(p.originatorBankCode, 8) + digits(p.originatorAccount, 10);
    r += digits(p.cents, 11) + "   " + alpha(p.name, kText) + std::string(8, ' ');
    r += alpha(p.originatorName, kText);
    r += alpha(p.purposes.empty() ? std::string() : p.purposes[0], kText);
    r += "1  " + digits(ext.size(), 2);
    for (std::size_t i = 0; i < 2; ++i) {
        r += i < ext.size() ? ext[i] : std::string(kExtension, ' ');
    }
    r += std::string(11, ' ');
    for (std::size_t i = 2; i < ext.size(); i += 4) {
        for (std::size_t k = i; k < i + 4; ++k) {
            r += k < ext.size() ? ext[k] : std::string(kExtension, ' ');
        }
        r += std::string(12, ' ');
    }
    return r;
}

} // namespace

std::size_t cRecordLength(std::size_t extensions) {
    return kFixed + kExtension * extensions;
}

std::size_t cRecordBytes(std::size_t extensions) {
    return kBlock * (2 + (extensions > 2 ? (extensions - 2 + 3) / 4 : 0));
}

std::string write(const std::vector<LogicalFile>& files) {
    std::string out;
    for (const LogicalFile& file : files) {
        out += aRecord(file);
        std::uint64_t accounts = 0;
        std::uint64_t banks = 0;
        std::uint64_t cents = 0;
        for (const Payment& p : file.payments) {
            out += cRecord(file, p);
            accounts += p.account;
            banks += p.bankCode;
            cents += p.cents;
        }
        out += "0128E     " + digits(file.payments.size(), 7) + digits(0, 13) +
               digits(accounts, 17) + digits(banks, 17) + digits(cents, 13) + std::string(51, ' ');
    }
    return out;
}

std::uint64_t withMethod00CheckDigit(std::uint64_t stem) {
    unsigned sum = 0;
    unsigned weight = 2;
    for (std::uint64_t rest = stem; rest > 0; rest /= 10) {
        const unsigned product = static_cast<unsigned>(rest % 10) * weight;
        sum += product / 10 + product % 10;
        weight = 3 - weight;
    }
    return stem * 10 + (10 - sum % 10) % 10;
}

LogicalFile many(std::size_t count, bool directDebits) {
    // Standard-rule banks whose accounts carry check digits of method 00.
    static constexpr std::uint32_t kBanks[] = {12030000, 20050550, 10220500, 26650001, 44350060};
    LogicalFile file;
    file.kind = directDebits ? "LK" : "GK";
    file.payments.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        Payment p;
        p.bankCode = kBanks[i % std::size(kBanks)];
        p.account = withMethod00CheckDigit(100000 + i);
        p.cents = 100 + (i % 100000);
        p.name = "KUNDE " + std::to_string(i);
        p.purposes = {"RECHNUNG " + std::to_string(i), "KUNDENNUMMER " + std::to_string(i % 997)};
        file.payments.push_back(std::move(p));
    }
    return file;
}

} // namespace dtatest
