#include "terminal/ui/tanmatu.h"

#include "catalog/catalog.h"
#include "catalog/ui/boardentry.h"
#include "common/numformat.h"
#include "common/text.h"
#include "common/version.h"
#include "platform/frame.h"
#include "platform/platform.h"
#include "project/ui/projectcommands.h"
#include "standard/ui/verdictpanel.h"
#include "terminal/keisan.h"
#include "widgets/listpick.h"
#include "widgets/plainlabels.h"

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::widgets;

namespace miravel::terminal {

namespace {

namespace F = TerminalField;

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);
const QColor Cyan(0, 255, 255);
const QColor Yellow(255, 255, 0);

void setTextColour(QWidget* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void clearCombo(QComboBox* combo) {
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

} // namespace

tanmatu::tanmatu(QWidget* parent) : QMainWindow(parent), ui(new Ui::tanmatu) {
    ui->setupUi(this);
    makeLabelsPlainText(this);
    for (int n = 1; n <= 43; ++n)
        m_text[size_t(n)] = findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
    // A submenu's own item is an action as well; it carries the submenu's
    // name so that every menu item can be found by name.
    for (QMenu* menu : {ui->System_m, ui->Prt_m1, ui->Prt_m2, ui->Ver})
        menu->menuAction()->setObjectName(menu->objectName());
    setLabelColours(false);
    setWindowTitle(terminalStartCaption());
    connectHandlers();
    watchCountFields();
    connectStandard();
    addNetworkMenu();
    Form_Load();
}

tanmatu::~tanmatu() = default;

void tanmatu::connectHandlers() {
    connect(ListPick::attach(ui->Combo1), &ListPick::picked, this, &tanmatu::Combo1_Click);
    connect(ListPick::attach(ui->Combo2), &ListPick::picked, this, &tanmatu::Combo2_Click);
    connect(ListPick::attach(ui->Combo3), &ListPick::picked, this, &tanmatu::Combo3_Click);
    connect(ui->Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option1_Click();
    });
    connect(ui->Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option2_Click();
    });
    connect(ui->Check1, &QCheckBox::stateChanged, this, &tanmatu::Check1_Click);
    connect(ui->Command1, &QPushButton::clicked, this, &tanmatu::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &tanmatu::Command2_Click);

    connect(ui->New_cls, &QAction::triggered, this, &tanmatu::New_cls_Click);
    connect(ui->d_sav, &QAction::triggered, this,
            [this] { saveProjectCommand(this, CommandOrigin::Terminal); });
    connect(ui->P_end, &QAction::triggered, this, &tanmatu::Command2_Click);
    connect(ui->D_sansyou, &QAction::triggered, this, [] { BoardEntry::open(); });
    connect(ui->Ver_s, &QAction::triggered, this, [this] { showVersionMessage(this); });
    connect(ui->hp_sakusya, &QAction::triggered, this, [] { openHomePage(); });
    connectPrintCommands();
}

void tanmatu::Form_Load() {
    Cls_MT();

    ui->Combo1->setEditText(QString());
    for (int m = 1; m <= 6; ++m)
        ui->Combo1->addItem(Bunpai_Mt(m, 0, 0));
    clearCombo(ui->Combo1);
    const std::array<QLabel*, 3> distributorNames = {ui->Label1, ui->Label2, ui->Label3};
    for (int m = 1; m <= 3; ++m)
        distributorNames[size_t(m - 1)]->setText(Bunpai_Mt(m, 0, 0));

    ui->Option1->setChecked(true);

    ui->Combo2->setEditText(QString());
    for (int m = 1; m <= 4; ++m)
        ui->Combo2->addItem(Bunki_Mt(m, 1, 0));
    clearCombo(ui->Combo2);
    ui->Option1->setText(QStringLiteral("挿入損失"));
    ui->Option2->setText(QStringLiteral("分岐結合損失"));

    ui->Combo3->setEditText(QString());
    for (int i = 0; i < SeriesUnitListCount; ++i)
        ui->Combo3->addItem(seriesUnitTypeName(i));
    clearCombo(ui->Combo3);
    ui->Label19->setText(QStringLiteral("挿入損失"));
    ui->Label20->setText(QStringLiteral("結合損失"));

    const std::array<QLabel*, CoaxTypeCount> coaxNames = {
        ui->Label46, ui->Label47, ui->Label48, ui->Label49, ui->Label50, ui->Label51, ui->Label52};
    for (int c = 1; c <= CoaxTypeCount; ++c)
        coaxNames[size_t(c - 1)]->setText(Douziyuku_Mt(c, 0));
    ui->Label53->setText(creditLine());
    for (QLabel* label : resultLabels())
        label->clear();

    if (!DataName.isEmpty()) setWindowTitle(withDataName(terminalCaption()));
}

void tanmatu::Cls_MT() {
    for (int n = 1; n <= 43; ++n)
        text(n)->clear();
    for (QComboBox* combo : {ui->Combo1, ui->Combo2, ui->Combo3})
        clearCombo(combo);
    for (QLabel* label : resultLabels())
        label->clear();
}

void tanmatu::Combo1_Click(int index) {
    const int m = index + 1;
    const int lookUp[BandCount] = {1, 2, 3, 7};
    for (int b = 0; b < BandCount; ++b)
        text(lookUp[b])->setText(Bunpai_Mt(m, b + 1, 1));
}

void tanmatu::Combo2_Click(int index) {
    const int m = index + 1;
    int property = 0;
    if (ui->Option2->isChecked())
        property = 3; // branch coupling loss
    else if (ui->Option1->isChecked())
        property = 2; // insertion loss
    else
        return;
    const int lookUp[BandCount] = {8, 9, 10, 34};
    for (int b = 0; b < BandCount; ++b)
        text(lookUp[b])->setText(Bunki_Mt(m, b + 1, property));
}

// A look-up always shows the kind that was selected when it was made.
void tanmatu::Option1_Click() {
    for (int n : {8, 9, 10, 34})
        text(n)->clear();
    ui->Combo2->setEditText(QString());
}

void tanmatu::Option2_Click() {
    Option1_Click();
}

void tanmatu::Combo3_Click(int index) {
    const int t = index + 1;
    text(F::UnitCount)->clear();
    ui->Label19->setText(QStringLiteral("挿入損失"));
    ui->Label20->setText(QStringLiteral("結合損失"));
    if (t >= 1 && t <= SeriesUnitTypeCount) {
        // Row 1 is the feed-through unit, row 2 the end unit of the type.
        const CatalogTable& table = seriesUnitTable(t);
        for (int b = 0; b < BandCount; ++b) {
            text(F::UnitThroughLoss[b])->setText(table(1, b + 1, 2));
            text(F::UnitTakeOffLoss[b])->setText(table(2, b + 1, 3));
        }
    } else if (t > SeriesUnitTypeCount && t <= SeriesUnitTypeCount + 4) {
        for (int b = 0; b < BandCount; ++b) {
            text(F::UnitThroughLoss[b])->setText(QStringLiteral("--"));
            text(F::UnitTakeOffLoss[b])->setText(Tanshi_Mt(t - SeriesUnitTypeCount, b + 1, 2));
        }
        text(F::UnitCount)->setText(QStringLiteral("1"));
        ui->Label19->clear();
        ui->Label20->setText(QStringLiteral("挿入損失"));
    }
}

void tanmatu::Check1_Click() {
    const bool fromAntennas = ui->Check1->isChecked();
    for (int b = 0; b < BandCount; ++b)
        text(F::BoosterLevel[b])
            ->setText(fromAntennas ? Fmt2(Bst_Input[size_t(b)]) : QStringLiteral("105"));
}

void tanmatu::Command1_Click() {
    Keisan();
}

void tanmatu::Command2_Click() {
    close();
}

void tanmatu::New_cls_Click() {
    newProjectCommand(this);
    ui->Check1->setChecked(false);
}

TerminalFields tanmatu::fields() const {
    TerminalFields f;
    for (int n = 1; n <= 43; ++n)
        f[n] = text(n)->text();
    // After a project load the text names the type without a pick, so the
    // type is the list item whose text matches exactly. Whatever else the
    // box shows (typed text, a picked name edited since) means no type is
    // chosen; typing never completes a name, so a part of one stays a part.
    f.combo3Text = ui->Combo3->currentText();
    f.combo3Index = -1;
    for (int i = 0; i < ui->Combo3->count(); ++i)
        if (ui->Combo3->itemText(i) == f.combo3Text) {
            f.combo3Index = i;
            break;
        }
    return f;
}

bool tanmatu::Keisan() {
    const KeisanResult r = terminal::Keisan(fields());
    lastCalculation = r;
    Bunpai_Loss = r.Bunpai_Loss;
    Bunki_Loss = r.Bunki_Loss;
    Yunit_Pass = r.Yunit_Pass;
    Yunit_End = r.Yunit_End;
    Yunit_Loss = r.Yunit_Loss;
    Douziyuku_Loss = r.Douziyuku_Loss;
    Douziyuku_Total = r.Douziyuku_Total;
    Total_Loss = r.Total_Loss;
    const auto labels = resultLabels();
    for (size_t b = 0; b < labels.size(); ++b)
        if (r.resultText[b]) labels[b]->setText(*r.resultText[b]);
    refreshVerdicts();

    if (r.errorNumber != 0) {
        Platform::message(this, QStringLiteral("error") + QString::number(r.errorNumber),
                          programTitle());
        return false;
    }
    if (r.coaxWarning)
        Platform::message(this, coaxWarningText(), coaxWarningTitle(), QMessageBox::Warning);
    return true;
}

std::array<QLabel*, BandCount> tanmatu::resultLabels() const {
    return {ui->Label43, ui->Label44, ui->Label45, ui->Label58};
}

void tanmatu::setLabelColours(bool forPrinting) {
    const auto colour = [forPrinting](const QColor& onScreen) {
        return forPrinting ? QColor(Qt::black) : onScreen;
    };
    for (QLabel* label : {ui->Label40, ui->Label41, ui->Label42, ui->Label57})
        setTextColour(label, colour(Blue));
    for (QLabel* label : {ui->Label43, ui->Label44, ui->Label45, ui->Label58, ui->Label71,
                          ui->Label72, ui->Label73})
        setTextColour(label, colour(Red));
    setTextColour(ui->Label74, colour(Cyan));
    // The credit line stays on black; it turns white for printing.
    QPalette palette = ui->Label53->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, forPrinting ? QColor(Qt::white) : Yellow);
    ui->Label53->setPalette(palette);
    ui->Label53->setAutoFillBackground(true);
    if (verdicts) verdicts->setForPrinting(forPrinting);
}

} // namespace miravel::terminal
