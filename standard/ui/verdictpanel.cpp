#include "standard/ui/verdictpanel.h"

#include "standard/criteriaevents.h"
#include "standard/judgement.h"
#include "standard/profilestore.h"
#include "standard/ui/verdictstyle.h"

#include <QSettings>

using namespace miravel::common;

namespace miravel::standard {

VerdictPanel::VerdictPanel(QWidget* parent) : QGroupBox(parent), ui(new Ui::VerdictPanel) {
    ui->setupUi(this);
    for (const MeasuringPoint point : {MeasuringPoint::Outlet, MeasuringPoint::Receiver})
        ui->PointCombo->addItem(pointName(point));
    for (const SatelliteSystem system : {SatelliteSystem::Hd2K, SatelliteSystem::Uhd4K8K})
        ui->SystemCombo->addItem(systemName(system));
    QSettings settings;
    const ProfileId id = loadProfileChoice(settings);
    ui->PointCombo->setCurrentIndex(int(id.point));
    ui->SystemCombo->setCurrentIndex(int(id.system));
    m_profile = loadProfiles(settings)[size_t(profileIndex(id))];
    connect(ui->PointCombo, &QComboBox::activated, this, &VerdictPanel::choiceChanged);
    connect(ui->SystemCombo, &QComboBox::activated, this, &VerdictPanel::choiceChanged);
    connect(&CriteriaEvents::instance(), &CriteriaEvents::changed, this,
            &VerdictPanel::reloadProfiles);
    judge();
}

VerdictPanel::~VerdictPanel() = default;

void VerdictPanel::showResults(const std::array<QString, BandCount>& resultLines) {
    m_lines = resultLines;
    judge();
}

void VerdictPanel::reloadProfiles() {
    QSettings settings;
    const ProfileId id = loadProfileChoice(settings);
    ui->PointCombo->setCurrentIndex(int(id.point));
    ui->SystemCombo->setCurrentIndex(int(id.system));
    m_profile = loadProfiles(settings)[size_t(profileIndex(id))];
    judge();
    emit profileChanged();
}

void VerdictPanel::setForPrinting(bool forPrinting) {
    m_forPrinting = forPrinting;
    judge();
}

void VerdictPanel::choiceChanged() {
    const ProfileId id{MeasuringPoint(ui->PointCombo->currentIndex()),
                       SatelliteSystem(ui->SystemCombo->currentIndex())};
    {
        QSettings settings;
        saveProfileChoice(settings, id);
    }
    emit CriteriaEvents::instance().changed(); // reloads this panel too
}

void VerdictPanel::judge() {
    // The 4K8K bands judged here are the right-hand circular ones; say so.
    ui->RightHandNote->setVisible(m_profile.id.system == SatelliteSystem::Uhd4K8K);
    const auto verdicts = verdictLabels();
    const auto windows = windowLabels();
    for (size_t b = 0; b < BandCount; ++b) {
        const BandCriterion& criterion = m_profile.bands[b];
        const auto line = parseLevelLine(m_lines[b]);
        if (!line) {
            clearVerdict(verdicts[b]);
            windows[b]->clear();
            continue;
        }
        showVerdict(verdicts[b], judgeLevel(line->terminal, criterion.level));
        if (m_forPrinting) setTextColour(verdicts[b], Qt::black);
        verdicts[b]->setToolTip(profileName(m_profile.id) + QStringLiteral("　") +
                                bandName(int(b)) + QStringLiteral("　") +
                                rangeText(criterion.level));
        windows[b]->setText(windowText(boosterWindow(line->loss, criterion.level)));
    }
}

std::array<QLabel*, BandCount> VerdictPanel::verdictLabels() const {
    return {ui->VerdictVhf, ui->VerdictUhf, ui->VerdictBs, ui->VerdictCs};
}

std::array<QLabel*, BandCount> VerdictPanel::windowLabels() const {
    return {ui->WindowVhf, ui->WindowUhf, ui->WindowBs, ui->WindowCs};
}

} // namespace miravel::standard
