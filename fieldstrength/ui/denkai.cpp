#include "fieldstrength/ui/denkai.h"

#include "catalog/catalog.h"
#include "catalog/ui/boardentry.h"
#include "common/numformat.h"
#include "common/numval.h"
#include "common/programvalues.h"
#include "common/text.h"
#include "common/version.h"
#include "fieldstrength/fieldstrengthcalc.h"
#include "platform/frame.h"
#include "platform/platform.h"
#include "print/ui/printcommands.h"
#include "project/projectevents.h"
#include "project/ui/projectcommands.h"
#include "standard/ui/cnpanel.h"
#include "standard/ui/profiledialog.h"
#include "widgets/listpick.h"
#include "widgets/plainlabels.h"

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::widgets;

namespace miravel::fieldstrength {

namespace {

constexpr int VhfAntennaRows = 8;
constexpr int UhfAntennaRows = 6;
constexpr int MixerRows = 2;

// The list replaces whatever the model text held; adding items to an empty
// list would select the first one, so the text is emptied again afterwards.
void fillList(QComboBox* combo, const QStringList& items) {
    combo->setEditText(QString());
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

// The leading number of a catalogue cell as the shortest text: "4.0以上" -> "4".
QString cellNumber(const QString& cell) {
    return NumText(NumVal(cell));
}

} // namespace

Denkai::Denkai(QWidget* parent) : QMainWindow(parent), ui(new Ui::Denkai) {
    ui->setupUi(this);
    makeLabelsPlainText(this);
    setObjectName(QStringLiteral("Denkai"));
    connect(ListPick::attach(ui->Combo1), &ListPick::picked, this, &Denkai::Combo1_Click);
    connect(ListPick::attach(ui->Combo2), &ListPick::picked, this, &Denkai::Combo2_Click);
    connect(ListPick::attach(ui->Combo3), &ListPick::picked, this, &Denkai::Combo3_Click);
    connect(ListPick::attach(ui->Combo4), &ListPick::picked, this, &Denkai::Combo4_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &Denkai::Command2_Click);
    connect(ui->Command3, &QPushButton::clicked, this, &Denkai::Command3_Click);
    connectMenu();
    cn = new CnPanel(this);
    cn->setObjectName(QStringLiteral("CnGroup"));
    ui->resultsOuterLayout->addWidget(cn);
    setBoosterInputsShown({}); // the fields start empty
    connect(&ProjectEvents::instance(), &ProjectEvents::fieldsReplaced, this, [this] {
        // A loaded project brings the booster input levels it holds; a new one none.
        const QLineEdit* fields[BandCount] = {ui->Text11, ui->Text12, ui->Text13, ui->Text15};
        std::array<bool, BandCount> shown{};
        for (size_t b = 0; b < BandCount; ++b)
            shown[b] = !fields[b]->text().trimmed().isEmpty();
        setBoosterInputsShown(shown);
        cn->showInputLevels(shownBoosterInputs());
    });
    Form_Load();
}

Denkai::~Denkai() = default;

void Denkai::connectMenu() {
    connect(ui->p_new, &QAction::triggered, this, [this] { newProjectCommand(this); });
    connect(ui->d_sav, &QAction::triggered, this,
            [this] { saveProjectCommand(this, CommandOrigin::FieldStrength); });
    connect(ui->Prt, &QAction::triggered, this,
            [this] { printFieldStrengthScreen(*this, *ui->Label27); });
    connect(ui->Prt_set, &QAction::triggered, this, [this] { selectPrinter(this); });
    connect(ui->P_end, &QAction::triggered, this, &QWidget::close);
    connect(ui->d_sansiyou, &QAction::triggered, this, [] { BoardEntry::open(); });
    connect(ui->Ver, &QAction::triggered, this, [this] { showVersionMessage(this); });
    connect(ui->hp_sakusya, &QAction::triggered, this, [] { openHomePage(); });
    QMenu* criteria = menuBar()->addMenu(QStringLiteral("判定"));
    criteria->setObjectName(QStringLiteral("Hantei_m"));
    QAction* settings = criteria->addAction(QStringLiteral("判定基準の設定…"));
    settings->setObjectName(QStringLiteral("Hantei_Set"));
    connect(settings, &QAction::triggered, this, [this] { ProfileDialog(this).exec(); });
}

void Denkai::Form_Load() {
    d_cls();
    // The fixed captions come with the form; the credit line is the program's.
    ui->Label27->setText(creditLine());

    QStringList vhf, uhf, mixers;
    for (int row = 1; row <= VhfAntennaRows; ++row)
        vhf << VAnt_Mt(row, 2);
    for (int row = 1; row <= UhfAntennaRows; ++row)
        uhf << UAnt_Mt(row, 2);
    for (int row = 1; row <= MixerRows; ++row)
        mixers << Kongou_Mt(row, 0, 0);
    fillList(ui->Combo1, vhf);
    fillList(ui->Combo2, uhf);
    fillList(ui->Combo3, {QStringLiteral("BSA-75"), QStringLiteral("BSA-90")});
    fillList(ui->Combo4, mixers);

    setWindowTitle(DataName.isEmpty() ? fieldStrengthCaption()
                                      : withDataName(fieldStrengthCaption()));
}

void Denkai::Combo1_Click() {
    const int row = ui->Combo1->currentIndex() + 1;
    if (row >= 1 && row <= VhfAntennaRows) ui->Text1->setText(cellNumber(VAnt_Mt(row, 5)));
}

void Denkai::Combo2_Click() {
    const int row = ui->Combo2->currentIndex() + 1;
    if (row >= 1 && row <= UhfAntennaRows) ui->Text2->setText(cellNumber(UAnt_Mt(row, 5)));
}

void Denkai::Combo3_Click() {
    ui->Text3->setText(ui->Combo3->currentIndex() == 0 ? QStringLiteral("37.4")
                                                       : QStringLiteral("39.0"));
}

void Denkai::Combo4_Click() {
    const int row = ui->Combo4->currentIndex() + 1;
    if (row < 1 || row > MixerRows) return;
    ui->Text4->setText(cellNumber(Kongou_Mt(row, 1, 1)));
    ui->Text5->setText(cellNumber(Kongou_Mt(row, 2, 1)));
    ui->Text6->setText(cellNumber(Kongou_Mt(row, 3, 1)));
}

void Denkai::Command2_Click() {
    FieldStrengthInput input;
    input.vhfGain = ui->Text1->text();
    input.uhfGain = ui->Text2->text();
    input.mixerVhf = ui->Text4->text();
    input.mixerUhf = ui->Text5->text();
    input.mixerBs = ui->Text6->text();
    input.length = ui->Text7->text();
    input.ev = ui->Text8->text();
    input.eu = ui->Text9->text();
    input.ebs = ui->Text10->text();
    input.ecs = ui->Text14->text();

    // Nothing is written until every level could be formed, so a refused
    // calculation leaves the previous results and Bst_Input as they were.
    const FieldStrengthResult result = calculateFieldStrength(input, Kbl_Loss);
    if (!result.ok()) {
        Platform::message(this, outOfRangeMessage(*result.outOfRange), programTitle(),
                          QMessageBox::Warning);
        return;
    }
    Bst_Input = result.levels;
    setBoosterInputsShown({true, true, true, true});
    ui->Text11->setText(Fmt2(result.levels[VHF]));
    ui->Text12->setText(Fmt2(result.levels[UHF]));
    ui->Text13->setText(Fmt2(result.levels[BS]));
    ui->Text15->setText(Fmt2(result.levels[CS]));
    cn->showInputLevels(shownBoosterInputs());
}

void Denkai::Command3_Click() {
    close();
}

void Denkai::d_cls() {
    for (QLineEdit* field : {ui->Text1, ui->Text2, ui->Text3, ui->Text4, ui->Text5, ui->Text6,
                             ui->Text7, ui->Text11, ui->Text12, ui->Text13, ui->Text15})
        field->clear();
    ui->Text8->setText(QStringLiteral("75"));
    ui->Text9->setText(QStringLiteral("75"));
    ui->Text10->setText(QStringLiteral("80"));
    ui->Text14->setText(QStringLiteral("80"));
    for (QComboBox* model : {ui->Combo1, ui->Combo2, ui->Combo3, ui->Combo4})
        model->setEditText(QString());
}

} // namespace miravel::fieldstrength
