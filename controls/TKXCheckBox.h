#pragma once

#include <QCheckBox>

// Check box with the font of every TKX control.
class TKXCheckBox : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(int Tag READ tag WRITE setTag)

public:
    explicit TKXCheckBox(QWidget* parent = nullptr);
    explicit TKXCheckBox(const QString& text, QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

private:
    int m_tag = 0;
};
