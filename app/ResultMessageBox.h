#pragma once

#include <QMessageBox>

// A message box whose Ctrl+C copies the selected part of its text, or all of it when
// nothing is selected, wherever the keyboard focus is inside the box.
class ResultMessageBox : public QMessageBox {
    Q_OBJECT

public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
