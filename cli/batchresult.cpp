#include "cli/batchresult.h"

namespace miravel::cli {

QString terminalMessage(const QString& dialogText) {
    QString text = dialogText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString BatchResult::wholeOut() const {
    QString whole = out;
    if (streamOut) streamOut([&whole](const QString& piece) { whole += piece; });
    return whole;
}

} // namespace miravel::cli
