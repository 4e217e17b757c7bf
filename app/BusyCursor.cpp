#include "app/BusyCursor.h"

#include <QApplication>
#include <QCursor>

BusyCursor::BusyCursor() {
    resume();
}

BusyCursor::~BusyCursor() {
    pause();
}

void BusyCursor::pause() {
    if (m_active) {
        QApplication::restoreOverrideCursor();
        m_active = false;
    }
}

void BusyCursor::resume() {
    if (!m_active) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_active = true;
    }
}
