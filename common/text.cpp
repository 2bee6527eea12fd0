#include "common/text.h"

#include "common/programvalues.h"

QString trimBlanks(const QString& text) {
    int begin = 0;
    int end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QString menuCaption() {
    return QStringLiteral("電界強度");
}
QString fieldStrengthCaption() {
    return QStringLiteral("アンテナからブースター入り口までの電界強度");
}
QString terminalCaption() {
    return QStringLiteral("ブースター出力より端末まで");
}
QString terminalStartCaption() {
    return QStringLiteral("ブースターから端末まで");
}

QString withDataName(const QString& baseCaption) {
    return baseCaption + QStringLiteral("　　  [データ名  ") + DataName + QStringLiteral(" ]");
}
