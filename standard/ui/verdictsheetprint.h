#pragma once
// The verdict sheet on one page: heading, the outlet levels with verdicts and
// booster windows, the C/N table and the level chart.

#include "standard/levelchart.h"
#include "standard/verdictsheet.h"

class QPainter;
class QPagedPaintDevice;

namespace miravel::standard {

struct VerdictSheet {
    SheetHeading heading;
    SheetTable levels;
    SheetTable cn;
    std::array<ChartBandInput, common::BandCount> chart{};
    QString chartHeading;
};

// Fills `page` (device units of the painter's device).
void paintVerdictSheet(QPainter& painter, const QRectF& page, const VerdictSheet& sheet);
// The one page as printed, previewed and written to PDF: the whole of the
// device's page, painted with `painter`, which is open on `device`.
void paintVerdictSheetPage(QPainter& painter, const QPagedPaintDevice& device,
                           const VerdictSheet& sheet);

} // namespace miravel::standard
