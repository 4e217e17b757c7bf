// User input during the DTA run, typed the way a real one arrives: through a window-system
// platform that queues it (Qt's VNC platform, fed by a minimal RFB client on a socket), not
// delivered synchronously as QTest's events are. Runs only on the VNC platform; CTest starts
// this program with QT_QPA_PLATFORM=vnc, and the shared GUI main picks a free port.
#include "app/TDemoForm.h"

#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "tests/app/ScriptedMainWindow.h"
#include "tests/support/FakeLibrary.h"

#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using testsupport::FakeLibrary;
using zalvo::DLLAPI;
using zalvo::EntryPoint;

namespace {

// X keysyms, which RFB sends.
constexpr std::uint32_t kEscape = 0xff1b;
constexpr std::uint32_t kShift = 0xffe1;

// The port the shared GUI main put into QT_QPA_PLATFORM ("vnc:port=N").
int vncPort() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const qsizetype at = platform.indexOf(QLatin1String("port="));
    return at < 0 ? 0 : platform.mid(at + 5).section(QLatin1Char(':'), 0, 0).toInt();
}

// Just enough of an RFB 3.3 viewer to type one key. The handshake runs on its own thread,
// since the server answers from the user-interface thread's event loop.
class KeyTypist {
public:
    explicit KeyTypist(int port) {
        m_handshake = std::thread([this, port] { m_ready = connectAndGreet(port); });
    }
    ~KeyTypist() {
        m_handshake.join();
        if (m_socket >= 0) {
            ::close(m_socket);
        }
    }
    KeyTypist(const KeyTypist&) = delete;
    KeyTypist& operator=(const KeyTypist&) = delete;

    bool ready() const { return m_ready; }
    bool finished() const { return m_finished; }

    // Key down and key up of an X keysym; the server reads them whenever its loop lets it.
    bool type(std::uint32_t keysym) {
        for (const bool down : {true, false}) {
            std::array<unsigned char, 8> event{};
            event[0] = kKeyEvent;
            event[1] = down ? 1 : 0;
            const std::uint32_t key = htonl(keysym);
            std::memcpy(event.data() + 4, &key, sizeof key);
            if (::send(m_socket, event.data(), event.size(), 0) !=
                static_cast<ssize_t>(event.size())) {
                return false;
            }
        }
        return true;
    }

private:
    static constexpr unsigned char kKeyEvent = 4;
    static constexpr std::size_t kServerInitFixed = 24; // size, pixel format, name length

    bool connectAndGreet(int port) {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        char version[12];
        std::uint32_t security = 0;
        const char shared = 1;
        char serverInit[kServerInitFixed];
        const bool greeted =
            m_socket >= 0 &&
            ::connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            readAll(version, sizeof version) && ::send(m_socket, "RFB 003.003\n", 12, 0) == 12 &&
            readAll(&security, sizeof security) && ntohl(security) == 1 &&
            ::send(m_socket, &shared, 1, 0) == 1 && readAll(serverInit, sizeof serverInit);
        std::uint32_t nameLength = 0;
        std::memcpy(&nameLength, serverInit + 20, sizeof nameLength);
        std::string name(std::min<std::uint32_t>(ntohl(nameLength), 256), '\0');
        const bool ready = greeted && readAll(name.data(), name.size());
        m_finished = true;
        return ready;
    }

    bool readAll(void* target, std::size_t size) {
        auto* bytes = static_cast<char*>(target);
        while (size > 0) {
            const auto got = ::recv(m_socket, bytes, size, 0);
            if (got <= 0) {
                return false;
            }
            bytes += got;
            size -= static_cast<std::size_t>(got);
        }
        return true;
    }

    int m_socket = -1;
    std::atomic<bool> m_ready{false};
    std::atomic<bool> m_finished{false};
    std::thread m_handshake;
};

} // namespace

TEST(DtaUserInput, AnEscapeTypedMidRunIsHandledOnlyOnceTheRunHasEnded) {
    if (QGuiApplication::platformName() != QLatin1String("vnc") || vncPort() == 0) {
        GTEST_SKIP() << "needs QT_QPA_PLATFORM=vnc:port=N";
    }
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    testsupport::ScriptedFileChooser* dialogs = nullptr;
    auto form = testsupport::showMainWindow(dialogs);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    KeyTypist typist(vncPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return typist.finished(); }, 10000));
    ASSERT_TRUE(typist.ready());

    // Enough entries for several passes of the event loop after the key is typed.
    constexpr int kEntries = 20 * 256;
    const std::string creditTransfer(sizeof(std::int32_t), '\0');
    for (int i = 0; i < kEntries; ++i) {
        fake.script(EntryPoint::GetDTAInfo, zalvo::kResultOk);
        fake.scriptWrite(EntryPoint::GetDTAInfo, 0, zalvo::dtainfo::kPaymentKind.offset,
                         creditTransfer);
    }
    fake.script(EntryPoint::GetDTAInfo, zalvo::kNoEntryLeft);
    dialogs->answerOpen("/daten/sammler.dta");
    dialogs->answerSave(std::string("/export/credit.xml"));

    // Runs at the run's first pass of the event loop, in the middle of the entries.
    bool typedDuringRun = false;
    QTimer::singleShot(0, form.get(), [&] { typedDuringRun = typist.type(kEscape); });
    form->dispatch(TDemoForm::kTagDTAtoXML);

    ASSERT_TRUE(typedDuringRun);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(DLLAPI::loaded());
    EXPECT_TRUE(fake.callsTo(EntryPoint::Free).empty());
    EXPECT_EQ(fake.callsTo(EntryPoint::PutDTAInfo).size(), static_cast<std::size_t>(kEntries));

    // The key was kept, not lost: it closes the window once the loop takes user input again.
    // Qt hands over input it held back only with the window system's next event (on a desktop
    // the pointer alone sends plenty); a tap on Shift, which the window ignores, is that event.
    ASSERT_TRUE(typist.type(kShift));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, 5000));
    const auto names = fake.callNames();
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[names.size() - 2], "Zalvotech_FreeDTAVars");
    EXPECT_EQ(names.back(), "Zalvotech_Free");
}
