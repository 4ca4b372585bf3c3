#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace kelvra::test {

struct ReadSample {
    std::int64_t timeUs;  // the record's start time plus n periods
    std::int32_t counts;
};

struct ReadBack {
    std::vector<ReadSample> samples;
    std::vector<std::int64_t> recordStartsUs;
    std::vector<std::int64_t> recordEndsUs;  // time of each record's last sample
    std::vector<int> recordLengths;
    std::vector<int> recordSequenceNumbers;
    bool ok = true;  // every record read and decoded
};

// Every record of a miniSEED file as libmseed reads it; an absent file reads as empty.
ReadBack readWithLibmseed(const QString& path);

// The samples of a file as mseed2sac converts it to alphanumeric SAC: values only, in order.
// Empty with ok false when mseed2sac failed.
struct SacValues {
    std::vector<std::int32_t> values;
    bool ok = false;
};
SacValues readWithMseed2sac(const QString& path);

}  // namespace kelvra::test
