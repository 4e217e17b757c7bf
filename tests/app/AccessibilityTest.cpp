#include "app/QtMessageSink.h"
#include "app/TDemoForm.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString nameOf(QObject* object) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// Names of the children an assistive tool sees below `object`.
QStringList childNames(QObject* object) {
    QStringList names;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    if (!accessible) {
        return names;
    }
    for (int i = 0; i < accessible->childCount(); ++i) {
        names << accessible->child(i)->text(QAccessible::Name);
    }
    return names;
}

// Names of everything below `accessible`, depth first.
void collectNames(QAccessibleInterface* accessible, QStringList& names) {
    for (int i = 0; i < accessible->childCount(); ++i) {
        QAccessibleInterface* child = accessible->child(i);
        names << child->text(QAccessible::Name);
        collectNames(child, names);
    }
}

QStringList allNames(QObject* object) {
    QStringList names;
    if (QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object)) {
        collectNames(accessible, names);
    }
    return names;
}

} // namespace

TEST(Accessibility, MainWindowMenusAndMemoAreFoundByTheirTexts) {
    TDemoForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(nameOf(&form), QString::fromUtf8("Testprogramm für Zalvotech.dll"));

    auto* bar = form.findChild<QMenuBar*>(QStringLiteral("MainMenu"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(childNames(bar),
              (QStringList{QStringLiteral("System"), QString::fromUtf8("Konvertieren und Prüfen"),
                           QStringLiteral("XML-Datei"), QStringLiteral("Ansicht")}));
    auto* system = form.findChild<QMenu*>(QStringLiteral("MSystem"));
    ASSERT_NE(system, nullptr);
    const QStringList items = childNames(system);
    EXPECT_TRUE(items.contains(QStringLiteral("Initialisierung - Zalvotech_Init")))
        << items.join('|').toStdString();
    EXPECT_TRUE(items.contains(QStringLiteral("Informationen - Zalvotech_Info")));

    auto* memo = form.findChild<QPlainTextEdit*>(QStringLiteral("Memo"));
    ASSERT_NE(memo, nullptr);
    QAccessibleInterface* memoAccessible = QAccessible::queryAccessibleInterface(memo);
    ASSERT_NE(memoAccessible, nullptr);
    EXPECT_TRUE(memoAccessible->text(QAccessible::Value)
                    .startsWith(QStringLiteral("Dieses Demo-Programm stellt")));
    EXPECT_TRUE(memoAccessible->state().readOnly);
}

TEST(Accessibility, MessageBoxIsFoundByCaptionAndText) {
    auto box = QtMessageSink::createBox(nullptr, "Erfolg!",
                                        "Aktualit\xE4t der SEPA-Teilnehmer: 01.02.2018.\r\n\r\n"
                                        "x   ",
                                        zalvo::MessageIcon::Information);
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box.get());
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Erfolg!"));
    EXPECT_EQ(accessible->text(QAccessible::Description),
              QString::fromUtf8("Aktualität der SEPA-Teilnehmer: 01.02.2018.\n\nx   "));
    // The text itself and the one button are reachable below the box.
    const QStringList names = allNames(box.get());
    EXPECT_TRUE(
        names.contains(QString::fromUtf8("Aktualität der SEPA-Teilnehmer: 01.02.2018.\n\nx   ")));
    EXPECT_TRUE(names.contains(QStringLiteral("OK"))) << names.join(QLatin1Char('|')).toStdString();
}
