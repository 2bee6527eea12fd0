#include "project/ui/projectdata.h"

#include "app/screens.h"
#include "coax/ui/d_kbl.h"
#include "common/numformat.h"
#include "common/numval.h"
#include "common/programvalues.h"
#include "common/text.h"
#include "fieldstrength/ui/denkai.h"
#include "project/recordlayout.h"
#include "project/records.h"
#include "terminal/ui/tanmatu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using ProjectRecord::TerminalCountsAndLengths;
using ProjectRecord::TerminalUnitsAndLevels;

QLineEdit* terminalText(tanmatu* screen, int number) {
    return screen->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number));
}

QList<QLabel*> terminalResults(tanmatu* screen) {
    return {screen->ui->Label43, screen->ui->Label44, screen->ui->Label45, screen->ui->Label58};
}

} // namespace

void Data_Save(RecordWriter& out) {
    auto put = [&out](const QString& value) { out.writeRecord(trimBlanks(value)); };

    Denkai* fs = Screens::denkai();
    const auto* f = fs->ui;
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

    tanmatu* tm = Screens::terminal();
    for (int number : TerminalCountsAndLengths)
        put(terminalText(tm, number)->text());
    put(tm->ui->Combo3->currentText());
    for (int number : TerminalUnitsAndLevels)
        put(terminalText(tm, number)->text());
    out.writeRecord(tm->ui->Check1->isChecked() ? QStringLiteral("1") : QString());
    for (QLabel* result : terminalResults(tm))
        put(result->text());
    put(tm->ui->Text43->text());
    out.writeRecord(tm->ui->Label19->text());
    out.writeRecord(tm->ui->Label20->text());
}

void Data_Load(RecordReader& in) {
    Denkai* fs = Screens::denkai();
    const auto* f = fs->ui;
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

    tanmatu* tm = Screens::terminal();
    for (int number : TerminalCountsAndLengths)
        terminalText(tm, number)->setText(in.readRecord());
    tm->ui->Combo3->setEditText(in.readRecord());
    for (int number : TerminalUnitsAndLevels)
        terminalText(tm, number)->setText(in.readRecord());
    // Switching the option runs its change handling, which overrides the
    // booster levels just loaded with the loaded field-strength results.
    tm->ui->Check1->setChecked(NumVal(in.readRecord()) != 0);
    for (QLabel* result : terminalResults(tm))
        result->setText(in.readRecord());
    tm->ui->Text43->setText(in.readRecord());
    tm->ui->Label19->setText(in.readRecord());
    tm->ui->Label20->setText(in.readRecord());
}
