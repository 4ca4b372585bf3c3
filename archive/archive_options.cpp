#include "archive/archive_options.h"

#include "archive/messages.h"

#include <QLatin1String>

namespace kelvra::archive {

QString parseFolder(const QString& text, QString& folder)
{
    if (text.trimmed().isEmpty())
        return messages::emptyFolder();
    folder = text;
    return {};
}

QString parseKeepDays(const QString& text, std::optional<int>& days)
{
    bool whole = false;
    const int number = text.trimmed().toInt(&whole);
    if (!whole || number < 1)
        return messages::notWholeDays();
    days = number;
    return {};
}

QString parseSwitch(const QString& text, bool& on)
{
    const QString word = text.trimmed().toLower();
    for (const char* yes : {"true", "yes", "on", "1"})
        if (word == QLatin1String(yes)) {
            on = true;
            return {};
        }
    for (const char* no : {"false", "no", "off", "0"})
        if (word == QLatin1String(no)) {
            on = false;
            return {};
        }
    return messages::notASwitch();
}

}  // namespace kelvra::archive
