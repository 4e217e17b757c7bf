#include "app/QtNoticeSink.h"

#include "controls/KXDefaults.h"
#include "controls/QtText.h"

#include <QApplication>
#include <QMessageBox>

bool QtNoticeSink::confirm(std::string_view caption, std::string_view message) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return true;

    QString text = qttext::fromWin1252(message);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    QMessageBox box(QMessageBox::Warning, qttext::fromWin1252(caption), text,
                    QMessageBox::Ok | QMessageBox::Cancel);
    box.setObjectName(QString::fromLatin1(kObjectName));
    box.setFont(kxdefaults::font());
    // Log text is data, never markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}
