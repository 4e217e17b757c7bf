#pragma once

class PaymentCharClasses;
class QWidget;

// Gives every TKXEdit inside `dialog` the table of `classes` that its picture mask calls for
// ('1', '2', '3', '4', '6', '7'); fields with other masks keep the table they have. Returns
// the number of fields bound. `classes` must outlive the fields or be unbound first.
int BindPaymentCharClasses(QWidget* dialog, const PaymentCharClasses& classes);

// Puts every field inside `dialog` that uses a table of `classes` back on the default table.
void UnbindPaymentCharClasses(QWidget* dialog, const PaymentCharClasses& classes);
