#pragma once
// One print document on a printer. A printer that prints into a PDF file
// writes it through the program's write routine (common/wholefile.h), so
// that the file is replaced only when the whole document was written: a full disk leaves the
// earlier file as it was, and a print is never reported complete over a broken file.

#include <QString>
#include <functional>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace miravel::print {

enum class PrintOutcome {
    Printed,     // the whole document reached the printer or the file
    CannotBegin, // the printer or the file could not be opened
    Failed,      // the document broke off or was not completely written
};

// Draws one document on a painter begun on the device; false when it cannot
// go on (a page that cannot be added).
using PaintDocument = std::function<bool(QPainter& painter, QPagedPaintDevice& device)>;

// Paints one document on `printer`: on paper, or into its PDF file.
PrintOutcome printDocument(QPrinter& printer, const PaintDocument& paint);

// The PDF file the printer prints into; "" when it prints on paper.
QString pdfFileOf(const QPrinter& printer);

} // namespace miravel::print
