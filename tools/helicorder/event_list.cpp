#include "tools/helicorder/event_list.h"

#include "archive/sds_layout.h"
#include "tools/common/file_kind.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kelvra::helicorder {
namespace {

const QLatin1String kHeader("onset_utc,end_utc,channels,peak_ratio,peak_counts");
constexpr int kFields = 5;
// Far longer than an event line; a longer one is not read whole.
constexpr qint64 kLongestLine = 4096;
// Past these a wrong or damaged file is summed up in one message instead of flooding stderr.
constexpr int kMostLinesSaid = 5;
constexpr int kLongestValueSaid = 40;

// A value as a message can show it: short, and with no control characters from a file that is not
// a list at all.
QString shown(const QString& value)
{
    QString text = value.left(kLongestValueSaid);
    for (QChar& c : text)
        if (!c.isPrint())
            c = u'?';
    return value.size() <= kLongestValueSaid ? text : text + QStringLiteral("...");
}

std::optional<qint64> utcMicros(const QString& text)
{
    // Qt's ISO reading would also take an offset, no milliseconds or no zone, none of which the
    // recorder writes.
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    const QDateTime at = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!at.isValid())
        return std::nullopt;
    return at.toMSecsSinceEpoch() * 1000;
}

bool isChannelList(const QString& text)
{
    const QStringList codes = text.split(u'+');
    return std::all_of(codes.begin(), codes.end(), [](const QString& code) {
        QString channel;
        return archive::parseChannel(code, channel).isEmpty();
    });
}

QString notA(const char* field, const QString& value, const QString& what)
{
    return QCoreApplication::translate("Helicorder", "%1 \"%2\" is not %3")
        .arg(QLatin1String(field), shown(value), what);
}

// Why the fields are not an event line; empty when they are one, and `event` is filled in.
QString whyNot(const QStringList& fields, ListedEvent& event)
{
    if (fields.size() != kFields)
        return QCoreApplication::translate("Helicorder", "not the %1 comma-separated values of %2 (%3 found)")
            .arg(kFields)
            .arg(kHeader)
            .arg(fields.size());
    const QString utcForm = QCoreApplication::translate("Helicorder", "a UTC time such as 2026-12-09T14:03:22.480Z");
    const std::optional<qint64> onset = utcMicros(fields[0]);
    if (!onset)
        return notA("onset_utc", fields[0], utcForm);
    const std::optional<qint64> end = utcMicros(fields[1]);
    if (!end)
        return notA("end_utc", fields[1], utcForm);
    if (*end < *onset)
        return QCoreApplication::translate("Helicorder", "end_utc is before onset_utc");
    if (!isChannelList(fields[2]))
        return notA("channels", fields[2],
                    QCoreApplication::translate("Helicorder", "a list of SEED channel codes joined by +, such as SHZ+SH1"));
    bool ok = false;
    const double ratio = fields[3].toDouble(&ok);
    if (!ok || !std::isfinite(ratio) || ratio < 0.0)
        return notA("peak_ratio", fields[3], QCoreApplication::translate("Helicorder", "a decimal number"));
    fields[4].toLongLong(&ok);
    if (!ok)
        return notA("peak_counts", fields[4], QCoreApplication::translate("Helicorder", "a whole number"));
    event = {*onset, ratio};
    return {};
}

}  // namespace

QString stationEventList(const QString& root, const archive::StationCodes& codes)
{
    return QDir(root).filePath(QStringLiteral("events/") + archive::SdsLayout::streamId(codes) + QStringLiteral(".csv"));
}

EventListRead readEventList(const QString& path)
{
    EventListRead read;
    // Opening a FIFO would wait for a writer for ever.
    if (const QString what = tools::notARegularFile(path); !what.isEmpty()) {
        read.problems.append(
            QCoreApplication::translate("Helicorder", "event list %1 is %2, not a file; no events marked").arg(path, what));
        return read;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.problems.append(QCoreApplication::translate("Helicorder", "cannot read event list %1: %2; no events marked")
                                 .arg(path, file.errorString()));
        return read;
    }
    int lineNumber = 0;
    int unsaid = 0;
    while (!file.atEnd()) {
        const QByteArray bytes = file.readLine(kLongestLine + 1);
        ++lineNumber;
        const bool whole = bytes.endsWith('\n') || file.atEnd();
        if (!whole)
            while (!file.atEnd() && !file.readLine(kLongestLine + 1).endsWith('\n')) {
            }
        // Lists joined with cat repeat the header; a missing one is no loss either.
        const QString line = QString::fromUtf8(bytes).trimmed();
        if (line.isEmpty() || line == kHeader)
            continue;
        ListedEvent event{};
        const QString why = whole ? whyNot(line.split(u','), event)
                                  : QCoreApplication::translate("Helicorder", "longer than %1 characters").arg(kLongestLine);
        if (why.isEmpty())
            read.events.push_back(event);
        else if (read.problems.size() < kMostLinesSaid)
            read.problems.append(
                QCoreApplication::translate("Helicorder", "%1, line %2: %3; line skipped").arg(path).arg(lineNumber).arg(why));
        else
            ++unsaid;
    }
    if (unsaid > 0)
        read.problems.append(QCoreApplication::translate("Helicorder", "%1: %2 more lines that are not event lines skipped")
                                 .arg(path)
                                 .arg(unsaid));
    return read;
}

}  // namespace kelvra::helicorder
