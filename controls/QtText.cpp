#include "controls/QtText.h"

#include "platform/Win1252.h"

#include <QList>

namespace qttext {

QString fromWin1252(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        const char32_t cp = win1252::toUnicode(static_cast<unsigned char>(c));
        out += QChar(static_cast<char16_t>(cp));
    }
    return out;
}

std::string toWin1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t cp : text.toUcs4()) {
        const int byte = win1252::fromUnicode(cp);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

} // namespace qttext
