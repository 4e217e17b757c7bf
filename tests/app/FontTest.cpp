#include "app/QtMessageSink.h"
#include "app/TDemoForm.h"
#include "controls/KXDefaults.h"
#include "controls/TKXButton.h"
#include "controls/TKXEdit.h"
#include "controls/TKXGruppe.h"
#include "dialogs/DLLInit.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

// The first face of the list that this machine has. tools/install-deps.sh installs
// Liberation Sans, so one of them is always there.
QString firstInstalledFace() {
    const QStringList installed = QFontDatabase::families();
    for (const QString& face : kxdefaults::fontFamilies()) {
        if (installed.contains(face)) {
            return face;
        }
    }
    return {};
}

TEST(Fonts, EveryWindowControlAndMessageBoxShowsTheFirstFaceOfTheList) {
    const QString face = firstInstalledFace();
    ASSERT_FALSE(face.isEmpty()) << "run tools/install-deps.sh";

    TDemoForm mainWindow;
    TInitForm dialog(&mainWindow);
    auto box = QtMessageSink::createBox(nullptr, "Erfolg!", "Alles verlief erfolgreich!   ",
                                        zalvo::MessageIcon::Information);
    const QList<QWidget*> widgets = {
        &mainWindow,
        mainWindow.findChild<QPlainTextEdit*>(QStringLiteral("Memo")),
        &dialog,
        dialog.findChild<TKXGruppe*>(),
        dialog.findChild<TKXEdit*>(),
        dialog.findChild<TKXButton*>(),
        box.get(),
        box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")),
    };
    for (const QWidget* widget : widgets) {
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(QFontInfo(widget->font()).family().toStdString(), face.toStdString())
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();
    }
}

} // namespace
