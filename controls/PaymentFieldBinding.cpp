#include "controls/PaymentFieldBinding.h"

#include "controls/PaymentCharClasses.h"
#include "controls/TKXEdit.h"

#include <QWidget>

int BindPaymentCharClasses(QWidget* dialog, const PaymentCharClasses& classes) {
    int bound = 0;
    for (TKXEdit* field : dialog->findChildren<TKXEdit*>()) {
        if (const CharClassTable* table = classes.tableForMask(field->pictureMask())) {
            field->setCharClassTable(table);
            ++bound;
        }
    }
    return bound;
}

void UnbindPaymentCharClasses(QWidget* dialog, const PaymentCharClasses& classes) {
    for (TKXEdit* field : dialog->findChildren<TKXEdit*>())
        for (char cls = PaymentCharClasses::kFirstClass; cls <= PaymentCharClasses::kLastClass;
             ++cls)
            if (field->charClassTable() == &classes.table(cls))
                field->setCharClassTable(nullptr);
}
