#include "common/version.h"

namespace {
const QChar CR = u'\r';
}

QString programTitle() {
    return QStringLiteral("Miravel");
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
           QStringLiteral("ホームページ: ") + homePageAddress() + CR;
}

QString homePageAddress() {
    return QStringLiteral("https://miravel.example/");
}
