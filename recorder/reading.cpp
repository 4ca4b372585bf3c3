#include "recorder/reading.h"

#include "recorder/constants.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace kelvra {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QStringView withoutBlanksAround(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    return text.mid(first, last - first);
}

// Checks the whole text against [+-] digits [. digits] [e [+-] digits], at least one mantissa digit.
bool isDecimalNumber(QStringView t)
{
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    qsizetype mantissaDigits = 0;
    while (i < n && isDigit(t[i])) { ++i; ++mantissaDigits; }
    if (i < n && t[i] == u'.') {
        ++i;
        while (i < n && isDigit(t[i])) { ++i; ++mantissaDigits; }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < n && isDigit(t[i])) { ++i; ++exponentDigits; }
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

}  // namespace

std::optional<double> parseReading(QStringView text)
{
    const QStringView number = withoutBlanksAround(text);
    // The board's own form, nearly every reply, needs none of the copies below.
    if (const BoardReading board = boardReading(number); board.kind == BoardReadingKind::Reading)
        return board.counts;
    if (!isDecimalNumber(number))
        return std::nullopt;

    // from_chars ignores the C locale that Qt applications adopt from the desktop.
    const std::string ascii = number.toLatin1().toStdString();
    const char* begin = ascii.data();
    const char* end = begin + ascii.size();
    const bool negative = *begin == '-';
    if (*begin == '+' || *begin == '-')
        ++begin;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ptr != end)
        return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Underflow is not an error: such a text is zero for every purpose here.
        const bool tiny = ascii.find("e-") != std::string::npos || ascii.find("E-") != std::string::npos;
        if (!tiny)
            return std::nullopt;
        value = 0.0;
    } else if (ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

BoardReading boardReading(QStringView text)
{
    const QStringView digits = withoutBlanksAround(text);
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        return {};
    if (digits.size() > 1 && digits.front() == u'0')
        return {};
    static const qsizetype fullWidth = QString::number(kBoardFullScale).size();
    if (digits.size() > fullWidth)
        return {BoardReadingKind::OutOfRange};
    const int value = digits.toInt();
    if (value > kBoardFullScale)
        return {BoardReadingKind::OutOfRange};
    return {BoardReadingKind::Reading, value};
}

QString voltsText(double reading)
{
    constexpr double kShownLimit = 9999.99;
    const double volts = (reading * kFullScaleVolts) / kFullScaleCount;
    double hundredths = std::nearbyint(volts * 100.0);  // the default rounding mode: halves to even
    if (!(std::fabs(hundredths) <= kShownLimit * 100.0))
        return volts > 0 ? QStringLiteral(">9999.99") : QStringLiteral("<-9999.99");
    if (hundredths == 0.0)
        hundredths = 0.0;  // no "-0.00"
    return QString::number(hundredths / 100.0, 'f', 2);
}

}  // namespace kelvra
