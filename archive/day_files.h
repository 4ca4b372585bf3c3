#pragma once

#include "archive/sds_layout.h"
#include "archive/station_codes.h"

#include <QDate>
#include <QString>
#include <array>
#include <functional>
#include <stdexcept>

namespace kelvra::archive {

inline constexpr int kRecordLength = 512;
// Record sequence numbers run 1..kLastSequenceNumber, then 1 again.
inline constexpr int kLastSequenceNumber = 999999;

// A failed write, open or lock; `refused` when another recorder holds the station's folder.
class ArchiveError : public std::runtime_error {
public:
    ArchiveError(QString message, bool refused)
        : std::runtime_error(message.toStdString()), message_(std::move(message)), refused_(refused)
    {
    }
    const QString& message() const { return message_; }
    bool refused() const { return refused_; }

private:
    QString message_;
    bool refused_;
};

// The station's open day files, only ever appended to, and the lock on the station's folder of
// the year being written, which keeps a second recorder of the same station out. Releasing the
// lock needs no file left behind: it is a flock on the folder itself. A file size limit makes a
// write fail with EFBIG, as a full disk does, instead of ending the process.
class DayFiles {
public:
    // `note` hears of a torn record cut off the end of a day file before appending to it.
    DayFiles(SdsLayout layout, StationCodes codes, std::function<void(const QString&)> note);
    DayFiles(const DayFiles&) = delete;
    DayFiles& operator=(const DayFiles&) = delete;
    ~DayFiles();

    // Creates and locks the station's folder of that year; throws ArchiveError.
    void claim(int year);
    // The sequence number of the channel's next record of that UTC day: one after the last whole
    // record's in its file, 1 in a new file. Opens the file; throws ArchiveError.
    int nextSequenceNumber(int channel, QDate utcDay);
    // Appends a record to the channel's file of that UTC day; throws ArchiveError. A write cut
    // short is taken back, so the file never holds part of a record.
    void append(int channel, QDate utcDay, const char* record, int length);
    // Puts what was appended on the disk; throws ArchiveError.
    void sync();
    // Closes every file and releases the lock.
    void close();

private:
    int fileOf(int channel, QDate utcDay);
    struct Open;
    void release(const Open& file) const;
    void cutTornTail(int fd, const QString& path) const;
    int lastSequenceNumberIn(int fd, const QString& path) const;
    [[noreturn]] void fail(const QString& path, int error) const;

    SdsLayout layout_;
    StationCodes codes_;
    std::function<void(const QString&)> note_;
    int lockedYear_ = 0;
    int lockFd_ = -1;
    struct Open {
        QDate day;
        int fd = -1;
        QString path;
        int lastSequenceNumber = 0;  // of its last whole record; 0 when it has none
    };
    std::array<Open, kChannelCount> files_;
};

}  // namespace kelvra::archive
