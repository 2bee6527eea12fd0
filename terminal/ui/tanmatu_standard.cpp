// The terminal-level screen's verdicts against the in-building standard: the
// verdict panel beside the results, the criteria settings, the level chart
// and the verdict sheet.

#include "terminal/ui/tanmatu.h"

#include "common/programvalues.h"
#include "common/version.h"
#include "platform/platform.h"
#include "print/ui/printcommands.h"
#include "print/ui/printer.h"
#include "project/projectevents.h"
#include "standard/profilestore.h"
#include "standard/ui/levelchartwindow.h"
#include "standard/ui/profiledialog.h"
#include "standard/ui/verdictpanel.h"
#include "standard/ui/verdictsheetprint.h"
#include "terminal/keisan.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QSettings>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;

namespace miravel::terminal {

namespace {

QAction* addItem(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void tanmatu::connectStandard() {
    verdicts = new VerdictPanel(this);
    verdicts->setObjectName(QStringLiteral("Verdicts"));
    ui->box_25->insertWidget(1, verdicts); // right of the result lines
    connect(&ProjectEvents::instance(), &ProjectEvents::fieldsReplaced, this,
            &tanmatu::refreshVerdicts);
    connect(verdicts, &VerdictPanel::profileChanged, this, &tanmatu::refreshChart);

    QMenu* menu = menuBar()->addMenu(QStringLiteral("判定"));
    menu->setObjectName(QStringLiteral("Hantei_m"));
    menu->menuAction()->setObjectName(menu->objectName());
    connect(addItem(menu, "Hantei_Set", QStringLiteral("判定基準の設定…")), &QAction::triggered,
            this, &tanmatu::Hantei_Set_Click);
    connect(addItem(menu, "Level_Chart", QStringLiteral("レベル配分図")), &QAction::triggered, this,
            &tanmatu::Level_Chart_Click);
    connect(addItem(menu, "Prt_Hantei", QStringLiteral("判定書印刷")), &QAction::triggered, this,
            &tanmatu::Prt_Hantei_Click);
    connect(addItem(menu, "Prt_Hantei_Preview", QStringLiteral("判定書印刷プレビュー")),
            &QAction::triggered, this, &tanmatu::Prt_Hantei_Preview_Click);
}

std::array<QString, BandCount> tanmatu::resultLines() const {
    std::array<QString, BandCount> lines;
    const auto labels = resultLabels();
    for (size_t b = 0; b < lines.size(); ++b)
        lines[b] = labels[b]->text();
    return lines;
}

void tanmatu::refreshVerdicts() {
    verdicts->showResults(resultLines());
    refreshChart();
}

void tanmatu::Hantei_Set_Click() {
    ProfileDialog dialog(this);
    dialog.exec();
}

std::array<ChartBandInput, BandCount> tanmatu::chartData() const {
    // The loss groups of the calculation that wrote the lines: this screen's
    // last one, or one of the fields as they are now when it writes the same
    // lines (a project loaded as it was saved after 計　算).
    return chartInputsOfLines(resultLines(), {lastCalculation, terminal::Keisan(fields())},
                              verdicts->profile());
}

QString tanmatu::chartHeading() const {
    QString heading = QStringLiteral("レベル配分図　") + profileName(verdicts->profile().id);
    if (!DataName.isEmpty()) heading += QStringLiteral("　") + QFileInfo(DataName).fileName();
    return heading;
}

void tanmatu::refreshChart() {
    if (chart) chart->setChart(chartData(), chartHeading());
}

void tanmatu::Level_Chart_Click() {
    if (!chart) chart = new LevelChartWindow(this);
    refreshChart();
    chart->show();
    chart->raise();
}

VerdictSheet tanmatu::verdictSheet() const {
    const Profile profile = verdicts->profile();
    QSettings settings;
    return {sheetHeading(DataName, text(TerminalField::CircuitName)->text(), profile),
            levelTable(profile, resultLines()),
            cnTable(profile, shownBoosterInputs(), loadNoiseFigures(settings)), chartData(),
            chartHeading()};
}

void tanmatu::Prt_Hantei_Click() {
    const VerdictSheet sheet = verdictSheet();
    const bool printed =
        printOnCurrentPrinter(this, [&sheet](QPainter& painter, QPagedPaintDevice& device) {
            paintVerdictSheetPage(painter, device, sheet);
            return true;
        });
    if (!printed) return;
    Platform::message(this, QStringLiteral("   印刷が終了しました。"),
                      QStringLiteral("　印刷メッセージ"));
}

void tanmatu::Prt_Hantei_Preview_Click() {
    showPrintPreview(this, [sheet = verdictSheet()](QPrinter& printer) {
        QPainter painter;
        if (painter.begin(&printer)) paintVerdictSheetPage(painter, printer, sheet);
    });
}

} // namespace miravel::terminal
