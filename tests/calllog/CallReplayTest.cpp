#include "calllog/CallReplay.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "binding/LibraryCall.h"
#include "calllog/CallLog.h"
#include "tests/support/FakeLibrary.h"

#include <gtest/gtest.h>
#include <sstream>

using testsupport::FakeLibrary;
using zalvo::CallReport;
using zalvo::DLLAPI;
using zalvo::EntryPoint;
using zalvo::LibraryCall;
using zalvo::Record;
using zalvo::calllog::CallLog;
using zalvo::calllog::CallReplay;
using zalvo::calllog::Difference;
using zalvo::calllog::PathMapping;
using zalvo::calllog::RecordedCall;
using zalvo::calllog::ReplayLibrary;

namespace {

constexpr std::string_view kIban = "DE89370400440532013000";

class CallReplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kResultOk);
        m_log.install();
    }

    // Init with a data path, then one conversion the fake answers with `iban` and `result`.
    void recordSession(std::string_view iban, std::int32_t result) {
        m_fake.script(EntryPoint::ConvertBLZKonto, result);
        m_fake.scriptText(EntryPoint::ConvertBLZKonto, 0, zalvo::account::kIban, iban);
        Record dataPath(zalvo::kPathBufferSize);
        dataPath.putText(0, zalvo::kMaxPathChars, "/alt/daten");
        Record empty(zalvo::kPathBufferSize);
        ASSERT_TRUE(LibraryCall::call<EntryPoint::Init>(
            nullptr, CallReport::Nothing, dataPath.view(), empty.view(), empty.view(), 0));
        Record account(zalvo::account::kSize);
        account.putText(zalvo::account::kBankCode, "37040044");
        account.putText(zalvo::account::kAccountNumber, "532013000");
        ASSERT_TRUE(LibraryCall::call<EntryPoint::ConvertBLZKonto>(nullptr, CallReport::Nothing,
                                                                   account.view()));
        zalvo::LibraryCall::setObserver(nullptr);
        m_fake.reset();
    }

    std::vector<RecordedCall> recorded() const {
        std::vector<RecordedCall> calls;
        for (std::size_t i = 0; i < m_log.size(); ++i) {
            calls.push_back(m_log.at(i));
        }
        return calls;
    }

    FakeLibrary m_fake;
    CallLog m_log;
};

} // namespace

TEST_F(CallReplayTest, ALibraryAnsweringAsRecordedIsEqualCallForCall) {
    recordSession(kIban, 210);
    const auto library = ReplayLibrary::load("Zalvotech.dll");
    ASSERT_TRUE(library.has_value()) << ReplayLibrary::error();
    m_fake.script(EntryPoint::ConvertBLZKonto, 210);
    m_fake.scriptText(EntryPoint::ConvertBLZKonto, 0, zalvo::account::kIban, kIban);

    std::ostringstream out;
    EXPECT_EQ(CallReplay(*library, {}).run(recorded(), out), 0) << out.str();
    EXPECT_EQ(out.str(), "#1 Zalvotech_Init: gleich\n#2 Zalvotech_ConvertBLZKonto: gleich\n"
                         "2 Aufrufe, 2 gleich, 0 verschieden\n");
    // The same calls in the same order, with the recorded bytes.
    ASSERT_EQ(m_fake.callNames(),
              (std::vector<std::string>{"Zalvotech_Init", "Zalvotech_ConvertBLZKonto"}));
    EXPECT_EQ(m_fake.calls()[1].buffers[0], std::string(m_log.at(1).before(0)));
    EXPECT_EQ(m_fake.calls()[0].ints, (std::vector<int64_t>{0}));
}

TEST_F(CallReplayTest, AFieldAnsweredDifferentlyIsNamedWithBothValues) {
    recordSession(kIban, 210);
    const auto library = ReplayLibrary::load("Zalvotech.dll");
    ASSERT_TRUE(library.has_value());
    m_fake.script(EntryPoint::ConvertBLZKonto, 0);
    m_fake.scriptText(EntryPoint::ConvertBLZKonto, 0, zalvo::account::kIban,
                      "DE02370400440532013000");
    const CallReplay replay(*library, {});
    const auto calls = recorded();
    EXPECT_TRUE(replay.replay(calls[0]).empty());
    const std::vector<Difference> differences = replay.replay(calls[1]);
    ASSERT_EQ(differences.size(), 2u);
    EXPECT_EQ(differences[0].what, "Ergebnis");
    EXPECT_EQ(differences[0].recorded, "210");
    EXPECT_EQ(differences[0].replayed, "0");
    EXPECT_EQ(differences[1].what, "Kontosatz / IBAN");
    EXPECT_EQ(differences[1].recorded, kIban);
    EXPECT_EQ(differences[1].replayed, "DE02370400440532013000");

    std::ostringstream out;
    m_fake.script(EntryPoint::ConvertBLZKonto, 210);
    EXPECT_EQ(replay.run(calls, out), 1);
    EXPECT_NE(out.str().find("#2 Zalvotech_ConvertBLZKonto: verschieden\n    Kontosatz / IBAN: "
                             "aufgezeichnet \"DE89370400440532013000\", jetzt \"\"\n"),
              std::string::npos)
        << out.str();
}

TEST_F(CallReplayTest, PathPrefixesAreRewrittenInPathFieldsOnly) {
    recordSession(kIban, 0);
    const auto library = ReplayLibrary::load("Zalvotech.dll");
    ASSERT_TRUE(library.has_value());
    const auto mapping = CallReplay::parseMapping("/alt=/neu/ört");
    ASSERT_TRUE(mapping.has_value());
    EXPECT_EQ(mapping->to, "/neu/\xF6rt");
    EXPECT_FALSE(CallReplay::parseMapping("ohne-gleich").has_value());
    EXPECT_FALSE(CallReplay::parseMapping("=/neu").has_value());

    const CallReplay replay(*library, {*mapping});
    // The library leaves the paths as they are: equal, though the bytes passed differ.
    EXPECT_TRUE(replay.replay(recorded()[0]).empty());
    const auto init = m_fake.callsTo(EntryPoint::Init);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0].buffers[0].substr(0, 16), std::string("/neu/\xF6rt/daten\0", 16));
    EXPECT_EQ(init[0].buffers[0].find_first_not_of('\0', 16), std::string::npos);
}

TEST_F(CallReplayTest, AnEntryPointTheLibraryLacksIsADifference) {
    recordSession(kIban, 0);
    FakeLibrary partial(testsupport::FakeVariant::None);
    const auto library = ReplayLibrary::load(partial.libraryPath().string());
    ASSERT_TRUE(library.has_value());
    const std::vector<Difference> differences = CallReplay(*library, {}).replay(recorded()[1]);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].replayed, "Funktion fehlt in der Bibliothek");
    EXPECT_FALSE(ReplayLibrary::load("/nirgends/Zalvotech.dll").has_value());
    EXPECT_FALSE(ReplayLibrary::error().empty());
}
