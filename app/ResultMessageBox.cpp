#include "app/ResultMessageBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>

void ResultMessageBox::keyPressEvent(QKeyEvent* event) {
    if (event != QKeySequence::Copy) {
        QMessageBox::keyPressEvent(event);
        return;
    }
    QString copied;
    if (const auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        copied = label->selectedText();
    }
    if (copied.isEmpty()) {
        copied = text();
    }
    QGuiApplication::clipboard()->setText(copied);
    event->accept();
}
