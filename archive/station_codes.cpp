#include "archive/station_codes.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

namespace kelvra::archive {
namespace {

bool isCode(const QString& code, int minLength, int maxLength)
{
    static const QRegularExpression letterOrDigit(QStringLiteral("^[A-Za-z0-9]*$"));
    return code.size() >= minLength && code.size() <= maxLength && letterOrDigit.match(code).hasMatch();
}

QString badCode(const char* what, const QString& code, int minLength, int maxLength)
{
    const QString length = minLength == maxLength
                               ? QCoreApplication::translate("StationCodes", "%n letters or digits", nullptr, maxLength)
                               : QCoreApplication::translate("StationCodes", "%1 to %2 letters or digits")
                                     .arg(minLength)
                                     .arg(maxLength);
    return QCoreApplication::translate("StationCodes", "%1 code \"%2\" is not %3")
        .arg(QCoreApplication::translate("StationCodes", what), code, length);
}

}  // namespace

QString parseStation(const QString& text, StationCodes& codes)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() < 2 || parts.size() > 3)
        return QCoreApplication::translate("StationCodes", "station \"%1\" is not of the form NET.STA.LOC").arg(text);
    const QString location = parts.size() == 3 ? parts[2] : QString();
    if (!isCode(parts[0], 1, 2))
        return badCode(QT_TRANSLATE_NOOP("StationCodes", "network"), parts[0], 1, 2);
    if (!isCode(parts[1], 1, 5))
        return badCode(QT_TRANSLATE_NOOP("StationCodes", "station"), parts[1], 1, 5);
    if (!isCode(location, 0, 2))
        return badCode(QT_TRANSLATE_NOOP("StationCodes", "location"), location, 0, 2);
    codes.network = parts[0].toUpper();
    codes.station = parts[1].toUpper();
    codes.location = location.toUpper();
    return {};
}

QString parseChannels(const QString& text, StationCodes& codes)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != kChannelCount)
        return QCoreApplication::translate("StationCodes", "channels \"%1\" are not four codes C1,C2,C3,C4").arg(text);
    std::array<QString, kChannelCount> channels;
    for (int i = 0; i < kChannelCount; ++i) {
        if (const QString error = parseChannel(parts[i], channels[static_cast<std::size_t>(i)]); !error.isEmpty())
            return error;
        for (int j = 0; j < i; ++j)
            if (channels[static_cast<std::size_t>(j)] == channels[static_cast<std::size_t>(i)])
                return QCoreApplication::translate("StationCodes", "channel code \"%1\" is given twice").arg(parts[i]);
    }
    codes.channels = channels;
    return {};
}

QString parseChannel(const QString& text, QString& channel)
{
    if (!isCode(text, 3, 3))
        return badCode(QT_TRANSLATE_NOOP("StationCodes", "channel"), text, 3, 3);
    channel = text.toUpper();
    return {};
}

QString defaultArchiveRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kelvra/archive");
}

}  // namespace kelvra::archive
