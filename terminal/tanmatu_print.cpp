// The print commands of the terminal-level screen: the data report, the
// screen image, its preview and the printer settings.

#include "terminal/tanmatu.h"

#include "app/hourglass.h"
#include "app/platform.h"
#include "common/errors.h"
#include "common/version.h"
#include "print/fontfit.h"
#include "print/printcommands.h"
#include "print/printer.h"
#include "print/report.h"
#include "print/reportprinter.h"

#include <QPrinter>

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

std::optional<QStringList> tanmatu::reportLines() {
    Prt_Indent = ReportMargin;
    try {
        const Report report = terminalReport(fields(), DataName, *Prt_Indent);
        Total_Loss = report.totalLoss;
        return report.lines;
    } catch (const RunTimeError& e) {
        // Inputs the calculation got through but the report cannot print
        // (e.g. more through units than it can count).
        Platform::message(this, QStringLiteral("error") + QString::number(e.number()),
                          programTitle());
        return std::nullopt;
    }
}

bool tanmatu::Prt_Sub() {
    if (!fitReportFont()) return false;
    QPrinter& printer = currentPrinter();
    if (!ensurePrintTarget(printer, this)) return false;
    Hourglass hourglass(this);
    const std::optional<QStringList> lines = reportLines();
    if (!lines) return false;
    try {
        paintReport(printer, *lines, printerFont().font());
    } catch (const PrinterError& error) {
        Platform::message(this, printerErrorText(error), printerErrorTitle());
        return false;
    }
    return true;
}

void tanmatu::Prtdata_Insatu_Click() {
    // A calculation stopped by a run-time error has shown its message; the
    // report would stop at the same input.
    if (!Keisan()) return;
    if (!Prt_Sub()) return;
    Platform::message(this,
                      QStringLiteral("   印刷が終了しました。  ") +
                          (Prt_Indent ? QString::number(*Prt_Indent) : QString()),
                      QStringLiteral("   　印刷メッセージ"));
}

void tanmatu::Prt_Click() {
    QPrinter& printer = currentPrinter();
    if (!ensurePrintTarget(printer, this)) return;
    bool printed = false;
    {
        Hourglass hourglass(this);
        setLabelColours(true);
        printed = printWidgetImage(printer, *this);
        setLabelColours(false);
    }
    if (!printed) {
        Platform::message(this, cannotPrintImageText() + QStringLiteral("486"), programTitle());
        return;
    }
    Platform::message(this, QStringLiteral("   印刷が終了しました。"),
                      QStringLiteral("　印刷メッセージ"));
}

void tanmatu::Prt_Preview_Click() {
    if (!Keisan() || !fitReportFont()) return;
    const std::optional<QStringList> lines = reportLines();
    if (!lines) return;
    const QFont font = printerFont().font();
    showPrintPreview(this, [this, lines = *lines, font](QPrinter& printer) {
        try {
            paintReport(printer, lines, font);
        } catch (const PrinterError& error) {
            Platform::message(this, printerErrorText(error), printerErrorTitle());
        }
    });
}
