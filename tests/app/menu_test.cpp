#include "app/menu.h"
#include "app/screens.h"
#include "catalog/catalog.h"
#include "catalog/ui/tv_mt.h"
#include "common/programvalues.h"
#include "common/version.h"
#include "fieldstrength/ui/denkai.h"
#include "platform/frame.h"
#include "platform/userguide.h"
#include "print/ui/printer.h"
#include "support/testsupport.h"
#include "terminal/ui/tanmatu.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTimer>

#include <functional>

using namespace miravel::app;
using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::fieldstrength;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

class MenuTest : public ScreenTest {};

TEST_F(MenuTest, LoadSetsCaptionsLabelsAndPrinterDefaults) {
    Prt_FontSize = 3;
    printerFont().family = "other";
    printerFont().size = 20;
    Menu* menu = appScreens().menu();
    EXPECT_EQ(menu->objectName(), "Menu");
    EXPECT_EQ(menu->windowTitle(), "電界強度");
    EXPECT_EQ(named<QLabel>(menu, "Label1")->text(), "Miravel　Ver 2.0");
    EXPECT_FALSE(named<QLabel>(menu, "Label2")->text().isEmpty());
    EXPECT_EQ(named<QGroupBox>(menu, "Frame1")->title(), "選　択");
    EXPECT_EQ(named<QRadioButton>(menu, "Option1")->text(), "アンテナからブースター入り口まで計算");
    EXPECT_EQ(named<QRadioButton>(menu, "Option2")->text(),
              "分配器又はﾌﾞｰｽﾀｰ出力から端末までの計算");
    EXPECT_EQ(named<QRadioButton>(menu, "Option3")->text(), "登録データ参照");
    EXPECT_EQ(named<QPushButton>(menu, "Command1")->text(), "スタート");
    EXPECT_EQ(named<QPushButton>(menu, "Command2")->text(), "終　了");
    for (QRadioButton* option :
         {named<QRadioButton>(menu, "Option1"), named<QRadioButton>(menu, "Option2"),
          named<QRadioButton>(menu, "Option3")})
        EXPECT_FALSE(option->isChecked());
    EXPECT_EQ(printerFont().family, "ＭＳ 明朝");
    EXPECT_FLOAT_EQ(printerFont().size, 8.9f);
    EXPECT_FLOAT_EQ(Prt_FontSize, 8.0f);
    // The catalogue is there for the screens (loaded at their first use).
    EXPECT_EQ(Douziyuku_Mt(1, 0), "５C-2V");
}

TEST_F(MenuTest, MenuBarHoldsTheFourItemsByNameAndTheRecentFiles) {
    Menu* menu = appScreens().menu();
    const std::pair<const char*, const char*> items[] = {{"al_cls", "新規作成"},
                                                         {"D_Load", "読み込み"},
                                                         {"D_save", "書き込み"},
                                                         {"Hp_Link", "作者ﾎｰﾑﾍﾟｰｼﾞ接続"}};
    QList<QAction*> actions = menu->menuBar()->actions();
    // The recent files list sits between the file items and the link.
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[3]->menu(), named<QMenu>(menu, "Recent_m"));
    EXPECT_EQ(actions[3]->text(), "最近使ったファイル");
    actions.removeAt(3);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(actions[i]->objectName(), items[i].first);
        EXPECT_EQ(actions[i]->text(), QString::fromUtf8(items[i].second));
        EXPECT_EQ(actions[i]->menu(), nullptr);
    }
}

TEST_F(MenuTest, StartWithNothingChosenDoesNothing) {
    Menu* menu = appScreens().menu();
    named<QPushButton>(menu, "Command1")->click();
    EXPECT_EQ(appScreens().existingDenkai(), nullptr);
    EXPECT_EQ(appScreens().existingTerminal(), nullptr);
    EXPECT_EQ(appScreens().existingBoard(), nullptr);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MenuTest, StartOpensTheChosenScreenAndClearsTheChoice) {
    struct Case {
        const char* option;
        QWidget* (*existing)();
        const char* name;
    };
    const Case cases[] = {
        {"Option1", [] { return static_cast<QWidget*>(appScreens().existingDenkai()); }, "Denkai"},
        {"Option2", [] { return static_cast<QWidget*>(appScreens().existingTerminal()); },
         "tanmatu"},
        {"Option3", [] { return static_cast<QWidget*>(appScreens().existingBoard()); }, "Tv_Mt"},
    };
    Menu* menu = appScreens().menu();
    menu->show();
    for (const Case& c : cases) {
        named<QRadioButton>(menu, c.option)->setChecked(true);
        named<QPushButton>(menu, "Command1")->click();
        QWidget* screen = c.existing();
        ASSERT_NE(screen, nullptr) << c.name;
        EXPECT_EQ(screen->objectName(), c.name);
        EXPECT_TRUE(screen->isVisible()) << c.name;
        EXPECT_FALSE(named<QRadioButton>(menu, c.option)->isChecked()) << c.name;
        EXPECT_TRUE(menu->isVisible());
    }
    // Pressing Start again with nothing chosen changes nothing.
    named<QPushButton>(menu, "Command1")->click();
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MenuTest, StartRaisesAnOpenScreenWithoutLoadingItAgain) {
    Menu* menu = appScreens().menu();
    named<QRadioButton>(menu, "Option1")->setChecked(true);
    named<QPushButton>(menu, "Command1")->click();
    Denkai* first = appScreens().existingDenkai();
    first->setProperty("entered", 42);
    named<QRadioButton>(menu, "Option1")->setChecked(true);
    named<QPushButton>(menu, "Command1")->click();
    EXPECT_EQ(appScreens().existingDenkai(), first);
    EXPECT_EQ(first->property("entered").toInt(), 42);
}

TEST_F(MenuTest, ClosingAScreenDestroysItAndTheNextUseLoadsAfresh) {
    Denkai* first = appScreens().denkai();
    first->setProperty("entered", 42);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(appScreens().existingDenkai(), nullptr);
    EXPECT_FALSE(appScreens().denkai()->property("entered").isValid());
}

TEST_F(MenuTest, ExitClosesEveryScreen) {
    Menu* menu = appScreens().menu();
    menu->show();
    appScreens().showDenkai();
    appScreens().terminal(); // loaded invisibly, as a project command would
    appScreens().showBoard();
    named<QPushButton>(menu, "Command2")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(appScreens().existingDenkai(), nullptr);
    EXPECT_EQ(appScreens().existingTerminal(), nullptr);
    EXPECT_EQ(appScreens().existingBoard(), nullptr);
    EXPECT_EQ(appScreens().existingMenu(), nullptr);
}

TEST_F(MenuTest, VersionMessageUsesLoneCarriageReturns) {
    showVersionMessage(nullptr);
    ASSERT_EQ(platform.messages.size(), 1);
    const Platform::Message& m = platform.messages.first();
    EXPECT_EQ(m.title, "バージョン情報");
    EXPECT_EQ(m.icon, QMessageBox::NoIcon);
    EXPECT_TRUE(m.text.startsWith("Miravel の バージョンは   Ver 2.0\r\r"));
    EXPECT_TRUE(m.text.endsWith("\r"));
    EXPECT_FALSE(m.text.endsWith("\r\r"));
    EXPECT_FALSE(m.text.contains('\n'));
    EXPECT_EQ(m.text.count("\r\r"), 3);
}

// The author credit names the licence; the contact line has no placeholder address.
TEST_F(MenuTest, VersionMessageNamesTheLicence) {
    showVersionMessage(nullptr);
    ASSERT_EQ(platform.messages.size(), 1);
    const QString& text = platform.messages.first().text;
    EXPECT_EQ(text.section("\r\r", 1, 1), creditLine() + "  MIT ライセンス");
    EXPECT_EQ(text.section("\r\r", 2, 2), "連絡先: Miravel 開発チーム");
}

TEST_F(MenuTest, HomePageLinkOpensTheUserGuide) {
    named<QAction>(appScreens().menu(), "Hp_Link")->trigger();
    EXPECT_TRUE(platform.openedUrls.isEmpty());
    ASSERT_NE(existingUserGuide(), nullptr);
    EXPECT_TRUE(existingUserGuide()->toPlainText().contains("コマンドライン"));
}

} // namespace

namespace {

// Runs the application's event loop until the program would end, or gives up.
bool programEnds(const std::function<void()>& action) {
    QApplication::setQuitOnLastWindowClosed(true);
    bool timedOut = false;
    QTimer::singleShot(0, action);
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    timeout.start(3000);
    QCoreApplication::exec();
    QApplication::setQuitOnLastWindowClosed(false);
    return !timedOut;
}

TEST_F(MenuTest, ClosingTheMenuWithOnlyHiddenScreensEndsTheProgram) {
    Menu* menu = appScreens().menu();
    menu->show();
    appScreens().denkai(); // loaded invisibly, as a project command does
    appScreens().terminal();
    EXPECT_TRUE(programEnds([menu] { menu->close(); }));
}

TEST_F(MenuTest, AWorkScreenKeepsTheProgramRunningAfterTheMenuCloses) {
    Menu* menu = appScreens().menu();
    menu->show();
    appScreens().showDenkai();
    EXPECT_FALSE(programEnds([menu] { menu->close(); }));
    ASSERT_NE(appScreens().existingDenkai(), nullptr);
    EXPECT_TRUE(appScreens().existingDenkai()->isVisible());
    EXPECT_TRUE(programEnds([] { appScreens().existingDenkai()->close(); }));
}

} // namespace
