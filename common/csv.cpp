#include "common/csv.h"

#include <algorithm>

namespace miravel::common {

QString csvCell(const QString& cell) {
    const bool plain = std::none_of(cell.begin(), cell.end(), [](QChar c) {
        return c == u',' || c == u'"' || c == u'\r' || c == u'\n';
    });
    if (plain) return cell;
    QString quoted = cell;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvText(const QList<QStringList>& rows, const CsvFormat& format) {
    QString text;
    if (format.byteOrderMark) text += QChar(0xFEFF);
    for (const QStringList& row : rows) {
        QStringList cells;
        for (const QString& cell : row)
            cells.append(csvCell(cell));
        text += cells.join(u',') + format.lineEnd;
    }
    return text;
}

} // namespace miravel::common
