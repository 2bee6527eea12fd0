#include "network/ui/networkpaint.h"

#include "network/networktexts.h"
#include "network/ui/verdictcolours.h"

#include <QPagedPaintDevice>
#include <QPaintEvent>
#include <QPainter>

namespace {

constexpr double TextSize = 10;   // diagram and table text, in painter units
constexpr double TableRow = 16;   // one table row
constexpr double HeadingRow = 24; // a page's heading
constexpr double NameShare = 0.22;
constexpr double BandShare = 0.09;

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

void paintTableRow(QPainter& p, double y, double width, const QStringList& cells,
                   const QList<QColor>& colours) {
    double x = 0;
    for (int c = 0; c < cells.size(); ++c) {
        const double share = c == 0           ? NameShare
                             : c <= BandCount ? BandShare
                                              : 1 - NameShare - BandCount * BandShare;
        const QRectF cell(x + 2, y, share * width - 4, TableRow);
        p.setPen(colours.value(c, Qt::black));
        const Qt::Alignment align =
            (c >= 1 && c <= BandCount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        p.drawText(cell, int(align),
                   p.fontMetrics().elidedText(cells[c], Qt::ElideRight, int(cell.width())));
        x += share * width;
    }
    p.setPen(QColor(200, 200, 200));
    p.drawLine(QPointF(0, y + TableRow), QPointF(width, y + TableRow));
}

void paintHeading(QPainter& p, double width, const QString& title, int page,
                  const QString& note = {}) {
    p.setPen(Qt::black);
    p.setFont(sized(TextSize + 2, true));
    p.drawText(QRectF(0, 0, width, HeadingRow), Qt::AlignLeft | Qt::AlignTop, title);
    p.setFont(sized(TextSize));
    p.drawText(QRectF(0, 0, width, HeadingRow), Qt::AlignHCenter | Qt::AlignTop, note);
    p.drawText(QRectF(0, 0, width, HeadingRow), Qt::AlignRight | Qt::AlignTop,
               QStringLiteral("%1 ページ").arg(page));
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

void paintOutletTable(QPainter& p, const NetworkResult& result, double width, int firstRow,
                      int rows) {
    p.save();
    p.setFont(sized(TextSize, true));
    QStringList heading{QStringLiteral("端子")};
    for (int b = 0; b < BandCount; ++b)
        heading << bandName(b) + QStringLiteral(" (dB)");
    heading << QStringLiteral("判定");
    paintTableRow(p, 0, width, heading, {});
    p.setFont(sized(TextSize));
    for (int i = 0; i < rows; ++i) {
        const int row = firstRow + i;
        const OutletResult& o = result.outlets[size_t(row)];
        QStringList cells{o.name};
        QList<QColor> colours{Qt::black};
        for (int b = 0; b < BandCount; ++b) {
            QString level = levelText(o.bands[size_t(b)].level);
            // On paper the lowest outlets of a band are marked, not shaded.
            if (isLowestOfBand(result, row, b)) level = QStringLiteral("▼") + level;
            cells << level;
            colours << verdictColour(o.bands[size_t(b)].verdict);
        }
        cells << outletVerdictLine(o);
        colours << (o.fails() ? failColour() : passColour());
        paintTableRow(p, (i + 1) * TableRow, width, cells, colours);
    }
    p.restore();
}

int paintNetworkDocument(QPagedPaintDevice& device, const QString& title, const Network& network,
                         const NetworkResult& result) {
    QPainter p(&device);
    return paintNetworkDocument(p, device, title, network, result);
}

int paintNetworkDocument(QPainter& p, QPagedPaintDevice& device, const QString& title,
                         const Network& network, const NetworkResult& result) {
    // Painter units are points on every device.
    const double scale = device.logicalDpiX() / 72.0;
    p.scale(scale, scale);
    const double width = device.width() / scale;
    const double height = device.height() / scale;
    int page = 0;
    const auto nextPage = [&](const QString& note) {
        if (page++ > 0) device.newPage();
        paintHeading(p, width, title, page, note);
    };
    const int tableRows = std::max(1, int((height - HeadingRow) / TableRow) - 1);
    for (const auto& [first, count] : diagramPages(int(result.outlets.size()), tableRows)) {
        nextPage(QStringLiteral("▼ その帯域で最もレベルの低い端子"));
        p.save();
        p.translate(0, HeadingRow);
        paintOutletTable(p, result, width, first, count);
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
