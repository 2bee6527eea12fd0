#include "print/printtarget.h"

#include <QFileInfo>

bool isPdfTargetAllowed(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo file(path);
    if (file.exists()) return file.isFile();
    // A link that leads nowhere is not a new name: writing would follow it.
    if (file.isSymLink()) return false;
    return QFileInfo(file.absolutePath()).isDir();
}

QString pdfTargetRefusedText(const QString& path) {
    return QStringLiteral("「%1」には印刷できません。\r"
                          "PDFファイルには、通常のファイルか新しいファイル名を指定してください。")
        .arg(QFileInfo(path).fileName());
}
