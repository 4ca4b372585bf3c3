#pragma once

#include <QString>

#include <cmath>
#include <optional>

namespace kelvra {

// A setting's number as written, blanks around it allowed; none for text, inf or nan.
inline std::optional<double> finiteNumber(const QString& text)
{
    bool isNumber = false;
    const double value = text.trimmed().toDouble(&isNumber);
    if (!isNumber || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace kelvra
