#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

namespace testsupport {

// Opens the menu with the mouse and clicks the item, as a user does.
inline void clickMenuItem(QMenuBar* bar, QMenu* menu, QAction* item) {
    ASSERT_TRUE(bar && menu && item);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    ASSERT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }));
}

// The same for the main window's menu, with menu and item found by their object names.
inline void clickMenuItem(QWidget* window, const char* menuName, const char* itemName) {
    clickMenuItem(window->findChild<QMenuBar*>(QStringLiteral("MainMenu")),
                  window->findChild<QMenu*>(QString::fromLatin1(menuName)),
                  window->findChild<QAction*>(QString::fromLatin1(itemName)));
}

} // namespace testsupport
