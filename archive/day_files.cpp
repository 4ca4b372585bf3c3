#include "archive/day_files.h"

#include "archive/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <utility>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvra::archive {
namespace {

QString reasonOf(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// mkdir -p that tells why it failed: 0 or the errno of the step that failed.
int makeFolders(const QString& path)
{
    const QByteArray full = QFile::encodeName(QDir::cleanPath(path));
    for (qsizetype slash = full.indexOf('/', 1);; slash = full.indexOf('/', slash + 1)) {
        const QByteArray step = slash < 0 ? full : full.left(slash);
        if (::mkdir(step.constData(), 0755) != 0 && errno != EEXIST)
            return errno;
        if (slash < 0)
            break;
    }
    struct stat status {};
    if (::stat(full.constData(), &status) != 0)
        return errno;
    return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
}

// A record's sequence number is its first six characters; 0 when they hold none.
int sequenceNumberOf(const QByteArray& record)
{
    bool ok = false;
    const int number = record.left(6).trimmed().toInt(&ok);
    return ok && number >= 1 && number <= kLastSequenceNumber ? number : 0;
}

}  // namespace

DayFiles::DayFiles(SdsLayout layout, StationCodes codes, std::function<void(const QString&)> note)
    : layout_(std::move(layout)), codes_(std::move(codes)), note_(std::move(note))
{
    std::signal(SIGXFSZ, SIG_IGN);
}

DayFiles::~DayFiles() { close(); }

void DayFiles::fail(const QString& path, int error) const
{
    throw ArchiveError(messages::cannotWrite(path, reasonOf(error)), false);
}

void DayFiles::claim(int year)
{
    if (lockFd_ >= 0 && lockedYear_ == year)
        return;
    const QString folder = layout_.stationYearFolder(codes_, year);
    if (const int error = makeFolders(folder))
        fail(folder, error);
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fail(folder, errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            throw ArchiveError(messages::stationInUse(SdsLayout::streamId(codes_), folder), true);
        fail(folder, error);
    }
    if (lockFd_ >= 0)
        ::close(lockFd_);
    lockFd_ = fd;
    lockedYear_ = year;
}

int DayFiles::fileOf(int channel, QDate utcDay)
{
    Open& file = files_.at(static_cast<std::size_t>(channel));
    if (file.fd >= 0 && file.day == utcDay) {
        // Writes to a file that was deleted meanwhile would vanish without an error.
        struct stat status {};
        if (::fstat(file.fd, &status) != 0)
            fail(file.path, errno);
        if (status.st_nlink == 0)
            throw ArchiveError(messages::cannotWrite(file.path, messages::fileRemoved()), false);
        return file.fd;
    }
    if (file.fd >= 0)
        release(std::exchange(file, Open{}));
    claim(utcDay.year());
    const QString path = layout_.dayFile(codes_, codes_.channels.at(static_cast<std::size_t>(channel)), utcDay);
    if (const int error = makeFolders(QFileInfo(path).path()))
        fail(QFileInfo(path).path(), error);
    // Read as well as appended to: numbering goes on from the file's last record.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        fail(path, errno);
    file = {utcDay, fd, path};
    cutTornTail(fd, path);
    file.lastSequenceNumber = lastSequenceNumberIn(fd, path);
    return fd;
}

// A record left torn by a killed process would hide every record appended after it from readers.
void DayFiles::cutTornTail(int fd, const QString& path) const
{
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        fail(path, errno);
    const off_t torn = status.st_size % kRecordLength;
    if (torn == 0)
        return;
    if (::ftruncate(fd, status.st_size - torn) != 0)
        fail(path, errno);
    note_(messages::tornTailCut(path, static_cast<qint64>(torn)));
}

int DayFiles::lastSequenceNumberIn(int fd, const QString& path) const
{
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        fail(path, errno);
    const off_t wholeRecords = status.st_size / kRecordLength;
    if (wholeRecords == 0)
        return 0;
    char header[6];
    const ssize_t got = ::pread(fd, header, sizeof header, (wholeRecords - 1) * kRecordLength);
    if (got < 0)
        fail(path, errno);
    return sequenceNumberOf(QByteArray(header, got));
}

// The day left behind at midnight holds records since the last sync, and a dying disk or a share
// that went away says so only here.
void DayFiles::release(const Open& file) const
{
    const int syncFailed = ::fdatasync(file.fd) != 0 ? errno : 0;
    const int closeFailed = ::close(file.fd) != 0 ? errno : 0;
    if (syncFailed || closeFailed)
        fail(file.path, syncFailed ? syncFailed : closeFailed);
}

int DayFiles::nextSequenceNumber(int channel, QDate utcDay)
{
    const Open& file = files_.at(static_cast<std::size_t>(channel));
    if (file.fd < 0 || file.day != utcDay)
        fileOf(channel, utcDay);
    return file.lastSequenceNumber % kLastSequenceNumber + 1;
}

void DayFiles::append(int channel, QDate utcDay, const char* record, int length)
{
    const int fd = fileOf(channel, utcDay);
    Open& file = files_.at(static_cast<std::size_t>(channel));
    const QString& path = file.path;
    struct stat before {};
    if (::fstat(fd, &before) != 0)
        fail(path, errno);
    ssize_t done = 0;
    while (done < length) {
        const ssize_t written = ::write(fd, record + done, static_cast<size_t>(length - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : ENOSPC;
            if (done > 0) {
                // A torn record would misalign every later one for a reader.
                [[maybe_unused]] const int undone = ::ftruncate(fd, before.st_size);
            }
            fail(path, error);
        }
        done += written;
    }
    file.lastSequenceNumber = sequenceNumberOf(QByteArray::fromRawData(record, length));
}

void DayFiles::sync()
{
    for (const Open& file : files_)
        if (file.fd >= 0 && ::fdatasync(file.fd) != 0)
            fail(file.path, errno);
}

void DayFiles::close()
{
    for (Open& file : files_) {
        if (file.fd >= 0)
            ::close(file.fd);
        file = {};
    }
    if (lockFd_ >= 0)
        ::close(lockFd_);
    lockFd_ = -1;
    lockedYear_ = 0;
}

}  // namespace kelvra::archive
