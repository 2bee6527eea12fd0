// The field-strength screen's part of the project file: records 1 to 29.

#include "coax/ui/d_kbl.h"
#include "common/numformat.h"
#include "common/numval.h"
#include "common/programvalues.h"
#include "common/text.h"
#include "fieldstrength/ui/denkai.h"
#include "project/records.h"

using namespace miravel::coax;
using namespace miravel::common;
using namespace miravel::project;

namespace miravel::fieldstrength {

void Denkai::saveProjectFields(RecordWriter& out) {
    auto put = [&out](const QString& value) { out.writeRecord(trimBlanks(value)); };
    const auto* f = ui.get();
    put(f->Combo1->currentText());
    put(f->Text1->text());
    put(f->Combo2->currentText());
    put(f->Text2->text());
    put(f->Combo3->currentText());
    put(f->Text3->text());
    put(f->Combo4->currentText());
    for (QLineEdit* field : {f->Text4, f->Text5, f->Text6})
        put(field->text());
    f->UserControl11->d_sav(out);
    for (QLineEdit* field : {f->Text7, f->Text8, f->Text9, f->Text10, f->Text14, f->Text11,
                             f->Text12, f->Text13, f->Text15})
        put(field->text());
}

void Denkai::loadProjectFields(RecordReader& in) {
    const auto* f = ui.get();
    f->Combo1->setEditText(in.readRecord());
    f->Text1->setText(in.readRecord());
    f->Combo2->setEditText(in.readRecord());
    f->Text2->setText(in.readRecord());
    f->Combo3->setEditText(in.readRecord());
    f->Text3->setText(in.readRecord());
    f->Combo4->setEditText(in.readRecord());
    for (QLineEdit* field : {f->Text4, f->Text5, f->Text6})
        field->setText(in.readRecord());
    f->UserControl11->D_Load(in);
    for (QLineEdit* field : {f->Text7, f->Text8, f->Text9, f->Text10, f->Text14})
        field->setText(in.readRecord());
    QLineEdit* results[] = {f->Text11, f->Text12, f->Text13, f->Text15};
    for (int band = 0; band < BandCount; ++band) {
        const QString record = in.readRecord();
        results[band]->setText(Fmt2(record));
        Bst_Input[size_t(band)] = NumVal(record);
    }
}

void Denkai::clearProjectFields() {
    d_cls();
    ui->UserControl11->d_cls();
}

void Denkai::setProjectCaption(const QString& caption) {
    setWindowTitle(caption);
}

} // namespace miravel::fieldstrength
