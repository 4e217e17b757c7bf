#include "paylib/dta/DtaReader.h"

#include "paylib/ResultCodes.h"
#include "paylib/dta/DtaFile.h"
#include "tests/paylib/dta/DtaTestWriter.h"
#include "tests/support/DtaSamples.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using paylib::DtaFile;
using paylib::DtaReader;
namespace result = paylib::result;

namespace {

std::int32_t parse(const std::string& bytes, DtaFile& out,
                   DtaReader::Limits limits = DtaReader::Limits{}) {
    return DtaReader(limits).parse(
        {reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}, out);
}

std::int32_t parse(const std::string& bytes) {
    DtaFile out;
    return parse(bytes, out);
}

std::string sample(const std::string& name) {
    std::ifstream in(std::filesystem::path(ZALVO_DTA_SAMPLES) / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

dtatest::LogicalFile twoCredits() {
    dtatest::LogicalFile file;
    dtatest::Payment first;
    first.cents = 1050;
    dtatest::Payment second;
    second.bankCode = 10010010;
    second.account = 6820101;
    second.cents = 99;
    second.name = "ERIKA MUSTERFRAU";
    file.payments = {first, second};
    return file;
}

dtatest::LogicalFile oneDebit() {
    dtatest::LogicalFile file;
    file.kind = "LK";
    dtatest::Payment p;
    p.cents = 2500;
    p.name = "ZAHLER AG";
    file.payments = {p};
    return file;
}

// Offsets of fields inside the own test files (0-based).
constexpr std::size_t kA = 0;
constexpr std::size_t kC = 128;  // first C record
constexpr std::size_t kC2 = 384; // second C record of twoCredits (0 extensions)
constexpr std::size_t kE2 = 640; // E record of twoCredits

} // namespace

TEST(DtaReader, ReadsPublishedCreditTransferSample) {
    ZALVO_REQUIRE_DTA_SAMPLES();
    DtaFile out;
    ASSERT_EQ(parse(sample("pear_show_dta_gk_two_credits.dta"), out), result::kOk) << out.protocol;
    ASSERT_EQ(out.files.size(), 1u);
    EXPECT_EQ(out.files[0].kind, "GK");
    EXPECT_FALSE(out.files[0].directDebit);
    EXPECT_EQ(out.files[0].receiverBankCode, 16050000u);
    EXPECT_EQ(out.files[0].senderAccount, 3503007767u);
    EXPECT_EQ(out.files[0].senderName, "SENDERS NAME");
    EXPECT_EQ(out.files[0].creationDate, "30012010");
    EXPECT_EQ(out.files[0].amountSum, 155646u);
    ASSERT_EQ(out.entries.size(), 2u);
    const auto& e = out.entries[0];
    EXPECT_EQ(e.counterpartyBankCode, 33334444u);
    EXPECT_EQ(e.counterpartyAccount, 13579000u);
    EXPECT_EQ(e.originatorBankCode, 16050000u);
    EXPECT_EQ(e.originatorAccount, 3503007767u);
    EXPECT_EQ(e.amountCents, 123456u);
    EXPECT_EQ(out.entries[1].amountCents, 32190u);
    EXPECT_EQ(e.textKey, 51000u);
    EXPECT_EQ(e.counterpartyName, "FRANZ MUELLER");
    EXPECT_EQ(e.originatorName, "SENDERS NAME");
    EXPECT_EQ(e.purpose, "TEST-VERWENDUNGSZWECK");
    EXPECT_EQ(e.logicalFile, 1u);
    EXPECT_NE(out.protocol.find("Ergebnis: 0, 1 logische Datei, 2 Zahlungen"), std::string::npos)
        << out.protocol;
}

TEST(DtaReader, ReadsPublishedDirectDebitSamplesWithUmlautsAndAllExtensions) {
    ZALVO_REQUIRE_DTA_SAMPLES();
    DtaFile plain;
    ASSERT_EQ(parse(sample("dtaus0_valid_header_checksum_and_transaction.dta"), plain), result::kOk)
        << plain.protocol;
    ASSERT_EQ(plain.entries.size(), 1u);
    const auto& d = plain.entries[0];
    EXPECT_TRUE(d.directDebit);
    EXPECT_EQ(d.textKey, 5000u);
    EXPECT_EQ(d.firstBankCode, 11111111u);
    // C6 taken as all 13 digits; writers put the 11-digit number in its middle.
    EXPECT_EQ(d.customerNumber, 444444444440u);
    EXPECT_EQ(d.amountCents, 77777777777u);
    // DIN 66003 [ \ ] ~ are Ä Ö Ü ß in Windows-1252.
    EXPECT_EQ(d.counterpartyName, "ABCDEFGHIJKLMNOPQRSTU\xC4\xD6\xDC\xDF$.");
    EXPECT_EQ(plain.files[0].executionDate, "15012003");
    EXPECT_EQ(plain.files[0].creationDate, "01012003");

    DtaFile ext;
    ASSERT_EQ(parse(sample("dtaus0_valid_header_checksum_and_transaction_ext.dta"), ext),
              result::kOk)
        << ext.protocol;
    ASSERT_EQ(ext.entries.size(), 1u);
    const auto& x = ext.entries[0];
    EXPECT_EQ(x.extensionCount, 15u);
    EXPECT_EQ(x.purposeLines, 14u);
    // The name continues in extension 01 right where C14a ends.
    EXPECT_EQ(x.counterpartyName,
              "ABCDEFGHIJKLMNOPQRSTU\xC4\xD6\xDC\xDF$.1BCDEFGHIJKLMNOPQRSTU\xC4\xD6"
              "\xDC\xDF$.");
    EXPECT_EQ(x.originatorName.substr(27), "15CDEFGHIJKLMNOPQRSTU\xC4\xD6\xDC\xDF$.");
    EXPECT_NE(x.purpose.find("14CDEFGHIJKLMNOPQRSTU"), std::string::npos);

    DtaFile empty;
    ASSERT_EQ(parse(sample("dtaus0_valid_header_and_checksum.dta"), empty), result::kOk);
    EXPECT_EQ(empty.files.size(), 1u);
    EXPECT_TRUE(empty.entries.empty());
}

TEST(DtaReader, RejectsPublishedInvalidSamples) {
    ZALVO_REQUIRE_DTA_SAMPLES();
    DtaFile out;
    EXPECT_EQ(parse(sample("dtaus0_valid_header_checksum_and_forbidden_transaction_ext.dta"), out),
              result::kTextKeyMismatch);
    EXPECT_TRUE(out.entries.empty());
    EXPECT_NE(out.protocol.find("FEHLER -512 bei Byte 173"), std::string::npos) << out.protocol;

    std::string wrongLength = sample("pear_show_dta_gk_two_credits.dta");
    wrongLength.replace(kC, 4, "0188");
    EXPECT_EQ(parse(wrongLength), result::kBadRecordLength);
}

TEST(DtaReader, ReadsOwnFilesOfEachKindAndBothInOnePhysicalFile) {
    DtaFile credits;
    ASSERT_EQ(parse(dtatest::write(twoCredits()), credits), result::kOk) << credits.protocol;
    EXPECT_EQ(credits.countOf(false), 2u);
    EXPECT_EQ(credits.countOf(true), 0u);
    EXPECT_EQ(credits.entries[1].counterpartyName, "ERIKA MUSTERFRAU");
    EXPECT_EQ(credits.entries[0].purpose, "RECHNUNG 4711");

    DtaFile debits;
    ASSERT_EQ(parse(dtatest::write(oneDebit()), debits), result::kOk) << debits.protocol;
    EXPECT_EQ(debits.countOf(true), 1u);
    EXPECT_TRUE(debits.entries[0].directDebit);

    DtaFile both;
    ASSERT_EQ(parse(dtatest::write({twoCredits(), oneDebit()}), both), result::kOk)
        << both.protocol;
    ASSERT_EQ(both.files.size(), 2u);
    EXPECT_EQ(both.files[1].firstEntry, 2u);
    EXPECT_EQ(both.entries[2].logicalFile, 2u);
    EXPECT_TRUE(both.entries[2].directDebit);
    EXPECT_FALSE(both.entries[1].directDebit);
    EXPECT_EQ(both.amountSum(), 1050u + 99u + 2500u);
}

TEST(DtaReader, ReadsEveryNumberOfExtensionParts) {
    for (std::size_t purposes = 1; purposes <= 14; ++purposes) {
        dtatest::LogicalFile file;
        dtatest::Payment p;
        p.purposes.clear();
        for (std::size_t i = 0; i < purposes; ++i) {
            p.purposes.push_back("ZEILE " + std::to_string(i + 1));
        }
        p.nameContinued = purposes % 2 ? "UND SOHN" : "";
        p.originatorNameContinued = purposes > 12 ? "ABTEILUNG KASSE" : "";
        file.payments = {p, p};
        const std::string bytes = dtatest::write(file);
        DtaFile out;
        ASSERT_EQ(parse(bytes, out), result::kOk) << purposes << "\n" << out.protocol;
        ASSERT_EQ(out.entries.size(), 2u);
        const auto& e = out.entries[1];
        EXPECT_EQ(e.purposeLines, purposes);
        EXPECT_EQ(e.purpose.substr(0, 7), "ZEILE 1");
        EXPECT_NE(e.purpose.find("ZEILE " + std::to_string(purposes)), std::string::npos);
        // Name and continuation: 27 characters of the first field, then the extension.
        if (!p.nameContinued.empty()) {
            EXPECT_EQ(e.counterpartyName, "MUSTERMANN, MAX" + std::string(12, ' ') + "UND SOHN");
        } else {
            EXPECT_EQ(e.counterpartyName, "MUSTERMANN, MAX");
        }
        EXPECT_EQ(e.originatorName.size() > 27, !p.originatorNameContinued.empty());
    }
}

TEST(DtaReader, MapsDinUmlautsAndKeepsWindows1252Text) {
    dtatest::LogicalFile file = twoCredits();
    file.payments[0].name = "M[LLER \\L ]BER STRA~E";
    file.payments[0].purposes = {"GR{~E AUS K|LN }BER", "B\xC4R"};
    file.senderName = "SCH\xD6N";
    DtaFile out;
    ASSERT_EQ(parse(dtatest::write(file), out), result::kOk) << out.protocol;
    EXPECT_EQ(out.entries[0].counterpartyName, "M\xC4LLER \xD6L \xDC"
                                               "BER STRA\xDF"
                                               "E");
    EXPECT_EQ(out.entries[0].purpose, "GR\xE4\xDF"
                                      "E AUS K\xF6LN \xFC"
                                      "BER B\xC4R");
    EXPECT_EQ(out.files[0].senderName, "SCH\xD6N");
}

TEST(DtaReader, ToleratesLineEndAfterLastRecordOnly) {
    const std::string bytes = dtatest::write(twoCredits());
    EXPECT_EQ(parse(bytes + "\r\n"), result::kOk);
    EXPECT_EQ(parse(bytes + "\n"), result::kOk);
    EXPECT_EQ(parse(bytes + std::string(128, ' ')), result::kTrailingData);
    EXPECT_EQ(parse(bytes + "XXXXXXXX"), result::kTrailingData);
    EXPECT_EQ(parse(bytes + "0"), result::kTruncated);
    // A line end between records is not a DTAUS disk file.
    std::string inner = bytes;
    inner.insert(kC, "\r\n");
    EXPECT_EQ(parse(inner), result::kBadRecordType);
}

TEST(DtaReader, EveryTruncationIsRefusedAsTruncated) {
    const std::string bytes = dtatest::write({twoCredits(), oneDebit()});
    EXPECT_EQ(parse(""), result::kFileEmpty);
    EXPECT_EQ(parse("\r\n"), result::kFileEmpty);
    const std::size_t firstLogicalFile = dtatest::write(twoCredits()).size();
    for (std::size_t size = 1; size < bytes.size(); ++size) {
        DtaFile out;
        const std::int32_t rc = parse(bytes.substr(0, size), out);
        if (size == firstLogicalFile) {
            // A whole logical file is a whole DTA file.
            EXPECT_EQ(rc, result::kOk);
            continue;
        }
        ASSERT_EQ(rc, result::kTruncated) << "size " << size;
        EXPECT_TRUE(out.entries.empty());
        EXPECT_TRUE(out.files.empty());
    }
}

TEST(DtaReader, RefusesWrongRecordLengthsAndTypes) {
    const std::string good = dtatest::write(twoCredits());
    const auto withPatch = [&](std::size_t at, const std::string& text) {
        std::string bytes = good;
        bytes.replace(at, text.size(), text);
        return parse(bytes);
    };
    EXPECT_EQ(withPatch(kA, "0127"), result::kBadRecordLength);
    EXPECT_EQ(withPatch(kC, "0216"), result::kBadRecordLength);
    EXPECT_EQ(withPatch(kC, "01X7"), result::kBadRecordLength);
    EXPECT_EQ(withPatch(kE2, "0256"), result::kBadRecordLength);
    EXPECT_EQ(withPatch(kA + 4, "C"), result::kBadRecordType);
    EXPECT_EQ(withPatch(kC2 + 4, "D"), result::kBadRecordType);
    EXPECT_EQ(withPatch(kA + 5, "XK"), result::kBadFileKind);
    EXPECT_EQ(withPatch(kA + 127, " "), result::kBadCurrency);
    EXPECT_EQ(withPatch(kC + 182, "0"), result::kBadCurrency);
}

TEST(DtaReader, RefusesBadFieldContent) {
    const std::string good = dtatest::write(twoCredits());
    const auto withPatch = [&](std::size_t at, const std::string& text) {
        std::string bytes = good;
        bytes.replace(at, text.size(), text);
        DtaFile out;
        const std::int32_t rc = parse(bytes, out);
        return rc;
    };
    EXPECT_EQ(withPatch(kC + 21, "00000A0000"), result::kBadNumericField);  // C5 account
    EXPECT_EQ(withPatch(kC + 79, "0000000001 "), result::kBadNumericField); // C12 amount
    EXPECT_EQ(withPatch(kA + 7, "3704004 "), result::kBadNumericField);     // A4 bank code
    EXPECT_EQ(withPatch(kA + 50, "320125"), result::kBadNumericField);      // 32 January
    EXPECT_EQ(withPatch(kA + 95, "29022025"), result::kBadNumericField);    // not a leap year
    EXPECT_EQ(withPatch(kA + 95, "29022024"), result::kOk);
    EXPECT_EQ(withPatch(kA + 95, "00000000"), result::kOk); // zeros: no date given
    EXPECT_EQ(withPatch(kC + 93, std::string(1, '\x01')), result::kBadTextField);
    EXPECT_EQ(withPatch(kC + 128 + 30, std::string(1, '\0')), result::kBadTextField);
    EXPECT_EQ(withPatch(kA + 30, std::string(1, '\x7F')), result::kBadTextField);
    EXPECT_EQ(withPatch(kC + 44, "05"), result::kTextKeyMismatch); // debit key in a GK file
}

TEST(DtaReader, RefusesBadExtensionParts) {
    dtatest::LogicalFile file;
    dtatest::Payment p;
    p.purposes = {"EINS", "ZWEI", "DREI"};
    file.payments = {p};
    const std::string good = dtatest::write(file);
    ASSERT_EQ(parse(good), result::kOk);
    const auto withPatch = [&](std::size_t at, const std::string& text) {
        std::string bytes = good;
        bytes.replace(at, text.size(), text);
        return parse(bytes);
    };
    const std::size_t ext1 = kC + 187;
    EXPECT_EQ(withPatch(ext1, "04"), result::kBadExtension);
    EXPECT_EQ(withPatch(ext1, "0X"), result::kBadExtension);
    EXPECT_EQ(withPatch(kC + 185, "1X"), result::kBadExtension);
    EXPECT_EQ(withPatch(kC + 185, "16"), result::kBadExtension);
    // Two name continuations.
    std::string twice = good;
    twice.replace(ext1, 2, "01");
    twice.replace(ext1 + 29, 2, "01");
    EXPECT_EQ(parse(twice), result::kBadExtension);
    EXPECT_EQ(withPatch(ext1 + 5, std::string(1, '\x1B')), result::kBadTextField);

    // Fourteen further purpose lines are one too many.
    dtatest::Payment many;
    many.purposes.assign(15, "ZEILE");
    dtatest::LogicalFile tooMany;
    tooMany.payments = {many};
    EXPECT_EQ(parse(dtatest::write(tooMany)), result::kBadExtension);
}

TEST(DtaReader, ChecksEveryControlSumOfTheTrailer) {
    const std::string good = dtatest::write(twoCredits());
    const auto withPatch = [&](std::size_t at, const std::string& text) {
        std::string bytes = good;
        bytes.replace(at, text.size(), text);
        DtaFile out;
        const std::int32_t rc = parse(bytes, out);
        EXPECT_EQ(out.entries.empty(), rc != result::kOk);
        return rc;
    };
    EXPECT_EQ(withPatch(kE2 + 10, "0000003"), result::kCountMismatch);
    EXPECT_EQ(withPatch(kE2 + 46, "9"), result::kAccountSumMismatch);
    EXPECT_EQ(withPatch(kE2 + 63, "9"), result::kBankCodeSumMismatch);
    EXPECT_EQ(withPatch(kE2 + 76, "0"), result::kAmountSumMismatch);
    EXPECT_EQ(withPatch(kE2 + 12, "X"), result::kBadNumericField);
    // The reserve fields are not checked (published files carry NULs there).
    EXPECT_EQ(withPatch(kE2 + 100, std::string(10, '\0')), result::kOk);
}

TEST(DtaReader, EnforcesItsLimits) {
    const std::string bytes = dtatest::write(twoCredits());
    DtaFile out;
    DtaReader::Limits fewEntries;
    fewEntries.maxEntries = 1;
    EXPECT_EQ(parse(bytes, out, fewEntries), result::kTooManyEntries);
    DtaReader::Limits fewBytes;
    fewBytes.maxFileBytes = bytes.size() - 1;
    EXPECT_EQ(parse(bytes, out, fewBytes), result::kFileTooLarge);
    EXPECT_NE(out.protocol.find("-503"), std::string::npos);
}

TEST(DtaReader, ReadFileRefusesMissingDirectoryAndOversizedFiles) {
    const testsupport::TempDirectory temp;
    const auto& dir = temp.path();
    const std::string bytes = dtatest::write(twoCredits());
    const auto file = dir / "credits.dta";
    std::ofstream(file, std::ios::binary) << bytes;
    DtaFile out;
    EXPECT_EQ(DtaReader().readFile(file.string(), out), result::kOk);
    EXPECT_EQ(out.entries.size(), 2u);
    EXPECT_EQ(DtaReader().readFile((dir / "missing.dta").string(), out), result::kFileNotReadable);
    EXPECT_EQ(DtaReader().readFile(dir.string(), out), result::kFileNotReadable);
    DtaReader::Limits small;
    small.maxFileBytes = 256;
    EXPECT_EQ(DtaReader(small).readFile(file.string(), out), result::kFileTooLarge);
}

// Files are streamed through a window far smaller than a large file; records straddling
// its edge, line ends after the last block and damage far into the file must read exactly
// as the same bytes do in memory.
TEST(DtaReader, ReadFileMatchesParseOfTheSameBytesBeyondTheReadWindow) {
    dtatest::LogicalFile file;
    for (std::size_t i = 0; i < 6000; ++i) {
        dtatest::Payment p;
        p.cents = 100 + i;
        p.purposes.assign(1 + i % 14, "ZEILE " + std::to_string(i));
        file.payments.push_back(p);
    }
    const std::string good = dtatest::write(file);
    ASSERT_GT(good.size(), std::size_t{2} << 20);
    std::string damaged = good;
    damaged[good.size() - 3000] = '\x01';
    const testsupport::TempDirectory temp;
    for (const std::string& bytes : {good, good + "\r\n\n", damaged, std::string("\r\n")}) {
        const auto path = temp.path() / "large.dta";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        DtaFile streamed;
        DtaFile inMemory;
        const std::int32_t rc = DtaReader().readFile(path.string(), streamed);
        EXPECT_EQ(rc, parse(bytes, inMemory));
        EXPECT_EQ(streamed.protocol, inMemory.protocol);
        ASSERT_EQ(streamed.entries.size(), inMemory.entries.size());
        for (std::size_t i = 0; i < streamed.entries.size(); ++i) {
            ASSERT_EQ(streamed.entries[i].purpose, inMemory.entries[i].purpose) << i;
            ASSERT_EQ(streamed.entries[i].amountCents, inMemory.entries[i].amountCents) << i;
        }
    }
}

// Random bytes and random damage to good files must give a code, never a crash or a read
// outside the input (the sanitizer build checks the latter).
TEST(DtaReader, SurvivesGarbageAndDamagedFiles) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 200; ++round) {
        std::string garbage(random() % 1200, '\0');
        for (char& c : garbage) {
            c = static_cast<char>(random());
        }
        EXPECT_LT(parse(garbage), 0);
    }
    dtatest::LogicalFile withExtensions = twoCredits();
    withExtensions.payments[0].purposes.assign(9, "ZWECK");
    withExtensions.payments[0].nameContinued = "NAME";
    const std::string good = dtatest::write({withExtensions, oneDebit()});
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = good;
        const int flips = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < flips; ++i) {
            bytes[random() % bytes.size()] = static_cast<char>(random());
        }
        if (random() % 4 == 0) {
            bytes.resize(random() % bytes.size());
        }
        DtaFile out;
        const std::int32_t rc = parse(bytes, out);
        ASSERT_LE(rc, 0);
        if (rc != 0) {
            ASSERT_TRUE(out.entries.empty());
            ASSERT_NE(out.protocol.find("FEHLER"), std::string::npos);
        }
    }
}
