#include "app/QtMessageSink.h"

#include "app/ResultMessageBox.h"
#include "controls/KXDefaults.h"
#include "controls/QtOwner.h"
#include "controls/QtText.h"

namespace {

QMessageBox::Icon iconOf(zalvo::MessageIcon icon) {
    switch (icon) {
    case zalvo::MessageIcon::Information:
        return QMessageBox::Information;
    case zalvo::MessageIcon::Critical:
        return QMessageBox::Critical;
    case zalvo::MessageIcon::Warning:
        return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

// The core breaks lines with CR LF; Qt wants LF.
QString displayText(std::string_view text) {
    QString shown = qttext::fromWin1252(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

std::unique_ptr<QMessageBox>
QtMessageSink::createBox(zalvo::OwnerWindow owner, std::string_view caption, std::string_view text,
                         zalvo::MessageIcon icon, std::string_view description) {
    const QString title = qttext::fromWin1252(caption);
    const QString body = displayText(text);
    auto box = std::make_unique<ResultMessageBox>(iconOf(icon), title, body, QMessageBox::Ok,
                                                  ownerWidget(owner));
    box->setFont(kxdefaults::font());
    box->setTextFormat(Qt::PlainText);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setAccessibleName(title);
    box->setAccessibleDescription(description.empty() ? body : displayText(description));
    return box;
}

void QtMessageSink::show(zalvo::OwnerWindow owner, std::string_view caption, std::string_view text,
                         zalvo::MessageIcon icon, std::string_view description) {
    createBox(owner, caption, text, icon, description)->exec();
}
