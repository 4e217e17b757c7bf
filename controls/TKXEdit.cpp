#include "controls/TKXEdit.h"

#include "controls/BeepHook.h"
#include "controls/KXDefaults.h"
#include "controls/QtBeep.h"
#include "controls/QtText.h"
#include "platform/Win1252.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QTextCharFormat>
#include <algorithm>

namespace {

// Symbols that common fonts carry, unlike the control-picture block.
constexpr char16_t kTabSymbol = 0x2192;
constexpr char16_t kCarriageReturnSymbol = 0x21B5;
constexpr char16_t kLineFeedSymbol = 0x00B6;
constexpr char16_t kOtherControlSymbol = 0x00A4;
constexpr char16_t kFirstC1 = 0x80;
constexpr char16_t kLastC1 = 0x9F;
constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kDelete = 0x7F;
// QLineEdit reports a cursor rectangle that starts this far left of the caret.
constexpr int kCursorRectLead = 5;

bool isControl(QChar c) {
    const char16_t u = c.unicode();
    return u < kFirstPrintable || u == kDelete || (u >= kFirstC1 && u <= kLastC1);
}

// The stand-in shown for a control character; the colour tells it from a real one.
QChar picture(QChar c) {
    switch (c.unicode()) {
    case u'\t':
        return QChar(kTabSymbol);
    case u'\r':
        return QChar(kCarriageReturnSymbol);
    case u'\n':
        return QChar(kLineFeedSymbol);
    default:
        return QChar(kOtherControlSymbol);
    }
}

MaskedText::FocusReason modelReason(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::MouseFocusReason:
        return MaskedText::FocusReason::Mouse;
    case Qt::PopupFocusReason:
    case Qt::ActiveWindowFocusReason:
        return MaskedText::FocusReason::Restore;
    default:
        return MaskedText::FocusReason::Keyboard;
    }
}

bool isTemporary(Qt::FocusReason reason) {
    return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
}

} // namespace

TKXEdit::TKXEdit(QWidget* parent) : QLineEdit(parent) {
    InstallQtBeep();
    kxdefaults::apply(this, kxdefaults::black());
    QPalette p = palette();
    p.setColor(QPalette::Disabled, QPalette::Base, p.color(QPalette::Active, QPalette::Base));
    p.setColor(QPalette::Disabled, QPalette::Text, kxdefaults::grayText());
    setPalette(p);
    setCursor(Qt::IBeamCursor);
    setAcceptDrops(false);
    setDragEnabled(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    resize(width(), kHeight);
    // Assistive tools (through QAccessible) and callers holding a QLineEdit pointer change
    // the line edit's own text; such a change is taken back and replayed under the rules.
    // The line edit keeps no length of its own, so that the change arrives whole and the
    // model's length rule decides what stays.
    connect(this, &QLineEdit::textChanged, this, &TKXEdit::adoptForeignText);
}

QString TKXEdit::pictureMaskText() const {
    return QString(QChar::fromLatin1(m_model.mask()));
}

void TKXEdit::setPictureMask(char mask) {
    m_model.setMask(mask);
}

void TKXEdit::setPictureMask(const QString& mask) {
    if (!mask.isEmpty() && mask.at(0).unicode() < kDelete)
        setPictureMask(static_cast<char>(mask.at(0).unicode()));
}

void TKXEdit::setMaxLength(int length) {
    pullSelection();
    m_model.setMaxLength(length);
    pushState();
}

void TKXEdit::setCharClassTable(const CharClassTable* table) {
    m_table = table;
    m_model.setTable(table);
}

QString TKXEdit::text() {
    validateNow();
    return qttext::fromWin1252(m_model.text());
}

std::string TKXEdit::textBytes() {
    validateNow();
    return m_model.text();
}

void TKXEdit::setText(const QString& text) {
    setTextBytes(qttext::toWin1252(text));
}

void TKXEdit::setTextBytes(std::string_view text) {
    m_model.setText(text);
    pushState();
}

QSize TKXEdit::sizeHint() const {
    return {QLineEdit::sizeHint().width(), kHeight};
}

QSize TKXEdit::minimumSizeHint() const {
    return {QLineEdit::minimumSizeHint().width(), kHeight};
}

void TKXEdit::validateNow() {
    pullSelection();
    if (m_model.validate())
        pushState();
}

void TKXEdit::pullSelection() {
    adoptForeignText();
    const int caret = cursorPosition();
    if (!hasSelectedText()) {
        m_model.setCaret(caret);
        return;
    }
    const int start = selectionStart();
    const int end = start + static_cast<int>(selectedText().size());
    m_model.setSelection(caret == start ? end : start, caret);
}

void TKXEdit::pushState() {
    const QString shown = shownText();
    if (QLineEdit::text() != shown)
        QLineEdit::setText(shown);
    if (m_model.hasSelection())
        setSelection(m_model.anchor(), m_model.caret() - m_model.anchor());
    else
        setCursorPosition(m_model.caret());
    markControlChars();
    update();
}

// The changed span, between what the old and the new text have in common at either end, is
// pasted over the span it replaced: refused characters are dropped, the length holds. A field
// that typing cannot reach (read-only, disabled) keeps its text.
void TKXEdit::adoptForeignText() {
    const QString foreign = QLineEdit::text();
    const QString shown = shownText();
    if (foreign == shown)
        return;
    if (!isReadOnly() && isEnabled()) {
        const qsizetype shorter = std::min(foreign.size(), shown.size());
        qsizetype start = 0;
        while (start < shorter && foreign.at(start) == shown.at(start))
            ++start;
        qsizetype tail = 0;
        while (tail < shorter - start &&
               foreign.at(foreign.size() - 1 - tail) == shown.at(shown.size() - 1 - tail))
            ++tail;
        m_model.setSelection(static_cast<int>(start), static_cast<int>(shown.size() - tail));
        m_model.paste(admissibleBytes(foreign.mid(start, foreign.size() - tail - start)));
    }
    pushState();
}

QString TKXEdit::shownText() const {
    QString shown = qttext::fromWin1252(m_model.text());
    for (QChar& c : shown)
        if (isControl(c))
            c = picture(c);
    return shown;
}

// The line edit has no per-character colours of its own; the input-method channel is the
// one way to hand it text formats, relative to the caret.
void TKXEdit::markControlChars() {
    QTextCharFormat red;
    red.setForeground(kxdefaults::controlCharColor());
    QList<QInputMethodEvent::Attribute> formats;
    const QString real = qttext::fromWin1252(m_model.text());
    for (int i = 0; i < real.size(); ++i)
        if (isControl(real.at(i)))
            formats.append({QInputMethodEvent::TextFormat, i - cursorPosition(), 1, red});
    if (formats.isEmpty() && !m_hasMarks)
        return;
    m_hasMarks = !formats.isEmpty();
    const bool readOnly = isReadOnly();
    const int anchor = m_model.anchor();
    const int caret = m_model.caret();
    setReadOnly(false);
    QInputMethodEvent event(QString(), formats);
    QLineEdit::inputMethodEvent(&event);
    setReadOnly(readOnly);
    if (anchor != caret)
        setSelection(anchor, caret - anchor);
}

void TKXEdit::typeCharacters(const QString& typed) {
    pullSelection();
    bool refused = false;
    for (const char32_t cp : typed.toUcs4()) {
        if (cp < kFirstPrintable)
            continue;
        const int byte = win1252::fromUnicode(cp);
        if (byte < 0 || !m_model.typeChar(static_cast<char>(byte)))
            refused = true;
    }
    pushState();
    if (refused)
        BeepHook::beep();
}

// Characters without a Windows-1252 byte are refused like any other, not turned into "?".
std::string TKXEdit::admissibleBytes(const QString& text) {
    std::string bytes;
    for (const char32_t cp : text.toUcs4()) {
        const int byte = win1252::fromUnicode(cp);
        if (byte > 0)
            bytes += static_cast<char>(byte);
    }
    return bytes;
}

void TKXEdit::pasteText(const QString& pasted) {
    if (isReadOnly() || pasted.isEmpty())
        return;
    pullSelection();
    m_model.paste(admissibleBytes(pasted));
    pushState();
}

void TKXEdit::copySelection() const {
    if (m_model.hasSelection())
        QGuiApplication::clipboard()->setText(qttext::fromWin1252(m_model.selectedText()));
}

void TKXEdit::cutSelection() {
    if (isReadOnly()) {
        copySelection();
        return;
    }
    const std::string taken = m_model.cut();
    if (!taken.empty())
        QGuiApplication::clipboard()->setText(qttext::fromWin1252(taken));
    pushState();
}

// Words as the line edit itself finds them; the deletion is the model's, with its undo.
void TKXEdit::deleteWord(bool forward) {
    if (!m_model.hasSelection()) {
        if (forward)
            cursorWordForward(true);
        else
            cursorWordBackward(true);
        pullSelection();
    }
    if (m_model.hasSelection())
        m_model.deleteForward();
    pushState();
}

// As in a line edit, the deleted part goes to the clipboard.
void TKXEdit::deleteLineFrom(int start) {
    m_model.setSelection(start, static_cast<int>(m_model.text().size()));
    cutSelection();
}

bool TKXEdit::isNavigation(QKeyEvent* event) const {
    static const QKeySequence::StandardKey keys[] = {
        QKeySequence::MoveToNextChar,
        QKeySequence::MoveToPreviousChar,
        QKeySequence::MoveToNextWord,
        QKeySequence::MoveToPreviousWord,
        QKeySequence::MoveToStartOfLine,
        QKeySequence::MoveToEndOfLine,
        QKeySequence::MoveToStartOfBlock,
        QKeySequence::MoveToEndOfBlock,
        QKeySequence::MoveToStartOfDocument,
        QKeySequence::MoveToEndOfDocument,
        QKeySequence::SelectNextChar,
        QKeySequence::SelectPreviousChar,
        QKeySequence::SelectNextWord,
        QKeySequence::SelectPreviousWord,
        QKeySequence::SelectStartOfLine,
        QKeySequence::SelectEndOfLine,
        QKeySequence::SelectStartOfBlock,
        QKeySequence::SelectEndOfBlock,
        QKeySequence::SelectStartOfDocument,
        QKeySequence::SelectEndOfDocument,
        QKeySequence::Deselect,
    };
    for (const auto key : keys)
        if (event->matches(key))
            return true;
    return false;
}

void TKXEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods =
        event->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    // The dialog's keys: default button, cancel button, focus chain.
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
        key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        event->ignore();
        return;
    }
    pullSelection();
    event->accept();
    if (event->matches(QKeySequence::Copy) ||
        (key == Qt::Key_Insert && mods == Qt::ControlModifier)) {
        copySelection();
    } else if (event->matches(QKeySequence::Paste) ||
               (key == Qt::Key_Insert && mods == Qt::ShiftModifier)) {
        pasteText(QGuiApplication::clipboard()->text());
    } else if (event->matches(QKeySequence::Cut) ||
               (key == Qt::Key_Delete && mods == Qt::ShiftModifier)) {
        cutSelection();
    } else if (event->matches(QKeySequence::SelectAll)) {
        m_model.selectAll();
        pushState();
    } else if (isNavigation(event)) {
        QLineEdit::keyPressEvent(event);
        pullSelection();
        update();
    } else if (key == Qt::Key_Insert && mods == Qt::NoModifier) {
        m_model.toggleOverwrite();
        update();
    } else if (isReadOnly()) {
        event->ignore();
    } else if (event->matches(QKeySequence::Undo)) {
        m_model.undo();
        pushState();
    } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
        deleteWord(false);
    } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
        deleteWord(true);
    } else if (event->matches(QKeySequence::DeleteEndOfLine)) {
        deleteLineFrom(m_model.caret());
    } else if (event->matches(QKeySequence::DeleteCompleteLine)) {
        deleteLineFrom(0);
    } else if (key == Qt::Key_Backspace) {
        m_model.backspace();
        pushState();
    } else if (key == Qt::Key_Delete && mods == Qt::NoModifier) {
        m_model.deleteForward();
        pushState();
    } else if (!event->text().isEmpty() &&
               (!(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
                (mods & Qt::ControlModifier && mods & Qt::AltModifier))) {
        typeCharacters(event->text());
    } else {
        event->ignore();
    }
}

void TKXEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!isReadOnly() && !event->commitString().isEmpty())
        typeCharacters(event->commitString());
    event->accept();
}

void TKXEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    pullSelection();
    m_model.focusIn(modelReason(event->reason()));
    pushState();
}

void TKXEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    pullSelection();
    if (m_model.focusOut(isTemporary(event->reason())))
        pushState();
    update();
}

void TKXEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    pullSelection();
}

void TKXEdit::mouseMoveEvent(QMouseEvent* event) {
    QLineEdit::mouseMoveEvent(event);
    pullSelection();
}

// The middle button pastes the primary selection where the platform has one; through the
// rules like any other paste.
void TKXEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (clipboard->supportsSelection()) {
            setCursorPosition(cursorPositionAt(event->position().toPoint()));
            pasteText(clipboard->text(QClipboard::Selection));
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    pullSelection();
}

void TKXEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    pullSelection();
}

void TKXEdit::contextMenuEvent(QContextMenuEvent* event) {
    pullSelection();
    const bool editable = !isReadOnly();
    const bool selected = m_model.hasSelection();
    QMenu menu(this);
    menu.addAction(tr("&R\u00FCckg\u00E4ngig"), this,
                   [this] {
                       m_model.undo();
                       pushState();
                   })
        ->setEnabled(editable);
    menu.addSeparator();
    menu.addAction(tr("&Ausschneiden"), this, &TKXEdit::cutSelection)
        ->setEnabled(editable && selected);
    menu.addAction(tr("&Kopieren"), this, &TKXEdit::copySelection)->setEnabled(selected);
    menu.addAction(tr("&Einf\u00FCgen"), this,
                   [this] { pasteText(QGuiApplication::clipboard()->text()); })
        ->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
    menu.addAction(tr("&L\u00F6schen"), this,
                   [this] {
                       m_model.deleteForward();
                       pushState();
                   })
        ->setEnabled(editable && selected);
    menu.addSeparator();
    menu.addAction(tr("Alles &markieren"), this,
                   [this] {
                       m_model.selectAll();
                       pushState();
                   })
        ->setEnabled(!m_model.text().empty());
    menu.exec(event->globalPos());
}

// In overwrite mode the caret is a block over the character it will replace.
void TKXEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!hasFocus() || !m_model.overwrite() || m_model.hasSelection())
        return;
    const QRect line = cursorRect();
    const int x = line.left() + kCursorRectLead;
    const QString shown = QLineEdit::text();
    const int caret = m_model.caret();
    const QFontMetrics metrics(font());
    const QString under = caret < shown.size() ? QString(shown.at(caret)) : QString();
    const int width =
        under.isEmpty() ? metrics.averageCharWidth() : metrics.horizontalAdvance(under);
    const QRect block(x, line.top(), width, line.height() - 1);
    QPainter painter(this);
    painter.fillRect(block, palette().color(QPalette::Text));
    if (!under.isEmpty()) {
        painter.setPen(palette().color(QPalette::Base));
        painter.setFont(font());
        painter.drawText(QPoint(x, line.top() + metrics.ascent()), under);
    }
}
