#include "standard/ui/chartpainter.h"

#include "standard/ui/verdictstyle.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

using namespace miravel::common;

namespace miravel::standard {

namespace {

constexpr double HeadingShare = 0.06; // of the area's height

QFont fontOfHeight(double pixels, bool bold = false) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(std::max(1, int(pixels)));
    font.setBold(bold);
    return font;
}

void paintBar(QPainter& painter, const ChartBar& bar, const QColor& colour) {
    if (bar.rect.height() < 1) {
        // No loss in this group: a level line shows the step is there.
        painter.setPen(QPen(colour, 2));
        painter.drawLine(QPointF(bar.rect.left(), bar.rect.top()),
                         QPointF(bar.rect.right(), bar.rect.top()));
        return;
    }
    painter.fillRect(bar.rect, colour);
}

// A bar cut off at the edge of the scale says so there.
void paintOffScale(QPainter& painter, const ChartBar& bar, const ChartPanel& p, double text) {
    const bool above = bar.offScale > 0;
    const double y = above ? p.plot.top() : p.plot.bottom() - 2 * text;
    painter.setPen(Qt::black);
    painter.drawText(QRectF(bar.captionRect.left(), y, bar.captionRect.width(), 2 * text),
                     Qt::AlignHCenter | Qt::AlignVCenter,
                     (above ? QStringLiteral("▲") : QStringLiteral("▼")) + offScaleText());
}

void paintPanel(QPainter& painter, const ChartPanel& p) {
    const double text = p.frame.height() * 0.045;
    painter.setPen(QPen(QColor(160, 160, 160), 1));
    painter.drawRect(p.frame);
    painter.setFont(fontOfHeight(text * 1.1, true));
    painter.setPen(Qt::black);
    painter.drawText(
        QRectF(p.plot.left(), p.frame.top(), p.plot.width(), p.plot.top() - p.frame.top()),
        Qt::AlignLeft | Qt::AlignVCenter, p.title);

    if (p.range) painter.fillRect(*p.range, chartRangeColour());
    painter.setFont(fontOfHeight(text));
    for (const ChartTick& tick : p.ticks) {
        painter.setPen(QPen(QColor(215, 215, 215), 1));
        painter.drawLine(QPointF(p.plot.left(), tick.y), QPointF(p.plot.right(), tick.y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(p.frame.left(), tick.y - text,
                                p.plot.left() - p.frame.left() - text / 2, 2 * text),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(tick.value));
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(p.plot.bottomLeft(), p.plot.bottomRight());

    painter.setFont(fontOfHeight(text * 0.85));
    for (const ChartBar& bar : p.bars) {
        const QColor colour = bar.kind == ChartBarKind::Outlet ? verdictColour(p.judgement.verdict)
                                                               : chartBarColour(bar.kind);
        paintBar(painter, bar, colour);
        painter.setPen(Qt::black);
        painter.drawText(bar.captionRect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap,
                         bar.label);
        if (bar.offScale != 0) paintOffScale(painter, bar, p, text * 0.85);
    }

    painter.setFont(fontOfHeight(text * 1.1, true));
    painter.setPen(verdictColour(p.judgement.verdict));
    // A far level's digits would run out of the panel: their middle gives way.
    painter.drawText(
        p.verdictRow, Qt::AlignHCenter | Qt::AlignVCenter,
        QFontMetricsF(painter.font()).elidedText(p.verdict, Qt::ElideMiddle, p.verdictRow.width()));
}

} // namespace

QColor chartBarColour(ChartBarKind kind) {
    return kind == ChartBarKind::Output ? QColor(60, 100, 170) : QColor(140, 140, 140);
}

QColor chartRangeColour() {
    return QColor(200, 235, 200);
}

QRectF chartArea(const QRectF& area) {
    return area.adjusted(0, area.height() * HeadingShare, 0, 0);
}

ChartLayout paintLevelChart(QPainter& painter, const QRectF& area,
                            const std::array<ChartBandInput, BandCount>& inputs,
                            const QString& heading) {
    painter.save();
    painter.fillRect(area, Qt::white);
    const QRectF chart = chartArea(area);
    painter.setPen(Qt::black);
    painter.setFont(fontOfHeight(area.height() * HeadingShare * 0.5, true));
    painter.drawText(QRectF(area.left(), area.top(), area.width(), chart.top() - area.top()),
                     Qt::AlignHCenter | Qt::AlignVCenter, heading);
    const ChartLayout layout = layoutLevelChart(inputs, chart.size());
    painter.translate(chart.topLeft());
    for (const ChartPanel& panel : layout.panels)
        paintPanel(painter, panel);
    painter.restore();
    return layout;
}

} // namespace miravel::standard
