#pragma once

#include <QRadioButton>

// Radio button with the font of every TKX control.
class TKXRadio : public QRadioButton {
    Q_OBJECT
    Q_PROPERTY(int Tag READ tag WRITE setTag)

public:
    explicit TKXRadio(QWidget* parent = nullptr);
    explicit TKXRadio(const QString& text, QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

private:
    int m_tag = 0;
};
