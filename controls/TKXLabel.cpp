#include "controls/TKXLabel.h"

#include "controls/KXDefaults.h"

TKXLabel::TKXLabel(QWidget* parent) : TKXLabel(QString(), parent) {}

TKXLabel::TKXLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    kxdefaults::apply(this, kxdefaults::black());
}
