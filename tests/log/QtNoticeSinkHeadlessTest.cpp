#include "app/QtNoticeSink.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

// Without a widget application there is no desktop to show a box on: the notice counts as
// confirmed and nothing blocks.
TEST(QtNoticeSinkHeadless, WithoutAnyApplicationTheNoticeCountsAsConfirmed) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    QtNoticeSink sink;
    EXPECT_TRUE(sink.confirm("Zalvotech DLL Debug-Info: Init", "INFO\r\n\r\nx"));
}

TEST(QtNoticeSinkHeadless, UnderAConsoleApplicationTheNoticeCountsAsConfirmed) {
    int argc = 1;
    char name[] = "log_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QtNoticeSink sink;
    EXPECT_TRUE(sink.confirm("Zalvotech DLL Debug-Info: Init", "INFO\r\n\r\nx"));
}

} // namespace
