#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes DTAUS files from the format's public description, for tests and the benchmark.
// Texts are written as given (DIN 66003 bytes such as '[' for Ä included), cut or padded
// to their fields.
namespace dtatest {

struct Payment {
    std::uint32_t bankCode = 37040044;
    std::uint64_t account = 532013000;
    std::uint64_t cents = 100;
    std::string name = "MUSTERMANN, MAX";
    std::string nameContinued;                             // extension 01 when not empty
    std::vector<std::string> purposes = {"RECHNUNG 4711"}; // C16, then extensions 02
    std::uint32_t originatorBankCode = 50010517;
    std::uint64_t originatorAccount = 648489890;
    std::string originatorName = "BEISPIEL GMBH";
    std::string originatorNameContinued; // extension 03 when not empty
    std::uint32_t textKey = 0;           // 0: 51000 in G files, 05000 in L files
};

struct LogicalFile {
    std::string kind = "GK";
    std::uint32_t bankCode = 50010517;
    std::string senderName = "BEISPIEL GMBH";
    std::uint64_t senderAccount = 648489890;
    std::string creationDate = "010125"; // DDMMYY
    std::string executionDate;           // DDMMYYYY or empty
    std::vector<Payment> payments;
};

// Record length of a C record with `extensions` parts, and its size in bytes on disk.
std::size_t cRecordLength(std::size_t extensions);
std::size_t cRecordBytes(std::size_t extensions);

std::string write(const std::vector<LogicalFile>& files);
inline std::string write(const LogicalFile& file) {
    return write(std::vector<LogicalFile>{file});
}

// The account number of `stem` and its check digit under the Bundesbank's method 00:
// weights 2, 1, 2, ... from the right, the digit sums of the products added, the check digit
// makes the sum a multiple of ten.
std::uint64_t withMethod00CheckDigit(std::uint64_t stem);

// A logical file of `count` credit transfers (GK) or direct debits (LK) with varying
// accounts (with valid check digits), amounts and purposes, at banks whose IBAN follows the
// standard rule.
LogicalFile many(std::size_t count, bool directDebits);

} // namespace dtatest
