#include "dialogs/ButtonGlyph.h"

#include <QString>

namespace {

QString baseName(ButtonGlyph::Kind kind) {
    switch (kind) {
    case ButtonGlyph::Kind::CheckMark:
        return QStringLiteral("check");
    case ButtonGlyph::Kind::Cross:
        return QStringLiteral("cross");
    case ButtonGlyph::Kind::WrittenPage:
        return QStringLiteral("page");
    case ButtonGlyph::Kind::Pencil:
        return QStringLiteral("pencil");
    }
    return {};
}

} // namespace

QIcon ButtonGlyph::icon(Kind kind) {
    // A static library's resources must be registered by hand before first use.
    static const bool registered = [] {
        Q_INIT_RESOURCE(glyphs);
        return true;
    }();
    (void)registered;

    const QString name = baseName(kind);
    QIcon icon;
    icon.addFile(QStringLiteral(":/glyphs/%1.png").arg(name), {}, QIcon::Normal);
    icon.addFile(QStringLiteral(":/glyphs/%1-disabled.png").arg(name), {}, QIcon::Disabled);
    return icon;
}
