#include "archive/retention.h"

#include <QDir>
#include <QFile>

namespace kelvra::archive {

int removeDayFilesBefore(const QString& root, const StationCodes& codes, QDate firstKept)
{
    int removed = 0;
    const QStringList years = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& yearName : years) {
        bool isYear = false;
        const int year = yearName.toInt(&isYear);
        if (!isYear || year > firstKept.year())
            continue;
        for (const QString& channel : codes.channels) {
            // Both the file name and the day are derived the way they were written.
            for (QDate day(year, 1, 1); day < firstKept && day.year() == year; day = day.addDays(1)) {
                if (QFile::remove(dayFilePath(root, codes, channel, day)))
                    ++removed;
            }
        }
    }
    return removed;
}

}  // namespace kelvra::archive
