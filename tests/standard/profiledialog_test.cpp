#include "standard/criteriaevents.h"
#include "standard/profilestore.h"
#include "standard/ui/profiledialog.h"
#include "support/testsupport.h"

#include <QSettings>

using namespace miravel::common;
using namespace miravel::platform;
using namespace miravel::standard;

namespace {

class CriteriaSettings : public ScreenTest {
protected:
    void SetUp() override {
        QSettings().clear();
        ScreenTest::SetUp();
    }
    void TearDown() override {
        ScreenTest::TearDown();
        QSettings().clear();
    }
    ProfileSet stored() {
        QSettings settings;
        return loadProfiles(settings);
    }
    static void type(QLineEdit* field, const char* text) {
        field->setText(QString::fromUtf8(text));
    }
};

TEST_F(CriteriaSettings, ShowsTheChosenProfileAndStoresEditsOnOk) {
    {
        QSettings settings;
        saveProfileChoice(settings, {MeasuringPoint::Outlet, SatelliteSystem::Uhd4K8K});
    }
    ProfileDialog dialog;
    EXPECT_EQ(named<QComboBox>(&dialog, "ProfileCombo")->currentIndex(), 1);
    EXPECT_EQ(QStringList({named<QLineEdit>(&dialog, "MinBs")->text(),
                           named<QLineEdit>(&dialog, "MaxBs")->text(),
                           named<QLineEdit>(&dialog, "CnBs")->text()}),
              QStringList({"54", "81", "13"}));
    EXPECT_EQ(QStringList({named<QLineEdit>(&dialog, "MinVhf")->text(),
                           named<QLineEdit>(&dialog, "MaxVhf")->text(),
                           named<QLineEdit>(&dialog, "CnVhf")->text()}),
              QStringList({"", "", ""}));

    int notices = 0;
    QObject::connect(&CriteriaEvents::instance(), &CriteriaEvents::changed, &dialog,
                     [&notices] { ++notices; });
    type(named<QLineEdit>(&dialog, "MinVhf"), "45");
    type(named<QLineEdit>(&dialog, "MaxVhf"), "80");
    pick(named<QComboBox>(&dialog, "ProfileCombo"),
         2); // receiver, 2K: the outlet edits are kept aside
    type(named<QLineEdit>(&dialog, "MinUhf"), "46.5");
    click(named<QPushButton>(&dialog, "OkButton"));

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(notices, 1);
    const ProfileSet profiles = stored();
    EXPECT_EQ(profiles[1].bands[VHF].level, (LevelRange{45, 80}));
    EXPECT_EQ(profiles[2].bands[UHF].level, (LevelRange{46.5, 81}));
    EXPECT_EQ(profiles[0], standardProfile({})) << "untouched profiles stay standard";
}

TEST_F(CriteriaSettings, BadEntryIsRefusedAndNothingIsStored) {
    ProfileDialog dialog;
    const struct {
        QLineEdit* field;
        const char* text;
    } bad[] = {{named<QLineEdit>(&dialog, "MinUhf"), "90"},
               {named<QLineEdit>(&dialog, "MaxBs"), ""},
               {named<QLineEdit>(&dialog, "CnCs"), "十一"}};
    for (const auto& b : bad) {
        const QString before = b.field->text();
        platform.messages.clear();
        type(b.field, b.text);
        click(named<QPushButton>(&dialog, "OkButton"));
        ASSERT_EQ(platform.messages.size(), 1) << b.text;
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        pick(named<QComboBox>(&dialog, "ProfileCombo"), 3);
        EXPECT_EQ(named<QComboBox>(&dialog, "ProfileCombo")->currentIndex(), 0)
            << "a bad entry keeps its profile shown";
        type(b.field, before.toUtf8().constData());
    }
    EXPECT_FALSE(QSettings().contains(QStringLiteral("standard/profile0/UHF/min")));
}

TEST_F(CriteriaSettings, ResetPutsBackTheStandard) {
    ProfileSet edited = standardProfiles();
    edited[0].bands[UHF].level = LevelRange{40, 90};
    edited[3].bands[BS].minCn = 20;
    {
        QSettings settings;
        saveProfiles(settings, edited);
    }
    ProfileDialog dialog;
    EXPECT_EQ(named<QLineEdit>(&dialog, "MinUhf")->text(), "40");
    click(named<QPushButton>(&dialog, "ResetButton"));
    EXPECT_EQ(named<QLineEdit>(&dialog, "MinUhf")->text(), "50");
    EXPECT_EQ(stored(), edited) << "stored only on ＯＫ";
    click(named<QPushButton>(&dialog, "OkButton"));
    EXPECT_EQ(stored(), standardProfiles());
}

} // namespace
