// Shared main of every GUI test executable: a QApplication on the offscreen platform unless
// another is asked for ("vnc" alone gets a free port), the reporter writing into a recording sink,
// and the process-wide state put back before each test.
#include "tests/support/GuiTest.h"

#include "binding/DLLAPI.h"
#include "binding/ResultReporter.h"

#include <QApplication>
#include <QLocale>
#include <arpa/inet.h>
#include <clocale>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

RecordingMessageSink& messageSink() {
    static RecordingMessageSink s_sink;
    return s_sink;
}

} // namespace testsupport

namespace {

QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform complains about every window feature it lacks; keep the rest.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) {
        return;
    }
    g_previousHandler(type, context, message);
}

// A port of the loopback interface nobody listens on, so test programs on the VNC platform
// running side by side never share one; 0 if none could be found.
int freePort() {
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    if (probe < 0) {
        return 0;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(probe);
    return port;
}

class ResetEachTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        testsupport::messageSink().clear();
        zalvo::ResultReporter::setSink(&testsupport::messageSink());
        zalvo::DLLAPI::reset();
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("vnc")) {
        qputenv("QT_QPA_PLATFORM", "vnc:port=" + QByteArray::number(freePort()));
    }
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    g_previousHandler = qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetEachTest);
    zalvo::ResultReporter::setSink(&testsupport::messageSink());
    const int result = RUN_ALL_TESTS();
    zalvo::ResultReporter::setSink(nullptr);
    return result;
}
