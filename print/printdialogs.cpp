#include "print/printdialogs.h"

#include "common/programvalues.h"
#include "common/version.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace PrintDialogs {

Hooks& hooks() {
    static Hooks h;
    return h;
}

QString defaultPdfName() {
    if (DataName.isEmpty()) return QDir::home().filePath(programTitle() + QStringLiteral(".pdf"));
    const QFileInfo project(DataName);
    return project.dir().filePath(project.completeBaseName() + QStringLiteral(".pdf"));
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

} // namespace PrintDialogs

bool ensurePrintTarget(QPrinter& printer, QWidget* parent) {
    const bool unnamedPdf =
        printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty();
    if (!QPrinterInfo::availablePrinters().isEmpty() && !unnamedPdf) return true;
    const QString file = PrintDialogs::pdfFileDialog(parent, PrintDialogs::defaultPdfName());
    if (file.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
}
