#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace kelvra {

// The board's decimal reply as a number: sign, digits, fraction and exponent, with blanks,
// tabs and line ends around it. Independent of the desktop's locale. Anything else (letters,
// control bytes, "nan", "inf", two numbers, a value beyond double range) is not a reading.
std::optional<double> parseReading(QStringView text);

// What a reply's text is as a reading of the board: only the board's own form counts, decimal
// digits 0..kBoardFullScale with blanks or line ends around them and no leading zero. A sign, a
// fraction, an exponent or a leading zero is no reading: pieces and glued replies look like that.
enum class BoardReadingKind { Reading, NotANumber, OutOfRange };
struct BoardReading {
    BoardReadingKind kind = BoardReadingKind::NotANumber;
    std::int32_t counts = 0;
};
BoardReading boardReading(QStringView text);

// Volts of a reading, rounded half to even to two decimals, as "0.00". Readings far off the
// 0..1023 scale give a short over-range text instead of hundreds of digits.
QString voltsText(double reading);

}  // namespace kelvra
