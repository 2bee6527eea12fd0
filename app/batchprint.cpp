#include "app/batchprint.h"

#include "app/platform.h"
#include "app/screens.h"
#include "cli/commandline.h"
#include "print/printcommands.h"
#include "print/printer.h"
#include "project/projectcommands.h"
#include "terminal/tanmatu.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPrinter>

namespace {

// Where the PDF goes must be a file in an existing folder.
QString pdfTargetProblem(const QFileInfo& pdf) {
    if (pdf.isDir())
        return QStringLiteral("「%1」はフォルダーです。PDF ファイルの名前を指定してください。")
            .arg(pdf.filePath());
    if (!QFileInfo(pdf.absolutePath()).isDir())
        return QStringLiteral("PDF の保存先フォルダー「%1」がありません。").arg(pdf.absolutePath());
    return QString();
}

bool loadCalculateAndPrint(const QString& projectFile) {
    if (!loadProjectFile(nullptr, projectFile)) return false;
    tanmatu* screen = Screens::terminal();
    return screen->Keisan() && screen->Prt_Sub();
}

} // namespace

BatchResult printPdfCommand(const QString& pdfFile, const QString& projectFile) {
    const QFileInfo pdf(pdfFile);
    const QString problem = pdfTargetProblem(pdf);
    if (!problem.isEmpty()) return {ExitRefused, QString(), problem + u'\n'};

    const Platform::Hooks platformHooks = Platform::hooks();
    const PrintCommands::Hooks printHooks = PrintCommands::hooks();
    QString messages;
    Platform::hooks().message = [&messages](const Platform::Message& m) {
        messages += terminalMessage(m.text) + u'\n';
    };
    // Printing never asks: the report goes to the named PDF.
    PrintCommands::hooks().pdfFileDialog = [path = pdf.absoluteFilePath()](const QString&) {
        return path;
    };
    QPrinter& printer = currentPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf.absoluteFilePath());

    const bool printed = loadCalculateAndPrint(projectFile);

    Screens::closeWorkScreens();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Platform::hooks() = platformHooks;
    PrintCommands::hooks() = printHooks;
    return {printed ? ExitOk : ExitRefused, QString(), messages};
}
