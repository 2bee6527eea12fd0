#include "network/ui/boosterfields.h"

#include "common/numval.h"
#include "network/definitionrows.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

using namespace miravel::common;

namespace miravel::network {

namespace {

const char* const ColumnKeys[] = {"Gain", "Nf", "MaxOutput", "MinInput"};
const char* const ColumnHeadings[] = {"利得 (dB)", "NF (dB)", "最大出力", "最小入力"};
const char* const BandKeys[NetBandCount] = {"VHF", "UHF", "BS", "CS", "Left"};

} // namespace

BoosterFields::BoosterFields(QWidget* parent) : QGroupBox(QStringLiteral("ブースター"), parent) {
    setObjectName(QStringLiteral("boosterFields"));
    auto* grid = new QGridLayout(this);
    for (int c = 0; c < Columns; ++c)
        grid->addWidget(new QLabel(QString::fromUtf8(ColumnHeadings[c])), 0, c + 1);
    for (int b = 0; b < NetBandCount; ++b) {
        grid->addWidget(new QLabel(netBandName(b)), b + 1, 0);
        for (int c = 0; c < Columns; ++c) {
            auto* edit = new QLineEdit;
            edit->setObjectName(QStringLiteral("booster%1%2Edit")
                                    .arg(QLatin1String(ColumnKeys[c]), QLatin1String(BandKeys[b])));
            connect(edit, &QLineEdit::editingFinished, this, &BoosterFields::edited);
            grid->addWidget(edit, b + 1, c + 1);
            m_edits[size_t(b)][size_t(c)] = edit;
        }
    }
}

void BoosterFields::setSpec(const BoosterSpec& sheet) {
    for (size_t b = 0; b < NetBandCount; ++b) {
        m_edits[b][0]->setText(lossText(sheet.gain[b]));
        m_edits[b][1]->setText(NumText(sheet.noiseFigure[b]));
        m_edits[b][2]->setText(NumText(sheet.maxOutput[b]));
        m_edits[b][3]->setText(NumText(sheet.minInput[b]));
    }
}

std::optional<BoosterSpec> BoosterFields::sheet(QString* problem) const {
    BoosterSpec sheet;
    for (size_t b = 0; b < NetBandCount; ++b) {
        const QString gain = m_edits[b][0]->text().trimmed();
        bool ok = gain.isEmpty() || isNumberText(gain);
        if (ok && !gain.isEmpty()) sheet.gain[b] = NumVal(gain);
        NetBandValues* values[] = {&sheet.noiseFigure, &sheet.maxOutput, &sheet.minInput};
        for (int c = 1; c < Columns; ++c) {
            const QString text = m_edits[b][size_t(c)]->text().trimmed();
            ok = ok && isNumberText(text);
            if (ok) (*values[c - 1])[b] = NumVal(text);
        }
        if (!ok) {
            *problem = QStringLiteral("ブースターの %1 の値は数値で入力してください"
                                      "（利得が空欄の帯域は通しません）。")
                           .arg(netBandName(int(b)));
            return std::nullopt;
        }
    }
    return sheet;
}

BoosterSpec defaultBoosterSpec() {
    BoosterSpec sheet;
    sheet.gain = {25.0, 25.0, 30.0, 30.0, 30.0};
    sheet.noiseFigure = {8, 10, 8, 8, 8};
    sheet.maxOutput = {105, 105, 105, 105, 105};
    sheet.minInput = {50, 50, 50, 50, 50};
    return sheet;
}

} // namespace miravel::network
