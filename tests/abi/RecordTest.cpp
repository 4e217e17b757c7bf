#include "abi/Record.h"

#include <cstring>
#include <gtest/gtest.h>

using zalvo::Field;
using zalvo::Record;

TEST(Record, StartsZeroedAndZeroesAgain) {
    Record record(zalvo::account::kSize);
    EXPECT_EQ(record.bytes(), std::string(zalvo::account::kSize, '\0'));
    record.putText(zalvo::account::kIban, "DE89370400440532013000");
    record.zero();
    EXPECT_EQ(record.bytes(), std::string(zalvo::account::kSize, '\0'));
}

TEST(Record, PutTextWritesAtMostMaxCharsAndAZero) {
    Record record(20);
    std::memset(record.data(), 'x', record.size());
    record.putText(2, 3, "abcdef");
    EXPECT_EQ(record.bytes().substr(0, 8), std::string("xxabc\0xx", 8));
}

TEST(Record, PutTextIntoFieldLeavesRoomForTheZero) {
    Record record(zalvo::account::kSize);
    std::memset(record.data(), 'x', record.size());
    record.putText(zalvo::account::kBankCode, "1234567890");
    // Nine bytes: eight characters and the zero; the next field is untouched.
    EXPECT_EQ(record.bytes().substr(0, 10), std::string("12345678\0x", 10));
}

TEST(Record, PutTextNeverWritesPastTheRecord) {
    Record record(8);
    std::memset(record.data(), 'x', record.size());
    record.putText(5, 10, "abcdef");
    EXPECT_EQ(record.bytes(), std::string("xxxxxab\0", 8));
    record.putText(8, 10, "abc"); // starts at the end: nothing to write
    EXPECT_EQ(record.bytes(), std::string("xxxxxab\0", 8));
}

TEST(Record, TextStopsAtTheZeroOrTheWidth) {
    Record record(zalvo::version::kSize);
    std::memset(record.data(), 'a', record.size());
    record.data()[3] = '\0';
    EXPECT_EQ(record.text(Field{0, 20}), "aaa");
    // An unterminated field is read up to its width, not into the next field.
    EXPECT_EQ(record.text(Field{4, 5}), "aaaaa");
    // A width reaching past the record stops at its end.
    EXPECT_EQ(record.text(40, 100), "aaaa");
    EXPECT_EQ(record.text(44, 4), "");
}

TEST(Record, TextKeepsWindows1252Bytes) {
    Record record(zalvo::kPathBufferSize);
    record.putText(0, zalvo::kMaxPathChars, "M\xFCller");
    EXPECT_EQ(record.text(0, zalvo::kPathBufferSize), "M\xFCller");
}

TEST(Record, Int32IsNativeLittleEndianAtItsOffset) {
    Record record(zalvo::summary::kSize);
    record.putInt32(zalvo::summary::kCount, 0x01020304);
    EXPECT_EQ(record.bytes().substr(0, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(record.int32(zalvo::summary::kCount), 0x01020304);
    record.putInt32(zalvo::dtainfo::kPaymentKind.offset, -1);
    EXPECT_EQ(record.int32(zalvo::dtainfo::kPaymentKind.offset), -1);
}

TEST(Record, Int32OutsideTheRecordIsIgnored) {
    Record record(6);
    record.putInt32(3, 77);
    EXPECT_EQ(record.bytes(), std::string(6, '\0'));
    EXPECT_EQ(record.int32(3), 0);
}

TEST(Record, ViewsShowTheRecordsOwnBytes) {
    Record record(zalvo::info::kSize);
    record.view().putText(zalvo::info::kBankCodesFrom, "08122014");
    const Record& constRecord = record;
    EXPECT_EQ(constRecord.view().data(), record.data());
    EXPECT_EQ(constRecord.view().size(), zalvo::info::kSize);
    EXPECT_EQ(constRecord.text(zalvo::info::kBankCodesFrom), "08122014");
}
