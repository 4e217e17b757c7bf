// Shared main of every GUI test executable: a QApplication on the offscreen platform unless
// another is asked for, the reporter writing into a recording sink, and the process-wide
// state put back before each test.
#include "tests/support/GuiTest.h"

#include "binding/DLLAPI.h"
#include "binding/ResultReporter.h"

#include <QApplication>
#include <QLocale>
#include <clocale>
#include <gtest/gtest.h>

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
