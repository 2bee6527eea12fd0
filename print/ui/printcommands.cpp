#include "print/ui/printcommands.h"

#include "common/programvalues.h"
#include "common/version.h"
#include "platform/hourglass.h"
#include "platform/platform.h"
#include "print/printtarget.h"
#include "print/ui/fontfit.h"
#include "print/ui/printer.h"
#include "print/ui/printerfontdialog.h"
#include "print/ui/printjob.h"
#include "print/ui/reportprinter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

using namespace miravel::common;
using namespace miravel::platform;

namespace miravel::print {

namespace PrintCommands {

Hooks& hooks() {
    static Hooks h;
    return h;
}

QString defaultPdfName() {
    if (DataName.isEmpty()) return QDir::home().filePath(programTitle() + QStringLiteral(".pdf"));
    const QFileInfo project(DataName);
    return project.dir().filePath(project.completeBaseName() + QStringLiteral(".pdf"));
}

} // namespace PrintCommands

namespace {

using PrintCommands::hooks;

bool printDialog(QPrinter& printer, QWidget* parent) {
    if (hooks().printDialog) return hooks().printDialog(printer);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString pdfFileDialog(QWidget* parent, const QString& presetName) {
    if (hooks().pdfFileDialog) return hooks().pdfFileDialog(presetName);
    QFileDialog dialog(parent, QStringLiteral("PDFファイルに印刷"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(
        {QStringLiteral("PDF ファイル (*.pdf)"), QStringLiteral("全てのファイル (*)")});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

std::optional<QFont> fontDialog(const QFont& initial, QWidget* parent) {
    if (hooks().fontDialog) return hooks().fontDialog(initial);
    PrinterFontDialog dialog(initial, currentPrinter(), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedFont();
}

// The chosen size in points; the dialog cannot limit its size list, so a
// size outside 6 to 14 is brought to the nearest limit.
float chosenSize(const QFont& font) {
    qreal size = font.pointSizeF();
    if (size <= 0) size = QFontInfo(font).pointSizeF(); // a font given in pixels
    return std::clamp(float(size), SmallestFontSize, LargestFontSize);
}

// A PDF file that is not a regular file (or a new one) is refused before
// anything opens it.
bool acceptPdfTarget(const QString& file, QWidget* parent) {
    if (isPdfTargetAllowed(file)) return true;
    Platform::message(parent, pdfTargetRefusedText(file), programTitle(), QMessageBox::Warning);
    return false;
}

void setTextColour(QLabel& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

} // namespace

bool selectPrinter(QWidget* parent) {
    return printDialog(currentPrinter(), parent);
}

bool choosePrinterFont(QWidget* parent) {
    const std::optional<QFont> chosen = fontDialog(printerFont().font(), parent);
    if (!chosen) return false;
    printerFont().family = chosen->family();
    Prt_FontSize = chosenSize(*chosen);
    printerFont().size = Prt_FontSize;
    printerFont().bold = chosen->bold();
    return true;
}

void printFieldStrengthScreen(QWidget& screen, QLabel& creditLabel) {
    if (!ensurePrintTarget(currentPrinter(), &screen)) return;
    const QPalette onScreen = creditLabel.palette();
    setTextColour(creditLabel, Qt::black);
    const PrintOutcome outcome = printWidgetImage(currentPrinter(), screen);
    creditLabel.setPalette(onScreen);
    if (outcome == PrintOutcome::CannotBegin)
        Platform::message(&screen, cannotPrintImageText(), programTitle());
    else if (outcome == PrintOutcome::Failed)
        showPrinterError(&screen);
}

void showPrintPreview(QWidget* parent, const std::function<void(QPrinter&)>& paint) {
    if (hooks().previewDialog) {
        hooks().previewDialog(paint);
        return;
    }
    QPrintPreviewDialog dialog(&currentPrinter(), parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* printer) { paint(*printer); });
    dialog.exec();
}

QString cannotPrintImageText() {
    return QStringLiteral("このプリンターでは印刷できません。");
}

void showPrinterError(QWidget* parent) {
    Platform::message(parent, printerErrorText(PrinterError(PrinterError::Failed)),
                      printerErrorTitle());
}

bool ensurePrintTarget(QPrinter& printer, QWidget* parent) {
    const bool unnamedPdf =
        printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty();
    if (!QPrinterInfo::availablePrinters().isEmpty() && !unnamedPdf) {
        const QString pdf = pdfFileOf(printer);
        return pdf.isEmpty() || acceptPdfTarget(pdf, parent);
    }
    const QString file = pdfFileDialog(parent, PrintCommands::defaultPdfName());
    if (file.isEmpty() || !acceptPdfTarget(file, parent)) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
}

bool printOnCurrentPrinter(QWidget* parent, const PaintDocument& paint) {
    QPrinter& printer = currentPrinter();
    if (!ensurePrintTarget(printer, parent)) return false;
    PrintOutcome outcome;
    {
        Hourglass hourglass(parent);
        outcome = printDocument(printer, paint);
    }
    if (outcome == PrintOutcome::Printed) return true;
    Platform::message(parent, printerErrorText(PrinterError(PrinterError::Failed)),
                      printerErrorTitle());
    return false;
}

} // namespace miravel::print
