#include "controls/TKXEdit.h"

#include "controls/PaymentCharClasses.h"
#include "controls/PaymentFieldBinding.h"
#include "tests/controls/ControlsTestState.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

QString latin(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Key by key, as a German keyboard would send them; QTest::keyClicks knows only ASCII.
void typeKeys(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, static_cast<char>(c.unicode()));
            continue;
        }
        const char16_t upper = c.toUpper().unicode();
        const auto key = upper <= 0xFF ? static_cast<Qt::Key>(upper) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }
}

// A shown, active window with the fields of a payment dialog in tab order: name ('1'), BIC
// ('2', 11), bank code ('9', 8), path ("X", 255).
class TKXEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&m_window);
        m_name = addField(layout, "EAName", '1', 30);
        m_bic = addField(layout, "EABIC", '2', 11);
        m_blz = addField(layout, "EABLZ", '9', 8);
        m_path = addField(layout, "EPfad", 'X', 255);
        BindPaymentCharClasses(&m_window, m_classes);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        QGuiApplication::clipboard()->clear();
    }

    TKXEdit* addField(QVBoxLayout* layout, const char* name, char mask, int maxLength) {
        auto* field = new TKXEdit(&m_window);
        field->setObjectName(QString::fromLatin1(name));
        field->setPictureMask(mask);
        field->setMaxLength(maxLength);
        layout->addWidget(field);
        return field;
    }

    TKXEdit* field(const char* name) {
        return m_window.findChild<TKXEdit*>(QString::fromLatin1(name));
    }

    // Keyboard focus as Tab gives it.
    static void focus(TKXEdit* f) {
        f->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(f->hasFocus());
    }

    static void paste(TKXEdit* f, const QString& clip) {
        QGuiApplication::clipboard()->setText(clip);
        QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
    }

    ControlsTestState m_state;
    PaymentCharClasses m_classes{false};
    QWidget m_window;
    TKXEdit* m_name = nullptr;
    TKXEdit* m_bic = nullptr;
    TKXEdit* m_blz = nullptr;
    TKXEdit* m_path = nullptr;
};

TEST_F(TKXEditTest, CodeFieldUpperCasesTypedLettersAndBeepsOnRefusedOnes) {
    TKXEdit* bic = field("EABIC");
    focus(bic);
    QTest::keyClicks(bic, "deutdeff");
    EXPECT_EQ(bic->text(), "DEUTDEFF");
    EXPECT_EQ(m_state.beeps(), 0);
    typeKeys(bic, latin("\xC3\xA4- /"));
    EXPECT_EQ(bic->text(), "DEUTDEFF");
    EXPECT_EQ(bic->cursorPosition(), 8);
    EXPECT_EQ(m_state.beeps(), 4);
}

TEST_F(TKXEditTest, UmlautsAreAdmittedInTextFields) {
    TKXEdit* name = field("EAName");
    focus(name);
    typeKeys(
        name,
        latin("M\xC3\xBCller \xC3\x84\xC3\x96\xC3\x9C\xC3\x9F\xC3\xA4\xC3\xB6 (S\xC3\xB6hne)"));
    EXPECT_EQ(
        name->text(),
        latin("M\xC3\xBCller \xC3\x84\xC3\x96\xC3\x9C\xC3\x9F\xC3\xA4\xC3\xB6 (S\xC3\xB6hne)"));
    EXPECT_EQ(name->textBytes(), "M\xFCller \xC4\xD6\xDC\xDF\xE4\xF6 (S\xF6hne)");
    EXPECT_EQ(m_state.beeps(), 0);
    typeKeys(name, latin("&\xC3\xA9\xE2\x82\xAC\xC5\x81"));
    EXPECT_EQ(m_state.beeps(), 4);
}

TEST_F(TKXEditTest, FullFieldPushesOutItsLastCharacterOrBeepsAtTheEnd) {
    TKXEdit* blz = field("EABLZ");
    focus(blz);
    QTest::keyClicks(blz, "12345678");
    QTest::keyClick(blz, Qt::Key_Home);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(blz, Qt::Key_Right);
    QTest::keyClick(blz, Qt::Key_0);
    EXPECT_EQ(blz->text(), "12304567");
    EXPECT_EQ(blz->cursorPosition(), 4);
    EXPECT_EQ(m_state.beeps(), 0);

    QTest::keyClick(blz, Qt::Key_End);
    QTest::keyClick(blz, Qt::Key_9);
    EXPECT_EQ(blz->text(), "12304567");
    EXPECT_EQ(blz->cursorPosition(), 8);
    EXPECT_EQ(m_state.beeps(), 1);
    EXPECT_TRUE(blz->hasFocus());
}

TEST_F(TKXEditTest, PasteSkipsRefusedCharactersSilently) {
    TKXEdit* bic = field("EABIC");
    focus(bic);
    paste(bic, "de89 3704-0044");
    EXPECT_EQ(bic->text(), "DE893704004");
    // Full with the caret at the end: dropped, again without a sound.
    QGuiApplication::clipboard()->setText("1234");
    QTest::keyClick(bic, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(bic->text(), "DE893704004");
    EXPECT_EQ(m_state.beeps(), 0);
}

TEST_F(TKXEditTest, PasteReplacesTheSelectionAndKeepsControlCharactersOnlyInAnyTextFields) {
    TKXEdit* path = field("EPfad");
    focus(path);
    QTest::keyClicks(path, "alt");
    QTest::keyClick(path, Qt::Key_A, Qt::ControlModifier);
    paste(path, "C:\\Temp\r\n");
    EXPECT_EQ(path->textBytes(), "C:\\Temp\r\n");
    // What the clipboard gets back is the real text, not the symbols on screen.
    QTest::keyClick(path, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(path, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "C:\\Temp\r\n");

    TKXEdit* name = field("EAName");
    focus(name);
    paste(name, "Zeile\r\n");
    EXPECT_EQ(name->text(), "Zeile");
    // Characters Windows-1252 cannot hold are skipped, not turned into an admissible "?".
    paste(name, latin(" \xC5\x81\xC3\xB3"
                      "d\xC5\xBA"));
    EXPECT_EQ(name->text(), "Zeile d");
    EXPECT_EQ(m_state.beeps(), 0);
}

TEST_F(TKXEditTest, ContextMenuPasteGoesThroughTheRules) {
    TKXEdit* bic = field("EABIC");
    focus(bic);
    QGuiApplication::clipboard()->setText("de-89");
    bool triggered = false;
    QTimer::singleShot(0, [&triggered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        for (QAction* action : menu->actions()) {
            if (action->text() == latin("&Einf\xC3\xBCgen")) {
                action->trigger();
                triggered = true;
            }
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), bic->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(bic, &event);
    EXPECT_TRUE(triggered);
    EXPECT_EQ(bic->text(), "DE89");
}

TEST_F(TKXEditTest, TabSelectsEverythingWithTheCaretAtTheEndAMouseClickDoesNot) {
    m_bic->setText("DEUTDEFF");
    m_blz->setText("12345678");
    focus(m_name);
    QTest::keyClick(m_name, Qt::Key_Tab);
    ASSERT_TRUE(m_bic->hasFocus());
    EXPECT_EQ(m_bic->selectedText(), "DEUTDEFF");
    EXPECT_EQ(m_bic->cursorPosition(), 8);
    // The first key replaces the old text.
    QTest::keyClick(m_bic, Qt::Key_C);
    EXPECT_EQ(m_bic->text(), "C");

    // Focus set by the program counts as keyboard focus.
    m_path->setText("C:\\Temp");
    m_path->setFocus();
    EXPECT_EQ(m_path->selectedText(), "C:\\Temp");

    QTest::mouseClick(m_blz, Qt::LeftButton, {}, QPoint(3, m_blz->height() / 2));
    ASSERT_TRUE(m_blz->hasFocus());
    EXPECT_FALSE(m_blz->hasSelectedText());
    EXPECT_EQ(m_blz->cursorPosition(), 0);
}

TEST_F(TKXEditTest, OverwriteChosenInOneFieldCarriesOverToTheNext) {
    m_blz->setText("1234");
    focus(m_bic);
    EXPECT_FALSE(m_bic->overwriteMode());
    QTest::keyClick(m_bic, Qt::Key_Insert);
    EXPECT_TRUE(m_bic->overwriteMode());
    QTest::keyClick(m_bic, Qt::Key_Tab);
    ASSERT_TRUE(m_blz->hasFocus());
    EXPECT_TRUE(m_blz->overwriteMode());
    QTest::keyClick(m_blz, Qt::Key_Home);
    QTest::keyClicks(m_blz, "99");
    EXPECT_EQ(m_blz->text(), "9934");
    // At the length limit overwrite has nowhere to write.
    QTest::keyClick(m_blz, Qt::Key_End);
    QTest::keyClicks(m_blz, "5678");
    EXPECT_EQ(m_blz->text(), "99345678");
    EXPECT_EQ(m_state.beeps(), 0);
    QTest::keyClick(m_blz, Qt::Key_0);
    EXPECT_EQ(m_state.beeps(), 1);

    QTest::keyClick(m_blz, Qt::Key_Insert);
    focus(m_name);
    EXPECT_FALSE(m_name->overwriteMode());
}

TEST_F(TKXEditTest, TextIsReadWithoutSurroundingBlanksButKeepsInnerOnes) {
    focus(m_blz);
    QTest::keyClicks(m_blz, " 12 34  ");
    // Read while the field still has the focus, as a default button pressed with Enter does.
    EXPECT_EQ(m_blz->text(), "12 34");
    EXPECT_EQ(m_blz->displayText(), "12 34");
    QTest::keyClicks(m_blz, "  ");
    QTest::keyClick(m_blz, Qt::Key_Tab);
    EXPECT_FALSE(m_blz->hasFocus());
    EXPECT_EQ(m_blz->displayText(), "12 34");
    EXPECT_EQ(m_blz->text(), "12 34");
}

TEST_F(TKXEditTest, StoredTextIsCutAndUpperCasedWithoutTesting) {
    m_bic->setText("deutdeffxxx1");
    EXPECT_EQ(m_bic->text(), "DEUTDEFFXXX");
    m_blz->setText(latin("  ab "));
    EXPECT_EQ(m_blz->text(), "  ab ");
}

TEST_F(TKXEditTest, BackspaceDeleteAndUndoEditTheText) {
    focus(m_path);
    QTest::keyClicks(m_path, "abcdef");
    QTest::keyClick(m_path, Qt::Key_Backspace);
    QTest::keyClick(m_path, Qt::Key_Home);
    QTest::keyClick(m_path, Qt::Key_Delete);
    EXPECT_EQ(m_path->text(), "bcde");
    QTest::keyClick(m_path, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(m_path, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(m_path->text(), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "bcde");
    QTest::keyClick(m_path, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_path->text(), "bcde");
}

// Each key the platform binds to word or line deletion does to the field what it does to a
// plain line edit holding the same text with the caret at the same place.
TEST_F(TKXEditTest, WordAndLineDeletionKeysDeleteWhatALineEditDeletes) {
    const QString text = QStringLiteral("Konto 12345, Bank Nord");
    const QKeySequence::StandardKey deletions[] = {
        QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteCompleteLine,
    };
    int wordKeys = 0;
    for (const auto deletion : deletions) {
        for (const QKeySequence& binding : QKeySequence::keyBindings(deletion)) {
            const QKeyCombination keys = binding[0];
            wordKeys += deletion == QKeySequence::DeleteStartOfWord ||
                        deletion == QKeySequence::DeleteEndOfWord;
            for (const int caret : {0, 3, 5, 6, 12, 22}) {
                SCOPED_TRACE(binding.toString().toStdString() + " at " + std::to_string(caret));
                QLineEdit reference(text);
                reference.setCursorPosition(caret);
                QTest::keyClick(&reference, keys.key(), keys.keyboardModifiers());

                m_path->setText(text);
                focus(m_path);
                m_path->setCursorPosition(caret);
                QTest::keyClick(m_path, keys.key(), keys.keyboardModifiers());
                EXPECT_EQ(m_path->displayText(), reference.text());
                EXPECT_EQ(m_path->cursorPosition(), reference.cursorPosition());
                // The model did the deletion: its undo brings the text back.
                QTest::keyClick(m_path, Qt::Key_Z, Qt::ControlModifier);
                EXPECT_EQ(m_path->displayText(), text);
            }
        }
    }
    EXPECT_GE(wordKeys, 2);

    // A read-only field keeps its text.
    m_path->setText(text);
    m_path->setReadOnly(true);
    focus(m_path);
    QTest::keyClick(m_path, Qt::Key_Backspace, Qt::ControlModifier);
    QTest::keyClick(m_path, Qt::Key_Home);
    QTest::keyClick(m_path, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(m_path->displayText(), text);
    EXPECT_EQ(m_state.beeps(), 0);
}

// Screen readers and UI automation change a field through its accessible interface, which
// works on the line edit underneath; what they set must pass the same rules as typing.
TEST_F(TKXEditTest, TextFromAssistiveToolsPassesTheSameRules) {
    struct Row {
        const char* what;
        TKXEdit* field;
        QString before;
        std::function<void(QAccessibleInterface*)> change;
        QString after;
    };
    const auto setValue = [](const QString& value) {
        return [value](QAccessibleInterface* a) { a->setText(QAccessible::Value, value); };
    };
    const auto editable = [](QAccessibleInterface* a) {
        QAccessibleEditableTextInterface* e = a->editableTextInterface();
        EXPECT_NE(e, nullptr);
        return e;
    };
    const std::vector<Row> rows = {
        {"value into a SEPA text field", m_name, QString(),
         setValue(latin("A&B*@#_\xC3\xA9\xE2\x82\xAC")), "AB"},
        {"value into a code field", m_bic, QString(), setValue("de89 3704-0044"), "DE893704004"},
        {"insert into a code field", m_bic, "DEUT",
         [&](QAccessibleInterface* a) {
             if (auto* e = editable(a))
                 e->insertText(4, QStringLiteral("de-ff"));
         },
         "DEUTDEFF"},
        {"replace in a digit field", m_blz, "12345678",
         [&](QAccessibleInterface* a) {
             if (auto* e = editable(a))
                 e->replaceText(2, 4, QStringLiteral("x9y0"));
         },
         "12905678"},
        {"delete in any text", m_path, "abcdef",
         [&](QAccessibleInterface* a) {
             if (auto* e = editable(a))
                 e->deleteText(1, 3);
         },
         "adef"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.field->setText(row.before);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(row.field);
        ASSERT_NE(accessible, nullptr);
        row.change(accessible);
        EXPECT_EQ(row.field->text(), row.after);
        EXPECT_EQ(accessible->text(QAccessible::Value), row.after);
    }

    // A selection made through the text interface is what the next key replaces.
    focus(m_blz);
    m_blz->setText("1234");
    QAccessibleInterface* digits = QAccessible::queryAccessibleInterface(m_blz);
    ASSERT_NE(digits->textInterface(), nullptr);
    digits->textInterface()->setSelection(0, 1, 3);
    QTest::keyClick(m_blz, Qt::Key_9);
    EXPECT_EQ(m_blz->text(), "194");
    EXPECT_EQ(m_state.beeps(), 0);
}

TEST_F(TKXEditTest, AReadOnlyOrDisabledFieldRefusesAssistiveTools) {
    m_bic->setText("DEUTDEFF");
    m_bic->setReadOnly(true);
    m_blz->setText("12345678");
    m_blz->setEnabled(false);
    for (TKXEdit* field : {m_bic, m_blz}) {
        SCOPED_TRACE(field->objectName().toStdString());
        const QString before = field->text();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
        ASSERT_NE(accessible, nullptr);
        accessible->setText(QAccessible::Value, QStringLiteral("COBADEFF"));
        QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
        ASSERT_NE(editable, nullptr);
        editable->insertText(0, QStringLiteral("X"));
        editable->replaceText(0, 4, QStringLiteral("ABCD"));
        editable->deleteText(0, 8);
        EXPECT_EQ(field->text(), before);
        EXPECT_EQ(accessible->text(QAccessible::Value), before);
    }
}

TEST_F(TKXEditTest, EnterAndEscapeReachTheDialog) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new TKXEdit(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setDefault(true);
    layout->addWidget(edit);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    dialog.setResult(-1);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(m_state.beeps(), 0);
}

// Red pixels: the text colour is black, so only control characters bring red.
int redPixels(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 100 && c.blue() < 100 ? 1 : 0;
        }
    return red;
}

TEST_F(TKXEditTest, ControlCharactersAreShownInRed) {
    m_path->setTextBytes("abc def");
    EXPECT_EQ(redPixels(m_path), 0);
    m_path->setTextBytes("abc\tdef\r\n");
    EXPECT_GT(redPixels(m_path), 5);
    EXPECT_EQ(m_path->displayText().size(), 9);
    EXPECT_FALSE(m_path->displayText().contains(QChar(u'\t')));
    m_path->setTextBytes("abc def");
    EXPECT_EQ(redPixels(m_path), 0);
}

int darkPixels(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += image.pixelColor(x, y).lightness() < 60 ? 1 : 0;
    return dark;
}

TEST_F(TKXEditTest, OverwriteModeShowsABlockCaret) {
    m_path->setText("WWW");
    focus(m_path);
    QTest::keyClick(m_path, Qt::Key_Home);
    const int thin = darkPixels(m_path);
    QTest::keyClick(m_path, Qt::Key_Insert);
    const int block = darkPixels(m_path);
    // The block covers a whole character cell; a thin caret is one column at most.
    EXPECT_GT(block, thin + 2 * TKXEdit::kHeight / 2);
    QTest::keyClick(m_path, Qt::Key_Insert);
}

TEST_F(TKXEditTest, FormsCanSetEveryPropertyByName) {
    TKXEdit edit;
    edit.setCharClassTable(&m_classes.table('2'));
    EXPECT_TRUE(edit.setProperty("pictureMask", QStringLiteral("2")));
    EXPECT_TRUE(edit.setProperty("maxLength", 11));
    EXPECT_TRUE(edit.setProperty("Tag", 112));
    EXPECT_TRUE(edit.setProperty("text", QStringLiteral("deutdeffxxx1")));
    EXPECT_EQ(edit.pictureMask(), '2');
    EXPECT_EQ(edit.maxLength(), 11);
    EXPECT_EQ(edit.tag(), 112);
    EXPECT_EQ(edit.property("text").toString(), "DEUTDEFFXXX");
    edit.setPictureMask(QStringLiteral("Q"));
    EXPECT_EQ(edit.pictureMask(), '2');
    edit.setMaxLength(0);
    EXPECT_EQ(edit.maxLength(), 1);
    EXPECT_EQ(edit.text(), "D");
}

TEST_F(TKXEditTest, PaymentClassesBindByMaskAndLeaveDigitAndAnyTextFieldsAlone) {
    QWidget dialog;
    auto* text = new TKXEdit(&dialog);
    text->setPictureMask('1');
    auto* date = new TKXEdit(&dialog);
    date->setPictureMask('3');
    auto* digits = new TKXEdit(&dialog);
    digits->setPictureMask('9');
    auto* any = new TKXEdit(&dialog);
    const PaymentCharClasses classes(false);
    EXPECT_EQ(BindPaymentCharClasses(&dialog, classes), 2);
    EXPECT_EQ(text->charClassTable(), &classes.table('1'));
    EXPECT_EQ(date->charClassTable(), &classes.table('3'));
    EXPECT_EQ(digits->charClassTable(), nullptr);
    EXPECT_EQ(any->charClassTable(), nullptr);
    UnbindPaymentCharClasses(&dialog, classes);
    EXPECT_EQ(text->charClassTable(), nullptr);
    EXPECT_EQ(date->charClassTable(), nullptr);
}

} // namespace
