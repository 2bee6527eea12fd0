#pragma once
// The print commands both calculation screens share: printer selection, the
// printer font, the field-strength screen image and the print preview. The
// dialogs go through hooks() so that tests can answer them without a modal
// loop.

#include "print/ui/printjob.h"

#include <QFont>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QPrinter;
class QWidget;

namespace miravel::print {

namespace PrintCommands {

// Test seams: when set, these stand in for the real dialogs.
struct Hooks {
    // The printer selection dialog on the given printer; true when the user
    // accepted (the stand-in may change the printer as the dialog would).
    std::function<bool(QPrinter& printer)> printDialog;
    // The font dialog opened on `initial`; nothing when the user cancelled.
    std::function<std::optional<QFont>(const QFont& initial)> fontDialog;
    // The print preview of the current printer; `paint` draws the document
    // on the printer it is given, as often as the preview needs it.
    std::function<void(const std::function<void(QPrinter&)>& paint)> previewDialog;
    // The PDF file to print to when there is no printer; "" when cancelled.
    std::function<QString(const QString& presetName)> pdfFileDialog;
};
Hooks& hooks();

// The PDF file name offered first: the project file with ".pdf" in place of
// its extension, or "Miravel.pdf" in the home folder without a project file.
QString defaultPdfName();

} // namespace PrintCommands

// Makes sure `printer` has somewhere to print: when the system has no
// printer, or the printer is a PDF file without a name, asks for a PDF file
// and prints there. Returns false when the user cancels, and with a message
// when the PDF file is not a regular file or a new one (nothing is opened).
bool ensurePrintTarget(QPrinter& printer, QWidget* parent);

// Prints one document on the current printer (asking for a PDF file where
// there is no printer), with the hourglass showing. A printer that fails, or
// a PDF that is not completely written, shows the printer error. True when
// the whole document was printed; false too when the user cancelled.
bool printOnCurrentPrinter(QWidget* parent, const PaintDocument& paint);

// プリンター選択: the printer chosen becomes the printer of every later print.
// Returns false when the user cancelled; nothing is changed then.
bool selectPrinter(QWidget* parent);

// プリンター　フォント: a font the report can print in (see
// PrinterFontDialog). Sets the printer font's family, size and bold setting
// and Prt_FontSize, where the report's font search starts (kept within 6 to
// 14). Returns false when the user
// cancelled; nothing is changed then.
bool choosePrinterFont(QWidget* parent);

// 印刷 on the field-strength screen: an image of the screen, with the credit
// label black on paper and its screen colour again afterwards. No message on
// success; a printer that cannot print the image is reported, and so is a
// print that broke off or a PDF file that was not completely written.
void printFieldStrengthScreen(QWidget& screen, QLabel& creditLabel);

// Shows the print preview of the current printer, from which the user can
// print; `paint` draws the document on the printer it is given, with a
// painter of its own on that printer (not through printDocument(): in the
// preview the printer draws into the preview, whatever its output file).
void showPrintPreview(QWidget* parent, const std::function<void(QPrinter&)>& paint);

// The printer error message: a print broke off or its file is incomplete.
void showPrinterError(QWidget* parent);

// "このプリンターでは印刷できません。": a screen image cannot be printed.
QString cannotPrintImageText();

} // namespace miravel::print
