#include "standard/profilestore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace miravel::common;
using namespace miravel::standard;

namespace {

class ProfileStore : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("miravel.ini")), QSettings::IniFormat};
};

TEST_F(ProfileStore, NothingStoredGivesTheStandard) {
    EXPECT_EQ(loadProfiles(settings), standardProfiles());
    EXPECT_EQ(loadProfileChoice(settings), (ProfileId{}));
    EXPECT_EQ(loadNoiseFigures(settings), (BandValues{8, 10, 8, 8}));
}

TEST_F(ProfileStore, EditedProfilesComeBack) {
    ProfileSet edited = standardProfiles();
    edited[1].bands[VHF] = {LevelRange{40.5, 70}, 20};
    edited[2].bands[BS].level.reset();
    edited[3].bands[CS].minCn.reset();
    saveProfiles(settings, edited);
    saveProfileChoice(settings, {MeasuringPoint::Receiver, SatelliteSystem::Uhd4K8K});
    saveNoiseFigures(settings, {7.5, 9, 6, 6.5});
    settings.sync();

    QSettings again(settings.fileName(), QSettings::IniFormat);
    EXPECT_EQ(loadProfiles(again), edited);
    EXPECT_EQ(loadProfileChoice(again),
              (ProfileId{MeasuringPoint::Receiver, SatelliteSystem::Uhd4K8K}));
    EXPECT_EQ(loadNoiseFigures(again), (BandValues{7.5, 9, 6, 6.5}));
}

// One bad value anywhere (a hand-edited settings file) and the whole stored
// set is set aside, never half applied.
TEST_F(ProfileStore, UnreadableStoredValuesFallBackWhole) {
    ProfileSet edited = standardProfiles();
    edited[0].bands[UHF].level = LevelRange{45, 85};
    saveProfiles(settings, edited);
    settings.setValue(QStringLiteral("standard/profile3/CS/max"), QStringLiteral("abc"));
    EXPECT_EQ(loadProfiles(settings), standardProfiles());

    settings.setValue(QStringLiteral("standard/profile3/CS/max"), QStringLiteral("10"));
    EXPECT_EQ(loadProfiles(settings), standardProfiles()) << "min above max";

    settings.setValue(QStringLiteral("standard/choice"), 7);
    EXPECT_EQ(loadProfileChoice(settings), (ProfileId{}));
    settings.setValue(QStringLiteral("standard/noiseFigures"),
                      QStringList{QStringLiteral("1"), QStringLiteral("x"), QStringLiteral("3"),
                                  QStringLiteral("4")});
    EXPECT_EQ(loadNoiseFigures(settings), (BandValues{8, 10, 8, 8}));
}

// Stored values of the wrong length: a bound that holds two values (as a
// hand-edited "50, 81" reads) and noise figures for three or five bands.
TEST_F(ProfileStore, StoredValuesOfTheWrongLengthAreRefused) {
    saveProfiles(settings, standardProfiles());
    const QStringList two{QStringLiteral("50"), QStringLiteral("81")};
    settings.setValue(QStringLiteral("standard/profile0/UHF/min"), two);
    settings.setValue(QStringLiteral("standard/profile0/UHF/max"), two);
    ProfileSet set = loadProfiles(settings);
    EXPECT_EQ(set[0].bands[UHF].level, (LevelRange{50, 81})) << "not read as no range";
    EXPECT_EQ(set, standardProfiles());

    for (const QStringList& figures :
         {QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
          QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                      QStringLiteral("4"), QStringLiteral("5")}}) {
        settings.setValue(QStringLiteral("standard/noiseFigures"), figures);
        EXPECT_EQ(loadNoiseFigures(settings), (BandValues{8, 10, 8, 8})) << figures.size();
    }
}

TEST(CriterionTexts, Parse) {
    struct Case {
        const char *min, *max, *cn;
        bool valid;
        std::optional<LevelRange> level;
        std::optional<double> minCn;
    };
    const Case cases[] = {
        {"50", "81", "24", true, LevelRange{50, 81}, 24},
        {" 47.5 ", "81", "", true, LevelRange{47.5, 81}, std::nullopt},
        {"", "", "", true, std::nullopt, std::nullopt},
        {"", "", "11", true, std::nullopt, 11},
        {"60", "60", "0", true, LevelRange{60, 60}, 0},
        {"60.01", "60", "", false, {}, {}},
        {"50", "", "", false, {}, {}},
        {"", "81", "", false, {}, {}},
        {"50dB", "81", "", false, {}, {}},
        {"50", "81", "--", false, {}, {}},
        {"1e400", "81", "", false, {}, {}},
    };
    for (const Case& c : cases) {
        const CriterionParse p = parseCriterion(
            {QString::fromUtf8(c.min), QString::fromUtf8(c.max), QString::fromUtf8(c.cn)});
        ASSERT_EQ(p.criterion.has_value(), c.valid) << c.min << '|' << c.max << '|' << c.cn;
        EXPECT_EQ(p.error.isEmpty(), c.valid);
        if (!p.criterion) continue;
        EXPECT_EQ(p.criterion->level, c.level);
        EXPECT_EQ(p.criterion->minCn, c.minCn);
        // What the dialog shows reads back as the same criterion.
        EXPECT_EQ(parseCriterion(criterionTexts(*p.criterion)).criterion, p.criterion);
    }
}

} // namespace
