#include "tests/tools/helicorder/archive_writer.h"

#include "archive/sds_layout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <libmseed.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kelvra::testing {
namespace {

void appendRecord(char* record, int length, void* bytes)
{
    static_cast<QByteArray*>(bytes)->append(record, length);
}

void setCode(char* field, std::size_t size, const QString& code)
{
    std::strncpy(field, code.toLatin1().constData(), size - 1);
}

template <typename Header>
void setCodes(Header& header, const archive::StationCodes& codes, const QString& channel)
{
    setCode(header.network, sizeof header.network, codes.network);
    setCode(header.station, sizeof header.station, codes.station);
    setCode(header.location, sizeof header.location, codes.location);
    setCode(header.channel, sizeof header.channel, channel);
}

// Big-endian records, as the recorder writes them; `blockettes` gives the extra ones.
int pack(const archive::StationCodes& codes, const QString& channel, const QDateTime& start,
         const std::int32_t* samples, std::size_t count, double rate, int encoding, MSRecord* blockettes,
         QByteArray& records)
{
    MSTrace* trace = mst_init(nullptr);
    setCodes(*trace, codes, channel);
    // The packer takes the codes from the record with the blockettes, when there is one.
    if (blockettes)
        setCodes(*blockettes, codes, channel);
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
    const int made = mst_pack(trace, appendRecord, &records, 512, encoding, 1, &packed, 1, 0, blockettes);
    mst_free(&trace);
    return made;
}

std::uint16_t bigEndian16(const QByteArray& bytes, int at)
{
    return std::uint16_t(std::uint8_t(bytes[at]) << 8 | std::uint8_t(bytes[at + 1]));
}

bool appendToDayFile(const QString& path, const archive::StationCodes& codes, const QString& channel,
                     const QDateTime& start, const std::int32_t* samples, std::size_t count, double rate,
                     QString* error)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QByteArray records;
    if (!file.open(QIODevice::Append) || pack(codes, channel, start, samples, count, rate, DE_STEIM2, nullptr, records) < 0
        || file.write(records) != records.size()) {
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
        if (!appendToDayFile(archive::SdsLayout(root).dayFile(codes, channel, first.date()), codes, channel, first,
                             samples.data() + done, count, rate, error))
            return false;
        done += count;
    }
    return true;
}

QByteArray int32Record(const QString& channel, const QDateTime& start, const std::vector<std::int32_t>& samples,
                       float rate)
{
    MSRecord* blockettes = msr_init(nullptr);
    blkt_100_s rateBlockette{};
    msr_addblockette(blockettes, reinterpret_cast<char*>(&rateBlockette), sizeof rateBlockette, 100, 0);
    QByteArray record;
    pack({}, channel, start, samples.data(), samples.size(), kArchiveRate, DE_INT32, blockettes, record);
    msr_free(&blockettes);
    // The packer writes the record's own rate into blockette 100; the chain leads to it.
    for (int at = bigEndian16(record, 46); at > 0 && at + 8 <= record.size(); at = bigEndian16(record, at + 2))
        if (bigEndian16(record, at) == 100) {
            std::uint32_t bits = 0;
            std::memcpy(&bits, &rate, sizeof bits);
            for (int i = 0; i < 4; ++i)
                record[at + 4 + i] = char(bits >> (24 - 8 * i));
        }
    return record;
}

}  // namespace kelvra::testing
