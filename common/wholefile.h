#pragma once
// Writing a file all or nothing: every file the program writes goes through
// here. The target, links followed, must be an existing regular file or a new
// name in an existing folder: replacing a named pipe, a device or a socket
// would destroy it. The bytes go into a temporary file beside the target,
// opened unbuffered so that a short write (a full disk) shows in each write's
// count; every write is checked, and the target is replaced only by a
// successful commit, so a failure leaves the earlier file as it was.

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace miravel::common {

// True when both names lead to one existing file (same device and inode),
// through "./", "..", or a symbolic link alike.
bool sameFile(const QString& a, const QString& b);

// Why nothing may be written at `path`, in Japanese, naming it and what it
// is (a folder, a named pipe, a device...); "" when it may be.
QString writeTargetRefusal(const QString& path);

struct WriteResult {
    QString refusal;     // the target is no file to write; nothing was opened
    int error = 0;       // the errno of a failed open, write or commit
    bool opened = false; // the temporary file was created
    bool ok() const { return refusal.isEmpty() && error == 0; }
    // The refusal, or "「path」に書き込めませんでした（reason）。".
    QString message(const QString& path) const;
};

// Writes what `produce` writes into the device it is given (a PDF writer, an
// image) as the whole new content of `path`. `produce` runs only once the
// file is open; returning false abandons the write (ECANCELED unless a write
// failed first).
using WriteContent = std::function<bool(QIODevice& out)>;
WriteResult writeFileThrough(const QString& path, const WriteContent& produce);

WriteResult writeFileBytes(const QString& path, const QByteArray& bytes);

// 0 when `bytes` is now the whole content of `path`; otherwise the errno of
// the failure (EIO when the system named none). A refused target gives
// EISDIR for a folder, ENOENT where the folder is missing, EINVAL otherwise.
int writeWholeFile(const QString& path, const QByteArray& bytes);

// The whole of a regular file of at most `maxBytes`; raises UserError with a
// Japanese message naming the file when it is missing, no regular file (a
// pipe would block), too large or unreadable.
QByteArray readWholeFile(const QString& path, qint64 maxBytes);

} // namespace miravel::common
