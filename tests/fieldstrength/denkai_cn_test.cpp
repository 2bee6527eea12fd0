#include "app/menu.h"
#include "app/screens.h"
#include "common/programvalues.h"
#include "fieldstrength/ui/denkai.h"
#include "project/ui/projectcommands.h"
#include "standard/profilestore.h"
#include "standard/ui/cnpanel.h"
#include "standard/ui/verdictstyle.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

using namespace miravel::app;
using namespace miravel::common;
using namespace miravel::fieldstrength;
using namespace miravel::platform;
using namespace miravel::project;
using namespace miravel::standard;

namespace {

class BoosterCn : public ScreenTest {
protected:
    void SetUp() override {
        QSettings().clear();
        ScreenTest::SetUp();
        open();
    }
    void TearDown() override {
        ScreenTest::TearDown();
        QSettings().clear();
    }
    void open() {
        screen = Screens::denkai();
        Screens::show(screen);
        cn = screen->cn->ui.get();
    }
    void calculate() { click(screen->ui->Command2); }
    void typeNoiseFigure(QLineEdit* field, const char* text) {
        field->setText(QString::fromUtf8(text));
        emit field->editingFinished();
    }
    QStringList cnTexts() const {
        return {cn->CnVhf->text(), cn->CnUhf->text(), cn->CnBs->text(), cn->CnCs->text()};
    }
    QStringList verdictTexts() const {
        return {cn->CnVerdictVhf->text(), cn->CnVerdictUhf->text(), cn->CnVerdictBs->text(),
                cn->CnVerdictCs->text()};
    }

    Denkai* screen = nullptr;
    Ui::CnPanel* cn = nullptr;
};

// The start outputs 75, 75, 80, 80 reach the booster unchanged; with the
// data-sheet noise figures: 75 - 8 - 2.26, 75 - 10 - 2.26, 80 - 8 - 9.38.
TEST_F(BoosterCn, CalculationShowsCnWithDataSheetNoiseFigures) {
    EXPECT_EQ(
        QStringList({cn->NfVhf->text(), cn->NfUhf->text(), cn->NfBs->text(), cn->NfCs->text()}),
        QStringList({"8", "10", "8", "8"}));
    EXPECT_EQ(cnTexts(), QStringList({"", "", "", ""})) << "nothing before 計　算";
    EXPECT_EQ(verdictTexts(), QStringList({"未計算", "未計算", "未計算", "未計算"}));
    EXPECT_EQ(cn->CnVerdictUhf->palette().color(QPalette::WindowText), verdictColour({}));
    calculate();
    EXPECT_EQ(cnTexts(), QStringList({"64.74", "62.74", "62.62", "62.62"}));
    EXPECT_EQ(verdictTexts(), QStringList({"基準なし", "適合", "適合", "適合"}));
    EXPECT_TRUE(cn->CnVerdictUhf->toolTip().contains(QStringLiteral("24.00 dB 以上")));
}

TEST_F(BoosterCn, NoiseFiguresChangeTheCnAndAreKept) {
    calculate();
    typeNoiseFigure(cn->NfUhf, "20");
    typeNoiseFigure(cn->NfBs, "7.5");
    EXPECT_EQ(cnTexts(), QStringList({"64.74", "52.74", "63.12", "62.62"}));

    screen->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    open();
    EXPECT_EQ(cn->NfUhf->text(), "20");
    EXPECT_EQ(cn->NfBs->text(), "7.5");
}

TEST_F(BoosterCn, BadNoiseFigureIsRefusedAndChangesNothing) {
    calculate();
    for (const char* bad : {"abc", "-1", "61", ""}) {
        platform.messages.clear();
        typeNoiseFigure(cn->NfUhf, bad);
        EXPECT_EQ(cn->NfUhf->text(), "10") << bad;
        EXPECT_EQ(cn->CnUhf->text(), "62.74") << bad;
        ASSERT_EQ(platform.messages.size(), 1) << bad;
        EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("NF")));
    }
    QSettings settings;
    EXPECT_EQ(loadNoiseFigures(settings), (BandValues{8, 10, 8, 8}));
}

// BS 25 dBμV at the booster leaves 25 - 8 - 9.38 = 7.62 dB: short of 11
// for 2K and of 13 for 4K8K.
TEST_F(BoosterCn, LowInputFailsAgainstTheChosenMinimum) {
    screen->ui->Text10->setText(QStringLiteral("25"));
    calculate();
    EXPECT_EQ(cn->CnBs->text(), "7.62");
    EXPECT_EQ(cn->CnVerdictBs->text(), "不足 −3.38 dB");
    {
        QSettings settings;
        saveProfileChoice(settings, {MeasuringPoint::Outlet, SatelliteSystem::Uhd4K8K});
    }
    calculate();
    EXPECT_EQ(cn->CnVerdictBs->text(), "不足 −5.38 dB");
    EXPECT_TRUE(cn->ProfileLabel->text().contains(QStringLiteral("4K8K")));
}

TEST_F(BoosterCn, NewProjectClearsTheCnAndLoadBringsItBack) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cn.tvd"));
    screen->ui->Text9->setText(QStringLiteral("70"));
    calculate();
    platform.fileAnswers << file;
    saveProjectCommand(screen, CommandOrigin::FieldStrength);
    newProjectCommand(screen);
    EXPECT_EQ(cnTexts(), QStringList({"", "", "", ""}));
    EXPECT_EQ(verdictTexts(), QStringList({"未計算", "未計算", "未計算", "未計算"}));
    platform.fileAnswers << file;
    loadProjectCommand(Screens::menu());
    EXPECT_EQ(cnTexts(), QStringList({"64.74", "57.74", "62.62", "62.62"}));
}

} // namespace
