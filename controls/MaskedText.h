#pragma once

#include "controls/CharAdmission.h"

#include <string>
#include <string_view>

class CharClassTable;

// The editing state of one masked entry field, without any widget: Windows-1252 text of at
// most maxLength() characters, caret, selection and the insert/overwrite mode. Every
// character that enters the text goes through the admission of the field's picture mask.
//
// Insert or overwrite is one mode shared by all fields: a field takes it on focus-in and
// hands it back on focus-out, so a mode chosen in one field carries over to the next.
class MaskedText {
public:
    static constexpr int kMinLength = 1;
    static constexpr int kMaxLength = 255;

    enum class FocusReason {
        // Tab, a shortcut or the program: caret to the end, whole text selected.
        Keyboard,
        // A mouse click: nothing selected; the widget places the caret.
        Mouse,
        // Focus coming back from a popup or another window: caret and selection kept.
        Restore,
    };

    explicit MaskedText(char mask = kMaskAnyText, int maxLength = kMaxLength);

    char mask() const { return m_mask; }
    // Ignored unless IsPictureMask(mask).
    void setMask(char mask);

    int maxLength() const { return m_maxLength; }
    // Clamped to 1..255; a longer text is cut.
    void setMaxLength(int maxLength);

    // Null selects the process-wide default table. The table must outlive its use here.
    void setTable(const CharClassTable* table) { m_table = table; }
    const CharClassTable& table() const;

    // The text as it stands, untrimmed.
    const std::string& text() const { return m_text; }
    // Stores `text` up to its first code 0, cut to maxLength(), with the case rule of the mask
    // applied but without testing the class. Caret to the end, no selection.
    void setText(std::string_view text);
    // Validates (see validate()) and returns the text.
    const std::string& readText();
    // While the field has the focus, removes leading and trailing blanks (code 32 only).
    // Returns whether the text changed.
    bool validate();

    int caret() const { return m_caret; }
    int anchor() const { return m_anchor; }
    bool hasSelection() const { return m_anchor != m_caret; }
    int selectionStart() const;
    int selectionEnd() const;
    std::string selectedText() const;
    // Caret without selection; clamped to the text.
    void setCaret(int position);
    // Selection from `anchor` to `caret`; both clamped to the text.
    void setSelection(int anchor, int caret);
    void selectAll();

    bool overwrite() const { return m_overwrite; }
    void toggleOverwrite() { m_overwrite = !m_overwrite; }
    static bool sharedOverwrite();
    static void setSharedOverwrite(bool overwrite);

    bool hasFocus() const { return m_focused; }
    void focusIn(FocusReason reason);
    // Hands the mode back. Unless the focus leaves only for a moment (a popup menu, another
    // window), validates and gives up the focus. Returns whether validation changed the text.
    bool focusOut(bool temporary = false);

    // A character from the keyboard. Codes below 32 are no text and are ignored. Returns
    // false when the character was refused or did not fit: the caller beeps.
    bool typeChar(char c);
    // Pastes `text` character by character; refused characters and characters that no
    // longer fit are skipped silently. Returns the number of characters inserted.
    int paste(std::string_view text);
    void backspace();
    void deleteForward();
    // Removes and returns the selection.
    std::string cut();
    // Takes back the last change of the text; a second undo redoes it.
    void undo();

private:
    struct Snapshot {
        std::string text;
        int caret = 0;
        int anchor = 0;
    };

    char precedingChar() const;
    void removeSelection();
    // Inserts at the caret; on a full text with the caret inside, the last character goes.
    bool insertPushing(char c);
    void remember();
    void clampPositions();

    std::string m_text;
    char m_mask;
    int m_maxLength;
    const CharClassTable* m_table = nullptr;
    int m_caret = 0;
    int m_anchor = 0;
    bool m_overwrite = false;
    bool m_focused = false;
    Snapshot m_undo;
};
