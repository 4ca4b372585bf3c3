#include "tests/tools/helicorder/archive_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <libmseed.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kelvra::testing {
namespace {

void writeRecord(char* record, int length, void* file)
{
    static_cast<QFile*>(file)->write(record, length);
}

void setCode(char* field, std::size_t size, const QString& code)
{
    std::strncpy(field, code.toLatin1().constData(), size - 1);
}

bool appendToDayFile(const QString& path, const archive::StationCodes& codes, const QString& channel,
                     const QDateTime& start, const std::int32_t* samples, std::size_t count, double rate,
                     QString* error)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::Append)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    MSTrace* trace = mst_init(nullptr);
    setCode(trace->network, sizeof trace->network, codes.network);
    setCode(trace->station, sizeof trace->station, codes.station);
    setCode(trace->location, sizeof trace->location, codes.location);
    setCode(trace->channel, sizeof trace->channel, channel);
    trace->dataquality = 'D';
    trace->type = 'D';
    trace->starttime = start.toMSecsSinceEpoch() * (HPTMODULUS / 1000);
    trace->samprate = rate;
    trace->sampletype = 'i';
    // mst_pack shrinks the buffer with realloc as it packs, so it must come from malloc.
    trace->datasamples = std::malloc(count * sizeof(std::int32_t));
    std::memcpy(trace->datasamples, samples, count * sizeof(std::int32_t));
    trace->numsamples = trace->samplecnt = std::int64_t(count);
    std::int64_t packed = 0;
    const int records = mst_pack(trace, writeRecord, &file, 512, DE_STEIM2, 1, &packed, 1, 0, nullptr);
    mst_free(&trace);
    if (records < 0 || file.error() != QFile::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace

bool appendSamples(const QString& root, const archive::StationCodes& codes, const QString& channel,
                   const QDateTime& start, const std::vector<std::int32_t>& samples, QString* error, double rate)
{
    std::size_t done = 0;
    while (done < samples.size()) {
        const QDateTime first = start.addMSecs(std::llround(done * 1000.0 / rate)).toUTC();
        const QDateTime midnight(first.date().addDays(1), QTime(0, 0), Qt::UTC);
        const auto beforeMidnight = std::size_t(std::ceil(first.msecsTo(midnight) * rate / 1000.0));
        const std::size_t count = std::min(samples.size() - done, beforeMidnight);
        if (!appendToDayFile(archive::dayFilePath(root, codes, channel, first.date()), codes, channel, first,
                             samples.data() + done, count, rate, error))
            return false;
        done += count;
    }
    return true;
}

}  // namespace kelvra::testing
