#include "common/version.h"

#include <QCoreApplication>

namespace miravel::common {

namespace {
const QChar CR = u'\r';
}

QString programTitle() {
    return QStringLiteral("Miravel");
}

QString programId() {
    return QStringLiteral("io.github.miravel.miravel");
}

QString titleLabelText() {
    return QStringLiteral("Miravel　Ver %1.%2").arg(VersionMajor).arg(VersionMinor);
}

QString creditLine() {
    return QStringLiteral("Copyright (C) Miravel 開発チーム");
}

// The message's author credit also names the licence; the screens' one-line
// credit stays as it is.
QString versionMessageText() {
    return QStringLiteral("Miravel の バージョンは   Ver %1.%2")
               .arg(VersionMajor)
               .arg(VersionMinor) +
           CR + CR + creditLine() + QStringLiteral("  MIT ライセンス") + CR + CR +
           QStringLiteral("連絡先: Miravel 開発チーム") + CR + CR +
           QStringLiteral("使い方: メニューの「使い方」") + CR;
}

void setProgramIdentity() {
    QCoreApplication::setOrganizationName(programTitle());
    QCoreApplication::setApplicationName(programTitle());
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(VersionMajor).arg(VersionMinor));
}

} // namespace miravel::common
