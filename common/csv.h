#pragma once
// CSV text, the one writer of the program's tables (the network's outlet
// table, the command line's levels). A cell holding a comma, a double quote
// or a line break is quoted, its quotes doubled; every line, the last one
// too, ends in the format's line end.

#include <QList>
#include <QString>
#include <QStringList>

namespace miravel::common {

struct CsvFormat {
    QString lineEnd = QStringLiteral("\r\n");
    // U+FEFF first, so that spreadsheet programs take the text as UTF-8.
    bool byteOrderMark = false;
};

QString csvCell(const QString& cell);
QString csvText(const QList<QStringList>& rows, const CsvFormat& format);

} // namespace miravel::common
