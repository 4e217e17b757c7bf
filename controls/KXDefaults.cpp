#include "controls/KXDefaults.h"

#include <QPalette>
#include <QWidget>

namespace kxdefaults {

QColor black() {
    return QColor(0, 0, 0);
}

QColor navy() {
    return QColor(0, 0, 0x80);
}

QColor grayText() {
    return QColor(0x80, 0x80, 0x80);
}

QColor controlCharColor() {
    return QColor(0xFF, 0, 0);
}

QStringList fontFamilies() {
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
            QStringLiteral("Nimbus Sans")};
}

QFont font() {
    QFont f;
    f.setFamilies(fontFamilies());
    f.setPointSize(kFontPointSize);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

void apply(QWidget* widget, const QColor& textColour) {
    widget->setFont(font());
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, textColour);
        palette.setColor(group, QPalette::Text, textColour);
        palette.setColor(group, QPalette::ButtonText, textColour);
    }
    widget->setPalette(palette);
}

} // namespace kxdefaults
