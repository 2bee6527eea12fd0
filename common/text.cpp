#include "common/text.h"

#include "common/programvalues.h"

namespace miravel::common {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

QString trimBlanks(const QString& text) {
    int begin = 0;
    int end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
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

} // namespace miravel::common
