#include "dialogs/PaymentFileDialog.h"

#include "controls/KXDefaults.h"
#include "controls/PaymentCharClasses.h"
#include "controls/PaymentFieldBinding.h"
#include "controls/QtOwner.h"
#include "controls/TKXButton.h"
#include "controls/TKXCheckBox.h"
#include "controls/TKXEdit.h"
#include "controls/TKXLabel.h"
#include "controls/TKXRadio.h"
#include "dialogs/ButtonGlyph.h"

#include <QGroupBox>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>

namespace {

// The call order, as the user is told it; some lines end in a blank.
const QStringList& memoLines() {
    static const QStringList s_lines = {
        QStringLiteral("Aufrufreihenfolge:"),
        QString(),
        QStringLiteral("XMLCreate (1 mal), XMLWrite(1 mal oder "),
        QStringLiteral("mehrfach), XMLClose (1 mal)"),
        QString(),
        QStringLiteral("Ein Ändern der Aufrufreihenfolge führt zu "),
        QStringLiteral("unkrontrollierten Ergebnissen."),
    };
    return s_lines;
}

void setGlyph(QAbstractButton* button, ButtonGlyph::Kind kind) {
    const QIcon glyph = ButtonGlyph::icon(kind);
    button->setIcon(glyph);
    const QList<QSize> sizes = glyph.availableSizes();
    if (!sizes.isEmpty()) {
        button->setIconSize(sizes.first());
    }
}

} // namespace

PaymentFileDialog::PaymentFileDialog(zalvo::AccountForm form, QWidget* owner)
    : KXDialog(owner), m_file(form) {}

PaymentFileDialog::~PaymentFileDialog() {
    // The fields outlive this body; they must not keep pointing into the tables.
    FormClose();
}

void PaymentFileDialog::attach(const Controls& controls) {
    m_controls = controls;
    const Controls& c = m_controls;
    finishForm(c.closeButton, c.cancelButton);
    setGlyph(c.createButton, ButtonGlyph::Kind::WrittenPage);
    setGlyph(c.writeButton, ButtonGlyph::Kind::Pencil);
    c.createButton->setDefault(true);
    nameFieldsForAssistiveTools();

    kxdefaults::apply(c.memo, kxdefaults::black());
    c.memo->setPlainText(memoLines().join(QLatin1Char('\n')));
    c.memo->setAccessibleName(qobject_cast<QGroupBox*>(c.memo->parentWidget())->title());
    c.memo->setAccessibleDescription(c.memo->toPlainText());
    c.memo->installEventFilter(this);

    connect(c.creditTransfer, &QAbstractButton::toggled, this, &PaymentFileDialog::RUebwClick);
    connect(c.directDebit, &QAbstractButton::toggled, this, &PaymentFileDialog::RUebwClick);
    connect(c.createButton, &QAbstractButton::clicked, this, &PaymentFileDialog::BCreateClick);
    connect(c.writeButton, &QAbstractButton::clicked, this, &PaymentFileDialog::BWriteClick);
    connect(c.closeButton, &QAbstractButton::clicked, this, &PaymentFileDialog::BCloseClick);
    connect(c.cancelButton, &QAbstractButton::clicked, this, &PaymentFileDialog::BAbbruchClick);
}

void PaymentFileDialog::nameFieldsForAssistiveTools() {
    QHash<QString, int> uses;
    const auto labels = findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (qobject_cast<TKXEdit*>(label->buddy())) {
            ++uses[label->text()];
        }
    }
    for (QLabel* label : labels) {
        auto* field = qobject_cast<TKXEdit*>(label->buddy());
        if (!field) {
            continue;
        }
        QString name = label->text();
        const auto* group = qobject_cast<QGroupBox*>(label->parentWidget());
        if (uses.value(name) > 1 && group) {
            name = group->title() + QLatin1Char(' ') + name;
        }
        field->setAccessibleName(name);
    }
    // Choices and buttons go by their captions.
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        button->setAccessibleName(button->text());
    }
}

void PaymentFileDialog::SetUp() {
    if (!takeFirstActivation()) {
        return;
    }
    m_charClasses = std::make_unique<PaymentCharClasses>();
    BindPaymentCharClasses(this, *m_charClasses);
    RUebwClick();
    m_file.reset();
}

void PaymentFileDialog::FormClose() {
    if (m_charClasses) {
        UnbindPaymentCharClasses(this, *m_charClasses);
        m_charClasses.reset();
    }
}

void PaymentFileDialog::RUebwClick() {
    // The B2B choice only means something for a direct debit; its mark stays as it is.
    const bool directDebit = m_controls.directDebit->isChecked();
    m_controls.directDebitKindLabel->setEnabled(directDebit);
    m_controls.businessDebit->setEnabled(directDebit);
}

void PaymentFileDialog::BCreateClick() {
    m_file.create(ownerHandle(this), fileHeaderInput());
}

zalvo::FileHeaderInput PaymentFileDialog::fileHeaderInput() const {
    const Controls& c = m_controls;
    zalvo::FileHeaderInput header;
    header.exportPath = c.exportPath->textBytes();
    header.fileName = c.fileName->textBytes();
    header.initiatingParty = c.initiatingParty->textBytes();
    header.messageId = c.messageId->textBytes();
    header.directDebit = c.directDebit->isChecked();
    return header;
}

zalvo::PaymentEntryInput PaymentFileDialog::paymentEntryInput() const {
    const Controls& c = m_controls;
    zalvo::PaymentEntryInput entry;
    entry.originatorName = c.originatorName->textBytes();
    entry.originatorBank = c.originatorBank->textBytes();
    entry.originatorAccount = c.originatorAccount->textBytes();
    entry.creditorId = c.creditorId->textBytes();
    entry.recipientName = c.recipientName->textBytes();
    entry.recipientBank = c.recipientBank->textBytes();
    entry.recipientAccount = c.recipientAccount->textBytes();
    entry.amount = c.amount->textBytes();
    entry.remittance1 = c.remittance1->textBytes();
    entry.remittance2 = c.remittance2->textBytes();
    entry.mandateReference = c.mandateReference->textBytes();
    entry.mandateDate = c.mandateDate->textBytes();
    return entry;
}

void PaymentFileDialog::BWriteClick() {
    // The fields stay as they are, so the next entry is typed over this one.
    m_file.write(ownerHandle(this), paymentEntryInput());
}

void PaymentFileDialog::BCloseClick() {
    m_file.close(ownerHandle(this));
}

bool PaymentFileDialog::FormKeyDown(int key) {
    if (key != Qt::Key_Escape) {
        return false;
    }
    BAbbruchClick();
    return true;
}

void PaymentFileDialog::BAbbruchClick() {
    // Closing calls nothing in the library, also with a file created and not closed.
    reject();
}

void PaymentFileDialog::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && FormKeyDown(event->key())) {
        event->accept();
        return;
    }
    KXDialog::keyPressEvent(event);
}

bool PaymentFileDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_controls.memo && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && FormKeyDown(key->key())) {
            return true;
        }
    }
    return KXDialog::eventFilter(watched, event);
}
