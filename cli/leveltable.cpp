#include "cli/leveltable.h"

#include "common/cp932.h"
#include "common/csv.h"

#include <QRegularExpression>
#include <algorithm>

using namespace miravel::common;

namespace miravel::cli {

std::optional<OutputFormat> outputFormatNamed(const QString& name) {
    if (name == QLatin1String("text")) return OutputFormat::Text;
    if (name == QLatin1String("csv")) return OutputFormat::Csv;
    if (name == QLatin1String("json")) return OutputFormat::Json;
    return std::nullopt;
}

void LevelTable::addColumn(const LevelColumn& column, const QStringList& cells) {
    columns.append(column);
    for (int r = 0; r < rows.size(); ++r)
        rows[r].append(r < cells.size() ? cells[r] : QString());
    for (int r = int(rows.size()); r < cells.size(); ++r) {
        QStringList row(columns.size() - 1, QString());
        row.append(cells[r]);
        rows.append(row);
    }
}

QString jsonString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += u'\\' + QString(c);
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + u'"';
}

int textColumns(const QString& text) {
    int width = 0;
    for (char32_t c : text.toUcs4())
        width += cp932Width(c);
    return width;
}

namespace {

QString padded(const QString& cell, int width, bool right) {
    const QString fill(std::max(0, width - textColumns(cell)), u' ');
    return right ? fill + cell : cell + fill;
}

QString textLine(const LevelTable& table, const QStringList& cells, const QList<int>& widths) {
    QStringList parts;
    for (int c = 0; c < table.columns.size(); ++c)
        parts.append(padded(cells.value(c), widths[c], table.columns[c].numeric));
    QString line = parts.join(QStringLiteral("  "));
    while (line.endsWith(u' '))
        line.chop(1);
    return line + u'\n';
}

bool isJsonNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]+)?([eE][+-]?[0-9]+)?$"));
    return number.match(text).hasMatch();
}

// A numeric column's cell: always a number with a fraction ("105.0"), so that
// a reader gets one type per column, or null where there is no number.
QString jsonNumber(const QString& cell) {
    if (!isJsonNumber(cell)) return QStringLiteral("null");
    return cell.contains(QRegularExpression(QStringLiteral("[.eE]"))) ? cell
                                                                      : cell + QStringLiteral(".0");
}

} // namespace

QString formatText(const LevelTable& table) {
    QList<int> widths;
    for (int c = 0; c < table.columns.size(); ++c) {
        int width = textColumns(table.columns[c].heading);
        for (const QStringList& row : table.rows)
            width = std::max(width, textColumns(row.value(c)));
        widths.append(width);
    }
    QStringList headings;
    for (const LevelColumn& column : table.columns)
        headings.append(column.heading);
    QString out = textLine(table, headings, widths);
    for (const QStringList& row : table.rows)
        out += textLine(table, row, widths);
    return out;
}

QString formatCsv(const LevelTable& table) {
    QStringList keys;
    for (const LevelColumn& column : table.columns)
        keys.append(column.key);
    QList<QStringList> rows{keys};
    for (const QStringList& row : table.rows) {
        QStringList cells;
        for (int c = 0; c < table.columns.size(); ++c)
            cells.append(row.value(c));
        rows.append(cells);
    }
    return csvText(rows, CsvFormat{QStringLiteral("\n"), false});
}

QString formatJson(const LevelTable& table) {
    QStringList rows;
    for (const QStringList& row : table.rows) {
        QStringList members;
        for (int c = 0; c < table.columns.size(); ++c) {
            const QString cell = row.value(c);
            members.append(jsonString(table.columns[c].key) + QStringLiteral(": ") +
                           (table.columns[c].numeric ? jsonNumber(cell) : jsonString(cell)));
        }
        rows.append(QStringLiteral("    {") + members.join(QStringLiteral(", ")) + u'}');
    }
    return QStringLiteral("{\n  \"file\": ") + jsonString(table.source) +
           QStringLiteral(",\n  \"rows\": [\n") + rows.join(QStringLiteral(",\n")) +
           (rows.isEmpty() ? QString() : QStringLiteral("\n")) + QStringLiteral("  ]\n}\n");
}

QString formatLevelTable(const LevelTable& table, OutputFormat format) {
    switch (format) {
    case OutputFormat::Csv:
        return formatCsv(table);
    case OutputFormat::Json:
        return formatJson(table);
    case OutputFormat::Text:
        break;
    }
    return formatText(table);
}

} // namespace miravel::cli
