#include "print/ui/printjob.h"

#include "common/wholefile.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

using namespace miravel::common;

namespace miravel::print {

namespace {

PrintOutcome paintOn(QPagedPaintDevice& device, const PaintDocument& paint) {
    QPainter painter;
    if (!painter.begin(&device)) return PrintOutcome::CannotBegin;
    const bool painted = paint(painter, device);
    // Ending the painter writes the rest of the document.
    const bool ended = painter.end();
    return painted && ended ? PrintOutcome::Printed : PrintOutcome::Failed;
}

// The PDF goes through the program's one write routine: written whole into
// a temporary file beside the target, which replaces the target only when
// every byte was written. QPainter::end() alone cannot tell: the PDF engine
// does not report failed writes.
PrintOutcome printPdf(const QPrinter& printer, const QString& fileName,
                      const PaintDocument& paint) {
    PrintOutcome outcome = PrintOutcome::CannotBegin; // unless the file opens
    const WriteResult written = writeFileThrough(fileName, [&](QIODevice& out) {
        QPdfWriter writer(&out);
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        writer.setCreator(printer.creator());
        writer.setTitle(printer.docName());
        outcome = paintOn(writer, paint);
        return outcome == PrintOutcome::Printed;
    });
    if (outcome == PrintOutcome::Printed && !written.ok()) return PrintOutcome::Failed;
    return outcome;
}

} // namespace

QString pdfFileOf(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::PdfFormat) return QString();
    return printer.outputFileName();
}

PrintOutcome printDocument(QPrinter& printer, const PaintDocument& paint) {
    const QString pdf = pdfFileOf(printer);
    if (!pdf.isEmpty()) return printPdf(printer, pdf, paint);
    return paintOn(printer, paint);
}

} // namespace miravel::print
