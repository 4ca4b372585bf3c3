#include "app/window_font.h"

#include <QStringList>

namespace kelvra {

void registerFontSubstitutions()
{
    QFont::insertSubstitutions(kWindowFontFamily, {QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"),
                                                   QStringLiteral("Noto Sans CJK JP")});
}

QFont windowFont(qreal points, bool bold)
{
    QFont font(kWindowFontFamily);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace kelvra
