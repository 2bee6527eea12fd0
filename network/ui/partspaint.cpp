#include "network/ui/partspaint.h"

#include "network/ui/networkpaint.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace miravel::network {

namespace {

constexpr double TextSize = 10; // in points
constexpr double Row = 16;
constexpr double Heading = 56; // the title, the date and the note under them
// Shares of the width: kind, model, quantity, unit, unit price, amount.
constexpr double Shares[] = {0.16, 0.34, 0.12, 0.08, 0.14, 0.16};

bool numeric(int column) {
    return column == 2 || column == 4 || column == 5;
}

void paintRow(QPainter& p, double y, double width, const QStringList& cells) {
    double x = 0;
    for (int c = 0; c < cells.size() && c < int(std::size(Shares)); ++c) {
        const QRectF cell(x + 2, y, Shares[c] * width - 4, Row);
        const Qt::Alignment align =
            (numeric(c) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        p.drawText(cell, int(align),
                   p.fontMetrics().elidedText(cells[c], Qt::ElideRight, int(cell.width())));
        x += Shares[c] * width;
    }
    p.drawLine(QPointF(0, y + Row), QPointF(width, y + Row));
}

void paintPageHeading(QPainter& p, double width, const PartsPrintHeading& h, int page) {
    QFont font;
    font.setPixelSize(int(TextSize + 2));
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, 0, width, Row), Qt::AlignLeft | Qt::AlignTop, h.title);
    font.setPixelSize(int(TextSize));
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRectF(0, 0, width, Row), Qt::AlignRight | Qt::AlignTop,
               QStringLiteral("%1 ページ").arg(page));
    p.drawText(QRectF(0, Row, width, Row), Qt::AlignRight | Qt::AlignTop, printDateText(h.date));
    p.drawText(QRectF(0, 2 * Row, width, Row), Qt::AlignLeft | Qt::AlignTop,
               p.fontMetrics().elidedText(h.note, Qt::ElideRight, int(width)));
}

} // namespace

int paintPartsList(QPagedPaintDevice& device, const PartsPrintHeading& heading,
                   const QList<QStringList>& cells) {
    QPainter p(&device);
    return paintPartsList(p, device, heading, cells);
}

int paintPartsList(QPainter& p, QPagedPaintDevice& device, const PartsPrintHeading& heading,
                   const QList<QStringList>& cells) {
    const double scale = device.logicalDpiX() / 72.0; // painter units are points
    p.scale(scale, scale);
    const double width = device.width() / scale;
    const int perPage = std::max(1, int((device.height() / scale - Heading) / Row) - 1);
    const int items = std::max(0, int(cells.size()) - 1);
    int page = 0;
    for (int first = 0; page == 0 || first < items; first += perPage) {
        if (page++ > 0) device.newPage();
        p.setPen(Qt::black);
        paintPageHeading(p, width, heading, page);
        QFont bold = p.font();
        bold.setBold(true);
        p.setFont(bold);
        paintRow(p, Heading, width, cells.value(0));
        bold.setBold(false);
        p.setFont(bold);
        for (int r = 0; r < perPage && first + r < items; ++r)
            paintRow(p, Heading + (r + 1) * Row, width, cells[first + r + 1]);
    }
    return page;
}

} // namespace miravel::network
