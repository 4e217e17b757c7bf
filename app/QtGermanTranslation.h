#pragma once

#include <QTranslator>

// Qt's own texts - the file dialogs' views and menus, the question before a file is replaced,
// the standard buttons - in German like the rest of the program, whatever language the
// system speaks. Installed into the application while the object lives.
class QtGermanTranslation {
public:
    QtGermanTranslation();
    ~QtGermanTranslation();
    QtGermanTranslation(const QtGermanTranslation&) = delete;
    QtGermanTranslation& operator=(const QtGermanTranslation&) = delete;

    // False when Qt's German catalogue is not installed (Debian: qt6-translations-l10n);
    // Qt then speaks English and everything else works as before.
    bool installed() const { return m_installed; }

private:
    QTranslator m_translator;
    bool m_installed = false;
};
