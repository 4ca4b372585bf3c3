#pragma once

#include <QFont>
#include <QHash>
#include <QString>

namespace kelvra {

// Widths of texts in one font, each measured once: the value labels show the same few hundred
// texts again and again, and measuring one means shaping it. A new font, or more texts than a
// station's readings make, start it afresh.
class TextWidths {
public:
    int of(const QString& text, const QFont& font);

private:
    static constexpr qsizetype kMostTexts = 4096;
    QFont font_;
    QHash<QString, int> widths_;
};

}  // namespace kelvra
