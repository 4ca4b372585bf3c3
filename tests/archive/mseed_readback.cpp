#include "tests/archive/mseed_readback.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <libmseed.h>

#include <algorithm>
#include <cmath>

namespace kelvra::test {

ReadBack readWithLibmseed(const QString& path)
{
    ReadBack back;
    if (!QFileInfo::exists(path))
        return back;
    const QByteArray name = QFile::encodeName(path);
    MSRecord* record = nullptr;
    int status = MS_NOERROR;
    while ((status = ms_readmsr(&record, name.constData(), -1, nullptr, nullptr, 1, 1, 0)) == MS_NOERROR) {
        const auto* values = static_cast<const std::int32_t*>(record->datasamples);
        const double periodUs = HPTMODULUS / record->samprate;
        back.recordStartsUs.push_back(record->starttime);
        back.recordEndsUs.push_back(msr_endtime(record));
        back.recordLengths.push_back(record->reclen);
        back.recordSequenceNumbers.push_back(record->sequence_number);
        if (record->sampletype != 'i')
            back.ok = false;
        for (int64_t i = 0; i < record->numsamples; ++i)
            back.samples.push_back(
                {record->starttime + static_cast<std::int64_t>(std::llround(i * periodUs)), values[i]});
    }
    if (status != MS_ENDOFFILE)
        back.ok = false;
    ms_readmsr(&record, nullptr, 0, nullptr, nullptr, 0, 0, 0);
    return back;
}

SacValues readWithMseed2sac(const QString& path)
{
    SacValues result;
    QTemporaryDir out;
    QProcess convert;
    convert.setWorkingDirectory(out.path());
    convert.start(QStringLiteral("mseed2sac"), {QStringLiteral("-f"), QStringLiteral("1"), path});
    if (!convert.waitForFinished(60000) || convert.exitCode() != 0)
        return result;
    // One SAC file per continuous segment. Their names do not sort in time (a second segment
    // starting in the same second is "HHMMSS-1.SAC"), their headers' start times do.
    struct Segment {
        double startSeconds;
        std::vector<std::int32_t> values;
    };
    std::vector<Segment> segments;
    for (const QString& name : QDir(out.path()).entryList(QDir::Files)) {
        QFile sac(out.filePath(name));
        if (!sac.open(QIODevice::ReadOnly | QIODevice::Text))
            return result;
        // Alphanumeric SAC: 14 lines of 5 floats, 8 of 5 integers, 8 of 3 strings, then data.
        const QStringList lines = QString::fromLatin1(sac.readAll()).split(u'\n');
        if (lines.size() < 30)
            return result;
        const auto fields = [&lines](qsizetype line) { return lines[line].split(u' ', Qt::SkipEmptyParts); };
        // NZYEAR, NZJDAY, NZHOUR, NZMIN, NZSEC, NZMSEC: the reference time; B, the sixth float,
        // the first sample's offset from it.
        const QStringList time = fields(14) + fields(15);
        if (time.size() < 6 || fields(1).isEmpty())
            return result;
        Segment segment{(QDate(time[0].toInt(), 1, 1).toJulianDay() + time[1].toInt() - 1) * 86400.0
                            + time[2].toInt() * 3600.0 + time[3].toInt() * 60.0 + time[4].toInt()
                            + time[5].toInt() / 1000.0 + fields(1)[0].toDouble(),
                        {}};
        for (qsizetype i = 30; i < lines.size(); ++i)
            for (const QString& field : fields(i))
                segment.values.push_back(static_cast<std::int32_t>(std::lround(field.toDouble())));
        segments.push_back(std::move(segment));
    }
    std::sort(segments.begin(), segments.end(),
              [](const Segment& a, const Segment& b) { return a.startSeconds < b.startSeconds; });
    for (const Segment& segment : segments)
        result.values.insert(result.values.end(), segment.values.begin(), segment.values.end());
    result.ok = true;
    return result;
}

}  // namespace kelvra::test
