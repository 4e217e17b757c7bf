#include "abi/MutableRecordView.h"

#include <gtest/gtest.h>
#include <string>

using zalvo::Field;
using zalvo::MutableRecordView;

namespace {

// `size` bytes of 'x' with a guard byte behind them that no write may touch.
struct Guarded {
    explicit Guarded(std::size_t size) : bytes(size + 1, 'x') { bytes.back() = '#'; }
    MutableRecordView view() { return MutableRecordView(bytes.data(), bytes.size() - 1); }
    std::string record() const { return bytes.substr(0, bytes.size() - 1); }
    char guard() const { return bytes.back(); }
    std::string bytes;
};

} // namespace

TEST(MutableRecordView, PutTextCutsAtMaxCharsAndTheRecordAndAlwaysTerminates) {
    struct Row {
        std::size_t offset;
        std::size_t maxChars;
        std::string text;
        std::string expected;
    };
    const Row rows[] = {
        {2, 3, "abcdef", std::string("xxabc\0xx", 8)},
        {5, 10, "abcdef", std::string("xxxxxab\0", 8)}, // cut where the record ends
        {0, 10, "", std::string("\0xxxxxxx", 8)},
        {8, 10, "abc", "xxxxxxxx"}, // starts at the end: nothing to write
        {9, 10, "abc", "xxxxxxxx"},
    };
    for (const Row& row : rows) {
        Guarded record(8);
        record.view().putText(row.offset, row.maxChars, row.text);
        EXPECT_EQ(record.record(), row.expected) << row.offset << "/" << row.maxChars;
        EXPECT_EQ(record.guard(), '#');
    }
}

TEST(MutableRecordView, PutTextIntoAFieldLeavesRoomForItsZero) {
    Guarded record(zalvo::account::kSize);
    record.view().putText(zalvo::account::kBankCode, "1234567890");
    // Nine bytes: eight characters and the zero; the next field is untouched.
    EXPECT_EQ(record.record().substr(0, 10), std::string("12345678\0x", 10));
    record.view().putText(Field{3, 0}, "abc");
    EXPECT_EQ(record.record().substr(0, 10), std::string("12345678\0x", 10));
}

TEST(MutableRecordView, PutTextClearedLeavesNothingOfALongerEarlierText) {
    Guarded record(30);
    const Field field{4, 20};
    record.view().putText(field, "Sehr lange Firma");
    record.view().putTextCleared(field, 10, "Abc");
    // Ten characters and their zero are cleared; the rest of the field keeps its bytes.
    EXPECT_EQ(record.record().substr(4, 20), std::string("Abc\0\0\0\0\0\0\0\0Firma\0xxxx", 20));
    record.view().putTextCleared(field, "R1");
    EXPECT_EQ(record.record().substr(4, 20), "R1" + std::string(18, '\0'));
    EXPECT_EQ(record.record().substr(0, 4), "xxxx");
    EXPECT_EQ(record.record().substr(24), "xxxxxx");
}

TEST(MutableRecordView, PutTextClearedNeverWritesPastTheRecord) {
    Guarded record(10);
    record.view().putTextCleared(Field{6, 20}, 15, "abcdefgh");
    EXPECT_EQ(record.record(), std::string("xxxxxxabc\0", 10));
    EXPECT_EQ(record.guard(), '#');
}

TEST(MutableRecordView, Int32IsNativeAndWrittenOnlyWhereItFits) {
    Guarded record(zalvo::summary::kSize);
    record.view().zero();
    record.view().putInt32(zalvo::summary::kCount, 0x01020304);
    EXPECT_EQ(record.record().substr(0, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(record.view().int32(zalvo::summary::kCount), 0x01020304);
    record.view().putInt32(zalvo::summary::kSize - 3, 77);
    EXPECT_EQ(record.record().substr(4), std::string(16, '\0'));
    EXPECT_EQ(record.guard(), '#');
}

TEST(MutableRecordView, ZeroClearsTheWholeRecordAndNothingElse) {
    Guarded record(12);
    record.view().zero();
    EXPECT_EQ(record.record(), std::string(12, '\0'));
    EXPECT_EQ(record.guard(), '#');
}
