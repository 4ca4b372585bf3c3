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

// The reading to archive: a reply that is one whole number (512, +512, 512.0, 5.12e2) of
// magnitude below kStoredCountLimit. Anything else, a fraction or an empty reply included, is
// a gap in the archive.
std::optional<std::int32_t> storableCounts(QStringView text);

// Volts of a reading, rounded half to even to two decimals, as "0.00". Readings far off the
// 0..1023 scale give a short over-range text instead of hundreds of digits.
QString voltsText(double reading);

}  // namespace kelvra
