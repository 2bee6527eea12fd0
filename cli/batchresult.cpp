#include "cli/batchresult.h"

QString terminalMessage(const QString& dialogText) {
    QString text = dialogText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}
