#include "fieldstrength/ui/denkai.h"

#include "app/screens.h"
#include "common/programvalues.h"
#include "common/version.h"
#include "platform/userguide.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QMenuBar>
#include <QTest>

using namespace miravel::coax;
using namespace miravel::app;
using namespace miravel::common;
using namespace miravel::fieldstrength;
using namespace miravel::platform;
using namespace miravel::project;

namespace {

class FieldStrengthScreen : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        openScreen();
    }
    void openScreen() {
        screen = appScreens().denkai();
        appScreens().show(screen);
    }
    void closeScreen() {
        click(named<QPushButton>(screen, "Command3"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QStringList results() const {
        return {
            named<QLineEdit>(screen, "Text11")->text(), named<QLineEdit>(screen, "Text12")->text(),
            named<QLineEdit>(screen, "Text13")->text(), named<QLineEdit>(screen, "Text15")->text()};
    }
    void calculate() { click(named<QPushButton>(screen, "Command2")); }
    void expectBstInput(const BandValues& expected) const {
        for (int band = 0; band < BandCount; ++band)
            EXPECT_NEAR(Bst_Input[size_t(band)], expected[size_t(band)], 1e-9) << "band " << band;
    }

    Denkai* screen = nullptr;
};

TEST_F(FieldStrengthScreen, LoadsWithStartValuesListsAndCaptions) {
    EXPECT_EQ(screen->objectName(), "Denkai");
    EXPECT_EQ(screen->windowTitle(), "アンテナからブースター入り口までの電界強度");
    EXPECT_EQ(QStringList({named<QLineEdit>(screen, "Text8")->text(),
                           named<QLineEdit>(screen, "Text9")->text(),
                           named<QLineEdit>(screen, "Text10")->text(),
                           named<QLineEdit>(screen, "Text14")->text()}),
              QStringList({"75", "75", "80", "80"}));
    for (QLineEdit* empty : {named<QLineEdit>(screen, "Text1"), named<QLineEdit>(screen, "Text2"),
                             named<QLineEdit>(screen, "Text3"), named<QLineEdit>(screen, "Text4"),
                             named<QLineEdit>(screen, "Text5"), named<QLineEdit>(screen, "Text6"),
                             named<QLineEdit>(screen, "Text7"), named<QLineEdit>(screen, "Text11"),
                             named<QLineEdit>(screen, "Text12"), named<QLineEdit>(screen, "Text13"),
                             named<QLineEdit>(screen, "Text15")})
        EXPECT_EQ(empty->text(), "") << empty->objectName().toStdString();

    const struct {
        QComboBox* combo;
        QStringList items;
    } lists[] = {
        {named<QComboBox>(screen, "Combo1"),
         {"VW-12", "VW-12(ｽﾃﾝﾚｽ製)", "LV-5", "LV-5S(ｽﾃﾝﾚｽ製)", "LV-8", "LV-8S(ｽﾃﾝﾚｽ製)", "VS-FM",
          "VS-FMS(ｽﾃﾝﾚｽ製)"}},
        {named<QComboBox>(screen, "Combo2"),
         {"UL-20", "UL-20S(ｽﾃﾝﾚｽ製)", "UM-20", "UM-20S(ｽﾃﾝﾚｽ製)", "UH-20", "UH-20S(ｽﾃﾝﾚｽ製)"}},
        {named<QComboBox>(screen, "Combo3"), {"BSA-75", "BSA-90"}},
        {named<QComboBox>(screen, "Combo4"), {"M-UV-7 MC-UV-7", "BS-M  BS-MC"}},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.combo->objectName().toStdString());
        EXPECT_TRUE(list.combo->isEditable());
        EXPECT_EQ(list.combo->currentText(), ""); // filling the list selects nothing
        QStringList items;
        for (int i = 0; i < list.combo->count(); ++i)
            items << list.combo->itemText(i);
        EXPECT_EQ(items, list.items);
    }
    EXPECT_EQ(named<QComboBox>(named<D_Kbl>(screen, "UserControl11"), "Combo1")->count(), 7);
    EXPECT_EQ(named<QLabel>(screen, "Label27")->text(), creditLine());
    EXPECT_EQ(named<QLabel>(screen, "Label27")->palette().color(QPalette::WindowText),
              QColor(Qt::red));
}

TEST_F(FieldStrengthScreen, CaptionCarriesTheProjectName) {
    closeScreen();
    DataName = "C:\\data\\ビル.tvd";
    openScreen();
    EXPECT_EQ(screen->windowTitle(),
              "アンテナからブースター入り口までの電界強度　　  [データ名  C:\\data\\ビル.tvd ]");
}

TEST_F(FieldStrengthScreen, StartValuesGiveTheStandardOutputs) {
    Bst_Input = {1, 2, 3, 4};
    calculate();
    EXPECT_EQ(results(), QStringList({"75.00", "75.00", "80.00", "80.00"}));
    expectBstInput({75, 75, 80, 80});
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(FieldStrengthScreen, WorkedCaseThroughThePicks) {
    pick(named<QComboBox>(screen, "Combo1"), 0); // VW-12: gain "4.0以上"
    pick(named<QComboBox>(screen, "Combo4"), 0); // M-UV-7 MC-UV-7
    pick(named<QComboBox>(named<D_Kbl>(screen, "UserControl11"), "Combo1"), 3); // S-7C-FB
    named<QLineEdit>(screen, "Text7")->setText("30");
    calculate();
    EXPECT_EQ(results(), QStringList({"75.57", "68.58", "73.01", "71.18"}));
    expectBstInput({75.57, 68.58, 73.01, 71.18});
}

TEST_F(FieldStrengthScreen, EveryPickFillsItsFields) {
    struct Case {
        QComboBox* combo;
        int index;
        QList<QLineEdit*> fields;
        QStringList texts;
    };
    const QList<QLineEdit*> vhf = {named<QLineEdit>(screen, "Text1")},
                            uhf = {named<QLineEdit>(screen, "Text2")},
                            bs = {named<QLineEdit>(screen, "Text3")},
                            mixer = {named<QLineEdit>(screen, "Text4"),
                                     named<QLineEdit>(screen, "Text5"),
                                     named<QLineEdit>(screen, "Text6")};
    const Case cases[] = {
        {named<QComboBox>(screen, "Combo1"), 0, vhf, {"4"}},
        {named<QComboBox>(screen, "Combo1"), 1, vhf, {"7"}},
        {named<QComboBox>(screen, "Combo1"), 2, vhf, {"4"}},
        {named<QComboBox>(screen, "Combo1"), 3, vhf, {"4"}},
        {named<QComboBox>(screen, "Combo1"), 4, vhf, {"7"}},
        {named<QComboBox>(screen, "Combo1"), 5, vhf, {"7"}},
        {named<QComboBox>(screen, "Combo1"), 6, vhf, {"4.5"}},
        {named<QComboBox>(screen, "Combo1"), 7, vhf, {"4.5"}},
        {named<QComboBox>(screen, "Combo2"), 0, uhf, {"6"}},
        {named<QComboBox>(screen, "Combo2"), 1, uhf, {"6"}},
        {named<QComboBox>(screen, "Combo2"), 2, uhf, {"9"}},
        {named<QComboBox>(screen, "Combo2"), 3, uhf, {"9"}},
        {named<QComboBox>(screen, "Combo2"), 4, uhf, {"9"}},
        {named<QComboBox>(screen, "Combo2"), 5, uhf, {"9"}},
        {named<QComboBox>(screen, "Combo3"), 0, bs, {"37.4"}},
        {named<QComboBox>(screen, "Combo3"), 1, bs, {"39.0"}},
        {named<QComboBox>(screen, "Combo4"), 0, mixer, {"1", "1.5", "0"}},
        {named<QComboBox>(screen, "Combo4"), 1, mixer, {"1.3", "1.3", "1.8"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.combo->objectName().toStdString() + " " + std::to_string(c.index));
        for (QLineEdit* field : c.fields)
            field->setText("x");
        pick(c.combo, c.index);
        EXPECT_EQ(c.combo->currentText(), c.combo->itemText(c.index));
        for (int i = 0; i < c.fields.size(); ++i)
            EXPECT_EQ(c.fields[i]->text(), c.texts[i]);
    }
}

TEST_F(FieldStrengthScreen, TypingAModelLooksNothingUp) {
    QTest::keyClicks(named<QComboBox>(screen, "Combo1")->lineEdit(), "VW-12");
    QTest::keyClicks(named<QComboBox>(screen, "Combo4")->lineEdit(), "BS-M");
    named<QComboBox>(screen, "Combo2")->setEditText("UM-20");
    named<QComboBox>(screen, "Combo3")->setCurrentIndex(1); // set from code: not a pick
    EXPECT_EQ(named<QLineEdit>(screen, "Text1")->text(), "");
    EXPECT_EQ(named<QLineEdit>(screen, "Text2")->text(), "");
    EXPECT_EQ(named<QLineEdit>(screen, "Text3")->text(), "");
    EXPECT_EQ(named<QLineEdit>(screen, "Text4")->text(), "");
}

TEST_F(FieldStrengthScreen, GainsCountInWholeDecibelsHalvesToEven) {
    const struct {
        const char* gain;
        const char* level;
    } cases[] = {{"4.5", "79.00"}, {"5.5", "81.00"}, {"4.51", "80.00"}, {"-0.5", "75.00"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gain);
        named<QLineEdit>(screen, "Text1")->setText(c.gain);
        named<QLineEdit>(screen, "Text2")->setText(c.gain);
        named<QLineEdit>(screen, "Text4")->setText("1.5"); // mixer losses keep their decimals
        calculate();
        EXPECT_EQ(named<QLineEdit>(screen, "Text11")->text(),
                  QString::number(QString(c.level).toDouble() - 1.5, 'f', 2));
        EXPECT_EQ(named<QLineEdit>(screen, "Text12")->text(), c.level);
    }
}

TEST_F(FieldStrengthScreen, CoaxWithoutBsAndCsValuesCostsNothingThere) {
    pick(named<QComboBox>(named<D_Kbl>(screen, "UserControl11"), "Combo1"),
         0); // ５C-2V: "--" at BS and CS
    named<QLineEdit>(screen, "Text7")->setText("100");
    calculate();
    EXPECT_EQ(results(), QStringList({"62.00", "49.00", "80.00", "80.00"}));
}

TEST_F(FieldStrengthScreen, CoaxLossOutlivesTheClearAndTheScreen) {
    pick(named<QComboBox>(named<D_Kbl>(screen, "UserControl11"), "Combo1"), 3); // S-7C-FB
    pick(named<QComboBox>(screen, "Combo1"), 1);
    named<QLineEdit>(screen, "Text7")->setText("30");
    named<QLineEdit>(screen, "Text8")->setText("60");
    calculate();

    screen->d_cls();
    EXPECT_EQ(named<QComboBox>(screen, "Combo1")->currentText(), "");
    EXPECT_EQ(named<QLineEdit>(screen, "Text1")->text(), "");
    EXPECT_EQ(named<QLineEdit>(screen, "Text7")->text(), "");
    EXPECT_EQ(named<QLineEdit>(screen, "Text8")->text(), "75");
    EXPECT_EQ(named<QLineEdit>(screen, "Text11")->text(), "");
    // The coax control is not the screen's to clear.
    EXPECT_EQ(named<QComboBox>(named<D_Kbl>(screen, "UserControl11"), "Combo1")->currentText(),
              "S-7C-FB");
    EXPECT_EQ(named<QLineEdit>(named<D_Kbl>(screen, "UserControl11"), "Text1")->text(), "8.1");

    closeScreen();
    ASSERT_EQ(appScreens().existingDenkai(), nullptr);
    openScreen();
    EXPECT_EQ(named<QComboBox>(named<D_Kbl>(screen, "UserControl11"), "Combo1")->currentText(), "");
    EXPECT_EQ(named<QLineEdit>(named<D_Kbl>(screen, "UserControl11"), "Text1")->text(), "");
    named<QLineEdit>(screen, "Text7")->setText("30");
    calculate();
    EXPECT_EQ(results(), QStringList({"72.57", "70.08", "73.01", "71.18"}));
}

TEST_F(FieldStrengthScreen, OutOfRangeInputIsRefusedAndChangesNothing) {
    struct Case {
        QLineEdit* field;
        const char* text;
        const char* fieldName; // as the message names it
        QLineEdit* other = nullptr;
        const char* otherText = "";
    };
    const Case cases[] = {
        {named<QLineEdit>(screen, "Text8"), "40000", "Ev :VHF標準ｱﾝﾃﾅ出力電圧"},
        {named<QLineEdit>(screen, "Text1"), "32693",
         "Ev :VHF標準ｱﾝﾃﾅ出力電圧 と VHF ANT 動作利得"}, // 75 + 32693
        {named<QLineEdit>(screen, "Text2"), "-1E5", "UHF ANT 動作利得"},
        {named<QLineEdit>(screen, "Text9"), "1E400", "Eu :UHF標準ｱﾝﾃﾅ出力電圧"},
        {named<QLineEdit>(screen, "Text5"), "1E400", "混合器 通過帯域減衰量 UHF"},
        {named<QLineEdit>(screen, "Text7"), "1E400", "同軸ｹｰﾌﾟﾙの長さ"},
        {named<QLineEdit>(screen, "Text10"), "-1E400", "Ebs:BS 標準ｱﾝﾃﾅ出力電圧"},
        {named<QLineEdit>(screen, "Text14"), "1E400", "Ecs:BS 標準ｱﾝﾃﾅ出力電圧"},
        {named<QLineEdit>(screen, "Text6"), "1.7E308", "BS :ブスターへの入力",
         named<QLineEdit>(screen, "Text10"), "-1.7E308"}, // -inf
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        platform.messages.clear();
        screen->d_cls();
        calculate(); // start values: within range
        ASSERT_TRUE(platform.messages.isEmpty());
        const QStringList before = results();
        named<QLineEdit>(screen, "Text11")->setText("手入力");
        Bst_Input = {1, 2, 3, 4};
        c.field->setText(c.text);
        if (c.other) c.other->setText(c.otherText);
        calculate();
        ASSERT_EQ(platform.messages.size(), 1);
        EXPECT_TRUE(platform.messages[0].text.startsWith(QString::fromUtf8(c.fieldName) + " "));
        EXPECT_EQ(platform.messages[0].title, programTitle());
        EXPECT_EQ(platform.messages[0].icon, QMessageBox::Warning);
        EXPECT_EQ(results(), QStringList({"手入力"}) + before.mid(1));
        expectBstInput({1, 2, 3, 4});
    }
}

TEST_F(FieldStrengthScreen, BsGainIsNotPartOfTheCalculation) {
    named<QLineEdit>(screen, "Text3")->setText("1E400");
    calculate();
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(named<QLineEdit>(screen, "Text13")->text(), "80.00");
}

TEST_F(FieldStrengthScreen, HandEditedResultStaysUntilTheNextCalculation) {
    calculate();
    named<QLineEdit>(screen, "Text12")->setText("12.3");
    pick(named<QComboBox>(screen, "Combo2"), 2);
    named<QLineEdit>(screen, "Text9")->setText("70");
    pick(named<QComboBox>(named<D_Kbl>(screen, "UserControl11"), "Combo1"), 6);
    EXPECT_EQ(named<QLineEdit>(screen, "Text12")->text(), "12.3");
    calculate();
    EXPECT_EQ(named<QLineEdit>(screen, "Text12")->text(), "79.00");
}

TEST_F(FieldStrengthScreen, MenuBarItemsAndTheirActions) {
    QStringList top;
    for (QAction* a : screen->menuBar()->actions())
        top << (a->menu() ? a->menu()->objectName() : a->objectName()) + "=" + a->text();
    EXPECT_EQ(top, QStringList({"system_m=システム", "d_sansiyou=データ参照", "Ver_s=ﾊﾞｰｼﾞｮﾝ　情報",
                                "Hantei_m=判定"}));
    const struct {
        QMenu* menu;
        QStringList items;
    } menus[] = {
        {named<QMenu>(screen, "system_m"),
         {"p_new=新規作成", "d_sav=書き込み", "Prt=印刷", "Prt_set=プリンター選択",
          "P_end=終　了"}},
        {named<QMenu>(screen, "Ver_s"), {"Ver=ﾊﾞｰｼﾞｮﾝ", "hp_sakusya=作者　ﾎｰﾑﾍﾟｰｼﾞ接続"}},
    };
    for (const auto& m : menus) {
        QStringList items;
        for (QAction* a : m.menu->actions())
            if (!a->isSeparator()) items << a->objectName() + "=" + a->text();
        EXPECT_EQ(items, m.items);
    }

    named<QAction>(screen, "Ver")->trigger();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].title, "バージョン情報");
    named<QAction>(screen, "hp_sakusya")->trigger();
    EXPECT_NE(existingUserGuide(), nullptr);
    named<QAction>(screen, "d_sansiyou")->trigger();
    EXPECT_NE(appScreens().existingBoard(), nullptr);

    named<QAction>(screen, "P_end")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(appScreens().existingDenkai(), nullptr);
}

TEST_F(FieldStrengthScreen, ExitButtonClosesOnlyThisScreen) {
    appScreens().menu();
    closeScreen();
    EXPECT_EQ(appScreens().existingDenkai(), nullptr);
    EXPECT_NE(appScreens().existingMenu(), nullptr);
    openScreen();
    EXPECT_EQ(named<QLineEdit>(screen, "Text8")->text(), "75");
}

} // namespace
