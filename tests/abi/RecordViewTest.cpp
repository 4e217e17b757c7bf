#include "abi/RecordView.h"

#include <gtest/gtest.h>
#include <string>

using zalvo::Field;
using zalvo::RecordView;

namespace {

// A record of `size` bytes that all hold `fill`, with an 'x' right behind it, so a read past
// the end would show.
struct Guarded {
    explicit Guarded(std::size_t size, char fill) : bytes(size, fill) { bytes.push_back('x'); }
    RecordView view() const { return RecordView(bytes.data(), bytes.size() - 1); }
    std::string bytes;
};

} // namespace

TEST(RecordView, TextStopsAtTheZeroTheFieldWidthAndTheRecordEnd) {
    struct Row {
        std::size_t offset;
        std::size_t width;
        std::string expected;
    };
    Guarded record(10, 'a');
    record.bytes[3] = '\0';
    const Row rows[] = {
        {0, 10, "aaa"},     // up to the zero
        {4, 3, "aaa"},      // an unterminated field up to its width, not into the next
        {4, 100, "aaaaaa"}, // a width past the record stops at its end
        {10, 4, ""},        // a field starting at the end is empty
        {50, 4, ""},        // and so is one starting beyond it
    };
    for (const Row& row : rows) {
        EXPECT_EQ(record.view().text(row.offset, row.width), row.expected)
            << row.offset << "/" << row.width;
    }
}

TEST(RecordView, TerminatedOnlyWhenTheZeroLiesInsideTheField) {
    Guarded record(12, 'b');
    record.bytes[5] = '\0';
    EXPECT_TRUE(record.view().terminated(Field{0, 6}));
    EXPECT_FALSE(record.view().terminated(Field{0, 5}));
    EXPECT_FALSE(record.view().terminated(Field{6, 6}));
    // The guard byte behind the record does not count.
    EXPECT_FALSE(record.view().terminated(Field{8, 8}));
}

TEST(RecordView, Int32ReadsOnlyWhatFitsTheRecord) {
    const std::int32_t value = -559038737;
    std::string bytes(8, '\0');
    bytes.replace(4, 4, reinterpret_cast<const char*>(&value), 4);
    const RecordView view(bytes.data(), bytes.size());
    EXPECT_EQ(view.int32(4), value);
    EXPECT_EQ(view.int32(Field{4, zalvo::kInt32Width}), value);
    EXPECT_EQ(view.int32(5), 0);
    EXPECT_EQ(view.int32(std::size_t{0} - 1), 0);
}

TEST(RecordView, KeepsWindows1252BytesAndShowsTheRawRecord) {
    const char buffer[6] = {'M', '\xFC', 'l', '\0', 'x', 'y'};
    const RecordView view(buffer, sizeof buffer);
    EXPECT_EQ(view.text(0, 6), "M\xFCl");
    EXPECT_EQ(view.bytes(), std::string(buffer, sizeof buffer));
    EXPECT_EQ(view.span().size(), 6u);
}
