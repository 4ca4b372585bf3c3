#include "tools/common/day_file_reader.h"

#include "archive/sds_layout.h"
#include "tools/common/file_kind.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <libmseed.h>

#include <algorithm>
#include <vector>

namespace kelvra::tools {
namespace {

// libmseed reports on stderr by itself; its reasons reach the user through our own messages.
void quiet(char*) {}

// Outside these a record's rate is damage, not a channel: its sample times would run past what
// the time base holds.
constexpr double kLowestRate = 1e-6;
constexpr double kHighestRate = 1e6;

// The fixed part of a record header, the least libmseed can judge a record by.
constexpr qint64 kFixedHeaderBytes = 48;

class Record {
public:
    Record() = default;
    ~Record() { msr_free(&record_); }
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    // The length of the whole, valid record at `at`, its samples unpacked; 0 with `why` set when
    // there is none, and `partial` set when what is there could be a record not yet all written.
    qint64 take(QByteArray& data, qint64 at, QString& why, bool& partial)
    {
        const qint64 left = data.size() - at;
        char* const bytes = data.data() + at;
        why.clear();
        partial = left < kFixedHeaderBytes;
        if (partial) {
            why = QCoreApplication::translate("DayFiles", "too short for a record header");
            return 0;
        }
        const int length = ms_detect(bytes, int(std::min<qint64>(left, MAXRECLEN)));
        partial = length == 0 || length > left;
        if (length < 0)
            why = QCoreApplication::translate("DayFiles", "no record header");
        else if (length == 0)
            why = QCoreApplication::translate("DayFiles", "a record header without a record length");
        else if (length > left)
            why = QCoreApplication::translate("DayFiles", "a record of %1 bytes with %2 left").arg(length).arg(left);
        else if (length < MINRECLEN)
            why = QCoreApplication::translate("DayFiles", "a record length of %1 bytes").arg(length);
        if (!why.isEmpty())
            return 0;
        if (const int code = msr_parse(bytes, length, &record_, length, 0, 0); code != MS_NOERROR) {
            why = QString::fromLatin1(ms_errorstr(code));
            return 0;
        }
        // libmseed unpacks as many fixed-width samples as the header claims, from beyond the record
        // if need be.
        const int sampleBytes = fixedSampleBytes(record_->encoding);
        const int room = length - record_->fsdh->data_offset;
        if (sampleBytes > 0 && (room < 0 || record_->samplecnt > room / sampleBytes)) {
            why = QCoreApplication::translate("DayFiles", "it claims %1 samples, more than its %2 bytes hold")
                      .arg(record_->samplecnt)
                      .arg(std::max(room, 0));
            return 0;
        }
        if (const int code = msr_parse(bytes, length, &record_, length, 1, 0); code != MS_NOERROR) {
            why = QString::fromLatin1(ms_errorstr(code));
            return 0;
        }
        return length;
    }
    const MSRecord& get() const { return *record_; }

private:
    static int fixedSampleBytes(int encoding)
    {
        switch (encoding) {
        case DE_ASCII: return 1;
        case DE_INT16: return 2;
        case DE_INT32:
        case DE_FLOAT32: return 4;
        case DE_FLOAT64: return 8;
        default: return 0;
        }
    }

    MSRecord* record_ = nullptr;
};

bool isStream(const MSRecord& record, const archive::StationCodes& codes, const QString& channel)
{
    return QLatin1String(record.network) == codes.network && QLatin1String(record.station) == codes.station
           && QLatin1String(record.location) == codes.location && QLatin1String(record.channel) == channel;
}

// The samples as doubles, whatever the record's encoding; false for text records.
bool samplesOf(const MSRecord& record, std::vector<double>& values)
{
    values.resize(std::size_t(record.numsamples));
    for (std::size_t i = 0; i < values.size(); ++i) {
        switch (record.sampletype) {
        case 'i': values[i] = static_cast<const int32_t*>(record.datasamples)[i]; break;
        case 'f': values[i] = static_cast<const float*>(record.datasamples)[i]; break;
        case 'd': values[i] = static_cast<const double*>(record.datasamples)[i]; break;
        default: return false;
        }
    }
    return true;
}

// The next offset after `from` where a whole, valid record starts, or -1: a header can be found
// at any byte, as other sources may write records of other lengths.
qint64 nextRecord(QByteArray& data, qint64 from, Record& record)
{
    QString why;
    bool partial = false;
    for (qint64 at = from; at + kFixedHeaderBytes <= data.size(); ++at)
        if (MS_ISVALIDHEADER(data.constData() + at) && record.take(data, at, why, partial) > 0)
            return at;
    return -1;
}

// A short tail is what a file still being written can show for a moment, or a file cut short.
QString partialTail(const QString& path, qint64 complete, qint64 size)
{
    return QCoreApplication::translate("DayFiles",
                                       "%1 ends in a partial record (%2 bytes after byte %3): still being written "
                                       "or cut short; read without it")
        .arg(path)
        .arg(size - complete)
        .arg(complete);
}

// What to say about the bytes from `at` that hold no valid record, up to `next` or, at -1, to the end.
QString damage(const QString& path, qint64 at, qint64 next, qint64 size, const QString& why, bool partial,
               bool anyRecord)
{
    if (next >= 0)
        return QCoreApplication::translate("DayFiles", "%1 is damaged at byte %2 (%3): bytes %2 to %4 skipped")
            .arg(path)
            .arg(at)
            .arg(why)
            .arg(next - 1);
    if (partial && anyRecord)
        return partialTail(path, at, size);
    if (partial && at == 0)
        return QCoreApplication::translate("DayFiles", "%1 holds no whole record: still being written, or not miniSEED")
            .arg(path);
    if (!anyRecord)
        return QCoreApplication::translate("DayFiles", "%1 is not a miniSEED file").arg(path);
    return QCoreApplication::translate("DayFiles", "%1 is damaged at byte %2 (%3); the rest of it is left out")
        .arg(path)
        .arg(at)
        .arg(why);
}

void readFile(const QString& path, const archive::StationCodes& codes, const QString& channel,
              const RecordSamples& take, DayFilesReport& report)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report.problems.append(
            QCoreApplication::translate("DayFiles", "%1 cannot be read: %2").arg(path, file.errorString()));
        return;
    }
    // As large as it is now: a record the recorder appends meanwhile is left for the next drawing
    // rather than caught half written.
    QByteArray data = file.read(file.size());
    Record record;
    std::vector<double> values;
    bool anyRecord = false;
    for (qint64 at = 0; at < data.size();) {
        QString why;
        bool partial = false;
        if (const qint64 length = record.take(data, at, why, partial); length > 0) {
            anyRecord = true;
            const MSRecord& r = record.get();
            const bool ours = isStream(r, codes, channel);
            if (ours && r.samprate != 0.0 && !(r.samprate >= kLowestRate && r.samprate <= kHighestRate))
                report.problems.append(
                    QCoreApplication::translate("DayFiles",
                                                "%1: the record at byte %2 gives a sample rate of %3 a second, "
                                                "not from %4 to %5; left out")
                        .arg(path)
                        .arg(at)
                        .arg(QString::number(r.samprate))
                        .arg(QString::number(kLowestRate, 'f', 6), QString::number(kHighestRate, 'f', 0)));
            else if (ours && r.samprate != 0.0 && samplesOf(r, values))
                take(r.starttime, r.samprate, values.data(), int(values.size()));
            at += length;
            continue;
        }
        const qint64 next = nextRecord(data, at + 1, record);
        report.problems.append(damage(path, at, next, data.size(), why, partial, anyRecord));
        if (next < 0)
            return;
        at = next;
    }
}

}  // namespace

DayFilesReport readDayFiles(const QString& root, const archive::StationCodes& codes, const QString& channel,
                            const QList<QDate>& utcDays, const RecordSamples& take)
{
    ms_loginit(quiet, nullptr, quiet, nullptr);
    DayFilesReport report;
    const archive::SdsLayout layout(root);
    for (const QDate& day : utcDays) {
        const QString path = layout.dayFile(codes, channel, day);
        if (const QString what = notARegularFile(path); !what.isEmpty()) {
            report.problems.append(QCoreApplication::translate("DayFiles", "%1 is %2, not a day file").arg(path, what));
            continue;
        }
        if (!QFileInfo::exists(path)) {
            report.filesMissing.append(path);
            continue;
        }
        report.filesRead.append(path);
        readFile(path, codes, channel, take, report);
    }
    return report;
}

}  // namespace kelvra::tools
