#include "coax/ui/d_kbl.h"

#include "catalog/catalog.h"
#include "common/numval.h"
#include "common/programvalues.h"
#include "common/text.h"
#include "project/records.h"
#include "widgets/listpick.h"
#include "widgets/plainlabels.h"

#include <array>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::project;
using namespace miravel::widgets;

namespace miravel::coax {

namespace {

std::array<QLineEdit*, BandCount> lossFields(Ui::D_Kbl* ui) {
    return {ui->Text1, ui->Text2, ui->Text3, ui->Text4};
}

// The catalogue and the project file give losses per 100 m; the calculation
// wants them per metre.
double perMetre(const QString& lossPer100m) {
    return NumVal(lossPer100m) / 100.0;
}

} // namespace

D_Kbl::D_Kbl(QWidget* parent) : QWidget(parent), ui(new Ui::D_Kbl) {
    ui->setupUi(this);
    makeLabelsPlainText(this);
    connect(ListPick::attach(ui->Combo1), &ListPick::picked, this, &D_Kbl::Combo1_Click);
    UserControl_Initialize();
}

D_Kbl::~D_Kbl() = default;

void D_Kbl::UserControl_Initialize() {
    // The captions come with the form; the list comes from the catalogue.
    for (int row = 1; row <= CoaxTypeCount; ++row)
        ui->Combo1->addItem(Douziyuku_Mt(row, 0));
    ui->Combo1->setCurrentIndex(-1); // adding the items selected the first one
    d_cls();
}

void D_Kbl::Combo1_Click() {
    const int row = ui->Combo1->currentIndex() + 1;
    if (row < 1 || row > CoaxTypeCount) return;
    const auto fields = lossFields(ui.get());
    for (int band = 0; band < BandCount; ++band) {
        const QString& cell = Douziyuku_Mt(row, CoaxLossColumn[band]);
        fields[size_t(band)]->setText(cell);
        Kbl_Loss[size_t(band)] = perMetre(cell);
    }
}

void D_Kbl::d_cls() {
    for (QLineEdit* field : lossFields(ui.get()))
        field->clear();
    ui->Combo1->setEditText(QString());
}

void D_Kbl::d_sav(RecordWriter& out) const {
    out.writeRecord(trimBlanks(ui->Combo1->currentText()));
    for (QLineEdit* field : lossFields(ui.get()))
        out.writeRecord(trimBlanks(field->text()));
}

void D_Kbl::D_Load(RecordReader& in) {
    // Setting the text is not a pick: nothing is looked up in the catalogue.
    ui->Combo1->setEditText(in.readRecord());
    const auto fields = lossFields(ui.get());
    for (int band = 0; band < BandCount; ++band) {
        const QString record = in.readRecord();
        fields[size_t(band)]->setText(record);
        Kbl_Loss[size_t(band)] = perMetre(record);
    }
}

} // namespace miravel::coax
