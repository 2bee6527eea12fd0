#pragma once
// The one drawing of the level chart, for the screen, the printer, the print
// preview, PDF and PNG alike.

#include "standard/levelchart.h"

#include <QColor>

class QPainter;

namespace miravel::standard {

// Colours of the bars and the in-range shading (the outlet bar takes its
// verdict's colour).
QColor chartBarColour(ChartBarKind kind);
QColor chartRangeColour();

// Draws a heading line and below it the chart, filling `area`; returns the
// layout drawn (its coordinates are relative to the chart's own top left,
// i.e. to chartArea()).
ChartLayout paintLevelChart(QPainter& painter, const QRectF& area,
                            const std::array<ChartBandInput, common::BandCount>& inputs,
                            const QString& heading);

// The part of `area` below the heading that the chart itself takes.
QRectF chartArea(const QRectF& area);

} // namespace miravel::standard
