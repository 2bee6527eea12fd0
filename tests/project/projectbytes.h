#pragma once
// Project files as bytes, for the project command tests.

#include "common/cp932.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The records as a project file holds them: quoted, CP932, CR LF.
inline QByteArray projectBytes(const QStringList& records) {
    QByteArray bytes;
    for (const QString& r : records)
        bytes += '"' + miravel::common::cp932Encode(r).bytes + "\"\r\n";
    return bytes;
}
