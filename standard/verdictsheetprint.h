#pragma once
// The verdict sheet on one page: heading, the outlet levels with verdicts and
// booster windows, the C/N table and the level chart.

#include "standard/levelchart.h"
#include "standard/verdictsheet.h"

class QPainter;

struct VerdictSheet {
    SheetHeading heading;
    SheetTable levels;
    SheetTable cn;
    std::array<ChartBandInput, BandCount> chart{};
    QString chartHeading;
};

// Fills `page` (device units of the painter's device).
void paintVerdictSheet(QPainter& painter, const QRectF& page, const VerdictSheet& sheet);
