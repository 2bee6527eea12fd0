#include "standard/ui/verdictsheetprint.h"

#include "standard/ui/chartpainter.h"
#include "standard/ui/verdictstyle.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

using namespace miravel::common;

namespace miravel::standard {

namespace {

// The page is measured in lines: this many fit its height.
constexpr double LinesPerPage = 64;
constexpr double RowHeight = 1.3; // lines per table row

QFont sheetFont(double pixels, bool bold = false) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(std::max(1, int(pixels)));
    font.setBold(bold);
    return font;
}

// No column takes more of the page than this, however long a text (a level
// of 1E+300 has 300 digits); longer texts are elided.
constexpr double WidestColumn = 0.3;

// Column widths from the widest text of each column, stretched or shrunk to
// the page width.
std::vector<double> columnWidths(const SheetTable& t, const QFontMetricsF& fm, double width) {
    std::vector<double> widths(size_t(t.header.size()), 0);
    for (int c = 0; c < t.header.size(); ++c) {
        widths[size_t(c)] = fm.horizontalAdvance(t.header[c]);
        for (const QStringList& row : t.rows)
            widths[size_t(c)] = std::max(widths[size_t(c)], fm.horizontalAdvance(row[c]));
        widths[size_t(c)] = std::min(widths[size_t(c)] + fm.height(), WidestColumn * width);
    }
    double total = 0;
    for (double w : widths)
        total += w;
    for (double& w : widths)
        w *= width / total;
    return widths;
}

// Draws the table from `top`; returns its bottom. The verdict column (the
// one whose texts are verdicts) takes the verdict colours.
double paintTable(QPainter& painter, const SheetTable& t, int verdictColumn, double left,
                  double top, double width, double line) {
    const auto widths = columnWidths(t, QFontMetricsF(painter.font()), width);
    const double rowHeight = RowHeight * line;
    auto paintRow = [&](const QStringList& cells, double y, bool header, Verdict verdict) {
        double x = left;
        for (int c = 0; c < cells.size(); ++c) {
            const QRectF cell(x, y, widths[size_t(c)], rowHeight);
            if (header) painter.fillRect(cell, QColor(235, 235, 235));
            painter.setPen(QColor(120, 120, 120));
            painter.drawRect(cell);
            painter.setPen(!header && c == verdictColumn ? verdictColour(verdict)
                                                         : QColor(Qt::black));
            const QFontMetricsF metrics(painter.font());
            painter.drawText(cell, Qt::AlignCenter,
                             metrics.elidedText(cells[c], Qt::ElideMiddle, cell.width()));
            x += widths[size_t(c)];
        }
    };
    paintRow(t.header, top, true, Verdict::NoCriterion);
    for (size_t r = 0; r < t.rows.size(); ++r)
        paintRow(t.rows[r], top + double(r + 1) * rowHeight, false, t.verdicts[r]);
    return top + double(t.rows.size() + 1) * rowHeight;
}

} // namespace

void paintVerdictSheet(QPainter& painter, const QRectF& page, const VerdictSheet& sheet) {
    painter.save();
    const double line = page.height() / LinesPerPage;
    double y = page.top();
    painter.setPen(Qt::black);
    painter.setFont(sheetFont(line * 1.6, true));
    painter.drawText(QRectF(page.left(), y, page.width(), 2.5 * line), Qt::AlignCenter,
                     sheet.heading.title);
    y += 3 * line;
    painter.setFont(sheetFont(line * 0.8));
    for (const QString& text : sheet.heading.lines) {
        painter.drawText(QRectF(page.left(), y, page.width(), line), Qt::AlignLeft, text);
        y += line;
    }

    const auto section = [&](const QString& caption, const SheetTable& table, int verdictColumn) {
        y += line;
        painter.setFont(sheetFont(line * 0.9, true));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(page.left(), y, page.width(), line), Qt::AlignLeft, caption);
        y += 1.3 * line;
        painter.setFont(sheetFont(line * 0.75));
        y = paintTable(painter, table, verdictColumn, page.left(), y, page.width(), line);
    };
    section(QStringLiteral("テレビ端子レベルの判定"), sheet.levels, 2);
    section(QStringLiteral("ブースターの C/N"), sheet.cn, 6);

    y += line;
    const double height = std::min(page.bottom() - y, page.width() * 0.75);
    if (height > 0)
        paintLevelChart(painter, QRectF(page.left(), y, page.width(), height), sheet.chart,
                        sheet.chartHeading);
    painter.restore();
}

void paintVerdictSheetPage(QPainter& painter, const QPagedPaintDevice& device,
                           const VerdictSheet& sheet) {
    paintVerdictSheet(painter, QRectF(QPointF(0, 0), QSizeF(device.width(), device.height())),
                      sheet);
}

} // namespace miravel::standard
