#include "app/batchprint.h"

#include "app/screens.h"
#include "cli/clitext.h"
#include "cli/commandline.h"
#include "cli/networklevels.h"
#include "common/oserror.h"
#include "common/wholefile.h"
#include "platform/platform.h"
#include "print/ui/printcommands.h"
#include "print/ui/printer.h"
#include "project/ui/projectcommands.h"
#include "terminal/ui/tanmatu.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace miravel::cli;
using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace miravel::app {

using namespace miravel::cli;

namespace {

// Why the PDF cannot be written there (permission, a read-only folder), found
// by opening it for writing without changing it (a new name is created and
// removed again); "" when it can be written.
QString unwritableReason(const QFileInfo& pdf) {
    const QByteArray name = QFile::encodeName(pdf.absoluteFilePath());
    const bool exists = pdf.exists();
    const int fd = exists ? ::open(name.constData(), O_WRONLY | O_NONBLOCK)
                          : ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        return CliText::tr("「%1」に書き込めません: %2")
            .arg(pdf.absoluteFilePath(), systemErrorText(errno));
    ::close(fd);
    if (!exists) ::unlink(name.constData());
    return QString();
}

// Where the PDF goes must be a writable file in an existing folder, and not
// the project itself.
QString pdfTargetProblem(const QFileInfo& pdf, const QString& projectFile) {
    if (isNetworkFile(projectFile))
        return CliText::tr("--print-pdf で印刷できるのは計算データ（.tvd）だけです。"
                           "「%1」は建物の配線網のファイルです。")
            .arg(projectFile);
    if (pdf.isDir())
        return CliText::tr("「%1」はフォルダーです。PDF ファイルの名前を指定してください。")
            .arg(pdf.filePath());
    if (!QFileInfo(pdf.absolutePath()).isDir())
        return CliText::tr("PDF の保存先フォルダー「%1」がありません。").arg(pdf.absolutePath());
    if (sameFile(pdf.filePath(), projectFile))
        return CliText::tr("PDF の出力先「%1」は読み込むデータファイルそのものです。"
                           "別の名前を指定してください。")
            .arg(pdf.filePath());
    return unwritableReason(pdf);
}

bool loadCalculateAndPrint(ScreenSet& screens, const QString& projectFile) {
    if (!loadProjectFile(nullptr, projectFile)) return false;
    tanmatu* screen = screens.terminal();
    return screen->Keisan() && screen->Prt_Sub();
}

} // namespace

BatchResult printPdfCommand(ScreenSet& screens, const QString& pdfFile,
                            const QString& projectFile) {
    const QFileInfo pdf(pdfFile);
    const QString problem = pdfTargetProblem(pdf, projectFile);
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

    // The report names its file as 読み込み does: by its absolute path.
    const bool printed = loadCalculateAndPrint(screens, QFileInfo(projectFile).absoluteFilePath());

    screens.closeWorkScreens();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Platform::hooks() = platformHooks;
    PrintCommands::hooks() = printHooks;
    return {printed ? ExitOk : ExitRefused, QString(), messages};
}

} // namespace miravel::app
