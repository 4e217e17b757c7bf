#pragma once

#include <QGroupBox>

// Group frame; its caption is navy with the font of every TKX control.
class TKXGruppe : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int Tag READ tag WRITE setTag)

public:
    explicit TKXGruppe(QWidget* parent = nullptr);
    explicit TKXGruppe(const QString& text, QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

private:
    int m_tag = 0;
};
