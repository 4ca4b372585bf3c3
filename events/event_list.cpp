#include "events/event_list.h"

#include "detector/event_line.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvra::events {
namespace {

// A full write or an errno: a short write is taken back so the list never holds half a line.
int writeWhole(int fd, const QByteArray& bytes)
{
    struct stat before {};
    if (fstat(fd, &before) != 0)
        return errno;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            // The cut may fail too; the first error is the one to tell.
            [[maybe_unused]] const int cut = ftruncate(fd, before.st_size);
            return error;
        }
        done += n;
    }
    return fdatasync(fd) == 0 ? 0 : errno;
}

}  // namespace

EventList::EventList(QString folder, const QString& streamId)
    : folder_(std::move(folder)), path_(QDir(folder_).filePath(streamId + QStringLiteral(".csv")))
{
}

QString EventList::append(const QString& line) const
{
    if (!QDir().mkpath(folder_))
        return QStringLiteral("%1: %2").arg(folder_, QString::fromLocal8Bit(std::strerror(errno)));
    const QByteArray path = QFile::encodeName(path_);
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return QStringLiteral("%1: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info {};
    QByteArray bytes;
    if (fstat(fd, &info) == 0 && info.st_size == 0)
        bytes = detector::csvHeader().toUtf8() + '\n';
    bytes += line.toUtf8() + '\n';
    int error = writeWhole(fd, bytes);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 ? QString() : QStringLiteral("%1: %2").arg(path_, QString::fromLocal8Bit(std::strerror(error)));
}

}  // namespace kelvra::events
