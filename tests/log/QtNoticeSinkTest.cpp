#include "app/QtNoticeSink.h"

#include "controls/KXDefaults.h"
#include "log/LogWriter.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/support/TempDirectory.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct SeenBox {
    bool seen = false;
    QString title;
    QString text;
    QString objectName;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool hasParent = true;
    bool modal = false;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::StandardButtons buttons;
    QString family;
};

// Waits for the notice box, records what it shows, then lets `answer` close it. The timer
// deletes itself after the box; a caller that expects no box deletes it.
QTimer* answerNextBox(SeenBox& seen, std::function<void(QMessageBox&)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, &seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        seen.seen = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.objectName = box->objectName();
        seen.icon = box->icon();
        seen.hasParent = box->parentWidget() != nullptr;
        seen.modal = box->isModal();
        seen.format = box->textFormat();
        seen.buttons = box->standardButtons();
        seen.family = QFontInfo(box->font()).family();
        answer(*box);
    });
    timer->start();
    return timer;
}

void click(QMessageBox& box, QMessageBox::StandardButton which) {
    QTest::mouseClick(box.button(which), Qt::LeftButton);
}

TEST(QtNoticeSink, ShowsAModalWarningWithOkAndCancelAndNoParent) {
    QtNoticeSink sink;
    SeenBox seen;
    answerNextBox(seen, [](QMessageBox& box) { click(box, QMessageBox::Ok); });
    EXPECT_TRUE(sink.confirm("Zalvotech DLL Debug-Info: CheckPr\xFC"
                             "fziffer",
                             "FEHLER\r\n\r\n<b>\x80 1,00</b>\r\nEnde"));
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, QString::fromUtf8("Zalvotech DLL Debug-Info: CheckPrüfziffer"));
    // The Euro sign is 0x80 in Windows-1252, not a C1 control; markup stays text.
    EXPECT_EQ(seen.text, QString::fromUtf8("FEHLER\n\n<b>€ 1,00</b>\nEnde"));
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.objectName, QString::fromLatin1(QtNoticeSink::kObjectName));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_FALSE(seen.hasParent);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    // The face every other window shows.
    EXPECT_EQ(seen.family, QFontInfo(kxdefaults::font()).family());
}

TEST(QtNoticeSink, CancelAndEscapeDecline) {
    QtNoticeSink sink;
    SeenBox cancelled;
    answerNextBox(cancelled, [](QMessageBox& box) { click(box, QMessageBox::Cancel); });
    EXPECT_FALSE(sink.confirm("t", "m"));
    EXPECT_TRUE(cancelled.seen);

    SeenBox escaped;
    answerNextBox(escaped, [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_FALSE(sink.confirm("t", "m"));
    EXPECT_TRUE(escaped.seen);

    SeenBox entered;
    answerNextBox(entered, [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_TRUE(sink.confirm("t", "m"));
    EXPECT_TRUE(entered.seen);
}

TEST(QtNoticeSink, CancelInTheWriterSwitchesNoticesOff) {
    testsupport::TempDirectory dir;
    platform::FixedClock clock({2026, 12, 7, 15, 42, 6});
    platform::ScopedClock scopedClock(clock);
    QtNoticeSink sink;
    LogWriter writer(&sink);

    SeenBox seen;
    answerNextBox(seen, [](QMessageBox& box) { click(box, QMessageBox::Cancel); });
    const std::string name = (dir.path() / "demo.log").string();
    EXPECT_EQ(writer.SetLogFile(name, 1, 15, 2), 0);
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, QString::fromLatin1("Zalvotech DLL Debug-Info: SetLogFile"));
    EXPECT_TRUE(seen.text.startsWith(QString::fromLatin1("INFO\n\nLogFile Name und Pfad=")));
    EXPECT_EQ(writer.contentMask(), 7);
    SeenBox later;
    QTimer* watcher = answerNextBox(later, [](QMessageBox& box) { click(box, QMessageBox::Ok); });
    writer.WriteLogLine(LogWriter::kFehler, 1, "ohne Meldung");
    QCoreApplication::processEvents();
    EXPECT_FALSE(later.seen);
    if (!later.seen)
        delete watcher;
}

} // namespace
