#include "tests/archive/mseed_readback.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <libmseed.h>

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
    // One SAC file per continuous segment, named by its start time: sorted by name is in time.
    const QStringList files = QDir(out.path()).entryList(QDir::Files, QDir::Name);
    for (const QString& name : files) {
        QFile sac(out.filePath(name));
        if (!sac.open(QIODevice::ReadOnly | QIODevice::Text))
            return result;
        // Alphanumeric SAC: 14 lines of 5 floats, 8 of 5 integers, 8 of 3 strings, then data.
        const QStringList lines = QString::fromLatin1(sac.readAll()).split(u'\n');
        for (qsizetype i = 30; i < lines.size(); ++i)
            for (const QString& field : lines[i].split(u' ', Qt::SkipEmptyParts))
                result.values.push_back(static_cast<std::int32_t>(std::lround(field.toDouble())));
    }
    result.ok = true;
    return result;
}

}  // namespace kelvra::test
