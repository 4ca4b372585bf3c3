#include "link/device_holders.h"

#include "link/link_messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace kelvra {
namespace {

QString describeProcess(qint64 processId)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(processId));
    const QString program =
        comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
    return linkText::holder(program.isEmpty() ? QStringLiteral("?") : program, processId);
}

}  // namespace

QStringList lockHoldersOf(const QByteArray& path)
{
    struct stat device {};
    QFile locks(QStringLiteral("/proc/locks"));
    if (::stat(path.constData(), &device) != 0 || !locks.open(QIODevice::ReadOnly))
        return {};
    // "1: FLOCK  ADVISORY  WRITE 4711 00:19:5 0 EOF": the file is major:minor (hex) of its
    // file system and its inode. Waiting requests carry "->" and hold nothing.
    const QByteArray file = QByteArray::number(major(device.st_dev), 16).rightJustified(2, '0') + ':' +
                            QByteArray::number(minor(device.st_dev), 16).rightJustified(2, '0') + ':' +
                            QByteArray::number(static_cast<qulonglong>(device.st_ino));
    QStringList holders;
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 6 && fields[1] == "FLOCK" && fields[5] == file)
            holders << describeProcess(fields[4].toLongLong());
    }
    return holders;
}

QStringList openersOf(const QByteArray& path)
{
    const QString target = QFileInfo(QFile::decodeName(path)).canonicalFilePath();
    if (target.isEmpty())
        return {};
    QStringList openers;
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& process : processes) {
        bool numeric = false;
        const qint64 processId = process.toLongLong(&numeric);
        if (!numeric)
            continue;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(process));
        const QStringList entries = fds.entryList(QDir::System | QDir::NoDotAndDotDot);
        for (const QString& fd : entries) {
            if (QFile::symLinkTarget(fds.filePath(fd)) == target) {
                openers << describeProcess(processId);
                break;
            }
        }
    }
    return openers;
}

}  // namespace kelvra
