#include "controls/TKXCheckBox.h"

#include "controls/KXDefaults.h"

TKXCheckBox::TKXCheckBox(QWidget* parent) : TKXCheckBox(QString(), parent) {}

TKXCheckBox::TKXCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    kxdefaults::apply(this, kxdefaults::black());
}
