#include "tools/common/file_kind.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace kelvra::tools {

QString notARegularFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISREG(st.st_mode))
            return {};
        if (S_ISDIR(st.st_mode))
            return QCoreApplication::translate("DayFiles", "a directory");
        if (S_ISFIFO(st.st_mode))
            return QCoreApplication::translate("DayFiles", "a FIFO");
        if (S_ISCHR(st.st_mode))
            return QCoreApplication::translate("DayFiles", "a character device");
        if (S_ISBLK(st.st_mode))
            return QCoreApplication::translate("DayFiles", "a block device");
        if (S_ISSOCK(st.st_mode))
            return QCoreApplication::translate("DayFiles", "a socket");
        return QCoreApplication::translate("DayFiles", "not a regular file");
    }
    if (errno == ELOOP)
        return QCoreApplication::translate("DayFiles", "a symbolic link loop");
    if ((errno == ENOENT || errno == ENOTDIR) && ::lstat(name.constData(), &st) == 0)
        return QCoreApplication::translate("DayFiles", "a symbolic link to nothing");
    return {};
}

}  // namespace kelvra::tools
