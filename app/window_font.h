#pragma once

#include <QFont>
#include <QString>

namespace kelvra {

// The face every text of the window asks for. Desktops without it get a Japanese gothic
// substitute, once registerFontSubstitutions() has run.
inline const QString kWindowFontFamily = QStringLiteral("ＭＳ Ｐゴシック");
inline constexpr qreal kWindowFontPoints = 9.0;

// Must run before the first widget is created, so that every font resolves to the substitute.
void registerFontSubstitutions();

// Without any font that has Japanese glyphs every caption and the clock show as boxes.
bool hasJapaneseFont();
QString noJapaneseFontNotice();

QFont windowFont(qreal points = kWindowFontPoints, bool bold = false);

}  // namespace kelvra
