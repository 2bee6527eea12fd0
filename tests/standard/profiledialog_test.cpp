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
    auto* ui = dialog.ui.get();
    EXPECT_EQ(ui->ProfileCombo->currentIndex(), 1);
    EXPECT_EQ(QStringList({ui->MinBs->text(), ui->MaxBs->text(), ui->CnBs->text()}),
              QStringList({"54", "81", "13"}));
    EXPECT_EQ(QStringList({ui->MinVhf->text(), ui->MaxVhf->text(), ui->CnVhf->text()}),
              QStringList({"", "", ""}));

    int notices = 0;
    QObject::connect(&CriteriaEvents::instance(), &CriteriaEvents::changed, &dialog,
                     [&notices] { ++notices; });
    type(ui->MinVhf, "45");
    type(ui->MaxVhf, "80");
    pick(ui->ProfileCombo, 2); // receiver, 2K: the outlet edits are kept aside
    type(ui->MinUhf, "46.5");
    click(ui->OkButton);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(notices, 1);
    const ProfileSet profiles = stored();
    EXPECT_EQ(profiles[1].bands[VHF].level, (LevelRange{45, 80}));
    EXPECT_EQ(profiles[2].bands[UHF].level, (LevelRange{46.5, 81}));
    EXPECT_EQ(profiles[0], standardProfile({})) << "untouched profiles stay standard";
}

TEST_F(CriteriaSettings, BadEntryIsRefusedAndNothingIsStored) {
    ProfileDialog dialog;
    auto* ui = dialog.ui.get();
    const struct {
        QLineEdit* field;
        const char* text;
    } bad[] = {{ui->MinUhf, "90"}, {ui->MaxBs, ""}, {ui->CnCs, "十一"}};
    for (const auto& b : bad) {
        const QString before = b.field->text();
        platform.messages.clear();
        type(b.field, b.text);
        click(ui->OkButton);
        ASSERT_EQ(platform.messages.size(), 1) << b.text;
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        pick(ui->ProfileCombo, 3);
        EXPECT_EQ(ui->ProfileCombo->currentIndex(), 0) << "a bad entry keeps its profile shown";
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
    EXPECT_EQ(dialog.ui->MinUhf->text(), "40");
    click(dialog.ui->ResetButton);
    EXPECT_EQ(dialog.ui->MinUhf->text(), "50");
    EXPECT_EQ(stored(), edited) << "stored only on ＯＫ";
    click(dialog.ui->OkButton);
    EXPECT_EQ(stored(), standardProfiles());
}

} // namespace
