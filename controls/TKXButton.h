#pragma once

#include <QPushButton>

// Push button with a glyph at its left edge and the caption centred in the rest, 85 x 26 by
// default. The icon's Disabled mode holds the greyed glyph.
class TKXButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int glyphMargin READ glyphMargin WRITE setGlyphMargin)
    Q_PROPERTY(int Tag READ tag WRITE setTag)

public:
    static constexpr int kWidth = 85;
    static constexpr int kHeight = 26;
    static constexpr int kDefaultGlyphMargin = 3;

    explicit TKXButton(QWidget* parent = nullptr);
    explicit TKXButton(const QString& text, QWidget* parent = nullptr);

    // Distance of the glyph from the left edge; negative centres glyph and caption together.
    int glyphMargin() const { return m_glyphMargin; }
    void setGlyphMargin(int margin);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_glyphMargin = kDefaultGlyphMargin;
    int m_tag = 0;
};
