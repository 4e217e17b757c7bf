#pragma once

#include <QLabel>

// Text label with the font of every TKX control.
class TKXLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int Tag READ tag WRITE setTag)

public:
    explicit TKXLabel(QWidget* parent = nullptr);
    explicit TKXLabel(const QString& text, QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

private:
    int m_tag = 0;
};
