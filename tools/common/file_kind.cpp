#include "tools/helicorder/file_kind.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace kelvra::helicorder {

QString notARegularFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISREG(st.st_mode))
            return {};
        if (S_ISDIR(st.st_mode))
            return QCoreApplication::translate("Helicorder", "a directory");
        if (S_ISFIFO(st.st_mode))
            return QCoreApplication::translate("Helicorder", "a FIFO");
        if (S_ISCHR(st.st_mode))
            return QCoreApplication::translate("Helicorder", "a character device");
        if (S_ISBLK(st.st_mode))
            return QCoreApplication::translate("Helicorder", "a block device");
        if (S_ISSOCK(st.st_mode))
            return QCoreApplication::translate("Helicorder", "a socket");
        return QCoreApplication::translate("Helicorder", "not a regular file");
    }
    if (errno == ELOOP)
        return QCoreApplication::translate("Helicorder", "a symbolic link loop");
    if ((errno == ENOENT || errno == ENOTDIR) && ::lstat(name.constData(), &st) == 0)
        return QCoreApplication::translate("Helicorder", "a symbolic link to nothing");
    return {};
}

}  // namespace kelvra::helicorder
