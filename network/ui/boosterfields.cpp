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

void BoosterFields::setSpec(const BoosterSpec& spec) {
    for (size_t b = 0; b < NetBandCount; ++b) {
        m_edits[b][0]->setText(lossText(spec.gain[b]));
        m_edits[b][1]->setText(NumText(spec.noiseFigure[b]));
        m_edits[b][2]->setText(NumText(spec.maxOutput[b]));
        m_edits[b][3]->setText(NumText(spec.minInput[b]));
    }
}

std::optional<BoosterSpec> BoosterFields::spec(QString* problem) const {
    BoosterSpec spec;
    for (size_t b = 0; b < NetBandCount; ++b) {
        const QString gain = m_edits[b][0]->text().trimmed();
        bool ok = gain.isEmpty() || isNumberText(gain);
        if (ok && !gain.isEmpty()) spec.gain[b] = NumVal(gain);
        NetBandValues* values[] = {&spec.noiseFigure, &spec.maxOutput, &spec.minInput};
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
    return spec;
}

BoosterSpec defaultBoosterSpec() {
    BoosterSpec spec;
    spec.gain = {25.0, 25.0, 30.0, 30.0, 30.0};
    spec.noiseFigure = {8, 10, 8, 8, 8};
    spec.maxOutput = {105, 105, 105, 105, 105};
    spec.minInput = {50, 50, 50, 50, 50};
    return spec;
}

} // namespace miravel::network
