#include "standard/ui/cnpanel.h"

#include "common/numformat.h"
#include "common/numval.h"
#include "common/version.h"
#include "platform/platform.h"
#include "standard/criteriaevents.h"
#include "standard/profilestore.h"
#include "standard/ui/verdictstyle.h"
#include "standard/verdictsheet.h"

#include <QSettings>
#include <cmath>

using namespace miravel::common;
using namespace miravel::platform;

namespace miravel::standard {

namespace {

// Noise figures outside this are typing errors, not boosters.
constexpr double LargestNoiseFigure = 60;

} // namespace

CnPanel::CnPanel(QWidget* parent) : QGroupBox(parent), ui(new Ui::CnPanel) {
    ui->setupUi(this);
    QSettings settings;
    m_noiseFigures = loadNoiseFigures(settings);
    const auto fields = noiseFields();
    for (int b = 0; b < BandCount; ++b) {
        fields[size_t(b)]->setText(NumText(m_noiseFigures[size_t(b)]));
        connect(fields[size_t(b)], &QLineEdit::editingFinished, this,
                [this, b] { noiseFigureEdited(b); });
    }
    connect(&CriteriaEvents::instance(), &CriteriaEvents::changed, this, &CnPanel::showResults);
    clearResults();
}

CnPanel::~CnPanel() = default;

std::array<QLineEdit*, BandCount> CnPanel::noiseFields() const {
    return {ui->NfVhf, ui->NfUhf, ui->NfBs, ui->NfCs};
}

void CnPanel::showInputLevels(const BoosterInputs& inputLevels) {
    m_inputLevels = inputLevels;
    showResults();
}

void CnPanel::clearResults() {
    m_inputLevels = {};
    showResults();
}

// A noise figure must be a number from 0 to 60 dB; anything else is refused
// with a message and the field shows the figure in use again.
void CnPanel::noiseFigureEdited(int band) {
    QLineEdit* field = noiseFields()[size_t(band)];
    const QString text = field->text().trimmed();
    const bool valid = isNumberText(text) && numberTextValue(text) >= 0 &&
                       numberTextValue(text) <= LargestNoiseFigure;
    if (!valid) {
        field->setText(NumText(m_noiseFigures[size_t(band)]));
        Platform::message(this, QStringLiteral("NF には 0 から 60 までの数値を入力してください。"),
                          programTitle(), QMessageBox::Warning);
        return;
    }
    if (numberTextValue(text) == m_noiseFigures[size_t(band)]) return;
    m_noiseFigures[size_t(band)] = numberTextValue(text);
    QSettings settings;
    saveNoiseFigures(settings, m_noiseFigures);
    showResults();
}

void CnPanel::showResults() {
    const Profile profile = currentProfile();
    ui->ProfileLabel->setText(QStringLiteral("判定基準：") + profileName(profile.id));
    const std::array<QLabel*, BandCount> cn = {ui->CnVhf, ui->CnUhf, ui->CnBs, ui->CnCs};
    const std::array<QLabel*, BandCount> verdicts = {ui->CnVerdictVhf, ui->CnVerdictUhf,
                                                     ui->CnVerdictBs, ui->CnVerdictCs};
    for (int b = 0; b < BandCount; ++b) {
        const auto& minCn = profile.bands[size_t(b)].minCn;
        const CnRow row =
            cnRow(b, profile.id.system, m_inputLevels[size_t(b)], m_noiseFigures[size_t(b)], minCn);
        cn[size_t(b)]->setText(cnText(row));
        showVerdict(verdicts[size_t(b)], row.judgement);
        verdicts[size_t(b)]->setText(cnVerdictText(row));
        verdicts[size_t(b)]->setToolTip(QStringLiteral("C/N ") + minimumText(minCn) +
                                        QStringLiteral("（Nth ") + Fmt2(row.thermalNoise) +
                                        QStringLiteral(" dBμV）"));
    }
}

} // namespace miravel::standard
