#include "controls/TKXRadio.h"

#include "controls/KXDefaults.h"

TKXRadio::TKXRadio(QWidget* parent) : TKXRadio(QString(), parent) {}

TKXRadio::TKXRadio(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
    kxdefaults::apply(this, kxdefaults::black());
}
