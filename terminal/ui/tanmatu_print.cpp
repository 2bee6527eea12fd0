// The print commands of the terminal-level screen: the data report, the
// screen image, its preview and the printer settings.

#include "terminal/ui/tanmatu.h"

#include "common/errors.h"
#include "common/version.h"
#include "platform/hourglass.h"
#include "platform/platform.h"
#include "print/report.h"
#include "print/ui/fontfit.h"
#include "print/ui/printcommands.h"
#include "print/ui/printer.h"
#include "print/ui/reportprinter.h"

#include <QPainter>
#include <QPrinter>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;

namespace miravel::terminal {

void tanmatu::connectPrintCommands() {
    connect(ui->Prtdata_Insatu, &QAction::triggered, this, &tanmatu::Prtdata_Insatu_Click);
    connect(ui->Prt, &QAction::triggered, this, &tanmatu::Prt_Click);
    connect(ui->Prt_set, &QAction::triggered, this, [this] { selectPrinter(this); });
    connect(ui->Prt_Font, &QAction::triggered, this, [this] { choosePrinterFont(this); });

    // A look at the report before it goes to paper, and printing from there.
    auto* preview = new QAction(QStringLiteral("印刷プレビュー"), this);
    preview->setObjectName(QStringLiteral("Prt_Preview"));
    ui->Prt_m1->addAction(preview); // after 印刷　（画面）
    connect(preview, &QAction::triggered, this, &tanmatu::Prt_Preview_Click);
}

bool tanmatu::fitReportFont() {
    const float size = Font_Fit(Prt_FontSize);
    if (size == 0) {
        Platform::message(this, QStringLiteral("印刷に合うフォントサイズが有りません。"),
                          QStringLiteral("プリンターメッセージ"), QMessageBox::Question);
        return false;
    }
    printerFont().size = size;
    return true;
}

// The report is built before anything is asked or printed; a number beyond
// what it can print ends the command here.
std::optional<Report> tanmatu::buildReport() {
    try {
        return terminalReport(fields(), DataName, ReportMargin);
    } catch (const RunTimeError&) {
        Platform::message(this, reportTooLargeText(), programTitle());
        return std::nullopt;
    }
}

bool tanmatu::Prt_Sub() {
    if (!fitReportFont()) return false;
    const std::optional<Report> report = buildReport();
    if (!report) return false;
    QPrinter& printer = currentPrinter();
    if (!ensurePrintTarget(printer, this)) return false;
    Hourglass hourglass(this);
    Prt_Indent = ReportMargin;
    Total_Loss = report->totalLoss;
    try {
        paintReport(printer, report->lines, printerFont().font());
    } catch (const PrinterError& error) {
        Platform::message(this, printerErrorText(error), printerErrorTitle());
        return false;
    }
    return true;
}

void tanmatu::Prtdata_Insatu_Click() {
    // The calculation shows its own messages; the report computes its own
    // rows from the same fields, so a failed calculation does not stop it.
    Keisan();
    if (!Prt_Sub()) return;
    Platform::message(this,
                      QStringLiteral("   印刷が終了しました。  ") +
                          (Prt_Indent ? QString::number(*Prt_Indent) : QString()),
                      QStringLiteral("   　印刷メッセージ"));
}

void tanmatu::Prt_Click() {
    QPrinter& printer = currentPrinter();
    if (!ensurePrintTarget(printer, this)) return;
    PrintOutcome outcome = PrintOutcome::Failed;
    {
        Hourglass hourglass(this);
        setLabelColours(true);
        outcome = printWidgetImage(printer, *this);
        setLabelColours(false);
    }
    if (outcome == PrintOutcome::CannotBegin) {
        Platform::message(this, cannotPrintImageText() + QStringLiteral("486"), programTitle());
        return;
    }
    if (outcome == PrintOutcome::Failed) {
        showPrinterError(this);
        return;
    }
    Platform::message(this, QStringLiteral("   印刷が終了しました。"),
                      QStringLiteral("　印刷メッセージ"));
}

void tanmatu::Prt_Preview_Click() {
    Keisan();
    if (!fitReportFont()) return;
    const std::optional<Report> report = buildReport();
    if (!report) return;
    Prt_Indent = ReportMargin;
    Total_Loss = report->totalLoss;
    const QFont font = printerFont().font();
    // The preview lends its engine to the program's printer: drawn on that
    // printer directly, not as a document of its own (which would be
    // written into the printer's PDF file).
    showPrintPreview(this, [lines = report->lines, font](QPrinter& printer) {
        QPainter painter(&printer);
        paintReportPages(painter, printer, lines, font);
    });
}

} // namespace miravel::terminal
