#include "app/QtGermanTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace {

const char* const kCatalogue = "qtbase_de";

} // namespace

QtGermanTranslation::QtGermanTranslation() {
    if (m_translator.load(QString::fromLatin1(kCatalogue),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        m_installed = QCoreApplication::installTranslator(&m_translator);
    }
}

QtGermanTranslation::~QtGermanTranslation() {
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
    }
}
