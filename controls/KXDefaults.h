#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>

class QWidget;

// The look every TKX control starts with.
namespace kxdefaults {

inline constexpr int kFontPointSize = 8;

QColor black();
QColor navy();
// Text of a disabled entry field.
QColor grayText();
// Control characters shown in an entry field.
QColor controlCharColor();

// The one face of every window, dialog, control and message box: "MS Sans Serif" where it
// exists, then its successor and the faces with its metrics that other systems carry; the
// style hint picks the system's default sans serif when none of them is there.
QStringList fontFamilies();

// That face in 8 points.
QFont font();

// Sets the font and `textColour` for window and entry text; the colour stays the widget's own
// rather than following its parent.
void apply(QWidget* widget, const QColor& textColour);

} // namespace kxdefaults
