#include "tools/helicorder/archive_reader.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <libmseed.h>

#include <vector>

namespace kelvra::helicorder {
namespace {

// libmseed reports on stderr by itself; its reasons reach the user through our own messages.
void quiet(char*) {}

class RecordReader {
public:
    explicit RecordReader(const QString& path) : path_(QFile::encodeName(path)) {}
    ~RecordReader()
    {
        ms_readmsr_r(&file_, &record_, nullptr, 0, nullptr, nullptr, 0, 0, 0);
    }
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    // MS_NOERROR with a record, MS_ENDOFFILE, or a libmseed error code.
    int next()
    {
        // Record length detected from each record's own header, so other sources' lengths are read too.
        return ms_readmsr_r(&file_, &record_, path_.constData(), -1, &offset_, nullptr, 0, 1, 0);
    }
    const MSRecord& record() const { return *record_; }
    qint64 offset() const { return qint64(offset_); }

private:
    QByteArray path_;
    MSFileParam* file_ = nullptr;
    MSRecord* record_ = nullptr;
    off_t offset_ = 0;
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

QString damage(const QString& path, int code, qint64 offset, bool anyRecord)
{
    if (!anyRecord && (code == MS_NOTSEED || code == MS_OUTOFRANGE))
        return QCoreApplication::translate("Helicorder", "%1 is not a miniSEED file").arg(path);
    return QCoreApplication::translate("Helicorder", "%1 is damaged at byte %2 (%3); the rest of it is left out")
        .arg(path)
        .arg(offset)
        .arg(QString::fromLatin1(ms_errorstr(code)));
}

// A short tail is what a file still being written can show for a moment, or a file cut short.
QString partialTail(const QString& path, qint64 complete, qint64 size)
{
    return QCoreApplication::translate("Helicorder",
                                       "%1 ends in a partial record (%2 bytes after byte %3): still being written "
                                       "or cut short; drawn without it")
        .arg(path)
        .arg(size - complete)
        .arg(complete);
}

void readFile(const QString& path, const archive::StationCodes& codes, const QString& channel, DrumTrace& trace,
              ReadReport& report)
{
    if (QFile file(path); !file.open(QIODevice::ReadOnly)) {
        report.problems.append(
            QCoreApplication::translate("Helicorder", "%1 cannot be read: %2").arg(path, file.errorString()));
        return;
    }
    // Taken before reading: whole records the recorder appends meanwhile are read too, but are
    // not mistaken for a partial one.
    const qint64 size = QFileInfo(path).size();
    // A day file the recorder has only just made holds no record yet.
    if (size == 0)
        return;
    RecordReader reader(path);
    std::vector<double> values;
    qint64 complete = 0;
    bool anyRecord = false;
    for (;;) {
        const int code = reader.next();
        if (code == MS_ENDOFFILE)
            break;
        if (code != MS_NOERROR) {
            report.problems.append(damage(path, code, complete, anyRecord));
            return;
        }
        anyRecord = true;
        const MSRecord& record = reader.record();
        complete = reader.offset() + record.reclen;
        if (record.samprate <= 0.0 || !isStream(record, codes, channel) || !samplesOf(record, values))
            continue;
        trace.addRun(record.starttime, double(HPTMODULUS) / record.samprate, values.data(), int(values.size()));
    }
    if (size > complete && anyRecord)
        report.problems.append(partialTail(path, complete, size));
    else if (size > complete)
        report.problems.append(
            QCoreApplication::translate("Helicorder", "%1 holds no whole record: still being written, or not miniSEED")
                .arg(path));
}

}  // namespace

ReadReport readChannel(const QString& root, const archive::StationCodes& codes, const QString& channel,
                       const DrumSpan& span, DrumTrace& trace)
{
    ms_loginit(quiet, nullptr, quiet, nullptr);
    ReadReport report;
    for (const QDate& day : span.utcDays()) {
        const QString path = archive::dayFilePath(root, codes, channel, day);
        if (!QFileInfo(path).isFile()) {
            report.filesMissing.append(path);
            continue;
        }
        report.filesRead.append(path);
        readFile(path, codes, channel, trace, report);
    }
    return report;
}

}  // namespace kelvra::helicorder
