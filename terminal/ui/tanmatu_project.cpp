// The terminal-level screen's part of the project file: the records after
// the field-strength screen's, up to 67.

#include "common/numval.h"
#include "common/text.h"
#include "project/recordlayout.h"
#include "project/records.h"
#include "terminal/ui/tanmatu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;

namespace miravel::terminal {

namespace {

using ProjectRecord::TerminalCountsAndLengths;
using ProjectRecord::TerminalUnitsAndLevels;

QLineEdit* terminalText(tanmatu* screen, int number) {
    return screen->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number));
}

QList<QLabel*> terminalResults(tanmatu* screen) {
    QList<QLabel*> labels;
    for (const char* name : {"Label43", "Label44", "Label45", "Label58"})
        labels.append(screen->findChild<QLabel*>(QString::fromLatin1(name)));
    return labels;
}

} // namespace

void tanmatu::saveProjectFields(RecordWriter& out) {
    auto put = [&out](const QString& value) { out.writeRecord(trimBlanks(value)); };
    for (int number : TerminalCountsAndLengths)
        put(terminalText(this, number)->text());
    put(ui->Combo3->currentText());
    for (int number : TerminalUnitsAndLevels)
        put(terminalText(this, number)->text());
    out.writeRecord(ui->Check1->isChecked() ? QStringLiteral("1") : QString());
    for (QLabel* result : terminalResults(this))
        put(result->text());
    put(ui->Text43->text());
    out.writeRecord(ui->Label19->text());
    out.writeRecord(ui->Label20->text());
}

void tanmatu::loadProjectFields(RecordReader& in) {
    for (int number : TerminalCountsAndLengths)
        terminalText(this, number)->setText(in.readRecord());
    ui->Combo3->setEditText(in.readRecord());
    for (int number : TerminalUnitsAndLevels)
        terminalText(this, number)->setText(in.readRecord());
    // Switching the option runs its change handling, which overrides the
    // booster levels just loaded with the loaded field-strength results.
    ui->Check1->setChecked(NumVal(in.readRecord()) != 0);
    for (QLabel* result : terminalResults(this))
        result->setText(in.readRecord());
    ui->Text43->setText(in.readRecord());
    ui->Label19->setText(in.readRecord());
    ui->Label20->setText(in.readRecord());
}

void tanmatu::clearProjectFields() {
    Cls_MT();
    ui->Check1->setChecked(false);
    ui->Label19->setText(QStringLiteral("挿入損失"));
    ui->Label20->setText(QStringLiteral("結合損失"));
}

void tanmatu::setProjectCaption(const QString& caption) {
    setWindowTitle(caption);
}

} // namespace miravel::terminal
