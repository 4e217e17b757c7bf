#include "dialogs/KXDialog.h"

#include "controls/KXDefaults.h"
#include "dialogs/ButtonGlyph.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>

namespace {

void setGlyph(QAbstractButton* button, ButtonGlyph::Kind kind) {
    const QIcon glyph = ButtonGlyph::icon(kind);
    button->setIcon(glyph);
    const QList<QSize> sizes = glyph.availableSizes();
    if (!sizes.isEmpty()) {
        button->setIconSize(sizes.first());
    }
}

} // namespace

KXDialog::KXDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setFont(kxdefaults::font());
}

void KXDialog::finishForm(QAbstractButton* okButton, QAbstractButton* cancelButton) {
    m_cancelButton = cancelButton;
    setGlyph(okButton, ButtonGlyph::Kind::CheckMark);
    setGlyph(cancelButton, ButtonGlyph::Kind::Cross);

    // Assistive tools and tests find windows, frames and fields by their visible texts.
    setAccessibleName(windowTitle());
    const auto groups = findChildren<QGroupBox*>();
    for (QGroupBox* group : groups) {
        group->setAccessibleName(group->title());
    }
    const auto labels = findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (QWidget* field = label->buddy()) {
            field->setAccessibleName(label->text());
        }
    }
    if (layout()) {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
}

bool KXDialog::takeFirstActivation() {
    const bool first = m_firstActivation;
    m_firstActivation = false;
    return first;
}

void KXDialog::done(int result) {
    FormClose();
    QDialog::done(result);
}

bool KXDialog::event(QEvent* event) {
    // Also at the first show: a window system that never activates the dialog must not leave
    // it without its one-time set-up (character classes, the closed B2B choice). SetUp does
    // that work only while the first-activation mark is set.
    const bool firstShow = event->type() == QEvent::Show && firstActivation();
    if (event->type() == QEvent::WindowActivate || firstShow) {
        SetUp();
    }
    return QDialog::event(event);
}

void KXDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_cancelButton &&
        m_cancelButton->isEnabled()) {
        m_cancelButton->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
