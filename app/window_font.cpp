#include "app/window_font.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QStringList>

namespace kelvra {

void registerFontSubstitutions()
{
    QFont::insertSubstitutions(kWindowFontFamily, {QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"),
                                                   QStringLiteral("Noto Sans CJK JP")});
}

// Any such font will do, not only the substitutes: the glyphs the window's face lacks are taken
// from whichever installed font has them.
bool hasJapaneseFont() { return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty(); }

QString noJapaneseFontNotice()
{
    return QCoreApplication::translate("kelvra::WindowFont",
                                       "kelvra: no font with Japanese glyphs is installed, so the captions and the "
                                       "clock show as boxes. Install one, e.g. the Debian package "
                                       "fonts-ipafont-gothic.");
}

QFont windowFont(qreal points, bool bold)
{
    QFont font(kWindowFontFamily);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace kelvra
