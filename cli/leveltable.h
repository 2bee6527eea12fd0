#pragma once
// A table of levels for the command line (one row per band, or per band of
// each outlet) and its three output forms: aligned text for people, CSV and
// JSON for scripts. Columns are added by name, so that further figures (a
// verdict, a C/N ratio) join the table without touching the formatting.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace miravel::cli {

enum class OutputFormat { Text, Csv, Json };

// "text", "csv" or "json"; nothing for any other name.
std::optional<OutputFormat> outputFormatNamed(const QString& name);

struct LevelColumn {
    QString key;          // CSV heading and JSON member name: ASCII, stable for scripts
    QString heading;      // the Japanese heading of the text form
    bool numeric = false; // right-aligned; in JSON a number with a fraction, or null
};

struct LevelTable {
    QString source; // the file the levels are of
    QList<LevelColumn> columns;
    QList<QStringList> rows; // one cell per column

    // Adds a column and fills it from `cells`, one per row (missing cells stay empty).
    void addColumn(const LevelColumn& column, const QStringList& cells);
};

// Columns of a fixed-pitch terminal: CP932 two-byte characters take two.
int textColumns(const QString& text);

// Headings and rows, columns separated by two spaces, each padded to its
// widest cell; every line ends in "\n".
QString formatText(const LevelTable& table);
// A heading line of keys, then the rows; cells with a comma, quote or line
// break are quoted, quotes doubled; lines end in "\n".
QString formatCsv(const LevelTable& table);
// {"file": source, "rows": [{key: cell, ...}, ...]} with members in column
// order; a numeric column's cell is a JSON number, always written with a
// fraction ("105.0"), or null where the cell holds no number ("", "非対応").
QString formatJson(const LevelTable& table);

QString formatLevelTable(const LevelTable& table, OutputFormat format);

// A JSON string of `text`, quoted, with quotes, backslashes and control
// characters escaped.
QString jsonString(const QString& text);

// Writes a table in one of the three forms row by row, so that a long table
// is never held whole; the text goes to `sink` in large pieces. The text
// form pads to the widest cell: every row is measured before the first is
// written.
class LevelWriter {
public:
    using Sink = std::function<void(const QString&)>;
    LevelWriter(const QString& source, const QList<LevelColumn>& columns, OutputFormat format,
                Sink sink);
    void measure(const QStringList& cells);
    void begin();
    void row(const QStringList& cells);
    // `after` follows the table: in the text form as it is, in JSON as the
    // object's further members ("  \"name\": …\n"); CSV has the table alone.
    void end(const QString& after = QString());

private:
    void textRow(const QStringList& cells);
    void csvRow(const QStringList& cells);
    void jsonRow(const QStringList& cells);
    void flushIfFull();

    QString m_source;
    QList<LevelColumn> m_columns;
    OutputFormat m_format;
    Sink m_sink;
    QList<int> m_widths;
    QStringList m_jsonKeys; // each column's member name, quoted, with its colon
    QString m_buffer;
    int m_rows = 0;
};

} // namespace miravel::cli
