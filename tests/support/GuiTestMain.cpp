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
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetEachTest);
    zalvo::ResultReporter::setSink(&testsupport::messageSink());
    const int result = RUN_ALL_TESTS();
    zalvo::ResultReporter::setSink(nullptr);
    return result;
}
