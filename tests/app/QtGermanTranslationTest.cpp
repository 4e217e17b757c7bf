// Qt's own texts in German: the question before a file is replaced, its buttons and the file
// dialog's context menu, as the program's save dialog shows them.
#include "app/QtGermanTranslation.h"

#include "app/QtDtaFileDialogs.h"
#include "tests/support/TempDirectory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const char* const kReplaceQuestion = "%1 already exists.\nDo you want to replace it?";

QString replaceQuestion() {
    return QCoreApplication::translate("QFileDialog", kReplaceQuestion);
}

} // namespace

TEST(QtGermanTranslationTest, QtSpeaksGermanWhileInstalledAndEnglishAgainAfterwards) {
    ASSERT_EQ(replaceQuestion(), QString::fromLatin1(kReplaceQuestion));
    {
        QtGermanTranslation german;
        ASSERT_TRUE(german.installed()) << "qtbase_de.qm missing (qt6-translations-l10n)";
        EXPECT_TRUE(replaceQuestion().contains(QStringLiteral("existiert bereits")))
            << replaceQuestion().toStdString();
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Nein"));
    }
    EXPECT_EQ(replaceQuestion(), QString::fromLatin1(kReplaceQuestion));
}

TEST(QtGermanTranslationTest, TheSaveDialogAsksInGermanBeforeReplacingAFile) {
    QtGermanTranslation german;
    ASSERT_TRUE(german.installed());
    testsupport::TempDirectory folder;
    const QString existing = QString::fromStdString((folder.path() / "Lastschriften.xml").string());
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const auto dialog = QtDtaFileDialogs::createSaveDialog(nullptr, QStringLiteral("x.xml"));
    dialog->setDirectory(QString::fromStdString(folder.path().string()));
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));

    QString question;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        question = box->text();
        for (QAbstractButton* button : box->buttons()) {
            buttons << button->text();
        }
        box->button(QMessageBox::No)->click();
    });
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QStringLiteral("Lastschriften.xml"));
    QTest::keyClick(name, Qt::Key_Return);

    EXPECT_EQ(question, QString::fromUtf8("Die Datei Lastschriften.xml existiert bereits.\n"
                                          "Soll sie überschrieben werden?"));
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
    // "Nein" keeps the dialog open.
    EXPECT_TRUE(dialog->isVisible());
    dialog->reject();
}
