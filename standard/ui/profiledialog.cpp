#include "standard/ui/profiledialog.h"

#include "common/version.h"
#include "platform/platform.h"
#include "standard/criteriaevents.h"
#include "standard/profilestore.h"

#include <QSettings>

using namespace miravel::common;
using namespace miravel::platform;

namespace miravel::standard {

ProfileDialog::ProfileDialog(QWidget* parent) : QDialog(parent), ui(new Ui::ProfileDialog) {
    ui->setupUi(this);
    for (const ProfileId id : allProfileIds())
        ui->ProfileCombo->addItem(profileName(id));
    QSettings settings;
    m_profiles = loadProfiles(settings);
    m_shown = profileIndex(loadProfileChoice(settings));
    ui->ProfileCombo->setCurrentIndex(m_shown);
    showProfile(m_shown);
    connect(ui->ProfileCombo, &QComboBox::activated, this, &ProfileDialog::profilePicked);
    connect(ui->OkButton, &QPushButton::clicked, this, &ProfileDialog::OkButton_Click);
    connect(ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->ResetButton, &QPushButton::clicked, this, &ProfileDialog::ResetButton_Click);
}

ProfileDialog::~ProfileDialog() = default;

std::array<QLineEdit*, 3> ProfileDialog::rowFields(int band) const {
    const std::array<std::array<QLineEdit*, 3>, BandCount> rows = {{
        {ui->MinVhf, ui->MaxVhf, ui->CnVhf},
        {ui->MinUhf, ui->MaxUhf, ui->CnUhf},
        {ui->MinBs, ui->MaxBs, ui->CnBs},
        {ui->MinCs, ui->MaxCs, ui->CnCs},
    }};
    return rows[size_t(band)];
}

void ProfileDialog::showProfile(int index) {
    m_shown = index;
    for (int b = 0; b < BandCount; ++b) {
        const CriterionTexts texts = criterionTexts(m_profiles[size_t(index)].bands[size_t(b)]);
        const auto fields = rowFields(b);
        fields[0]->setText(texts.min);
        fields[1]->setText(texts.max);
        fields[2]->setText(texts.minCn);
    }
}

// Every band of the shown profile is checked before any of it is taken.
bool ProfileDialog::takeShownProfile() {
    Profile edited = m_profiles[size_t(m_shown)];
    for (int b = 0; b < BandCount; ++b) {
        const auto fields = rowFields(b);
        const CriterionParse parse =
            parseCriterion({fields[0]->text(), fields[1]->text(), fields[2]->text()});
        if (!parse.criterion) {
            Platform::message(this, bandName(b) + QStringLiteral("：") + parse.error,
                              programTitle(), QMessageBox::Warning);
            fields[0]->setFocus();
            return false;
        }
        edited.bands[size_t(b)] = *parse.criterion;
    }
    m_profiles[size_t(m_shown)] = edited;
    return true;
}

void ProfileDialog::profilePicked(int index) {
    if (index == m_shown) return;
    if (!takeShownProfile()) {
        ui->ProfileCombo->setCurrentIndex(m_shown);
        return;
    }
    showProfile(index);
}

void ProfileDialog::OkButton_Click() {
    if (!takeShownProfile()) return;
    {
        QSettings settings;
        saveProfiles(settings, m_profiles);
    }
    accept();
    emit CriteriaEvents::instance().changed();
}

void ProfileDialog::ResetButton_Click() {
    m_profiles = standardProfiles();
    showProfile(m_shown);
}

} // namespace miravel::standard
