#pragma once
// Where the print commands print when there is no printer to print on: a
// PDF file the user names. Tests stand in for the save dialog through
// hooks().

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace PrintDialogs {

// The PDF file name offered first: the project file with ".pdf" in place of
// its extension, or "Miravel.pdf" in the home folder when there is no
// project file.
QString defaultPdfName();

// Asks for the PDF file to print to; an empty result means the user
// cancelled.
QString pdfFileDialog(QWidget* parent, const QString& presetName);

// Test seam: when set, stands in for the save dialog.
struct Hooks {
    std::function<QString(const QString& presetName)> pdfFileDialog;
};
Hooks& hooks();

} // namespace PrintDialogs

// Makes sure `printer` has somewhere to print: when the system has no
// printer, or the printer is a PDF file without a name, asks for a PDF file
// and prints there. Returns false when the user cancels.
bool ensurePrintTarget(QPrinter& printer, QWidget* parent);
