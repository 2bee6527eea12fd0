#pragma once
// The C/N group of the field-strength screen: the booster's noise figure per
// band (kept in the program's settings), the C/N that the booster input
// levels leave, and its verdict against the chosen profile's minimum.

#include "common/programvalues.h"
#include "standard/verdictsheet.h"

#include <QGroupBox>
#include <array>

// The form comes with the widget; tests find its controls by objectName.
#include "ui_cnpanel.h"
#include <memory>

class QLabel;
class QLineEdit;

namespace miravel::standard {

class CnPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit CnPanel(QWidget* parent = nullptr);
    ~CnPanel() override;

    // C/N and verdicts for these booster input levels (VHF, UHF, BS, CS); a
    // band without one says "未計算" in grey.
    void showInputLevels(const BoosterInputs& inputLevels);
    // No levels to judge: every band "未計算".
    void clearResults();

private:
    std::unique_ptr<Ui::CnPanel> ui;
    void noiseFigureEdited(int band);
    void showResults();
    std::array<QLineEdit*, common::BandCount> noiseFields() const;

    common::BandValues m_noiseFigures{};
    BoosterInputs m_inputLevels;
};

} // namespace miravel::standard
