#include "app/QtBusyIndicator.h"

#include <QApplication>
#include <QCursor>

void QtBusyIndicator::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtBusyIndicator::letEventsThrough() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
