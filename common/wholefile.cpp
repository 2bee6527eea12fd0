#include "common/wholefile.h"

#include <QSaveFile>
#include <cerrno>

int writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return errno ? errno : EIO;
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno ? errno : EIO;
        file.cancelWriting();
        return error;
    }
    errno = 0;
    if (!file.commit()) return errno ? errno : EIO;
    return 0;
}
