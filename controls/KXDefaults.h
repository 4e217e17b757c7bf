#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// The look every TKX control starts with.
namespace kxdefaults {

inline constexpr const char* kFontFamily = "MS Sans Serif";
inline constexpr int kFontPointSize = 8;

QColor black();
QColor navy();
// Text of a disabled entry field.
QColor grayText();
// Control characters shown in an entry field.
QColor controlCharColor();

// "MS Sans Serif" 8, or the closest font the system has.
QFont font();

// Sets the font and `textColour` for window and entry text; the colour stays the widget's own
// rather than following its parent.
void apply(QWidget* widget, const QColor& textColour);

} // namespace kxdefaults
