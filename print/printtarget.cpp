#include "print/printtarget.h"

#include "common/wholefile.h"

#include <QFileInfo>

using namespace miravel::common;

namespace miravel::print {

bool isPdfTargetAllowed(const QString& path) {
    return writeTargetRefusal(path).isEmpty();
}

QString pdfTargetRefusedText(const QString& path) {
    return QStringLiteral("「%1」には印刷できません。\r"
                          "PDFファイルには、通常のファイルか新しいファイル名を指定してください。")
        .arg(QFileInfo(path).fileName());
}

} // namespace miravel::print
