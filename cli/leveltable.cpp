#include "cli/leveltable.h"

#include "common/cp932.h"
#include "common/csv.h"

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

int textColumns(const QString& text) {
    int width = 0;
    for (char32_t c : text.toUcs4())
        width += cp932Width(c);
    return width;
}

namespace {

// textColumns without building the text's list of characters.
int columnsOf(const QString& text) {
    int width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x80) { // the most of a table: one column each
            ++width;
            continue;
        }
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(text[i], text[i + 1]), ++i;
        else if (text[i].isSurrogate())
            c = QChar::ReplacementCharacter; // as toUcs4 takes it
        width += cp932Width(c);
    }
    return width;
}

// Writes to the end of a text through a pointer, room for `most`
// characters made first, so that a row costs one check for room instead of
// one per piece; what is not used is given back at the end.
class TextAppender {
public:
    TextAppender(QString& out, qsizetype most) : m_out(out) {
        const qsizetype start = out.size();
        out.resize(start + most);
        m_base = reinterpret_cast<char16_t*>(out.data());
        m_at = m_base + start;
    }
    ~TextAppender() { m_out.resize(m_at - m_base); }
    TextAppender(const TextAppender&) = delete;
    TextAppender& operator=(const TextAppender&) = delete;

    void put(char16_t c) { *m_at++ = c; }
    void put(QStringView text) { m_at = std::copy(text.utf16(), text.utf16() + text.size(), m_at); }
    void put(QLatin1String text) {
        for (const char c : text)
            *m_at++ = char16_t(uchar(c));
    }
    void fill(int spaces) {
        while (spaces-- > 0)
            *m_at++ = u' ';
    }
    const char16_t* at() const { return m_at; }
    // Drops spaces at the end, none before `from`.
    void trimSpacesBackTo(const char16_t* from) {
        while (m_at > from && m_at[-1] == u' ')
            --m_at;
    }

    // Room for a cell put by one of the two below.
    static qsizetype mostForCsv(const QString& text) { return 2 * text.size() + 2; }
    static qsizetype mostForJson(const QString& text) { return 6 * text.size() + 2; }

    // A CSV cell: quoted, quotes doubled, when it holds a comma, quote or
    // line break.
    void putCsvCell(QStringView text) {
        const bool plain = std::none_of(text.begin(), text.end(), [](QChar c) {
            return c == u',' || c == u'"' || c == u'\r' || c == u'\n';
        });
        if (plain) return put(text);
        put(u'"');
        for (const QChar c : text) {
            if (c == u'"') put(u'"');
            put(c.unicode());
        }
        put(u'"');
    }

    // A JSON string: quotes, backslashes and control characters escaped.
    void putJsonString(QStringView text) {
        static const char Hex[] = "0123456789abcdef";
        put(u'"');
        for (const QChar qc : text) {
            const char16_t c = qc.unicode();
            if (c == u'"' || c == u'\\') {
                put(u'\\');
                put(c);
            } else if (c < 0x20) {
                put(QLatin1String("\\u00"));
                put(char16_t(Hex[c >> 4]));
                put(char16_t(Hex[c & 15]));
            } else {
                put(c);
            }
        }
        put(u'"');
    }

private:
    QString& m_out;
    char16_t* m_base = nullptr;
    char16_t* m_at = nullptr;
};

void appendJsonString(QString& out, const QString& text) {
    TextAppender(out, TextAppender::mostForJson(text)).putJsonString(text);
}

bool digit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?; `fraction` is set when a
// fraction or an exponent is there.
bool isJsonNumber(const QString& t, bool* fraction) {
    qsizetype i = 0;
    const qsizetype n = t.size();
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < n && digit(t[i]))
            ++i;
        return i > from;
    };
    if (i < n && t[i] == u'-') ++i;
    if (i < n && t[i] == u'0')
        ++i;
    else if (!(i < n && digit(t[i])) || !digits())
        return false;
    *fraction = false;
    if (i < n && t[i] == u'.') {
        ++i;
        if (!digits()) return false;
        *fraction = true;
    }
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-')) ++i;
        if (!digits()) return false;
        *fraction = true;
    }
    return i == n;
}

// A numeric column's cell: always a number with a fraction ("105.0"), so that
// a reader gets one type per column, or null where there is no number.
void putJsonNumber(TextAppender& out, const QString& cell) {
    bool fraction = false;
    if (!isJsonNumber(cell, &fraction)) return out.put(QLatin1String("null"));
    out.put(cell);
    if (!fraction) out.put(QLatin1String(".0"));
}

constexpr qsizetype WriteChunk = 1 << 16;

} // namespace

LevelWriter::LevelWriter(const QString& source, const QList<LevelColumn>& columns,
                         OutputFormat format, Sink sink)
    : m_source(source), m_columns(columns), m_format(format), m_sink(std::move(sink)) {
    for (const LevelColumn& column : columns) {
        m_widths.append(columnsOf(column.heading));
        QString key;
        appendJsonString(key, column.key);
        m_jsonKeys.append(key + QStringLiteral(": "));
    }
}

void LevelWriter::measure(const QStringList& cells) {
    for (int c = 0; c < m_columns.size() && c < cells.size(); ++c)
        m_widths[c] = std::max(m_widths[c], columnsOf(cells[c]));
}

void LevelWriter::textRow(const QStringList& cells) {
    const int count = int(m_columns.size());
    qsizetype most = 1;
    for (int c = 0; c < count; ++c)
        most += 2 + m_widths[c] + cells.value(c).size();
    TextAppender out(m_buffer, most);
    const char16_t* const start = out.at();
    for (int c = 0; c < count; ++c) {
        if (c > 0) out.put(QLatin1String("  "));
        const QString cell = cells.value(c);
        const int fill = std::max(0, m_widths[c] - columnsOf(cell));
        if (m_columns[c].numeric) out.fill(fill);
        out.put(cell);
        if (!m_columns[c].numeric) out.fill(fill);
    }
    out.trimSpacesBackTo(start);
    out.put(u'\n');
}

void LevelWriter::begin() {
    switch (m_format) {
    case OutputFormat::Text: {
        QStringList headings;
        for (const LevelColumn& column : m_columns)
            headings.append(column.heading);
        textRow(headings);
        break;
    }
    case OutputFormat::Csv:
        for (int c = 0; c < m_columns.size(); ++c)
            m_buffer += (c > 0 ? QStringLiteral(",") : QString()) + csvCell(m_columns[c].key);
        m_buffer += u'\n';
        break;
    case OutputFormat::Json:
        m_buffer += QStringLiteral("{\n  \"file\": ");
        appendJsonString(m_buffer, m_source);
        m_buffer += QStringLiteral(",\n  \"rows\": [\n");
        break;
    }
}

void LevelWriter::row(const QStringList& cells) {
    switch (m_format) {
    case OutputFormat::Text:
        textRow(cells);
        break;
    case OutputFormat::Csv:
        csvRow(cells);
        break;
    case OutputFormat::Json:
        jsonRow(cells);
        break;
    }
    ++m_rows;
    flushIfFull();
}

void LevelWriter::csvRow(const QStringList& cells) {
    const int count = int(m_columns.size());
    qsizetype most = count + 1;
    for (int c = 0; c < count && c < cells.size(); ++c)
        most += TextAppender::mostForCsv(cells[c]);
    TextAppender out(m_buffer, most);
    for (int c = 0; c < count; ++c) {
        if (c > 0) out.put(u',');
        if (c < cells.size()) out.putCsvCell(cells[c]);
    }
    out.put(u'\n');
}

void LevelWriter::jsonRow(const QStringList& cells) {
    const int count = int(m_columns.size());
    qsizetype most = 8 + 2 * count;
    for (int c = 0; c < count; ++c)
        most += m_jsonKeys[c].size() +
                std::max<qsizetype>(4, TextAppender::mostForJson(cells.value(c)));
    TextAppender out(m_buffer, most);
    out.put(m_rows > 0 ? QLatin1String(",\n    {") : QLatin1String("    {"));
    for (int c = 0; c < count; ++c) {
        if (c > 0) out.put(QLatin1String(", "));
        out.put(m_jsonKeys[c]);
        const QString cell = cells.value(c);
        if (m_columns[c].numeric)
            putJsonNumber(out, cell);
        else
            out.putJsonString(cell);
    }
    out.put(u'}');
}

QString jsonString(const QString& text) {
    QString out;
    appendJsonString(out, text);
    return out;
}

void LevelWriter::end(const QString& after) {
    if (m_format == OutputFormat::Json) {
        m_buffer += m_rows > 0 ? QStringLiteral("\n  ]") : QStringLiteral("  ]");
        m_buffer += after.isEmpty() ? QStringLiteral("\n") : QStringLiteral(",\n") + after;
        m_buffer += QStringLiteral("}\n");
    } else if (m_format == OutputFormat::Text) {
        m_buffer += after;
    }
    m_sink(m_buffer);
    m_buffer.clear();
}

void LevelWriter::flushIfFull() {
    if (m_buffer.size() < WriteChunk) return;
    m_sink(m_buffer);
    // The same room serves the next piece: a large allocation for every
    // piece would keep the allocator merging the rows' small freed texts.
    m_buffer.truncate(0);
}

namespace {

QString written(const LevelTable& table, OutputFormat format) {
    QString out;
    LevelWriter writer(table.source, table.columns, format,
                       [&out](const QString& text) { out += text; });
    if (format == OutputFormat::Text)
        for (const QStringList& row : table.rows)
            writer.measure(row);
    writer.begin();
    for (const QStringList& row : table.rows)
        writer.row(row);
    writer.end();
    return out;
}

} // namespace

QString formatText(const LevelTable& table) {
    return written(table, OutputFormat::Text);
}

QString formatCsv(const LevelTable& table) {
    return written(table, OutputFormat::Csv);
}

QString formatJson(const LevelTable& table) {
    return written(table, OutputFormat::Json);
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
