#include "binding/DLLAPI.h"

#include "binding/LibraryCall.h"
#include "tests/support/FakeLibrary.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/TempDirectory.h"

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using testsupport::FakeLibrary;
using testsupport::FakeVariant;
using zalvo::DLLAPI;
using zalvo::EntryPoint;

namespace {

const std::string kNotLoaded = "Die API (Zalvotech.dll) wurde noch nicht geladen!\r\n\r\n"
                               "Bitte rufen Sie zuerst die Funktion Zalvotech_init auf.   ";
const std::string kMissing = "Beim Laden einer Funktion ist ein Fehler aufgetreten.\r\n\r\n"
                             "Bitte informieren Sie den Hersteller!   ";
const std::string kSuccess = "Alles verlief erfolgreich!     ";

int g_owner;

class DLLAPITest : public ::testing::Test {
protected:
    void SetUp() override { DLLAPI::reset(); }
    void TearDown() override { DLLAPI::reset(); }

    static void expectBoundTo(const FakeLibrary& fake) {
        for (std::size_t i = 0; i < zalvo::kEntryPointCount; ++i) {
            const auto entry = static_cast<EntryPoint>(i);
            ASSERT_NE(fake.address(entry), nullptr) << zalvo::entryPointName(entry);
            EXPECT_EQ(DLLAPI::slot(entry), fake.address(entry)) << zalvo::entryPointName(entry);
        }
    }

    testsupport::ScopedRecordingSink m_recorder;
};

} // namespace

TEST_F(DLLAPITest, StartsNotLoadedAndTheGuardSaysSo) {
    EXPECT_EQ(DLLAPI::moduleHandle(), 0u);
    EXPECT_FALSE(DLLAPI::loaded());
    EXPECT_FALSE(DLLAPI::requireLoaded(&g_owner));
    ASSERT_EQ(m_recorder.messages().size(), 1u);
    EXPECT_EQ(m_recorder.messages()[0].text, kNotLoaded);
    EXPECT_EQ(m_recorder.messages()[0].owner, &g_owner);
    EXPECT_EQ(m_recorder.messages()[0].icon, zalvo::MessageIcon::Critical);
}

TEST_F(DLLAPITest, LoadBindsAllSixteenFromTheCurrentDirectory) {
    FakeLibrary fake;
    EXPECT_EQ(DLLAPI::loadAndBind(), 0);
    EXPECT_EQ(DLLAPI::moduleHandle(), reinterpret_cast<std::uintptr_t>(fake.module()));
    expectBoundTo(fake);
    EXPECT_TRUE(DLLAPI::requireLoaded(&g_owner));
    EXPECT_TRUE(m_recorder.messages().empty());
    // Loading calls nothing in the library.
    EXPECT_TRUE(fake.calls().empty());
}

TEST_F(DLLAPITest, SecondLoadNeitherLoadsNorBindsAgain) {
    FakeLibrary first;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    const auto handle = DLLAPI::moduleHandle();

    // Another library in another current directory: a real second load would take it.
    testsupport::TempDirectory elsewhere;
    std::filesystem::copy_file(FakeLibrary::variantPath(FakeVariant::NoProtokoll),
                               elsewhere.path() / "Zalvotech.dll");
    EXPECT_EQ(DLLAPI::loadAndBind(), 0);
    EXPECT_EQ(DLLAPI::moduleHandle(), handle);
    expectBoundTo(first);
}

TEST_F(DLLAPITest, ReleaseThenLoadBindsAllSixteenAfresh) {
    FakeLibrary first;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    DLLAPI::release(&g_owner);
    EXPECT_FALSE(DLLAPI::loaded());

    // A fresh copy elsewhere is a different module, so every slot must change to it.
    testsupport::TempDirectory elsewhere;
    std::filesystem::copy_file(FakeLibrary::variantPath(FakeVariant::Full),
                               elsewhere.path() / "Zalvotech.dll");
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    EXPECT_NE(DLLAPI::moduleHandle(), reinterpret_cast<std::uintptr_t>(first.module()));
    void* second = reinterpret_cast<void*>(DLLAPI::moduleHandle());
    for (std::size_t i = 0; i < zalvo::kEntryPointCount; ++i) {
        const auto entry = static_cast<EntryPoint>(i);
        EXPECT_NE(DLLAPI::slot(entry), first.address(entry));
        EXPECT_EQ(DLLAPI::slot(entry),
                  dlsym(second, std::string(zalvo::entryPointName(entry)).c_str()));
    }
}

TEST_F(DLLAPITest, ReleaseThenLoadOfTheSameFileBindsTheSameModule) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    DLLAPI::release(&g_owner);
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    EXPECT_EQ(DLLAPI::moduleHandle(), reinterpret_cast<std::uintptr_t>(fake.module()));
    expectBoundTo(fake);
}

TEST_F(DLLAPITest, MissingFileGivesMinus99999AndTheNextLoadTriesAgain) {
    testsupport::TempDirectory empty;
    // Not a shared object: the file in the current directory is taken and fails.
    std::ofstream(empty.path() / "Zalvotech.dll") << "not a library";
    EXPECT_EQ(DLLAPI::loadAndBind(), -99999);
    EXPECT_EQ(DLLAPI::moduleHandle(), 0u);
    EXPECT_FALSE(DLLAPI::loaded());
    EXPECT_TRUE(m_recorder.messages().empty());

    std::filesystem::remove(empty.path() / "Zalvotech.dll");
    std::filesystem::copy_file(FakeLibrary::variantPath(FakeVariant::Full),
                               empty.path() / "Zalvotech.dll");
    EXPECT_EQ(DLLAPI::loadAndBind(), 0);
    EXPECT_TRUE(DLLAPI::loaded());
}

TEST_F(DLLAPITest, LackingOnlyGetDTAProtokollGivesMinus99998ButCountsAsLoaded) {
    FakeLibrary fake(FakeVariant::NoProtokoll);
    EXPECT_EQ(DLLAPI::loadAndBind(), -99998);
    EXPECT_TRUE(DLLAPI::requireLoaded(&g_owner));
    EXPECT_TRUE(m_recorder.messages().empty());

    // Bound up to the missing name, nothing from there on.
    for (std::size_t i = 0; i < zalvo::kEntryPointCount; ++i) {
        const auto entry = static_cast<EntryPoint>(i);
        if (entry < EntryPoint::GetDTAProtokoll) {
            EXPECT_EQ(DLLAPI::slot(entry), fake.address(entry)) << zalvo::entryPointName(entry);
        } else {
            EXPECT_EQ(DLLAPI::slot(entry), nullptr) << zalvo::entryPointName(entry);
        }
    }
    // FreeDTAVars exists in the library but binding stopped before it.
    EXPECT_NE(fake.address(EntryPoint::FreeDTAVars), nullptr);

    // A later load returns 0 without repairing the table.
    EXPECT_EQ(DLLAPI::loadAndBind(), 0);
    EXPECT_EQ(DLLAPI::slot(EntryPoint::FreeDTAVars), nullptr);
}

TEST_F(DLLAPITest, LibraryWithoutAnyEntryPointIsLoadedWithAnEmptyTable) {
    FakeLibrary fake(FakeVariant::None);
    EXPECT_EQ(DLLAPI::loadAndBind(), -99998);
    EXPECT_TRUE(DLLAPI::loaded());
    for (std::size_t i = 0; i < zalvo::kEntryPointCount; ++i) {
        EXPECT_EQ(DLLAPI::slot(static_cast<EntryPoint>(i)), nullptr);
    }
}

TEST_F(DLLAPITest, ReleaseWhenNotLoadedDoesNothing) {
    FakeLibrary fake;
    DLLAPI::release(&g_owner);
    EXPECT_TRUE(m_recorder.messages().empty());
    EXPECT_TRUE(fake.calls().empty());

    // Also after a release has already happened.
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    DLLAPI::release(&g_owner);
    fake.reset();
    m_recorder.sink().clear();
    DLLAPI::release(&g_owner);
    EXPECT_TRUE(m_recorder.messages().empty());
    EXPECT_TRUE(fake.calls().empty());
}

TEST_F(DLLAPITest, ReleaseStopsTheLibraryLogThenFreesAndReportsSuccess) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    DLLAPI::setLogFileName("/tmp/zalvo-\xE4.log");
    // The stop's answer is not shown.
    fake.script(EntryPoint::SetLogFile, -4);

    DLLAPI::release(&g_owner);

    EXPECT_EQ(DLLAPI::moduleHandle(), 0u);
    const auto calls = fake.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].name, "Zalvotech_SetLogFile");
    std::string expectedName = "/tmp/zalvo-\xE4.log";
    expectedName.resize(zalvo::kPathBufferSize, '\0');
    EXPECT_EQ(calls[0].buffers.at(0), expectedName);
    EXPECT_EQ(calls[0].ints, (std::vector<int64_t>{3, 7, 0}));
    EXPECT_EQ(calls[1].name, "Zalvotech_Free");

    ASSERT_EQ(m_recorder.messages().size(), 1u);
    EXPECT_EQ(m_recorder.messages()[0].text, kSuccess);
    EXPECT_EQ(m_recorder.messages()[0].caption, "Erfolg!");
    EXPECT_EQ(m_recorder.messages()[0].owner, &g_owner);

    // Not loaded any more: the guard stops commands.
    EXPECT_FALSE(DLLAPI::requireLoaded(&g_owner));
}

TEST_F(DLLAPITest, ReleaseShowsFreesOwnAnswerUnderItsName) {
    const struct {
        int32_t result;
        std::string text;
        std::string caption;
    } rows[] = {
        {0, kSuccess, "Erfolg!"},
        {-1, "Fehler bei der Funktion: Zalvotech_Free\r\n\r\nFehlernummer=-1   ",
         "Fehlermeldung entsprechend der Dokumentation"},
        {200, "Fehler bei der Funktion: Zalvotech_Free\r\n\r\nFehlernummer=200   ", "Erfolg!"},
    };
    FakeLibrary fake;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.result);
        m_recorder.sink().clear();
        ASSERT_EQ(DLLAPI::loadAndBind(), 0);
        // No log name: the stop fails, as expected, and is not shown.
        fake.script(EntryPoint::SetLogFile, -1);
        fake.script(EntryPoint::Free, row.result);
        DLLAPI::release(&g_owner);
        ASSERT_EQ(m_recorder.messages().size(), 1u);
        EXPECT_EQ(m_recorder.messages()[0].text, row.text);
        EXPECT_EQ(m_recorder.messages()[0].caption, row.caption);
        EXPECT_EQ(m_recorder.messages()[0].owner, &g_owner);
    }
}

TEST_F(DLLAPITest, ReleaseWithEmptyLogNamePassesAZeroedBuffer) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    DLLAPI::release(&g_owner);
    const auto calls = fake.callsTo(EntryPoint::SetLogFile);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].buffers.at(0), std::string(zalvo::kPathBufferSize, '\0'));
}

TEST_F(DLLAPITest, StoredLogNameIsCutTo255Characters) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    DLLAPI::setLogFileName(std::string(300, 'l'));
    EXPECT_EQ(DLLAPI::logFileName(), std::string(255, 'l'));
    DLLAPI::release(&g_owner);
    const auto calls = fake.callsTo(EntryPoint::SetLogFile);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].buffers.at(0), std::string(255, 'l') + '\0');
}

TEST_F(DLLAPITest, ReleaseWithAnUnboundLogEntryReportsItAndStillFrees) {
    FakeLibrary fake(FakeVariant::NoProtokoll);
    ASSERT_EQ(DLLAPI::loadAndBind(), -99998);
    DLLAPI::release(&g_owner);

    EXPECT_FALSE(DLLAPI::loaded());
    EXPECT_EQ(fake.callNames(), (std::vector<std::string>{"Zalvotech_Free"}));
    // The empty slot, then Free's own answer.
    EXPECT_EQ(m_recorder.messages().size(), 2u);
    EXPECT_EQ(m_recorder.messages().at(0).text, kMissing);
    EXPECT_EQ(m_recorder.messages().at(1).text, kSuccess);
}

TEST_F(DLLAPITest, ReleaseAndWindowCloseForgetTheModuleBeforeCallingTheLibrary) {
    // Notes the module handle as each call into the library begins.
    struct HandleAtCall : zalvo::CallObserver {
        std::vector<std::pair<EntryPoint, std::uintptr_t>> seen;
        void beforeCall(EntryPoint entry, std::span<const zalvo::CallArgument>) override {
            seen.emplace_back(entry, DLLAPI::moduleHandle());
        }
        void afterCall(EntryPoint, std::span<const zalvo::CallArgument>, std::int32_t,
                       std::chrono::steady_clock::time_point, std::chrono::nanoseconds) override {}
    } observer;
    FakeLibrary fake;
    zalvo::LibraryCall::setObserver(&observer);
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    ASSERT_NE(DLLAPI::moduleHandle(), 0u);
    DLLAPI::release(&g_owner);
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    DLLAPI::releaseAtWindowClose();
    zalvo::LibraryCall::setObserver(nullptr);

    using Seen = std::pair<EntryPoint, std::uintptr_t>;
    EXPECT_EQ(observer.seen,
              (std::vector<Seen>{
                  {EntryPoint::SetLogFile, 0}, {EntryPoint::Free, 0}, {EntryPoint::Free, 0}}));
}

TEST_F(DLLAPITest, ForgettingTheModuleCallsNothing) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    EXPECT_TRUE(DLLAPI::forgetModule());
    EXPECT_FALSE(DLLAPI::loaded());
    EXPECT_FALSE(DLLAPI::forgetModule());
    EXPECT_TRUE(fake.calls().empty());
    // The table stays for the next load of the same module.
    EXPECT_EQ(DLLAPI::slot(EntryPoint::Free), fake.address(EntryPoint::Free));
}

TEST_F(DLLAPITest, WindowCloseFreesOnceThroughTheSameStepsAndShowsNothing) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    DLLAPI::setLogFileName("");
    fake.script(EntryPoint::Free, -1);
    DLLAPI::releaseAtWindowClose();
    // The log is stopped through the front end's own writer, not through the library.
    EXPECT_EQ(fake.callNames(), (std::vector<std::string>{"Zalvotech_Free"}));
    EXPECT_FALSE(DLLAPI::loaded());
    EXPECT_TRUE(m_recorder.messages().empty());

    DLLAPI::releaseAtWindowClose();
    DLLAPI::release(&g_owner);
    EXPECT_EQ(fake.calls().size(), 1u);
    EXPECT_TRUE(m_recorder.messages().empty());
}

TEST_F(DLLAPITest, WindowCloseWithAnUnboundFreeCallsNothingAndShowsNothing) {
    FakeLibrary fake(FakeVariant::NoFree);
    ASSERT_EQ(DLLAPI::loadAndBind(), -99998);
    DLLAPI::releaseAtWindowClose();
    EXPECT_FALSE(DLLAPI::loaded());
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_TRUE(m_recorder.messages().empty());
}
