#include "coax/ui/d_kbl.h"
#include "common/errors.h"
#include "common/programvalues.h"
#include "project/records.h"
#include "support/testsupport.h"

#include <QTest>
#include <memory>

using namespace miravel::coax;
using namespace miravel::common;
using namespace miravel::platform;
using namespace miravel::project;

namespace {

class CoaxControl : public ScreenTest {
protected:
    std::unique_ptr<D_Kbl> control = std::make_unique<D_Kbl>();

    QStringList lossTexts() const {
        return {named<QLineEdit>(control.get(), "Text1")->text(),
                named<QLineEdit>(control.get(), "Text2")->text(),
                named<QLineEdit>(control.get(), "Text3")->text(),
                named<QLineEdit>(control.get(), "Text4")->text()};
    }
    void expectKblLoss(const BandValues& expected) const {
        for (int band = 0; band < BandCount; ++band)
            EXPECT_DOUBLE_EQ(Kbl_Loss[size_t(band)], expected[size_t(band)]) << "band " << band;
    }
};

TEST_F(CoaxControl, StartsEmptyWithTheSevenTypesListed) {
    const QStringList types = {"５C-2V",   "７C-2V",   "S-5C-FB",  "S-7C-FB",
                               "S-5C-HFL", "S-7C-HFL", "S-10C-HFL"};
    ASSERT_EQ(named<QComboBox>(control.get(), "Combo1")->count(), types.size());
    for (int i = 0; i < types.size(); ++i)
        EXPECT_EQ(named<QComboBox>(control.get(), "Combo1")->itemText(i), types[i]);
    EXPECT_TRUE(named<QComboBox>(control.get(), "Combo1")->isEditable());
    EXPECT_EQ(named<QComboBox>(control.get(), "Combo1")->currentText(), "");
    EXPECT_EQ(lossTexts(), QStringList({"", "", "", ""}));
    EXPECT_EQ(named<QGroupBox>(control.get(), "Frame1")->title(), "同軸ｹｰﾌﾞﾙ");
    EXPECT_EQ(QStringList({named<QLabel>(control.get(), "Label1")->text(),
                           named<QLabel>(control.get(), "Label2")->text(),
                           named<QLabel>(control.get(), "Label3")->text(),
                           named<QLabel>(control.get(), "Label7")->text()}),
              QStringList({"VHF", "UHF", "BS", "CS"}));
    for (QLabel* unit :
         {named<QLabel>(control.get(), "Label4"), named<QLabel>(control.get(), "Label5"),
          named<QLabel>(control.get(), "Label6"), named<QLabel>(control.get(), "Label8")})
        EXPECT_EQ(unit->text(), "db/100m");
    expectKblLoss({0, 0, 0, 0});
}

TEST_F(CoaxControl, PickShowsTheBandColumnsAndSetsLossPerMetre) {
    struct Case {
        QStringList texts;
        BandValues perMetre;
    };
    const Case cases[] = {
        {{"13.0", "26.0", "--", "--"}, {0.13, 0.26, 0, 0}},
        {{"10.5", "22.0", "--", "--"}, {0.105, 0.22, 0, 0}},
        {{"11.1", "21.9", "31.1", "37.8"}, {0.111, 0.219, 0.311, 0.378}},
        {{"8.1", "16.4", "23.3", "29.4"}, {0.081, 0.164, 0.233, 0.294}},
        {{"9.5", "18.4", "25.3", "31.9"}, {0.095, 0.184, 0.253, 0.319}},
        {{"6.6", "13.3", "17.3", "21.9"}, {0.066, 0.133, 0.173, 0.219}},
        {{"5.0", "10.1", "13.4", "17.6"}, {0.05, 0.101, 0.134, 0.176}},
    };
    for (int index = 0; index < int(std::size(cases)); ++index) {
        SCOPED_TRACE(index);
        Kbl_Loss = {9, 9, 9, 9}; // a "--" cell must give 0, not keep the old value
        pick(named<QComboBox>(control.get(), "Combo1"), index);
        EXPECT_EQ(named<QComboBox>(control.get(), "Combo1")->currentText(),
                  named<QComboBox>(control.get(), "Combo1")->itemText(index));
        EXPECT_EQ(lossTexts(), cases[index].texts);
        expectKblLoss(cases[index].perMetre);
    }
}

TEST_F(CoaxControl, TypingAndSettingTextsLookNothingUp) {
    pick(named<QComboBox>(control.get(), "Combo1"), 3); // S-7C-FB
    QTest::keyClicks(named<QComboBox>(control.get(), "Combo1")->lineEdit(), "X");
    named<QComboBox>(control.get(), "Combo1")->setEditText("S-10C-HFL");
    named<QComboBox>(control.get(), "Combo1")->setCurrentIndex(6);
    QTest::keyClicks(named<QLineEdit>(control.get(), "Text1"), "5");
    named<QLineEdit>(control.get(), "Text2")->setText("99");
    EXPECT_EQ(named<QLineEdit>(control.get(), "Text1")->text(), "8.15");
    EXPECT_EQ(named<QComboBox>(control.get(), "Combo1")->count(), 7);
    expectKblLoss({0.081, 0.164, 0.233, 0.294});
}

TEST_F(CoaxControl, ClearEmptiesTheTextsButKeepsLossPerMetre) {
    pick(named<QComboBox>(control.get(), "Combo1"), 6);
    control->d_cls();
    EXPECT_EQ(named<QComboBox>(control.get(), "Combo1")->currentText(), "");
    EXPECT_EQ(lossTexts(), QStringList({"", "", "", ""}));
    EXPECT_EQ(named<QComboBox>(control.get(), "Combo1")->count(), 7);
    expectKblLoss({0.05, 0.101, 0.134, 0.176});
    // The list still works after a clear, the same item included.
    pick(named<QComboBox>(control.get(), "Combo1"), 6);
    EXPECT_EQ(named<QLineEdit>(control.get(), "Text4")->text(), "17.6");
}

TEST_F(CoaxControl, SaveWritesFiveTrimmedRecords) {
    named<QComboBox>(control.get(), "Combo1")->setEditText(" S-5C-FB ");
    named<QLineEdit>(control.get(), "Text1")->setText("  11.1");
    named<QLineEdit>(control.get(), "Text2")->setText("21.9 ");
    named<QLineEdit>(control.get(), "Text3")->setText("");
    named<QLineEdit>(control.get(), "Text4")
        ->setText("\t3\n"); // tabs and line feeds are blanks too
    RecordList records;
    control->d_sav(records);
    EXPECT_EQ(records.records(), QStringList({"S-5C-FB", "11.1", "21.9", "", "3"}));
}

TEST_F(CoaxControl, LoadTakesTheRecordsAsTheyAreWithoutTheCatalogue) {
    struct Case {
        QStringList records;
        BandValues perMetre;
    };
    const Case cases[] = {
        {{"S-7C-FB", "8.1", "16.4", "23.3", "29.4"}, {0.081, 0.164, 0.233, 0.294}},
        // The type does not decide the losses: the records do.
        {{"５C-2V", "1", "2.5", "", "--"}, {0.01, 0.025, 0, 0}},
        {{"自作ｹｰﾌﾞﾙ", " 7 ", "x", "4.0以上", "-3"}, {0.07, 0, 0.04, -0.03}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.records.join(',').toStdString());
        Kbl_Loss = {9, 9, 9, 9};
        RecordList records(c.records);
        control->D_Load(records);
        EXPECT_EQ(records.position(), 5);
        EXPECT_EQ(named<QComboBox>(control.get(), "Combo1")->currentText(), c.records[0]);
        EXPECT_EQ(lossTexts(), c.records.mid(1));
        expectKblLoss(c.perMetre);
    }
}

TEST_F(CoaxControl, SaveThenLoadRestoresTheTextsAndLosses) {
    pick(named<QComboBox>(control.get(), "Combo1"), 2);
    RecordList records;
    control->d_sav(records);
    Kbl_Loss = {0, 0, 0, 0};
    D_Kbl other;
    other.D_Load(records);
    EXPECT_EQ(named<QComboBox>(&other, "Combo1")->currentText(), "S-5C-FB");
    EXPECT_EQ(named<QLineEdit>(&other, "Text3")->text(), "31.1");
    expectKblLoss({0.111, 0.219, 0.311, 0.378});
}

TEST_F(CoaxControl, LoadStoppedByTheEndOfTheRecordsKeepsWhatWasRead) {
    RecordList records(QStringList{"S-7C-FB", "8.1", "16.4"});
    EXPECT_THROW(control->D_Load(records), UserError);
    EXPECT_EQ(named<QComboBox>(control.get(), "Combo1")->currentText(), "S-7C-FB");
    EXPECT_EQ(lossTexts(), QStringList({"8.1", "16.4", "", ""}));
    expectKblLoss({0.081, 0.164, 0, 0});
}

// A letter and Tab is not a pick: no completion, no look-up.
TEST_F(CoaxControl, ALetterAndTabPicksNothing) {
    Kbl_Loss = {1, 2, 3, 4};
    control->show();
    control->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(control.get()));
    named<QComboBox>(control.get(), "Combo1")->setFocus();
    QTest::keyClicks(named<QComboBox>(control.get(), "Combo1"), "S");
    QTest::keyClick(named<QComboBox>(control.get(), "Combo1"), Qt::Key_Tab);
    EXPECT_FALSE(named<QComboBox>(control.get(), "Combo1")->hasFocus());
    EXPECT_EQ(named<QComboBox>(control.get(), "Combo1")->currentText(), "S");
    EXPECT_EQ(lossTexts(), QStringList({"", "", "", ""}));
    expectKblLoss({1, 2, 3, 4});
}

} // namespace
