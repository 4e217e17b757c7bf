#include "app/QtDtaFileDialogs.h"

#include "tests/support/TempDirectory.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

void touch(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// Runs `step` on the modal window of the given type once it is up.
template <typename Window> void whenShown(std::function<void(Window*)> step) {
    QTimer::singleShot(0, [step] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        step(window);
    });
}

QLineEdit* fileNameEdit(QFileDialog* dialog) {
    return dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// The Open or Save button.
QPushButton* acceptButton(QFileDialog* dialog) {
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    return buttons ? qobject_cast<QPushButton*>(buttons->buttons().value(0)) : nullptr;
}

// Goes to the name's folder (the dialog opens in the folder last visited), puts the file name
// into the name field and presses the accept button. The name is set, not typed: typing
// into that field lets Qt's completion add to it as soon as a listed file matches.
void enterName(QFileDialog* dialog, const std::filesystem::path& name) {
    dialog->setDirectory(QString::fromStdString(name.parent_path().string()));
    fileNameEdit(dialog)->setText(QString::fromStdString(name.filename().string()));
    QTest::mouseClick(acceptButton(dialog), Qt::LeftButton);
}

// A dialog that stays open is a failure, and is closed so the test does not wait forever.
void enterAndConfirm(QFileDialog* dialog, const std::filesystem::path& name) {
    enterName(dialog, name);
    if (dialog->isVisible()) {
        ADD_FAILURE() << "the dialog did not take " << name;
        dialog->reject();
    }
}

// What the dialog lists in its current directory.
QStringList listed(QFileDialog* dialog) {
    auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    QStringList names;
    if (!view) {
        return names;
    }
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row) {
        names << view->model()->index(row, 0, root).data().toString();
    }
    names.sort();
    return names;
}

} // namespace

TEST(QtDtaFileDialogsTest, OpenDialogTitleFilterAndSuffix) {
    const auto dialog = QtDtaFileDialogs::createOpenDialog(nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("DTA-Datei einlesen"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("txt"));
    EXPECT_TRUE(fileNameEdit(dialog.get())->text().isEmpty());
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 1);
    EXPECT_EQ(types->itemText(0), QStringLiteral("DTA-Datei einlesen (*.txt, *.dat)"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Open)->text(), QString::fromUtf8("Öffnen"));
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
}

TEST(QtDtaFileDialogsTest, OpenDialogListsOnlyTxtAndDatFiles) {
    testsupport::TempDirectory folder;
    for (const char* name : {"a.txt", "b.dat", "c.xml", "d.txt.bak"}) {
        touch(folder.path() / name);
    }
    const auto dialog = QtDtaFileDialogs::createOpenDialog(nullptr);
    dialog->setDirectory(QString::fromStdString(folder.path().string()));
    dialog->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return listed(dialog.get()).size() >= 2; }));
    QTest::qWait(50);
    EXPECT_EQ(listed(dialog.get()), (QStringList{"a.txt", "b.dat"}));
}

TEST(QtDtaFileDialogsTest, SaveDialogTitleFilterSuffixPresetAndOverwriteQuestion) {
    const auto dialog =
        QtDtaFileDialogs::createSaveDialog(nullptr, QString::fromUtf8("Überweisungen.xml"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("XML-Datei ausgeben"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("xml"));
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(fileNameEdit(dialog.get())->text(), QString::fromUtf8("Überweisungen.xml"));
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->itemText(0), QStringLiteral("XML-Datei ausgeben (*.xml)"));
    EXPECT_EQ(dialog->nameFilters(),
              QStringList{QStringLiteral("XML-Datei ausgeben (*.xml) (*.xml)")});
}

TEST(QtDtaFileDialogsTest, OpenReturnsTheTypedFileAndNothingOnEscape) {
    testsupport::TempDirectory folder;
    touch(folder.path() / "sammler.txt");
    QtDtaFileDialogs dialogs;

    const auto file = folder.path() / "sammler.txt";
    whenShown<QFileDialog>([file](QFileDialog* dialog) { enterAndConfirm(dialog, file); });
    const auto chosen = dialogs.chooseDtaFile(nullptr);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(std::filesystem::path(*chosen), file);

    whenShown<QFileDialog>(
        [](QFileDialog* dialog) { QTest::keyClick(fileNameEdit(dialog), Qt::Key_Escape); });
    EXPECT_FALSE(dialogs.chooseDtaFile(nullptr).has_value());
}

TEST(QtDtaFileDialogsTest, NamesReachTheRunAsUtf8WithEveryCharacter) {
    testsupport::TempDirectory folder;
    // "Ω" has no Windows-1252 byte; the dialog passes it on all the same, the run refuses it.
    const std::string names[] = {"Überweisung-ß.txt", "Ω.dat"};
    QtDtaFileDialogs dialogs;
    for (const std::string& name : names) {
        const auto file = folder.path() / name;
        touch(file);
        whenShown<QFileDialog>([file](QFileDialog* dialog) { enterAndConfirm(dialog, file); });
        const auto chosen = dialogs.chooseDtaFile(nullptr);
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(*chosen, (folder.path() / name).string());
    }
}

TEST(QtDtaFileDialogsTest, SaveAsksBeforeReplacingAnExistingFile) {
    testsupport::TempDirectory folder;
    const auto existing = folder.path() / "Lastschriften.xml";
    touch(existing);
    QtDtaFileDialogs dialogs;

    // "No" keeps the dialog open; the user then cancels it.
    bool asked = false;
    whenShown<QFileDialog>([&asked, existing](QFileDialog* dialog) {
        whenShown<QMessageBox>([&asked](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::No)->click();
        });
        enterName(dialog, existing);
        EXPECT_TRUE(dialog->isVisible());
        QTest::keyClick(fileNameEdit(dialog), Qt::Key_Escape);
    });
    EXPECT_FALSE(dialogs.chooseXmlTarget(nullptr, "Lastschriften.xml").has_value());
    EXPECT_TRUE(asked);

    // "Yes" takes the file.
    asked = false;
    whenShown<QFileDialog>([&asked, existing](QFileDialog* dialog) {
        whenShown<QMessageBox>([&asked](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::Yes)->click();
        });
        enterAndConfirm(dialog, existing);
    });
    const auto chosen = dialogs.chooseXmlTarget(nullptr, "Lastschriften.xml");
    EXPECT_TRUE(asked);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(std::filesystem::path(*chosen), existing);
}

TEST(QtDtaFileDialogsTest, SaveAddsTheXmlSuffixToANewName) {
    testsupport::TempDirectory folder;
    QtDtaFileDialogs dialogs;
    const auto typed = folder.path() / "ausgabe";
    whenShown<QFileDialog>([typed](QFileDialog* dialog) { enterAndConfirm(dialog, typed); });
    const auto chosen = dialogs.chooseXmlTarget(nullptr, "Lastschriften.xml");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(std::filesystem::path(*chosen), folder.path() / "ausgabe.xml");
}
