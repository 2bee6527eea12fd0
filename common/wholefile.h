#pragma once
// Writing a file all or nothing. The bytes go into a temporary file beside
// the target, opened unbuffered so that a short write (a full disk) shows in
// write()'s count; the target is replaced only by a successful commit, so a
// failure leaves the earlier file as it was.

#include <QByteArray>
#include <QString>

// 0 when `bytes` is now the whole content of `path`; otherwise the errno of
// the failure (EIO when the system named none).
int writeWholeFile(const QString& path, const QByteArray& bytes);
