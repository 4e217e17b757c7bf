// The Qt-free calls behind the three dialogs, without any window.
#include "abi/RecordLayouts.h"
#include "binding/AccountConversion.h"
#include "binding/BicLookup.h"
#include "binding/DLLAPI.h"
#include "binding/LibraryInit.h"
#include "tests/dialogs/DialogTest.h"

using namespace dialogtest;
using testsupport::FakeLibrary;
using testsupport::FakeVariant;
using zalvo::AccountConversion;
using zalvo::BicLookup;
using zalvo::DLLAPI;
using zalvo::EntryPoint;
using zalvo::LibraryInit;
namespace account = zalvo::account;

namespace {

int s_ownerTag;
const zalvo::OwnerWindow kOwner = &s_ownerTag;

} // namespace

TEST(LibraryInitCalls, ArgumentsAreTrimmedAndCutAt255Characters) {
    EXPECT_EQ(LibraryInit::argument("  /daten \t\r\n"), "/daten");
    EXPECT_EQ(LibraryInit::argument("   "), "");
    EXPECT_EQ(LibraryInit::argument(" a b "), "a b");
    const std::string longPath(300, 'p');
    EXPECT_EQ(LibraryInit::argument(longPath), std::string(255, 'p'));
}

TEST(LibraryInitCalls, LoadFailureIsReportedUnderInit) {
    testsupport::TempDirectory empty;
    EXPECT_FALSE(LibraryInit::load(kOwner));
    expectMessages({{kOwner, "Zalvotech_Init", zalvo::kLibraryNotLoadable}});
    EXPECT_FALSE(DLLAPI::loaded());
}

TEST(LibraryInitCalls, LogNameIsStoredBeforeTheCallAndCutTo255) {
    FakeLibrary fake;
    ASSERT_TRUE(LibraryInit::load(kOwner));
    const std::string longName = "/var/log/" + std::string(260, 'l');
    EXPECT_TRUE(LibraryInit::startLog(kOwner, longName));
    EXPECT_EQ(DLLAPI::logFileName(), longName.substr(0, 255));
    const auto calls = fake.callsTo(EntryPoint::SetLogFile);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].buffers[0], padded(longName.substr(0, 255), zalvo::kPathBufferSize));
    // Nothing is reported for a log the library took.
    EXPECT_TRUE(testsupport::messageSink().messages().empty());
}

TEST(LibraryInitCalls, UnboundEntryPointsAreReportedAndNotCalled) {
    FakeLibrary fake(FakeVariant::None);
    EXPECT_FALSE(LibraryInit::load(kOwner));
    EXPECT_TRUE(LibraryInit::startLog(kOwner, ""));
    EXPECT_FALSE(LibraryInit::startLog(kOwner, "x.log"));
    EXPECT_FALSE(LibraryInit::initialise(kOwner, "a", "b", "c"));
    expectMessages({{kOwner, "Zalvotech_Init", zalvo::kEntryPointMissing},
                    {kOwner, "Zalvotech_SetLogFile", zalvo::kEntryPointMissing},
                    {kOwner, "Zalvotech_Init", zalvo::kEntryPointMissing}});
    EXPECT_TRUE(fake.calls().empty());
}

TEST(AccountConversionCalls, TextsAreTrimmedAndCutToTheirFields) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    AccountConversion conversion;
    conversion.convert(kOwner, " 123456789\t", " 1234567890123\r\n");
    std::string expected(account::kSize, '\0');
    place(expected, account::kBankCode.offset, "12345678");
    place(expected, account::kAccountNumber.offset, "12345678901");
    const auto calls = fake.callsTo(EntryPoint::ConvertBLZKonto);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].buffers[0], expected);
}

TEST(AccountConversionCalls, RecordKeepsTheOutputUntilTheNextConversionClearsIt) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    fake.scriptText(EntryPoint::ConvertBLZKonto, 0, account::kBic, "COBADEFFXXX");
    fake.scriptText(EntryPoint::ConvertBLZKonto, 0, account::kIban, "DE89370400440532013000");
    AccountConversion conversion;
    const auto first = conversion.convert(kOwner, "37040044", "532013000");
    EXPECT_EQ(first.result, 0);
    EXPECT_EQ(first.bic, "COBADEFFXXX");
    EXPECT_EQ(conversion.record().text(account::kIban), "DE89370400440532013000");

    fake.script(EntryPoint::ConvertBLZKonto, -1);
    const auto second = conversion.convert(kOwner, "1", "2");
    EXPECT_EQ(second.result, -1);
    EXPECT_EQ(second.bic, "");
    EXPECT_EQ(second.iban, "");
    EXPECT_EQ(conversion.record().text(account::kBic), "");
}

TEST(BicLookupCalls, BankCodeIsBoundedAndOnlyResultZeroGivesABIC) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    fake.scriptText(EntryPoint::GetBIC, 1, {0, zalvo::kBicBufferSize}, "COBADEFFXXX");
    const auto found = BicLookup::lookup(kOwner, "123456789");
    ASSERT_TRUE(found.bic.has_value());
    EXPECT_EQ(*found.bic, "COBADEFFXXX");
    EXPECT_EQ(fake.calls()[0].buffers[0], padded("12345678", zalvo::kBankCodeBufferSize));

    fake.script(EntryPoint::GetBIC, 1);
    fake.scriptText(EntryPoint::GetBIC, 1, {0, zalvo::kBicBufferSize}, "EGAL");
    const auto positive = BicLookup::lookup(kOwner, "1");
    EXPECT_EQ(positive.result, 1);
    EXPECT_FALSE(positive.bic.has_value());
    expectMessages({{kOwner, "Zalvotech_GetBIC", 0}, {kOwner, "Zalvotech_GetBIC", 1}});
}
