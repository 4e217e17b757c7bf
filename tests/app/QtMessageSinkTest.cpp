#include "app/QtMessageSink.h"

#include "binding/ResultReporter.h"
#include "controls/QtOwner.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using zalvo::MessageIcon;

namespace {

const std::string kNotLoadable =
    "Die DLL Zalvotech.dll konnte nicht erfolgreich geladen werden!\r\n\r\n"
    "Sie ist m\xF6"
    "glicherweise nicht vorhanden, oder nicht im aktuellen Verzeichnis.   ";

QLabel* textLabel(QMessageBox& box) {
    return box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
}

} // namespace

TEST(QtMessageSink, BoxShowsUmlautsAndLineBreaks) {
    QWidget owner;
    auto box = QtMessageSink::createBox(ownerHandle(&owner),
                                        "Fehlermeldung entsprechend der "
                                        "Dokumentation",
                                        kNotLoadable, MessageIcon::Critical);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Fehlermeldung entsprechend der Dokumentation"));
    EXPECT_EQ(box->text(),
              QString::fromUtf8("Die DLL Zalvotech.dll konnte nicht erfolgreich geladen werden!\n\n"
                                "Sie ist möglicherweise nicht vorhanden, oder nicht im aktuellen "
                                "Verzeichnis.   "));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->parentWidget(), &owner);
    EXPECT_EQ(box->accessibleName(), box->windowTitle());
    EXPECT_EQ(box->accessibleDescription(), box->text());
}

TEST(QtMessageSink, OnlyAnOkButton) {
    auto box = QtMessageSink::createBox(nullptr, "Erfolg!", "Alles verlief erfolgreich!     ",
                                        MessageIcon::Information);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(box->parentWidget(), nullptr);
    auto warning = QtMessageSink::createBox(nullptr, "x", "y", MessageIcon::Warning);
    EXPECT_EQ(warning->icon(), QMessageBox::Warning);
}

TEST(QtMessageSink, MarkupIsShownAsText) {
    auto box = QtMessageSink::createBox(nullptr, "Erfolg!", "<b>Zalvotech_GetBIC</b>   ",
                                        MessageIcon::Information);
    QLabel* label = textLabel(*box);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text(), QStringLiteral("<b>Zalvotech_GetBIC</b>   "));
}

TEST(QtMessageSink, TheDescriptionTellsAssistiveToolsWhatTheTextLeavesOut) {
    const std::string text = "Beim Laden einer Funktion ist ein Fehler aufgetreten.\r\n\r\n"
                             "Bitte informieren Sie den Hersteller!   ";
    auto box = QtMessageSink::createBox(
        nullptr, "Fehlermeldung entsprechend der Dokumentation", text, MessageIcon::Critical,
        zalvo::ResultReporter::missingEntryPointDescription("Zalvotech_GetBIC"));
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box.get());
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Description),
              QStringLiteral("Beim Laden einer Funktion ist ein Fehler aufgetreten.\n\n"
                             "Bitte informieren Sie den Hersteller!   \n\n"
                             "Fehlende Funktion: Zalvotech_GetBIC"));
    // The visible text stays as it is.
    ASSERT_NE(textLabel(*box), nullptr);
    EXPECT_EQ(textLabel(*box)->text(),
              QStringLiteral("Beim Laden einer Funktion ist ein Fehler aufgetreten.\n\n"
                             "Bitte informieren Sie den Hersteller!   "));
}

TEST(QtMessageSink, TextIsSelectableAndCtrlCCopiesIt) {
    auto box = QtMessageSink::createBox(nullptr, "Fehlermeldung entsprechend der Dokumentation",
                                        "Fehler bei der Funktion: Zalvotech_GetBIC\r\n\r\n"
                                        "Fehlernummer=-3   ",
                                        MessageIcon::Critical);
    QLabel* label = textLabel(*box);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByKeyboard);

    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    QApplication::clipboard()->clear();
    // With the focus on the OK button and nothing selected, the whole text is copied.
    QTest::keyClick(box->buttons().front(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Fehler bei der Funktion: Zalvotech_GetBIC\n\nFehlernummer=-3   "));

    // A selection made in the text is what gets copied.
    label->setSelection(0, 6);
    QTest::keyClick(box->buttons().front(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Fehler"));
}

TEST(QtMessageSink, ShowIsModalOnItsOwnerAndReturnsWhenClosed) {
    QWidget owner;
    owner.show();
    bool seen = false;
    bool ownedAndModal = false;
    QString shownText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        seen = true;
        ownedAndModal = box->parentWidget() == &owner && box->isModal();
        shownText = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QtMessageSink sink;
    sink.show(ownerHandle(&owner), "Erfolg!", "Zalvotech_GetBIC   ", MessageIcon::Information, {});
    ASSERT_TRUE(seen);
    EXPECT_TRUE(ownedAndModal);
    EXPECT_EQ(shownText, QStringLiteral("Zalvotech_GetBIC   "));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
