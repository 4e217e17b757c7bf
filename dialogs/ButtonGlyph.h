#pragma once

#include <QIcon>

// The two-image button glyphs of the dialogs: a normal image and a greyed one for the
// disabled state, both drawn by us.
class ButtonGlyph {
public:
    enum class Kind { CheckMark, Cross, WrittenPage, Pencil };

    static QIcon icon(Kind kind);
};
