#include "print/ui/reportprinter.h"

#include "print/report.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QWidget>

using namespace miravel::common;
using namespace miravel::terminal;

namespace miravel::print {

QString printerErrorText(const PrinterError& error) {
    return QStringLiteral("プリンターエラー   ") + QString::number(error.number());
}

QString printerErrorTitle() {
    return QStringLiteral("　　プリンタートラブル");
}

namespace {

// The font's em on the device, in device pixels: the distance between two
// report lines.
qreal emHeight(const QFont& font, const QPaintDevice& device) {
    if (font.pointSizeF() > 0) return font.pointSizeF() * device.logicalDpiY() / 72.0;
    return font.pixelSize();
}

} // namespace

bool paintReportPages(QPainter& painter, QPagedPaintDevice& device, const QStringList& lines,
                      const QFont& font) {
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    // Lines are exactly one em apart: the box-drawing glyphs fill the em, so
    // the vertical rules of consecutive lines meet.
    const qreal lineHeight = emHeight(font, device);
    const int pageLines = linesPerPage(device.height(), lineHeight);
    for (int i = 0; i < lines.size(); ++i) {
        const int row = i % pageLines;
        if (i > 0 && row == 0 && !device.newPage()) return false;
        painter.drawText(QPointF(0, row * lineHeight + metrics.ascent()), lines[i]);
    }
    return true;
}

void paintReport(QPrinter& printer, const QStringList& lines, const QFont& font) {
    const PrintOutcome outcome =
        printDocument(printer, [&](QPainter& painter, QPagedPaintDevice& device) {
            return paintReportPages(painter, device, lines, font);
        });
    if (outcome != PrintOutcome::Printed) throw PrinterError(PrinterError::Failed);
}

PrintOutcome printWidgetImage(QPrinter& printer, QWidget& widget) {
    const QPixmap image = widget.grab();
    return printDocument(printer, [&image](QPainter& painter, QPagedPaintDevice&) {
        const QRect page = painter.viewport();
        const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
        painter.drawPixmap(QRect(page.topLeft(), size), image);
        return true;
    });
}

} // namespace miravel::print
