#include "common/csv.h"

namespace miravel::common {

QString csvCell(const QString& cell) {
    const bool plain = !cell.contains(u',') && !cell.contains(u'"') && !cell.contains(u'\r') &&
                       !cell.contains(u'\n');
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
