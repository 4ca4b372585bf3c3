#include "app/text_widths.h"

#include <QFontMetrics>

namespace kelvra {

int TextWidths::of(const QString& text, const QFont& font)
{
    if (font != font_ || widths_.size() >= kMostTexts) {
        widths_.clear();
        font_ = font;
    }
    const auto known = widths_.constFind(text);
    if (known != widths_.cend())
        return *known;
    const int width = QFontMetrics(font).horizontalAdvance(text);
    widths_.insert(text, width);
    return width;
}

}  // namespace kelvra
