#include "tests/e2e/request_stream.h"

#include <algorithm>

namespace kelvra::e2e {

qsizetype firstOutOfCycle(const QList<LoggedByte>& bytes, int firstChannel)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i].byte != static_cast<char>('0' + (firstChannel + i) % 4))
            return i;
    }
    return -1;
}

RequestPeriods requestPeriods(const QList<LoggedByte>& bytes, double fromSeconds)
{
    RequestPeriods periods;
    double first = 0.0;
    double last = 0.0;
    for (const LoggedByte& byte : bytes) {
        if (byte.seconds < fromSeconds)
            continue;
        if (periods.count == 0)
            first = byte.seconds;
        else
            periods.longestMs = std::max(periods.longestMs, 1000.0 * (byte.seconds - last));
        last = byte.seconds;
        ++periods.count;
    }
    if (periods.count > 1)
        periods.meanMs = 1000.0 * (last - first) / static_cast<double>(periods.count - 1);
    return periods;
}

QString describeBytes(const QList<LoggedByte>& bytes, qsizetype at)
{
    QStringList shown;
    for (qsizetype i = std::max<qsizetype>(0, at - 8); i < std::min(bytes.size(), at + 8); ++i)
        shown << QStringLiteral("%1%2@%3").arg(i == at ? QStringLiteral(">") : QString())
                     .arg(static_cast<uchar>(bytes[i].byte), 2, 16, QLatin1Char('0'))
                     .arg(bytes[i].seconds, 0, 'f', 6);
    return QStringLiteral("byte %1 of %2: %3").arg(at).arg(bytes.size()).arg(shown.join(u' '));
}

}  // namespace kelvra::e2e
