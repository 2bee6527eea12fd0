#pragma once
// The user's profiles, profile choice and booster noise figures, kept in the
// program's settings (never in a project file).

#include "standard/criteria.h"

#include <QString>
#include <optional>

class QSettings;

namespace miravel::standard {

// The texts of one band's criterion as the settings dialog shows them: empty
// texts for "基準なし".
struct CriterionTexts {
    QString min;
    QString max;
    QString minCn;
};
CriterionTexts criterionTexts(const BandCriterion& criterion);
// The criterion the texts describe, or a Japanese message saying what is
// wrong: both range ends or neither, numbers only, min not above max.
struct CriterionParse {
    std::optional<BandCriterion> criterion;
    QString error;
};
CriterionParse parseCriterion(const CriterionTexts& texts);

// The stored profiles; the standard ones when nothing is stored or anything
// stored is unreadable (the stored set is checked whole first).
ProfileSet loadProfiles(QSettings& settings);
void saveProfiles(QSettings& settings, const ProfileSet& profiles);

// Outlet with BS/CS 2K unless another choice is stored.
ProfileId loadProfileChoice(QSettings& settings);
void saveProfileChoice(QSettings& settings, ProfileId id);

// The data-sheet values unless others are stored.
common::BandValues loadNoiseFigures(QSettings& settings);
void saveNoiseFigures(QSettings& settings, const common::BandValues& noiseFigures);

// The profile chosen last, with the user's criteria, from the program's
// settings.
Profile currentProfile();

// What the commands for scripts judge by: the profile and noise figures the
// screens last used, read from the settings once, at start.
struct JudgingSettings {
    Profile profile;
    common::BandValues noiseFigures{};
};
JudgingSettings loadJudgingSettings();

} // namespace miravel::standard
