#include "controls/TKXButton.h"

#include "controls/KXDefaults.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

// Room between glyph and caption.
constexpr int kGlyphSpacing = 4;

} // namespace

TKXButton::TKXButton(QWidget* parent) : TKXButton(QString(), parent) {}

TKXButton::TKXButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    kxdefaults::apply(this, kxdefaults::black());
    resize(kWidth, kHeight);
}

void TKXButton::setGlyphMargin(int margin) {
    m_glyphMargin = margin;
    update();
}

QSize TKXButton::sizeHint() const {
    return QPushButton::sizeHint().expandedTo(QSize(kWidth, kHeight));
}

void TKXButton::paintEvent(QPaintEvent* event) {
    if (icon().isNull() || m_glyphMargin < 0) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QPixmap glyph = icon().pixmap(iconSize(), devicePixelRatio(), mode);
    const QSize glyphSize = glyph.deviceIndependentSize().toSize();
    const int shift = isDown() ? 1 : 0;
    const QPoint glyphAt(m_glyphMargin + shift, (height() - glyphSize.height()) / 2 + shift);
    painter.drawPixmap(glyphAt, glyph);

    const int textLeft = glyphAt.x() + glyphSize.width() + kGlyphSpacing;
    const QRect textRect(textLeft, shift, width() - textLeft - m_glyphMargin, height());
    painter.drawItemText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                         text(), QPalette::ButtonText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
