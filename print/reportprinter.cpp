#include "print/reportprinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QWidget>

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

void paintReport(QPrinter& printer, const QStringList& lines, const QFont& font) {
    QPainter painter;
    if (!painter.begin(&printer)) throw PrinterError(PrinterError::Failed);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    // Lines are exactly one em apart: the box-drawing glyphs fill the em, so
    // the vertical rules of consecutive lines meet.
    const qreal lineHeight = emHeight(font, printer);
    const qreal pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();

    qreal top = 0;
    for (const QString& line : lines) {
        if (top > 0 && top + metrics.height() > pageHeight) {
            if (!printer.newPage()) throw PrinterError(PrinterError::Failed);
            top = 0;
        }
        painter.drawText(QPointF(0, top + metrics.ascent()), line);
        top += lineHeight;
    }
    if (!painter.end()) throw PrinterError(PrinterError::Failed);
}

bool printWidgetImage(QPrinter& printer, QWidget& widget) {
    const QPixmap image = widget.grab();
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect page = painter.viewport();
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(page.topLeft(), size), image);
    painter.end();
    return true;
}
