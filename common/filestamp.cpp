#include "common/filestamp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace miravel::common {

bool FileStamp::Status::operator==(const Status& o) const {
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           seconds == o.seconds && nanoseconds == o.nanoseconds;
}

FileStamp::Status FileStamp::statusOf(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return {true,       quint64(st.st_dev),        quint64(st.st_ino),
            st.st_size, qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec)};
}

QString FileStamp::key(const QString& path) {
    return path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

void FileStamp::remember(const QString& path) {
    m_path = key(path);
    m_status = statusOf(path);
}

bool FileStamp::changedOnDisk(const QString& path) const {
    if (m_path.isEmpty() || key(path) != m_path) return false;
    const Status now = statusOf(path);
    return now.exists && !(now == m_status);
}

QString changedOnDiskQuestion(const QString& path) {
    return QStringLiteral("ファイル「%1」は、開いた後（または前回の保存の後）に"
                          "ほかのプログラムによって変更されています。")
               .arg(QDir::toNativeSeparators(path)) +
           QChar(13) + QStringLiteral("上書きすると、その変更は失われます。上書きしますか？");
}

} // namespace miravel::common
