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
        screen = appScreens().denkai();
        appScreens().show(screen);
    }
    void calculate() { click(named<QPushButton>(screen, "Command2")); }
    void typeNoiseFigure(QLineEdit* field, const char* text) {
        field->setText(QString::fromUtf8(text));
        emit field->editingFinished();
    }
    QStringList cnTexts() const {
        return {named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnVhf")->text(),
                named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnUhf")->text(),
                named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnBs")->text(),
                named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnCs")->text()};
    }
    QStringList verdictTexts() const {
        return {named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnVerdictVhf")->text(),
                named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnVerdictUhf")->text(),
                named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnVerdictBs")->text(),
                named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnVerdictCs")->text()};
    }

    Denkai* screen = nullptr;
};

// The start outputs 75, 75, 80, 80 reach the booster unchanged; with the
// data-sheet noise figures: 75 - 8 - 2.26, 75 - 10 - 2.26, 80 - 8 - 9.38.
TEST_F(BoosterCn, CalculationShowsCnWithDataSheetNoiseFigures) {
    EXPECT_EQ(QStringList({named<QLineEdit>(named<CnPanel>(screen, "CnGroup"), "NfVhf")->text(),
                           named<QLineEdit>(named<CnPanel>(screen, "CnGroup"), "NfUhf")->text(),
                           named<QLineEdit>(named<CnPanel>(screen, "CnGroup"), "NfBs")->text(),
                           named<QLineEdit>(named<CnPanel>(screen, "CnGroup"), "NfCs")->text()}),
              QStringList({"8", "10", "8", "8"}));
    EXPECT_EQ(cnTexts(), QStringList({"", "", "", ""})) << "nothing before 計　算";
    EXPECT_EQ(verdictTexts(), QStringList({"未計算", "未計算", "未計算", "未計算"}));
    EXPECT_EQ(named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnVerdictUhf")
                  ->palette()
                  .color(QPalette::WindowText),
              verdictColour({}));
    calculate();
    EXPECT_EQ(cnTexts(), QStringList({"64.74", "62.74", "62.62", "62.62"}));
    EXPECT_EQ(verdictTexts(), QStringList({"基準なし", "適合", "適合", "適合"}));
    EXPECT_TRUE(named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnVerdictUhf")
                    ->toolTip()
                    .contains(QStringLiteral("24.00 dB 以上")));
}

TEST_F(BoosterCn, NoiseFiguresChangeTheCnAndAreKept) {
    calculate();
    typeNoiseFigure(named<QLineEdit>(named<CnPanel>(screen, "CnGroup"), "NfUhf"), "20");
    typeNoiseFigure(named<QLineEdit>(named<CnPanel>(screen, "CnGroup"), "NfBs"), "7.5");
    EXPECT_EQ(cnTexts(), QStringList({"64.74", "52.74", "63.12", "62.62"}));

    screen->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    open();
    EXPECT_EQ(named<QLineEdit>(named<CnPanel>(screen, "CnGroup"), "NfUhf")->text(), "20");
    EXPECT_EQ(named<QLineEdit>(named<CnPanel>(screen, "CnGroup"), "NfBs")->text(), "7.5");
}

TEST_F(BoosterCn, BadNoiseFigureIsRefusedAndChangesNothing) {
    calculate();
    for (const char* bad : {"abc", "-1", "61", ""}) {
        platform.messages.clear();
        typeNoiseFigure(named<QLineEdit>(named<CnPanel>(screen, "CnGroup"), "NfUhf"), bad);
        EXPECT_EQ(named<QLineEdit>(named<CnPanel>(screen, "CnGroup"), "NfUhf")->text(), "10")
            << bad;
        EXPECT_EQ(named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnUhf")->text(), "62.74")
            << bad;
        ASSERT_EQ(platform.messages.size(), 1) << bad;
        EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("NF")));
    }
    QSettings settings;
    EXPECT_EQ(loadNoiseFigures(settings), (BandValues{8, 10, 8, 8}));
}

// BS 25 dBμV at the booster leaves 25 - 8 - 9.38 = 7.62 dB under 2K, short
// of 11; 4K8K measures the noise in 33.7561 MHz: 25 - 8 - 10.06 = 6.94 dB,
// short of 13.
TEST_F(BoosterCn, LowInputFailsAgainstTheChosenMinimum) {
    named<QLineEdit>(screen, "Text10")->setText(QStringLiteral("25"));
    calculate();
    EXPECT_EQ(named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnBs")->text(), "7.62");
    EXPECT_EQ(named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnVerdictBs")->text(),
              "不足 −3.38 dB");
    {
        QSettings settings;
        saveProfileChoice(settings, {MeasuringPoint::Outlet, SatelliteSystem::Uhd4K8K});
    }
    calculate();
    EXPECT_EQ(named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnBs")->text(), "6.94");
    EXPECT_EQ(named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnVerdictBs")->text(),
              "不足 −6.06 dB");
    EXPECT_TRUE(named<QLabel>(named<CnPanel>(screen, "CnGroup"), "CnVerdictCs")
                    ->toolTip()
                    .contains(QStringLiteral("Nth 10.06 dBμV")));
    EXPECT_TRUE(named<QLabel>(named<CnPanel>(screen, "CnGroup"), "ProfileLabel")
                    ->text()
                    .contains(QStringLiteral("4K8K")));
}

TEST_F(BoosterCn, NewProjectClearsTheCnAndLoadBringsItBack) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cn.tvd"));
    named<QLineEdit>(screen, "Text9")->setText(QStringLiteral("70"));
    calculate();
    platform.fileAnswers << file;
    saveProjectCommand(screen, CommandOrigin::FieldStrength);
    newProjectCommand(screen);
    EXPECT_EQ(cnTexts(), QStringList({"", "", "", ""}));
    EXPECT_EQ(verdictTexts(), QStringList({"未計算", "未計算", "未計算", "未計算"}));
    platform.fileAnswers << file;
    loadProjectCommand(appScreens().menu());
    EXPECT_EQ(cnTexts(), QStringList({"64.74", "57.74", "62.62", "62.62"}));
}

} // namespace
