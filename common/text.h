#pragma once
// Small text rules shared by the screens, the project file and the report.

#include <QString>

namespace miravel::common {

// A blank: space, tab or line feed. Nothing else counts, not the ideographic
// space, a no-break space or a carriage return: a number read with NumVal
// skips exactly these, so every test of "blank" must agree with it.
bool isBlank(QChar c);

// Leading and trailing blanks removed, as values are trimmed before they are
// saved or printed, and before a text is tested for being a number.
QString trimBlanks(const QString& text);

// Window captions, without and with the current project name.
QString menuCaption();          // "電界強度"
QString fieldStrengthCaption(); // "アンテナからブースター入り口までの電界強度"
QString terminalCaption();      // "ブースター出力より端末まで"
QString terminalStartCaption(); // "ブースターから端末まで", before any project command
// base + "　　  [データ名  " + DataName + " ]"
QString withDataName(const QString& baseCaption);

} // namespace miravel::common
