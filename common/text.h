#pragma once
// Small text rules shared by the screens, the project file and the report.

#include <QString>

// Leading and trailing blanks (half-width spaces) removed, as values are
// trimmed before they are saved or printed.
QString trimBlanks(const QString& text);

// Window captions, without and with the current project name.
QString menuCaption();          // "電界強度"
QString fieldStrengthCaption(); // "アンテナからブースター入り口までの電界強度"
QString terminalCaption();      // "ブースター出力より端末まで"
QString terminalStartCaption(); // "ブースターから端末まで", before any project command
// base + "　　  [データ名  " + DataName + " ]"
QString withDataName(const QString& baseCaption);
