#include "calllog/CallDescription.h"

#include "abi/RecordLayouts.h"

#include <gtest/gtest.h>

using zalvo::EntryPoint;
using zalvo::calllog::ArgumentLayouts;
using zalvo::calllog::CallDescription;
using zalvo::calllog::FieldKind;
using zalvo::calllog::FieldRow;
using zalvo::calllog::RecordedCall;

namespace {

std::string accountRecord(std::string_view bankCode, std::string_view iban) {
    std::string record(zalvo::account::kSize, '\0');
    record.replace(zalvo::account::kBankCode.offset, bankCode.size(), bankCode);
    record.replace(zalvo::account::kIban.offset, iban.size(), iban);
    return record;
}

const FieldRow& rowNamed(const std::vector<FieldRow>& rows, std::string_view name) {
    for (const FieldRow& row : rows) {
        if (row.field == name) {
            return row;
        }
    }
    throw std::runtime_error("no row " + std::string(name));
}

} // namespace

TEST(CallDescription, NamesEveryFieldAndMarksWhatTheLibraryChanged) {
    RecordedCall call;
    call.entry = EntryPoint::ConvertBLZKonto;
    call.addBuffer(accountRecord("37040044", ""));
    call.setAfter(0, accountRecord("37040044", "DE89370400440532013000"));

    const std::vector<FieldRow> rows = CallDescription::fields(call);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].field, "Bankleitzahl");
    EXPECT_EQ(rows[0].before, "37040044");
    EXPECT_FALSE(rows[0].changed);
    EXPECT_EQ(rows[1].field, "Kontonummer");
    EXPECT_EQ(rows[2].field, "BIC");
    EXPECT_FALSE(rows[2].changed);
    EXPECT_EQ(rows[3].field, "IBAN");
    EXPECT_EQ(rows[3].before, "");
    EXPECT_EQ(rows[3].after, "DE89370400440532013000");
    EXPECT_TRUE(rows[3].changed);
}

TEST(CallDescription, FieldsTheLayoutDoesNotNameAreShownAsBytesBetweenTheNamedOnes) {
    const auto layouts = ArgumentLayouts::of(EntryPoint::GetDTAInfo);
    ASSERT_EQ(layouts.size(), 2u);
    std::string before(zalvo::dtainfo::kSize, '\0');
    std::string after = before;
    after[5] = '\x01'; // payment kind 256 on a little-endian machine, a byte either way
    after[300] = '\x2A';
    const std::vector<FieldRow> rows = CallDescription::bufferFields(layouts[0], before, after);
    EXPECT_EQ(rows.front().field, "Bytes 0-3");
    EXPECT_TRUE(rowNamed(rows, "Zahlungsart").changed);
    EXPECT_FALSE(rowNamed(rows, "Ausführungsdatum").changed);
    EXPECT_EQ(rowNamed(rows, "Bytes 272-347").changed, true);
    std::size_t covered = 0;
    for (const auto& shown : ArgumentLayouts::shownFields(layouts[0], zalvo::dtainfo::kSize)) {
        EXPECT_EQ(shown.field.offset, covered) << shown.name;
        covered = shown.field.end();
    }
    EXPECT_EQ(covered, zalvo::dtainfo::kSize);
}

TEST(CallDescription, TextsAreDecodedFromWindows1252AndControlBytesStayVisible) {
    struct Row {
        std::string bytes;
        FieldKind kind;
        std::string shown;
    };
    const Row rows[] = {
        {std::string("M\xFC\x6Cler\0xx", 9), FieldKind::Text, "Müller"},
        {std::string("\x80 5\0", 4), FieldKind::Text, "€ 5"},
        {std::string("a\rb\tc\0", 6), FieldKind::Text, "a\\x0Db\\x09c"},
        {std::string("C:\\x\0", 5), FieldKind::Path, "C:\\\\x"},
        {std::string("\x81\x7F\0", 3), FieldKind::Text, "\\x81\\x7F"},
        {std::string("ABCD", 4), FieldKind::Text, "ABCD (ohne abschließende Null)"},
        {std::string("\x64\0\0\0", 4), FieldKind::Int32, "100"},
        {std::string("\x01\xFF", 2), FieldKind::Bytes, "01 FF"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CallDescription::fieldText(row.bytes, row.kind), row.shown) << row.shown;
    }
}

TEST(CallDescription, HexViewShowsEveryByteWithItsOffset) {
    const std::string bytes = std::string("IBAN\0", 5) + std::string(12, 'x') + "\xE4";
    EXPECT_EQ(CallDescription::hexView(bytes),
              "0000  49 42 41 4E 00 78 78 78 78 78 78 78 78 78 78 78  |IBAN.xxxxxxxxxxx|\n"
              "0010  78 E4                                            |xä|\n");
}

TEST(CallDescription, MeaningIsTheReportersTextOrTheStandInsMessageOnOneLine) {
    EXPECT_EQ(CallDescription::meaning(0), "Alles verlief erfolgreich!");
    EXPECT_EQ(CallDescription::meaning(-99997),
              "Die API (Zalvotech.dll) wurde noch nicht geladen! Bitte rufen Sie zuerst die "
              "Funktion Zalvotech_init auf.");
    EXPECT_EQ(CallDescription::meaning(-11), "Bankleitzahl hat nicht 8 Stellen");
    EXPECT_EQ(CallDescription::meaning(211),
              "IBAN ermittelt, zur Bankleitzahl ist kein BIC bekannt");
    EXPECT_EQ(CallDescription::meaning(-17),
              "Für diese Bankverbindung darf keine IBAN ermittelt werden (IBAN-Regel der Bank)");
}

TEST(CallDescription, CopiedTextHoldsTheLineTheChangedFieldsAndTheHexView) {
    RecordedCall call;
    call.entry = EntryPoint::ConvertBLZKonto;
    call.result = 0;
    call.durationNanoseconds = 12'345;
    call.addBuffer(accountRecord("37040044", ""));
    call.setAfter(0, accountRecord("37040044", "DE89"));
    const std::string text = CallDescription::text(call);
    EXPECT_NE(text.find("  Zalvotech_ConvertBLZKonto  0  Alles verlief erfolgreich!  12 µs\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("  Kontosatz / Bankleitzahl: \"37040044\"\n"), std::string::npos);
    EXPECT_NE(text.find("* Kontosatz / IBAN: \"\" -> \"DE89\"\n"), std::string::npos);
    EXPECT_NE(text.find("Kontosatz, nachher:\n0000  33 37"), std::string::npos);
}
