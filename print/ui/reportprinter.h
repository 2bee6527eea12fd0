#pragma once
// Putting the report and the screen images on paper. The same painting
// serves the printer, a print preview and PDF output, whatever QPrinter it
// is given.

#include "print/ui/printjob.h"

#include <QString>
#include <QStringList>
#include <exception>

class QFont;
class QPainter;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace miravel::print {

// The printer failed (no such printer, a file that cannot be written, ...).
// The print commands show printerErrorText() titled printerErrorTitle() and
// go on.
class PrinterError : public std::exception {
public:
    enum Number { Failed = 482 }; // the printer refused or broke off the job
    explicit PrinterError(int number) : m_number(number) {}
    int number() const { return m_number; }
    const char* what() const noexcept override { return "printer error"; }

private:
    int m_number;
};

// "プリンターエラー   " followed by the error number.
QString printerErrorText(const PrinterError& error);
// "　　プリンタートラブル"
QString printerErrorTitle();

// Draws the report lines one under the other in `font`, each line one em
// below the previous one so that the full-width vertical rules join up, and
// goes on to a new page when the next line does not fit. False when a page
// cannot be added.
bool paintReportPages(QPainter& painter, QPagedPaintDevice& device, const QStringList& lines,
                      const QFont& font);

// Prints the report as one document. Raises PrinterError when the printer
// fails or the PDF file is not completely written.
void paintReport(QPrinter& printer, const QStringList& lines, const QFont& font);

// Prints an image of the widget as it shows on screen, scaled to the page
// with its proportions kept.
PrintOutcome printWidgetImage(QPrinter& printer, QWidget& widget);

} // namespace miravel::print
