#pragma once

#include "abi/EntryPoints.h"
#include "binding/MessageSink.h"
#include "controls/QtOwner.h"
#include "controls/TKXEdit.h"
#include "tests/controls/ControlsTestState.h"
#include "tests/support/FakeLibrary.h"
#include "tests/support/GuiTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QTest>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Helpers of the entry-dialog tests: typing and clicking as a user does, the exact argument
// bytes, and the message boxes expected from the reporter.
namespace dialogtest {

// A message box as it must appear: the reporter's text for `name` and `code`, spelt out here
// independently of the reporter.
struct Expected {
    zalvo::OwnerWindow owner;
    std::string name;
    int32_t code;
};

inline std::string expectedCaption(int32_t code) {
    return code >= 0 ? "Erfolg!" : "Fehlermeldung entsprechend der Dokumentation";
}

inline std::string expectedText(const std::string& name, int32_t code) {
    std::string text;
    if (code == 0) {
        text = "Alles verlief erfolgreich!  ";
    } else if (code >= 1 && code <= 128) {
        text = name;
    } else if (code == zalvo::kLibraryNotLoadable) {
        text = "Die DLL Zalvotech.dll konnte nicht erfolgreich geladen werden!\r\n\r\n"
               "Sie ist m\xF6glicherweise nicht vorhanden, oder nicht im aktuellen Verzeichnis.";
    } else if (code == zalvo::kEntryPointMissing) {
        text = "Beim Laden einer Funktion ist ein Fehler aufgetreten.\r\n\r\n"
               "Bitte informieren Sie den Hersteller!";
    } else if (code == zalvo::kLibraryNotLoaded) {
        text = "Die API (Zalvotech.dll) wurde noch nicht geladen!\r\n\r\n"
               "Bitte rufen Sie zuerst die Funktion Zalvotech_init auf.";
    } else {
        text = "Fehler bei der Funktion: " + name + "\r\n\r\nFehlernummer=" + std::to_string(code);
    }
    return text + "   ";
}

// Compares the whole sequence of message boxes shown so far: owner, caption, text and icon.
inline void expectMessages(const std::vector<Expected>& expected) {
    const auto& shown = testsupport::messageSink().messages();
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("message " + std::to_string(i));
        EXPECT_EQ(shown[i].owner, expected[i].owner);
        EXPECT_EQ(shown[i].caption, expectedCaption(expected[i].code));
        EXPECT_EQ(shown[i].text, expectedText(expected[i].name, expected[i].code));
        EXPECT_EQ(shown[i].icon, expected[i].code >= 0 ? zalvo::MessageIcon::Information
                                                       : zalvo::MessageIcon::Critical);
    }
}

// `text` followed by zeros up to `size` bytes: a zeroed buffer after a bounded copy.
inline std::string padded(std::string_view text, std::size_t size) {
    std::string bytes(text);
    bytes.resize(size, '\0');
    return bytes;
}

// Puts `text` into a zeroed record of `size` bytes at `offset`.
inline void place(std::string& record, std::size_t offset, std::string_view text) {
    record.replace(offset, text.size(), text);
}

template <typename T> T* find(QWidget* dialog, const char* name) {
    T* widget = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Clicks into the field, deletes what it holds and types key by key, as a German keyboard
// sends the keys; QTest::keyClicks knows only ASCII.
inline void type(TKXEdit* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 4, field->height() / 2));
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(field, static_cast<char>(c.unicode()));
            continue;
        }
        const char16_t upper = c.toUpper().unicode();
        const auto key = upper <= 0xFF ? static_cast<Qt::Key>(upper) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, field, key, QString(c), Qt::NoModifier);
    }
}

// Clicks into the field and pastes `clip` with Ctrl+V.
inline void paste(TKXEdit* field, const QString& clip) {
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 4, field->height() / 2));
    QGuiApplication::clipboard()->setText(clip);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

// What the field shows, without the validation that reading it through TKXEdit runs.
inline QString shown(TKXEdit* field) {
    return static_cast<QLineEdit*>(field)->text();
}

inline void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// The keyboard goes to the focused widget, as it does for the user.
inline void pressKey(QWidget* window, Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : window, key);
}

// A layout row of a dialog: field name, its label, maximum length, class, tag, enabled.
struct FieldSpec {
    const char* name;
    const char* label;
    int maxLength;
    char mask;
    int tag;
    bool enabled;
};

inline void expectField(QWidget* dialog, const FieldSpec& fieldSpec) {
    SCOPED_TRACE(fieldSpec.name);
    auto* field = find<TKXEdit>(dialog, fieldSpec.name);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->maxLength(), fieldSpec.maxLength);
    EXPECT_EQ(field->pictureMask(), fieldSpec.mask);
    EXPECT_EQ(field->tag(), fieldSpec.tag);
    EXPECT_EQ(field->isEnabled(), fieldSpec.enabled);
    EXPECT_TRUE(shown(field).isEmpty());
    EXPECT_EQ(field->accessibleName(), QString::fromUtf8(fieldSpec.label));
    // The label is the field's buddy, so assistive tools name the field after it.
    QLabel* label = nullptr;
    for (QLabel* candidate : dialog->findChildren<QLabel*>()) {
        if (candidate->buddy() == field) {
            label = candidate;
        }
    }
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8(fieldSpec.label));
    EXPECT_TRUE(label->isVisible());
    EXPECT_TRUE(field->isVisible());
}

// The widgets Tab visits from `first` on, pressing the real key.
inline QStringList tabOrder(QWidget* first, int stops) {
    first->setFocus(Qt::TabFocusReason);
    QStringList names;
    for (int i = 0; i < stops; ++i) {
        QWidget* focused = QApplication::focusWidget();
        names << (focused ? focused->objectName() : QString());
        QTest::keyClick(focused ? focused : first, Qt::Key_Tab);
    }
    return names;
}

// Every widget that takes the focus by Tab, in the dialog's focus chain, disabled ones included.
inline QStringList declaredTabOrder(QWidget* dialog) {
    QStringList names;
    for (QWidget* w = dialog->nextInFocusChain(); w && w != dialog; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) &&
            !w->objectName().startsWith(QLatin1String("qt_"))) {
            names << w->objectName();
        }
    }
    return names;
}

// Shows `dialog` over `owner` the way the class-level routine does, without the modal loop.
inline void showActive(QDialog* dialog) {
    dialog->show();
    QApplication::setActiveWindow(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
}

// A stand-in for the main window, the owner of every dialog under test. Placed so that a
// dialog centred on it stays inside the offscreen screen, which would otherwise push it back.
class OwnerWindow : public QWidget {
public:
    OwnerWindow() {
        resize(549, 260);
        move(120, 160);
        show();
    }
};

} // namespace dialogtest
