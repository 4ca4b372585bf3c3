#include "tools/common/time_span.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace kelvra::tools {
namespace {

constexpr double kMostHours = 7 * 24;

}  // namespace

QString parseTimeSpan(const QCommandLineParser& parser, TimeSpan& span)
{
    const QString day = QStringLiteral("day");
    const QString last = QStringLiteral("last");
    if (parser.isSet(day) && parser.isSet(last))
        return QCoreApplication::translate("TimeSpan", "--day and --last cannot be given together");
    if (parser.isSet(day)) {
        span.day = QDate::fromString(parser.value(day), Qt::ISODate);
        if (!span.day->isValid())
            return QCoreApplication::translate("TimeSpan", "day \"%1\" is not a date of the form YYYY-MM-DD")
                .arg(parser.value(day));
    }
    if (parser.isSet(last)) {
        bool ok = false;
        span.lastHours = parser.value(last).toDouble(&ok);
        if (!ok || !(*span.lastHours > 0.0 && *span.lastHours <= kMostHours))
            return QCoreApplication::translate("TimeSpan", "--last \"%1\" is not a number of hours from above 0 to %2")
                .arg(parser.value(last))
                .arg(kMostHours);
    }
    if (parser.isSet(QStringLiteral("utc")) && parser.isSet(QStringLiteral("local")))
        return QCoreApplication::translate("TimeSpan", "--utc and --local cannot be given together");
    span.clock = parser.isSet(QStringLiteral("utc")) ? Qt::UTC : Qt::LocalTime;
    return {};
}

}  // namespace kelvra::tools
