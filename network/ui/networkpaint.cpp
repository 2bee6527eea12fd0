#include "network/ui/networkpaint.h"

#include "network/networktexts.h"
#include "network/ui/verdictcolours.h"

#include <QPagedPaintDevice>
#include <QPaintEvent>
#include <QPainter>
#include <QSet>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

constexpr double TextSize = 10;   // diagram and table text, in painter units
constexpr double TableRow = 16;   // one table row
constexpr double TitleLine = 16;  // a page's title line
constexpr double NoteLine = 14;   // each line under it
constexpr double HeadingRow = 66; // a page's heading: the title and three lines
constexpr double CellPadding = 2; // each side of a table cell's text

QFont sized(double pixels, bool bold = false) {
    QFont font;
    font.setPixelSize(int(pixels));
    font.setBold(bold);
    return font;
}

QColor markColour(DiagramMark mark) {
    switch (mark) {
    case DiagramMark::Pass:
        return passColour();
    case DiagramMark::Fail:
        return failColour();
    case DiagramMark::None:
        break;
    }
    return neutralColour();
}

void paintBox(QPainter& p, const QRectF& r, const DiagramBox& box) {
    p.setPen(QPen(markColour(box.mark), box.mark == DiagramMark::Fail ? 2 : 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    const QRectF text = r.adjusted(4, 1, -4, -1);
    const double line = text.height() / 3;
    p.setPen(Qt::black);
    p.setFont(sized(TextSize, true));
    p.drawText(QRectF(text.left(), text.top(), text.width(), line), Qt::AlignVCenter, box.title);
    p.setFont(sized(TextSize));
    p.drawText(QRectF(text.left(), text.top() + line, text.width(), line), Qt::AlignVCenter,
               box.detail);
    p.setPen(markColour(box.mark));
    p.drawText(QRectF(text.left(), text.top() + 2 * line, text.width(), line), Qt::AlignVCenter,
               box.levels);
}

// One outlet's cells, the lowest of each band marked (on paper, not shaded).
QStringList outletCells(const Network& network, const NetworkResult& result, int row,
                        QList<QColor>* colours = nullptr) {
    const OutletResult& o = result.outlets[size_t(row)];
    QStringList cells{outletName(network, o)};
    if (colours) *colours = {Qt::black};
    for (int b = 0; b < NetBandCount; ++b) {
        QString level = levelText(o.bands[size_t(b)].level);
        if (isLowestOfBand(result, row, b)) level = QStringLiteral("▼") + level;
        // With its C/N where one is reckoned: "62.35／38.21".
        const BandJudgement& j = o.bands[size_t(b)];
        if (j.cn) level += QStringLiteral("／") + outletCnText(j);
        cells << level;
        if (colours) *colours << (j.cnLow ? failColour() : verdictColour(j.verdict));
    }
    cells << outletVerdictLine(o);
    if (colours) *colours << (o.fails() ? failColour() : passColour());
    return cells;
}

void paintTableRow(QPainter& p, double y, const QList<double>& columns, const QStringList& cells,
                   const QList<QColor>& colours) {
    double x = 0;
    for (int c = 0; c < cells.size() && c < columns.size(); ++c) {
        const QRectF cell(x + CellPadding, y, columns[c] - 2 * CellPadding, TableRow);
        p.setPen(colours.value(c, Qt::black));
        const Qt::Alignment align =
            (c >= 1 && c <= NetBandCount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        p.drawText(cell, int(align),
                   p.fontMetrics().elidedText(cells[c], Qt::ElideRight, int(cell.width())));
        x += columns[c];
    }
    p.setPen(QColor(200, 200, 200));
    p.drawLine(QPointF(0, y + TableRow), QPointF(x, y + TableRow));
}

// The title and page number, and under them the heading line and the date.
void paintHeading(QPainter& p, double width, const QString& title, const QString& line,
                  const QString& date, int page, const QString& note = {}) {
    p.setPen(Qt::black);
    p.setFont(sized(TextSize + 2, true));
    p.drawText(QRectF(0, 0, width, TitleLine), Qt::AlignLeft | Qt::AlignTop, title);
    p.setFont(sized(TextSize));
    p.drawText(QRectF(0, 0, width, TitleLine), Qt::AlignHCenter | Qt::AlignTop, note);
    p.drawText(QRectF(0, 0, width, TitleLine), Qt::AlignRight | Qt::AlignTop,
               QStringLiteral("%1 ページ").arg(page));
    const QStringList lines = line.split(u'\n');
    const QRectF second(0, TitleLine, width, NoteLine);
    p.drawText(second, Qt::AlignRight | Qt::AlignTop, date);
    const double room = width - p.fontMetrics().horizontalAdvance(date) - 2 * TextSize;
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(second.translated(0, i * NoteLine), Qt::AlignLeft | Qt::AlignTop,
                   p.fontMetrics().elidedText(lines[i], Qt::ElideRight, int(room)));
}

} // namespace

void paintDiagram(QPainter& p, const DiagramLayout& layout, const DiagramMetrics& m, int firstRow,
                  int rows) {
    const int lastRow = firstRow + rows - 1;
    p.save();
    p.translate(0, -firstRow * m.rowHeight);
    p.setClipRect(QRectF(-1, firstRow * m.rowHeight - 1, layout.bounds(m).width() + 2,
                         rows * m.rowHeight + 2));
    p.setPen(QPen(QColor(80, 80, 80), 1));
    for (const DiagramBox& box : layout.boxes)
        if (box.parentRow >= 0 && box.parentRow <= lastRow && box.row >= firstRow)
            for (const QLineF& line : layout.connector(box, m))
                p.drawLine(line);
    for (int row = std::max(0, firstRow); row <= lastRow && row < int(layout.boxes.size()); ++row)
        paintBox(p, layout.boxRect(layout.boxes[size_t(row)], m), layout.boxes[size_t(row)]);
    p.restore();
}

QStringList outletTableHeadings() {
    QStringList headings{QStringLiteral("端子")};
    for (int b = 0; b < NetBandCount; ++b)
        headings << netBandName(b) + QStringLiteral(" (dB)");
    headings << QStringLiteral("判定");
    return headings;
}

QList<double> outletTableColumns(QPainter& p, const Network& network, const NetworkResult& result,
                                 double width) {
    QList<double> needs;
    p.save();
    p.setFont(sized(TextSize, true));
    for (const QString& heading : outletTableHeadings())
        needs << p.fontMetrics().horizontalAdvance(heading) + 2 * CellPadding + 1;
    p.setFont(sized(TextSize));
    for (int row = 0; row < int(result.outlets.size()); ++row) {
        const QStringList cells = outletCells(network, result, row);
        for (int c = 0; c < cells.size(); ++c)
            needs[c] = std::max(needs[c],
                                p.fontMetrics().horizontalAdvance(cells[c]) + 2 * CellPadding + 1);
    }
    p.restore();
    // Every column widened (or, on a page too narrow, narrowed) in proportion,
    // so that a table keeps its look on every page size.
    double total = 0;
    for (double need : needs)
        total += need;
    for (double& column : needs)
        column *= width / total;
    return needs;
}

QString printHeadingLine(const NetworkPrintHeading& heading, const Network& network) {
    const NetBandValues head = headEndLevels(network.head);
    QStringList levels;
    for (int b = 0; b < NetBandCount; ++b)
        levels << netBandName(b) + u' ' + levelText(head[size_t(b)]);
    return QStringLiteral("判定基準　%1\nヘッドエンド出力　%2 dB\n%3")
        .arg(heading.profile, levels.join(QStringLiteral("　")),
             cableJudgingText(network.head.judgeAtBandEdges));
}

QString printDateText(const QDate& date) {
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

void paintOutletTable(QPainter& p, const Network& network, const NetworkResult& result,
                      const QList<double>& columns, int firstRow, int rows) {
    p.save();
    p.setFont(sized(TextSize, true));
    paintTableRow(p, 0, columns, outletTableHeadings(), {});
    p.setFont(sized(TextSize));
    for (int i = 0; i < rows; ++i) {
        QList<QColor> colours;
        const QStringList cells = outletCells(network, result, firstRow + i, &colours);
        paintTableRow(p, (i + 1) * TableRow, columns, cells, colours);
    }
    p.restore();
}

int paintNetworkDocument(QPagedPaintDevice& device, const NetworkPrintHeading& heading,
                         const Network& network, const NetworkResult& result) {
    QPainter p(&device);
    return paintNetworkDocument(p, device, heading, network, result);
}

int paintNetworkDocument(QPainter& p, QPagedPaintDevice& device, const NetworkPrintHeading& heading,
                         const Network& network, const NetworkResult& result) {
    // Painter units are points on every device.
    const double scale = device.logicalDpiX() / 72.0;
    p.scale(scale, scale);
    const double width = device.width() / scale;
    const double height = device.height() / scale;
    const QString line = printHeadingLine(heading, network);
    const QString date = printDateText(heading.date);
    int page = 0;
    const auto nextPage = [&](const QString& note) {
        if (page++ > 0) device.newPage();
        paintHeading(p, width, heading.title, line, date, page, note);
    };
    const QList<double> columns = outletTableColumns(p, network, result, width);
    const int tableRows = std::max(1, int((height - HeadingRow) / TableRow) - 1);
    for (const auto& [first, count] : diagramPages(int(result.outlets.size()), tableRows)) {
        nextPage(QStringLiteral("▼ その帯域で最もレベルの低い端子"));
        p.save();
        p.translate(0, HeadingRow);
        paintOutletTable(p, network, result, columns, first, count);
        p.restore();
    }
    const DiagramLayout layout = layoutDiagram(network, result);
    DiagramMetrics m;
    const double fit = std::min(1.0, width / layout.bounds(m).width());
    const int diagramRows = std::max(1, int((height - HeadingRow) / (m.rowHeight * fit)));
    for (const auto& [first, count] : diagramPages(int(layout.boxes.size()), diagramRows)) {
        nextPage({});
        p.save();
        p.translate(0, HeadingRow);
        p.scale(fit, fit);
        paintDiagram(p, layout, m, first, count);
        p.restore();
    }
    return page;
}

DiagramView::DiagramView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void DiagramView::setDiagram(DiagramLayout layout) {
    m_layout = std::move(layout);
    m_layout.boxes.shrink_to_fit();
    // Held while the diagram shows, a box a part: titles and levels that
    // repeat share one text, each part's own detail keeps only its length.
    QSet<QString> texts;
    const auto share = [&texts](QString& text) {
        const auto seen = texts.constFind(text);
        if (seen != texts.cend()) {
            text = *seen;
            return;
        }
        text.squeeze();
        texts.insert(text);
    };
    for (DiagramBox& box : m_layout.boxes) {
        share(box.title);
        share(box.levels);
        box.detail.squeeze();
    }
    const QRectF bounds = m_layout.bounds(m_metrics);
    setMinimumSize(int(bounds.width()) + 16, int(bounds.height()) + 16);
    updateGeometry();
    update();
}

QSize DiagramView::sizeHint() const {
    return minimumSize();
}

void DiagramView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(8, 8);
    // Only the rows the exposed area shows.
    const int first = std::max(0, int((event->rect().top() - 8) / m_metrics.rowHeight));
    const int last = int((event->rect().bottom() - 8) / m_metrics.rowHeight) + 1;
    p.translate(0, first * m_metrics.rowHeight);
    paintDiagram(p, m_layout, m_metrics, first, last - first + 1);
}

} // namespace miravel::network
