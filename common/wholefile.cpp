#include "common/wholefile.h"

#include "common/errors.h"
#include "common/oserror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <sys/stat.h>

namespace miravel::common {

bool sameFile(const QString& a, const QString& b) {
    struct stat sa {
    }, sb{};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

namespace {

// What lies at a path, as far as writing there goes; errno-like codes, so
// that writeWholeFile can pass a refusal on as its number.
struct Target {
    int refused = 0; // 0: may be written
    QString text;
};

QString shown(const QString& path) {
    QString text = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (info.isSymLink())
        text += QStringLiteral("（リンク先「%1」）")
                    .arg(QDir::toNativeSeparators(info.symLinkTarget()));
    return text;
}

Target refusedAs(int code, const QString& path, const QString& what) {
    return {code, QStringLiteral("「%1」は%2のため、書き込めません。"
                                 "通常のファイルか新しいファイル名を指定してください。")
                      .arg(shown(path), what)};
}

Target noFolder(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    return {ENOENT,
            QStringLiteral("「%1」には書き込めません。保存先のフォルダー「%2」がありません。")
                .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(folder))};
}

Target existingTarget(const QString& path, mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return refusedAs(EISDIR, path, QStringLiteral("フォルダー"));
    if (S_ISFIFO(mode)) return refusedAs(EINVAL, path, QStringLiteral("名前付きパイプ"));
    if (S_ISCHR(mode) || S_ISBLK(mode)) return refusedAs(EINVAL, path, QStringLiteral("装置"));
    if (S_ISSOCK(mode)) return refusedAs(EINVAL, path, QStringLiteral("ソケット"));
    return refusedAs(EINVAL, path, QStringLiteral("通常のファイルでないもの"));
}

Target examine(const QString& path) {
    if (path.isEmpty()) return {ENOENT, QStringLiteral("ファイル名がありません。")};
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    errno = 0;
    if (::stat(name.constData(), &status) == 0) return existingTarget(path, status.st_mode);
    const int error = errno;
    if (error == ENOTDIR) return noFolder(path);
    if (error == ELOOP) return refusedAs(EINVAL, path, QStringLiteral("たどれないリンク"));
    // Another reason (no permission) is the open's to report.
    if (error != ENOENT) return {};
    // A link that leads nowhere is no new name: writing would follow it.
    if (::lstat(name.constData(), &status) == 0)
        return refusedAs(EINVAL, path, QStringLiteral("リンク先のないリンク"));
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir()) return noFolder(path);
    return {};
}

int errnoOr(int fallback) {
    return errno ? errno : fallback;
}

// Passes the producer's bytes on to the file and checks each write: a write
// that the disk cuts short is not always an error to QFileDevice, and a PDF
// or image writer ignores short counts. The file's size must match the total.
class CheckedWrites : public QIODevice {
public:
    explicit CheckedWrites(QFileDevice& file) : m_file(file) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    int error() const { return m_error; }
    bool complete() const {
        return m_error == 0 && m_file.error() == QFileDevice::NoError && m_file.size() == m_total;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        if (m_error) return -1;
        errno = 0;
        const qint64 written = m_file.write(data, length);
        if (written == length) {
            m_total += written;
            return written;
        }
        m_error = errnoOr(EIO);
        return -1;
    }

private:
    QFileDevice& m_file;
    qint64 m_total = 0;
    int m_error = 0;
};

} // namespace

QString writeTargetRefusal(const QString& path) {
    return examine(path).text;
}

QString WriteResult::message(const QString& path) const {
    if (!refusal.isEmpty()) return refusal;
    return QStringLiteral("「%1」に書き込めませんでした（%2）。")
        .arg(QDir::toNativeSeparators(path), systemErrorText(error));
}

WriteResult writeFileThrough(const QString& path, const WriteContent& produce) {
    const Target target = examine(path);
    if (target.refused) return {target.text, 0, false};
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return {{}, errnoOr(EIO), false};
    CheckedWrites out(file);
    const bool produced = produce(out);
    if (!produced || !out.complete()) {
        file.cancelWriting();
        return {{}, out.error() ? out.error() : produced ? EIO : ECANCELED, true};
    }
    // Looked at again: something else may have taken the name meanwhile.
    const Target now = examine(path);
    if (now.refused) {
        file.cancelWriting();
        return {now.text, 0, true};
    }
    errno = 0;
    if (!file.commit()) return {{}, errnoOr(EIO), true};
    return {{}, 0, true};
}

WriteResult writeFileBytes(const QString& path, const QByteArray& bytes) {
    return writeFileThrough(path,
                            [&bytes](QIODevice& out) { return out.write(bytes) == bytes.size(); });
}

int writeWholeFile(const QString& path, const QByteArray& bytes) {
    const WriteResult result = writeFileBytes(path, bytes);
    if (result.refusal.isEmpty()) return result.error;
    const int refused = examine(path).refused;
    return refused ? refused : EINVAL;
}

QByteArray readWholeFile(const QString& path, qint64 maxBytes) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.exists()) throw UserError(QStringLiteral("「%1」が見つかりません。").arg(name));
    // A pipe or device would block the read or never end.
    if (!info.isFile())
        throw UserError(QStringLiteral("「%1」は通常のファイルではありません。").arg(name));
    if (info.size() > maxBytes)
        throw UserError(QStringLiteral("「%1」は大きすぎるため読み込めません。").arg(name));
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(
            QStringLiteral("「%1」を開けません（%2）。").arg(name, systemErrorText(errno)));
    // No more memory than the file needs; one byte more, so that a file that
    // grew meanwhile reads cut short and is refused.
    const QByteArray bytes = file.read(info.size() + 1);
    if (file.error() != QFileDevice::NoError)
        throw UserError(
            QStringLiteral("「%1」を読み込めません（%2）。").arg(name, systemErrorText(errno)));
    return bytes;
}

} // namespace miravel::common
