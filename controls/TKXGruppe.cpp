#include "controls/TKXGruppe.h"

#include "controls/KXDefaults.h"

TKXGruppe::TKXGruppe(QWidget* parent) : TKXGruppe(QString(), parent) {}

TKXGruppe::TKXGruppe(const QString& text, QWidget* parent) : QGroupBox(text, parent) {
    kxdefaults::apply(this, kxdefaults::navy());
}
