#include "binding/LibraryCall.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "binding/LibraryInit.h"
#include "binding/ResultReporter.h"
#include "tests/support/FakeLibrary.h"
#include "tests/support/RecordingMessageSink.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

using testsupport::FakeLibrary;
using testsupport::FakeVariant;
using zalvo::CallReport;
using zalvo::DLLAPI;
using zalvo::EntryPoint;
using zalvo::LibraryCall;
using zalvo::Record;

namespace {

const std::string kMissing = "Beim Laden einer Funktion ist ein Fehler aufgetreten.\r\n\r\n"
                             "Bitte informieren Sie den Hersteller!   ";

int g_owner;

// What an observer saw of one call: copies of the argument bytes before and after.
struct SeenCall {
    EntryPoint entry;
    std::vector<std::string> before;
    std::vector<std::string> after;
    std::vector<std::int32_t> integers;
    std::int32_t result = 0;
    std::chrono::nanoseconds duration{-1};
};

class RecordingObserver : public zalvo::CallObserver {
public:
    void beforeCall(EntryPoint entry, std::span<const zalvo::CallArgument> arguments) override {
        SeenCall call{entry, {}, {}, {}};
        for (const zalvo::CallArgument& argument : arguments) {
            if (argument.isBuffer) {
                call.before.emplace_back(argument.bytes.begin(), argument.bytes.end());
            } else {
                call.integers.push_back(argument.integer);
            }
        }
        calls.push_back(std::move(call));
    }
    void afterCall(EntryPoint entry, std::span<const zalvo::CallArgument> arguments,
                   std::int32_t result, std::chrono::steady_clock::time_point,
                   std::chrono::nanoseconds duration) override {
        SeenCall& call = calls.back();
        EXPECT_EQ(call.entry, entry);
        for (const zalvo::CallArgument& argument : arguments) {
            if (argument.isBuffer) {
                call.after.emplace_back(argument.bytes.begin(), argument.bytes.end());
            }
        }
        call.result = result;
        call.duration = duration;
    }

    std::vector<SeenCall> calls;
};

class LibraryCallTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kResultOk); }
    void TearDown() override { LibraryCall::setObserver(nullptr); }

    FakeLibrary m_fake;
    testsupport::ScopedRecordingSink m_recorder;
};

} // namespace

TEST_F(LibraryCallTest, EachReportChoiceShowsWhatItSays) {
    struct Row {
        CallReport report;
        std::int32_t result;
        bool shown;
    };
    const Row rows[] = {
        {CallReport::Always, 0, true},     {CallReport::Always, 5, true},
        {CallReport::Always, -7, true},    {CallReport::UnlessOk, 0, false},
        {CallReport::UnlessOk, 5, true},   {CallReport::UnlessOk, -7, true},
        {CallReport::SlotOnly, -7, false}, {CallReport::Nothing, -7, false},
    };
    for (const Row& row : rows) {
        m_recorder.sink().clear();
        m_fake.script(EntryPoint::Info, row.result);
        Record record(zalvo::info::kSize);
        const auto result =
            LibraryCall::call<EntryPoint::Info>(&g_owner, row.report, record.view());
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(*result, row.result);
        ASSERT_EQ(m_recorder.messages().size(), row.shown ? 1u : 0u)
            << static_cast<int>(row.report) << "/" << row.result;
        if (row.shown) {
            EXPECT_EQ(m_recorder.messages()[0].owner, &g_owner);
            EXPECT_EQ(m_recorder.messages()[0].text,
                      zalvo::ResultReporter::text("Zalvotech_Info", row.result));
        }
    }
    EXPECT_EQ(m_fake.callsTo(EntryPoint::Info).size(), std::size(rows));
}

TEST_F(LibraryCallTest, AnEmptySlotIsReportedUnderItsNameAndNeverCalled) {
    FakeLibrary partial(FakeVariant::NoProtokoll);
    DLLAPI::reset();
    ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kEntryPointMissing);

    EXPECT_FALSE(LibraryCall::call<EntryPoint::FreeDTAVars>(&g_owner, CallReport::Always));
    ASSERT_EQ(m_recorder.messages().size(), 1u);
    EXPECT_EQ(m_recorder.messages()[0].text, kMissing);
    EXPECT_EQ(m_recorder.messages()[0].owner, &g_owner);
    // Closing the main window shows nothing, not even that.
    EXPECT_FALSE(LibraryCall::call<EntryPoint::FreeDTAVars>(&g_owner, CallReport::Nothing));
    EXPECT_FALSE(LibraryCall::available<EntryPoint::SetLogFile>(&g_owner));
    EXPECT_EQ(m_recorder.messages().size(), 2u);
    EXPECT_TRUE(partial.callsTo(EntryPoint::FreeDTAVars).empty());

    // Slots before the missing one are bound and called.
    EXPECT_TRUE(LibraryCall::available<EntryPoint::ConvertBLZKonto>(&g_owner));
    Record record(zalvo::account::kSize);
    partial.script(EntryPoint::ConvertBLZKonto, 17);
    EXPECT_EQ(LibraryCall::call<EntryPoint::ConvertBLZKonto>(&g_owner, CallReport::SlotOnly,
                                                             record.view()),
              17);
    EXPECT_EQ(m_recorder.messages().size(), 2u);
}

TEST_F(LibraryCallTest, TheMissingEntryPointIsNamedToAssistiveToolsNotInTheText) {
    FakeLibrary partial(FakeVariant::NoProtokoll);
    DLLAPI::reset();
    const std::string lacks = kMissing + "\r\n\r\nFehlende Funktion: ";
    // The load reports under Init, but the one missing is the first empty slot.
    EXPECT_FALSE(zalvo::LibraryInit::load(&g_owner));
    EXPECT_FALSE(LibraryCall::call<EntryPoint::FreeDTAVars>(&g_owner, CallReport::Always));
    EXPECT_FALSE(LibraryCall::available<EntryPoint::SetLogFile>(&g_owner));
    const auto& shown = m_recorder.messages();
    ASSERT_EQ(shown.size(), 3u);
    for (const auto& message : shown) {
        EXPECT_EQ(message.text, kMissing);
        EXPECT_EQ(message.caption, "Fehlermeldung entsprechend der Dokumentation");
        EXPECT_EQ(message.owner, &g_owner);
    }
    EXPECT_EQ(shown[0].description, lacks + "Zalvotech_GetDTAProtokoll");
    EXPECT_EQ(shown[1].description, lacks + "Zalvotech_FreeDTAVars");
    EXPECT_EQ(shown[2].description, lacks + "Zalvotech_SetLogFile");
    // Other results have nothing to add.
    partial.script(EntryPoint::Version, -2);
    Record record(zalvo::version::kSize);
    static_cast<void>(
        LibraryCall::call<EntryPoint::Version>(&g_owner, CallReport::Always, record.view()));
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[3].description, "");
}

TEST_F(LibraryCallTest, AnObserverSeesArgumentsBeforeAndAfterTheResultAndTheDuration) {
    RecordingObserver observer;
    LibraryCall::setObserver(&observer);
    Record bankCode(zalvo::kBankCodeBufferSize);
    bankCode.putText(0, 8, "37040044");
    Record bic(zalvo::kBicBufferSize);
    m_fake.script(EntryPoint::GetBIC, 0);
    m_fake.scriptText(EntryPoint::GetBIC, 1, zalvo::Field{0, zalvo::kBicBufferSize}, "COBADEFFXXX");
    ASSERT_EQ(LibraryCall::call<EntryPoint::GetBIC>(&g_owner, CallReport::Nothing,
                                                    std::as_const(bankCode).view(), bic.view()),
              0);
    m_fake.script(EntryPoint::SetLogFile, -4);
    const Record name(zalvo::kPathBufferSize);
    ASSERT_EQ(LibraryCall::call<EntryPoint::SetLogFile>(&g_owner, CallReport::Nothing, name.view(),
                                                        3, 7, 0),
              -4);

    ASSERT_EQ(observer.calls.size(), 2u);
    const SeenCall& getBic = observer.calls[0];
    EXPECT_EQ(getBic.entry, EntryPoint::GetBIC);
    EXPECT_EQ(getBic.before, (std::vector<std::string>{std::string(bankCode.bytes()),
                                                       std::string(zalvo::kBicBufferSize, '\0')}));
    EXPECT_EQ(getBic.after, (std::vector<std::string>{std::string(bankCode.bytes()),
                                                      std::string("COBADEFFXXX\0", 12)}));
    EXPECT_EQ(getBic.result, 0);
    EXPECT_GE(getBic.duration.count(), 0);
    const SeenCall& setLogFile = observer.calls[1];
    EXPECT_EQ(setLogFile.entry, EntryPoint::SetLogFile);
    EXPECT_EQ(setLogFile.before.at(0).size(), zalvo::kPathBufferSize);
    EXPECT_EQ(setLogFile.integers, (std::vector<std::int32_t>{3, 7, 0}));
    EXPECT_EQ(setLogFile.result, -4);
}

TEST_F(LibraryCallTest, TheCounterIsPassedThroughAndSeenAsItsFourBytes) {
    RecordingObserver observer;
    LibraryCall::setObserver(&observer);
    std::int32_t counter = 1;
    const std::int32_t advanced = 2;
    m_fake.script(EntryPoint::GetDTAInfo, 0);
    m_fake.scriptWrite(EntryPoint::GetDTAInfo, 1, 0,
                       std::string(reinterpret_cast<const char*>(&advanced), 4));
    Record info(zalvo::dtainfo::kSize);
    ASSERT_EQ(LibraryCall::call<EntryPoint::GetDTAInfo>(&g_owner, CallReport::Nothing, info.view(),
                                                        zalvo::Counter(&counter, 1)),
              0);
    EXPECT_EQ(counter, 2);
    ASSERT_EQ(observer.calls.size(), 1u);
    EXPECT_EQ(observer.calls[0].before.at(1), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(observer.calls[0].after.at(1), std::string("\x02\0\0\0", 4));
}

TEST_F(LibraryCallTest, NothingIsObservedOnceTheObserverIsGoneOrWhenTheSlotIsEmpty) {
    RecordingObserver observer;
    LibraryCall::setObserver(&observer);
    EXPECT_EQ(LibraryCall::observer(), &observer);
    LibraryCall::setObserver(nullptr);
    EXPECT_EQ(LibraryCall::call<EntryPoint::Free>(&g_owner, CallReport::Nothing), 0);
    EXPECT_TRUE(observer.calls.empty());

    FakeLibrary none(FakeVariant::None);
    DLLAPI::reset();
    ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kEntryPointMissing);
    LibraryCall::setObserver(&observer);
    EXPECT_FALSE(LibraryCall::call<EntryPoint::Free>(&g_owner, CallReport::Nothing));
    EXPECT_TRUE(observer.calls.empty());
}
