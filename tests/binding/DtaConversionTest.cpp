#include "binding/DtaConversion.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "helpers/DateHelpers.h"
#include "tests/support/RecordingMessageSink.h"

#include <cstring>
#include <gtest/gtest.h>

using zalvo::DtaConversion;
using zalvo::Record;
namespace dtainfo = zalvo::dtainfo;
namespace fileheader = zalvo::fileheader;
using Kind = DtaConversion::Kind;

namespace {

// A record as the library might fill it: no zero byte anywhere, so every byte the front end
// writes or keeps shows.
Record libraryFilled(int32_t kind) {
    Record info(dtainfo::kSize);
    for (std::size_t i = 0; i < info.size(); ++i) {
        info.data()[i] = static_cast<char>('A' + i % 26);
    }
    info.putInt32(dtainfo::kPaymentKind, kind);
    return info;
}

void overwrite(std::string& bytes, std::size_t offset, std::string_view with) {
    bytes.replace(offset, with.size(), with);
}

std::string int32Bytes(int32_t value) {
    std::string bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

// 27 February 2024: +1 and +3 cross the leap day into March, -30 goes back into January.
int32_t today() {
    return DayNumberFromDate(2024, 2, 27);
}

} // namespace

TEST(DtaConversionTest, CreditTransferGetsOnlyTheExecutionDateTodayPlusOne) {
    for (int32_t kind : {0, 2, -1, 7}) {
        Record info = libraryFilled(kind);
        std::string expected(info.bytes());
        EXPECT_EQ(DtaConversion::completeEntry(info, today()), Kind::CreditTransfer) << kind;
        overwrite(expected, dtainfo::kExecutionDate.offset, std::string("28022024\0", 9));
        EXPECT_EQ(info.bytes(), expected) << kind;
    }
}

TEST(DtaConversionTest, DirectDebitGetsDatesMandateDataAndDebitSettings) {
    Record info = libraryFilled(dtainfo::kKindDirectDebit);
    std::string expected(info.bytes());
    EXPECT_EQ(DtaConversion::completeEntry(info, today()), Kind::DirectDebit);

    // Only the text and its zero are written; the rest of each field stays the library's.
    overwrite(expected, 112, std::string("01032024\0", 9));
    overwrite(expected, 177, std::string("DE98ZZZ09999999999\0", 19));
    overwrite(expected, 213, std::string("Testmandat\0", 11));
    overwrite(expected, 249, std::string("28012024\0", 9));
    overwrite(expected, 264, int32Bytes(1));
    overwrite(expected, 268, int32Bytes(100));
    EXPECT_EQ(info.bytes(), expected);
}

TEST(DtaConversionTest, DatesCrossTheYearEnd) {
    Record debit = libraryFilled(dtainfo::kKindDirectDebit);
    DtaConversion::completeEntry(debit, DayNumberFromDate(2023, 12, 30));
    EXPECT_EQ(debit.text(dtainfo::kExecutionDate), "02012024");
    EXPECT_EQ(debit.text(dtainfo::kMandateDate), "30112023");

    Record credit = libraryFilled(0);
    DtaConversion::completeEntry(credit, DayNumberFromDate(2023, 12, 31));
    EXPECT_EQ(credit.text(dtainfo::kExecutionDate), "01012024");
}

TEST(DtaConversionTest, KindIsReadFromTheLibrarysField) {
    Record info(dtainfo::kSize);
    EXPECT_EQ(DtaConversion::kindOf(info), Kind::CreditTransfer);
    info.putInt32(dtainfo::kPaymentKind, 1);
    EXPECT_EQ(DtaConversion::kindOf(info), Kind::DirectDebit);
    // The bytes around the field do not count.
    Record other = libraryFilled(0);
    other.putInt32(0, 1);
    other.putInt32(8, 1);
    EXPECT_EQ(DtaConversion::kindOf(other), Kind::CreditTransfer);
}

TEST(DtaConversionTest, SplitsPosixNames) {
    // Directory and file name, shown as "directory|name".
    auto split = [](std::string_view name) {
        const auto target = DtaConversion::splitXmlFileName(name, PathStyle::Posix);
        return target.exportPath + "|" + target.fileName;
    };
    EXPECT_EQ(split("/x.xml"), "/|x.xml");
    EXPECT_EQ(split("/home/user/out.xml"), "/home/user|out.xml");
    EXPECT_EQ(split("/home/user/"), "/home/user|");
    EXPECT_EQ(split("out.xml"), "|out.xml");
    // A backslash is an ordinary character on POSIX.
    EXPECT_EQ(split("/a\\b.xml"), "/|a\\b.xml");
}

TEST(DtaConversionTest, SplitsWindowsNames) {
    auto split = [](std::string_view name) {
        const auto target = DtaConversion::splitXmlFileName(name, PathStyle::Windows);
        return target.exportPath + "|" + target.fileName;
    };
    EXPECT_EQ(split("C:\\x.xml"), "C:\\|x.xml");
    EXPECT_EQ(split("C:\\Daten\\SEPA\\x.xml"), "C:\\Daten\\SEPA|x.xml");
    EXPECT_EQ(split("C:x.xml"), "C:|x.xml");
    EXPECT_EQ(split("D:\\Daten:x.xml"), "D:\\Daten:|x.xml");
    EXPECT_EQ(split("\\x.xml"), "\\|x.xml");
    EXPECT_EQ(split("C:/a/x.xml"), "C:|/a/x.xml");
}

TEST(DtaConversionTest, NamesAreSplitWithoutCuttingAndFileNamesFitUpTo35Characters) {
    const std::string name36(36, 'n');
    const std::string longDirectory = "/" + std::string(200, 'd');
    auto target = DtaConversion::splitXmlFileName(longDirectory + "/" + name36, PathStyle::Posix);
    EXPECT_EQ(target.fileName, name36);
    EXPECT_EQ(target.exportPath, longDirectory);

    target = DtaConversion::splitXmlFileName("C:\\" + name36 + ".xml", PathStyle::Windows);
    EXPECT_EQ(target.fileName, name36 + ".xml");
    EXPECT_EQ(target.exportPath, "C:\\");

    EXPECT_TRUE(DtaConversion::fitsFileName(std::string(35, 'n')));
    EXPECT_FALSE(DtaConversion::fitsFileName(name36));
}

TEST(DtaConversionTest, PathsFitUpTo255Bytes) {
    EXPECT_TRUE(DtaConversion::fitsPath(""));
    EXPECT_TRUE(DtaConversion::fitsPath(std::string(255, 'p')));
    EXPECT_FALSE(DtaConversion::fitsPath(std::string(256, 'p')));
}

TEST(DtaConversionTest, FileHeaderBytes) {
    Record header(fileheader::kSize);
    // Whatever was in it before goes.
    std::memset(header.data(), 'Z', header.size());
    const std::string directory(255, 'd');
    DtaConversion::fillFileHeader(header,
                                  {directory, "\xDC"
                                              "berweisungen.xml"},
                                  Kind::CreditTransfer);

    std::string expected(fileheader::kSize, '\0');
    overwrite(expected, 0, directory);
    overwrite(expected, 260,
              "\xDC"
              "berweisungen.xml");
    overwrite(expected, 296, "MessageId1234567890");
    overwrite(expected, 332, "Testeinreicher");
    EXPECT_EQ(header.bytes(), expected);

    DtaConversion::fillFileHeader(header, {"/", "x.xml"}, Kind::DirectDebit);
    expected.assign(fileheader::kSize, '\0');
    overwrite(expected, 0, "/");
    overwrite(expected, 256, int32Bytes(1));
    overwrite(expected, 260, "x.xml");
    overwrite(expected, 296, "MessageId1234567890");
    overwrite(expected, 332, "Testeinreicher");
    EXPECT_EQ(header.bytes(), expected);
}

TEST(DtaConversionTest, PresetNamesPerKind) {
    EXPECT_EQ(DtaConversion::presetFileName(Kind::CreditTransfer), "\xDC"
                                                                   "berweisungen.xml");
    EXPECT_EQ(DtaConversion::presetFileName(Kind::DirectDebit), "Lastschriften.xml");
}

TEST(DtaConversionTest, RefusalsAreShownAsErrorsOwnedByTheCaller) {
    testsupport::ScopedRecordingSink recorder;
    int owner = 0;
    DtaConversion::showRefusal(&owner, DtaConversion::Refusal::DtaNameTooLong);
    DtaConversion::showRefusal(&owner, DtaConversion::Refusal::ExportPathTooLong);
    DtaConversion::showRefusal(&owner, DtaConversion::Refusal::DtaNameNotRepresentable);
    DtaConversion::showRefusal(&owner, DtaConversion::Refusal::XmlNameNotRepresentable);
    DtaConversion::showRefusal(&owner, DtaConversion::Refusal::XmlNameTooLong);
    ASSERT_EQ(recorder.messages().size(), 5u);
    EXPECT_EQ(recorder.messages()[0].text,
              "Der Name der DTA-Datei ist l\xE4nger als 255 Zeichen.\r\n\r\n"
              "Die DTA-Datei wurde nicht eingelesen.   ");
    EXPECT_EQ(recorder.messages()[1].text,
              "Das Verzeichnis der XML-Datei ist l\xE4nger als 255 Zeichen.\r\n\r\n"
              "Die XML-Datei wurde nicht geschrieben.   ");
    EXPECT_NE(recorder.messages()[2].text.find("DTA-Datei"), std::string::npos);
    EXPECT_NE(recorder.messages()[3].text.find("XML-Datei"), std::string::npos);
    EXPECT_EQ(recorder.messages()[4].text,
              "Der Name der XML-Datei ist l\xE4nger als 35 Zeichen.\r\n\r\n"
              "Die XML-Datei wurde nicht geschrieben.   ");
    for (const auto& message : recorder.messages()) {
        EXPECT_EQ(message.owner, &owner);
        EXPECT_EQ(message.caption, "Fehlermeldung entsprechend der Dokumentation");
        EXPECT_EQ(message.icon, zalvo::MessageIcon::Critical);
    }
}
