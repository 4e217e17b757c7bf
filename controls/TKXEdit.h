#pragma once

#include "controls/MaskedText.h"

#include <QLineEdit>
#include <string>
#include <string_view>

class CharClassTable;

// Single-line masked entry field. Every change of its text goes through a MaskedText: typed
// and pasted characters are admitted by the picture mask, a full field pushes its last
// character out, the insert/overwrite mode is shared with every other field, and reading the
// text trims surrounding blanks. Enter, Escape and Tab are left to the dialog. Text that
// reaches the line edit some other way (assistive tools) is replayed through the same rules.
//
// Use text()/setText() of this class (not through a QLineEdit pointer), so the rules apply.
class TKXEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString pictureMask READ pictureMaskText WRITE setPictureMask)
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(QString text READ text WRITE setText USER true)
    Q_PROPERTY(int Tag READ tag WRITE setTag)

public:
    static constexpr int kHeight = 20;

    explicit TKXEdit(QWidget* parent = nullptr);

    char pictureMask() const { return m_model.mask(); }
    QString pictureMaskText() const;
    // "X", "9" or '1' to '8'; anything else is ignored.
    void setPictureMask(char mask);
    // The first character of `mask`, so forms can give it as a string.
    void setPictureMask(const QString& mask);

    int maxLength() const { return m_model.maxLength(); }
    // Clamped to 1..255; a longer text is cut.
    void setMaxLength(int length);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // The table for the classes '1' to '8'; null for the process-wide default. The table must
    // outlive the field or be replaced before it goes.
    void setCharClassTable(const CharClassTable* table);
    const CharClassTable* charClassTable() const { return m_table; }

    // The text after validation: while the field has the focus, surrounding blanks are
    // removed from it first, on screen too. Reading changes the field, so it is not const.
    QString text();
    // The same as Windows-1252 bytes, as records want it.
    std::string textBytes();
    // Cut to maxLength(), case rule applied, classes not tested.
    void setText(const QString& text);
    void setTextBytes(std::string_view text);

    bool overwriteMode() const { return m_model.overwrite(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Caret and selection as the line edit has them (mouse, arrow keys) into the model.
    void pullSelection();
    // A text the line edit got around this class, replayed through the rules.
    void adoptForeignText();
    // Text, caret and selection of the model onto the screen.
    void pushState();
    void markControlChars();
    void typeCharacters(const QString& typed);
    static std::string admissibleBytes(const QString& text);
    void pasteText(const QString& pasted);
    void copySelection() const;
    void cutSelection();
    void deleteWord(bool forward);
    void deleteLineFrom(int start);
    bool isNavigation(QKeyEvent* event) const;
    QString shownText() const;
    void validateNow();

    MaskedText m_model;
    const CharClassTable* m_table = nullptr;
    int m_tag = 0;
    // Control characters are marked on screen and need clearing once gone.
    bool m_hasMarks = false;
};
