#include "app/screens.h"
#include "common/programvalues.h"
#include "common/text.h"
#include "support/testsupport.h"
#include "terminal/ui/tanmatu.h"

#include <QAction>
#include <QTest>

using namespace miravel::app;
using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

class TanmatuTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        screen = appScreens().terminal();
        appScreens().show(screen);
    }
    QString field(int n) const {
        return screen->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n))->text();
    }
    QStringList fieldTexts(std::initializer_list<int> numbers) const {
        QStringList texts;
        for (int n : numbers)
            texts << field(n);
        return texts;
    }
    tanmatu* screen = nullptr;
};

TEST_F(TanmatuTest, LoadState) {
    EXPECT_EQ(screen->windowTitle(), terminalStartCaption());
    EXPECT_TRUE(named<QRadioButton>(screen, "Option1")->isChecked());
    EXPECT_FALSE(named<QCheckBox>(screen, "Check1")->isChecked());
    EXPECT_EQ(named<QCheckBox>(screen, "Check1")->text(), "ｱﾝﾃﾅﾃﾞｰﾀを使用");
    for (QComboBox* combo : {named<QComboBox>(screen, "Combo1"), named<QComboBox>(screen, "Combo2"),
                             named<QComboBox>(screen, "Combo3")})
        EXPECT_EQ(combo->currentText(), "");
    EXPECT_EQ(named<QComboBox>(screen, "Combo1")->count(), 6);
    EXPECT_EQ(named<QComboBox>(screen, "Combo1")->itemText(1), "４分配　BS-D4");
    EXPECT_EQ(named<QComboBox>(screen, "Combo2")->itemText(3), "４分岐　CS-C4");
    EXPECT_EQ(named<QComboBox>(screen, "Combo3")->itemText(8), "テレビ端子 DMC7FTCS (CS対応形)");
    EXPECT_EQ(named<QLabel>(screen, "Label1")->text(), "２分配　BS-D2");
    EXPECT_EQ(named<QLabel>(screen, "Label46")->text(), "５C-2V");
    EXPECT_EQ(named<QLabel>(screen, "Label52")->text(), "S-10C-HFL");
    EXPECT_EQ(named<QLabel>(screen, "Label19")->text(), "挿入損失");
    EXPECT_EQ(named<QLabel>(screen, "Label20")->text(), "結合損失");
    EXPECT_EQ(named<QPushButton>(screen, "Command1")->text(), "計　　算");
    EXPECT_EQ(field(27), "");

    closeAllScreens();
    DataName = QStringLiteral("/data/house.tvd");
    EXPECT_EQ(appScreens().terminal()->windowTitle(), withDataName(terminalCaption()));
}

TEST_F(TanmatuTest, MenuItems) {
    const std::pair<const char*, const char*> items[] = {
        {"New_cls", "新規作成"},
        {"d_sav", "データ書き込み"},
        {"Prt_m1", "印刷"},
        {"Prtdata_Insatu", "印刷（データ）"},
        {"Prt", "印刷　（画面）"},
        {"Prt_m2", "プリンター"},
        {"Prt_set", "プリンター選択"},
        {"Prt_Font", "プリンター　フォント"},
        {"P_end", "終　了"},
        {"D_sansyou", "データ参照"},
        {"Ver", "ﾊﾞｰｼﾞｮﾝ 情報"},
        {"Ver_s", "ﾊﾞｰｼﾞｮﾝ"},
        {"hp_sakusya", "作者　ﾎｰﾑﾍﾟｰｼﾞ接続"},
        {"System_m", "システム"},
    };
    for (const auto& [name, caption] : items) {
        auto* action = screen->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), QString::fromUtf8(caption)) << name;
    }
    named<QAction>(screen, "Ver_s")->trigger();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].title, "バージョン情報");

    named<QAction>(screen, "P_end")->trigger();
    closeAllScreens(); // processes the deferred deletion
    EXPECT_EQ(appScreens().existingTerminal(), nullptr);
}

TEST_F(TanmatuTest, LookUps) {
    pick(named<QComboBox>(screen, "Combo1"), 0);
    EXPECT_EQ(fieldTexts({1, 2, 3, 7}), QStringList({"3.8", "4.0", "4.5", "--"}));
    pick(named<QComboBox>(screen, "Combo1"), 5);
    EXPECT_EQ(fieldTexts({1, 2, 3, 7}), QStringList({"11.0", "11.0", "12.0", "15.5"}));

    pick(named<QComboBox>(screen, "Combo2"), 0);
    EXPECT_EQ(fieldTexts({8, 9, 10, 34}), QStringList({"2.5", "2.5", "3.0", "--"}));
    click(named<QRadioButton>(screen, "Option2"));
    EXPECT_TRUE(named<QRadioButton>(screen, "Option2")->isChecked());
    EXPECT_EQ(fieldTexts({8, 9, 10, 34}), QStringList({"", "", "", ""}));
    EXPECT_EQ(named<QComboBox>(screen, "Combo2")->currentText(), "");
    pick(named<QComboBox>(screen, "Combo2"), 3);
    EXPECT_EQ(fieldTexts({8, 9, 10, 34}), QStringList({"11", "12", "13", "17"}));
    named<QRadioButton>(screen, "Option1")->setChecked(true); // from code: the same handler runs
    EXPECT_EQ(fieldTexts({8, 9, 10, 34}), QStringList({"", "", "", ""}));
    pick(named<QComboBox>(screen, "Combo2"), 3);
    EXPECT_EQ(fieldTexts({8, 9, 10, 34}), QStringList({"4.5", "4.5", "5.5", "7.5"}));
}

TEST_F(TanmatuTest, SeriesUnitAndOutletChoice) {
    named<QLineEdit>(screen, "Text19")->setText(QStringLiteral("4"));
    pick(named<QComboBox>(screen, "Combo3"), 2);
    EXPECT_EQ(fieldTexts({13, 14, 15, 37}), QStringList({"1.5", "2.0", "2.2", "--"}));
    EXPECT_EQ(fieldTexts({16, 17, 18, 38}), QStringList({"12", "13", "14.5", "--"}));
    EXPECT_EQ(field(19), "");

    pick(named<QComboBox>(screen, "Combo3"), 6);
    EXPECT_EQ(fieldTexts({13, 14, 15, 37}), QStringList({"--", "--", "--", "--"}));
    EXPECT_EQ(fieldTexts({16, 17, 18, 38}), QStringList({"4.0", "4.5", "5.0", "7.0"}));
    EXPECT_EQ(field(19), "1");
    EXPECT_EQ(named<QLabel>(screen, "Label19")->text(), "");
    EXPECT_EQ(named<QLabel>(screen, "Label20")->text(), "挿入損失");

    pick(named<QComboBox>(screen, "Combo3"), 3);
    EXPECT_EQ(fieldTexts({13, 14, 15, 37}), QStringList({"0.4", "0.5", "0.5", "1.0"}));
    EXPECT_EQ(field(19), "");
    EXPECT_EQ(named<QLabel>(screen, "Label19")->text(), "挿入損失");
    EXPECT_EQ(named<QLabel>(screen, "Label20")->text(), "結合損失");

    // A type restored as text (project load) counts as chosen.
    named<QComboBox>(screen, "Combo3")
        ->setEditText(named<QComboBox>(screen, "Combo3")->itemText(7));
    EXPECT_EQ(screen->fields().combo3Index, 7);
    named<QComboBox>(screen, "Combo3")->setEditText(QStringLiteral("テレビ端子"));
    EXPECT_EQ(screen->fields().combo3Index, -1);
}

TEST_F(TanmatuTest, CountClicks) {
    const int counts[] = {4, 5, 6, 30, 31, 32, 11, 12, 35, 36, 39, 40, 41, 42, 19};
    for (int n : counts) {
        auto* edit = screen->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
        click(edit);
        click(edit);
        EXPECT_EQ(edit->text(), "2") << n;
    }
    // Lengths, levels and losses do not count.
    for (int n : {20, 27, 13, 43}) {
        auto* edit = screen->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
        click(edit);
        EXPECT_EQ(edit->text(), "") << n;
    }

    QLineEdit* count = named<QLineEdit>(screen, "Text12");
    const std::pair<const char*, const char*> cases[] = {
        {"", "1"}, {"2.5", "3.5"}, {"3台", "4"}, {"-0.5", "0.5"}};
    for (const auto& [before, after] : cases) {
        count->setText(QString::fromUtf8(before));
        count->setCursorPosition(0);
        click(count);
        EXPECT_EQ(count->text(), QString::fromUtf8(after)) << before;
        EXPECT_EQ(count->cursorPosition(), count->text().size()) << before;
        EXPECT_FALSE(count->hasSelectedText());
    }
    EXPECT_TRUE(platform.messages.isEmpty());

    count->setText(QStringLiteral("1E400"));
    click(count);
    EXPECT_EQ(count->text(), "1E400");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("大きすぎる")));
}

TEST_F(TanmatuTest, BoosterLevelsFromTheAntennaData) {
    Bst_Input = {75.57, 1, 2.345, -3};
    click(named<QCheckBox>(screen, "Check1"));
    EXPECT_EQ(fieldTexts({27, 28, 29, 33}), QStringList({"75.57", "1.00", "2.35", "-3.00"}));
    click(named<QCheckBox>(screen, "Check1"));
    EXPECT_EQ(fieldTexts({27, 28, 29, 33}), QStringList({"105", "105", "105", "105"}));
    named<QCheckBox>(screen, "Check1")->setChecked(true); // from code, as a project load does
    EXPECT_EQ(field(27), "75.57");
}

TEST_F(TanmatuTest, ClearLeavesCheckAndRowCaptions) {
    named<QCheckBox>(screen, "Check1")->setChecked(true);
    pick(named<QComboBox>(screen, "Combo3"), 5);
    pick(named<QComboBox>(screen, "Combo1"), 0);
    named<QLineEdit>(screen, "Text43")->setText(QStringLiteral("３階 302号室"));
    screen->Keisan();
    ASSERT_FALSE(named<QLabel>(screen, "Label43")->text().isEmpty());

    screen->Cls_MT();
    EXPECT_TRUE(named<QCheckBox>(screen, "Check1")->isChecked());
    EXPECT_EQ(named<QLabel>(screen, "Label19")->text(), "");
    EXPECT_EQ(named<QLabel>(screen, "Label20")->text(), "挿入損失");
    for (int n = 1; n <= 43; ++n)
        EXPECT_EQ(field(n), "") << n;
    for (QComboBox* combo : {named<QComboBox>(screen, "Combo1"), named<QComboBox>(screen, "Combo2"),
                             named<QComboBox>(screen, "Combo3")})
        EXPECT_EQ(combo->currentText(), "");
    for (QLabel* label : {named<QLabel>(screen, "Label43"), named<QLabel>(screen, "Label44"),
                          named<QLabel>(screen, "Label45"), named<QLabel>(screen, "Label58")})
        EXPECT_EQ(label->text(), "");
}

TEST_F(TanmatuTest, LabelColours) {
    const std::pair<QLabel*, QColor> cases[] = {
        {named<QLabel>(screen, "Label40"), QColor(0, 0, 255)},
        {named<QLabel>(screen, "Label57"), QColor(0, 0, 255)},
        {named<QLabel>(screen, "Label43"), QColor(255, 0, 0)},
        {named<QLabel>(screen, "Label58"), QColor(255, 0, 0)},
        {named<QLabel>(screen, "Label71"), QColor(255, 0, 0)},
        {named<QLabel>(screen, "Label73"), QColor(255, 0, 0)},
        {named<QLabel>(screen, "Label74"), QColor(0, 255, 255)},
        {named<QLabel>(screen, "Label53"), QColor(255, 255, 0)},
    };
    for (const auto& [label, colour] : cases)
        EXPECT_EQ(label->palette().color(QPalette::WindowText), colour)
            << label->objectName().toStdString();
    EXPECT_EQ(named<QLabel>(screen, "Label53")->palette().color(QPalette::Window),
              QColor(Qt::black));
    EXPECT_TRUE(named<QLabel>(screen, "Label53")->autoFillBackground());
    EXPECT_EQ(named<QLabel>(screen, "Label40")->text(), "ＶＨＦ　損失");
    EXPECT_EQ(named<QLabel>(screen, "Label72")->text(), "[分岐結合損失]");

    screen->setLabelColours(true);
    EXPECT_EQ(named<QLabel>(screen, "Label43")->palette().color(QPalette::WindowText),
              QColor(Qt::black));
    EXPECT_EQ(named<QLabel>(screen, "Label53")->palette().color(QPalette::WindowText),
              QColor(Qt::white));
    screen->setLabelColours(false);
    EXPECT_EQ(named<QLabel>(screen, "Label43")->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
}

TEST_F(TanmatuTest, CalculateButton) {
    click(named<QCheckBox>(screen, "Check1"));
    click(named<QCheckBox>(screen, "Check1")); // booster levels "105"
    click(named<QLineEdit>(screen, "Text4"));
    pick(named<QComboBox>(screen, "Combo3"), 0);
    named<QLineEdit>(screen, "Text19")->setText(QStringLiteral("3"));
    named<QLineEdit>(screen, "Text22")->setText(QStringLiteral("10"));
    click(named<QPushButton>(screen, "Command1"));
    EXPECT_EQ(named<QLabel>(screen, "Label43")->text(), "105db - 16.01db = 88.99db ");
    EXPECT_EQ(named<QLabel>(screen, "Label44")->text(), "105db - 18.79db = 86.21db ");
    EXPECT_EQ(named<QLabel>(screen, "Label45")->text(), "105db - 21.61db = 83.39db ");
    EXPECT_EQ(named<QLabel>(screen, "Label58")->text(), "105db - 3.78db = 101.22db ");
    EXPECT_NEAR(screen->Total_Loss[VHF], 16.01, 1e-9);
    EXPECT_NEAR(screen->Yunit_Pass[UHF], 3.6, 1e-9);
    EXPECT_TRUE(platform.messages.isEmpty());

    named<QLineEdit>(screen, "Text20")->setText(QStringLiteral("10"));
    click(named<QPushButton>(screen, "Command1"));
    EXPECT_EQ(named<QLabel>(screen, "Label43")->text(), "105db - 17.31db = 87.69db ");
    EXPECT_EQ(named<QLabel>(screen, "Label45")->text(), "105db - 21.61db = 83.39db ");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text,
              QStringLiteral("５Ｃ－２Ｖ・７Ｃ－２ＶのＢＳ・ＣＳ電波の損失\rは計算できません。"));
    EXPECT_EQ(platform.messages[0].title, "　　警　　告");
}

TEST_F(TanmatuTest, CalculationErrorKeepsUnwrittenLines) {
    screen->Keisan();
    named<QLineEdit>(screen, "Text27")->setText(QStringLiteral("10"));
    named<QLineEdit>(screen, "Text33")->setText(QStringLiteral("1E400"));
    screen->Total_Loss = {1, 2, 3, 4}; // as a report leaves it
    screen->Keisan();
    EXPECT_EQ(named<QLabel>(screen, "Label43")->text(), "10db - 0db = 10db ");
    EXPECT_EQ(named<QLabel>(screen, "Label58")->text(), "0db - 0db = 0db "); // from the first run
    EXPECT_EQ(screen->Total_Loss, (BandValues{0, 0, 0, 0}));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text, "error6");
    EXPECT_EQ(platform.messages[0].title, "Miravel");
}

// Typed text is not a choice: the start of an outlet's name, left with a click
// elsewhere, stays as typed, and the calculation counts a series-unit chain
// from the typed losses.
TEST_F(TanmatuTest, TypingIntoTheTypeChooserChoosesNothing) {
    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    named<QComboBox>(screen, "Combo3")->setFocus();
    typeText(named<QComboBox>(screen, "Combo3"), QStringLiteral("テ"));
    QTest::mouseClick(named<QLineEdit>(screen, "Text43"), Qt::LeftButton);
    named<QLineEdit>(screen, "Text13")->setText("1");
    named<QLineEdit>(screen, "Text16")->setText("3");
    named<QLineEdit>(screen, "Text19")->setText("2");
    click(named<QPushButton>(screen, "Command1"));
    EXPECT_EQ(named<QComboBox>(screen, "Combo3")->currentText(), "テ");
    EXPECT_EQ(screen->fields().combo3Index, -1);
    EXPECT_EQ(fieldTexts({13, 16, 19}), QStringList({"1", "3", "2"}));
    // One through loss and the end unit's take-off: 1 × (2 − 1) + 3.
    EXPECT_EQ(named<QLabel>(screen, "Label43")->text(), "0db - 4db = -4db ");
}

} // namespace
