#include "app/desktopwindows.h"
#include "app/menu.h"
#include "app/screens.h"
#include "app/singleinstance.h"
#include "catalog/ui/tv_mt.h"
#include "common/programvalues.h"
#include "fieldstrength/ui/denkai.h"
#include "network/tvdnfile.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkentry.h"
#include "network/ui/networkwindow.h"
#include "platform/userguide.h"
#include "support/testsupport.h"
#include "terminal/ui/tanmatu.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUndoStack>
#include <memory>

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

QString fixture(const char* name) {
    return QStringLiteral(MIRAVEL_FIXTURES "/") + QLatin1String(name);
}

// The desktop behaviours as the program has them, for one test.
class DesktopTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        filter.reset(installDesktopBehaviours(*qApp, appScreens()));
    }
    void TearDown() override {
        ScreenTest::TearDown();
        filter.reset();
    }
    std::unique_ptr<QObject> filter;
};

// A file dragged over the window and let go, as from a file manager.
bool drop(QWidget* window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
    QCoreApplication::processEvents();
    return event.isAccepted();
}

TEST_F(DesktopTest, DroppedFilesOpenByKind) {
    Menu* menu = appScreens().menu();
    appScreens().show(menu);
    EXPECT_FALSE(drop(menu, fixture("antenna-data.levels.csv")));
    EXPECT_TRUE(DataName.isEmpty());

    // A project loads as 読み込み loads it, whichever window it lands on.
    appScreens().showDenkai();
    EXPECT_TRUE(drop(appScreens().denkai(), fixture("antenna-data.tvd")));
    EXPECT_EQ(DataName, fixture("antenna-data.tvd"));
    EXPECT_TRUE(menu->windowTitle().contains("antenna-data.tvd"));

    // A network opens on the network screen.
    QTemporaryDir dir;
    const QString network = dir.filePath("棟.tvdn");
    writeNetworkFile(network, Network());
    EXPECT_TRUE(drop(menu, network));
    ASSERT_NE(NetworkEntry::existingNetworkScreen(), nullptr);
    EXPECT_EQ(NetworkEntry::existingNetworkScreen()->document()->filePath(), network);
}

TEST_F(DesktopTest, EveryWindowHasTheGuideAndCtrlQ) {
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    NetworkEntry::showNetworkScreen();
    const QList<QMainWindow*> windows = {appScreens().menu(), appScreens().denkai(),
                                         appScreens().terminal(), appScreens().board(),
                                         NetworkEntry::existingNetworkScreen()};
    for (QMainWindow* window : windows) {
        appScreens().show(window);
        auto* guide = window->findChild<QAction*>("Help_Guide");
        ASSERT_NE(guide, nullptr) << window->objectName().toStdString();
        EXPECT_TRUE(window->menuBar()->actions().contains(guide));
        EXPECT_EQ(guide->text(), "使い方");
        auto* quit = window->findChild<QAction*>("Quit_All");
        ASSERT_NE(quit, nullptr) << window->objectName().toStdString();
        EXPECT_EQ(quit->shortcut().toString(QKeySequence::PortableText), "Ctrl+Q");
    }
    appScreens().denkai()->findChild<QAction*>("Help_Guide")->trigger();
    ASSERT_NE(existingUserGuide(), nullptr);
    EXPECT_TRUE(existingUserGuide()->toPlainText().contains("建物全体の配線網"));
}

TEST_F(DesktopTest, CtrlQAsksAboutUnsavedChangesFirst) {
    appScreens().show(appScreens().menu());
    appScreens().showDenkai();
    NetworkEntry::showNetworkScreen();
    NetworkWindow* network = NetworkEntry::existingNetworkScreen();
    network->addChild(ComponentKind::Distributor);
    ASSERT_FALSE(network->document()->undoStack()->isClean());

    platform.questionAnswers = {false};
    network->findChild<QAction*>("Quit_All")->trigger();
    ASSERT_EQ(platform.questions.size(), 1);
    EXPECT_TRUE(platform.questions[0].text.contains("保存されていません"));
    EXPECT_TRUE(network->isVisible());
    EXPECT_TRUE(appScreens().existingDenkai()->isVisible()); // kept: nothing closed

    platform.questionAnswers = {true};
    appScreens().menu()->findChild<QAction*>("Quit_All")->trigger();
    EXPECT_EQ(platform.questions.size(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(NetworkEntry::existingNetworkScreen(), nullptr);
    EXPECT_EQ(appScreens().existingDenkai(), nullptr);
    EXPECT_EQ(appScreens().existingMenu(), nullptr);
}

QStringList startFiles; // what the start-file routine was given

TEST_F(DesktopTest, HandedOverFilesOpenAsAtStart) {
    startFiles.clear();
    const auto asAtStart = [](QWidget*, const QStringList& files) { startFiles = files; };
    openHandedOverFiles(appScreens(), {"/srv/a.tvd", "/srv/b.tvdn"}, asAtStart);
    EXPECT_EQ(startFiles, QStringList({"/srv/a.tvd", "/srv/b.tvdn"}));
    ASSERT_NE(appScreens().existingMenu(), nullptr);
    EXPECT_TRUE(appScreens().existingMenu()->isVisible()); // comes forward

    QTemporaryDir dir;
    const QString network = dir.filePath("b.tvdn");
    writeNetworkFile(network, Network());
    startFiles.clear();
    openHandedOverFiles(appScreens(), {network}, asAtStart);
    EXPECT_TRUE(startFiles.isEmpty());
    ASSERT_NE(NetworkEntry::existingNetworkScreen(), nullptr);
    EXPECT_EQ(NetworkEntry::existingNetworkScreen()->document()->filePath(), network);
}

TEST(SingleInstanceTest, LaterStartHandsItsFilesToTheRunningOne) {
    const QString name = QStringLiteral("miravel-test-%1").arg(QCoreApplication::applicationPid());
    EXPECT_FALSE(SingleInstance::handOver(name, {"/srv/a.tvd"})); // nobody listens yet
    SingleInstance first(name);
    ASSERT_TRUE(first.listen());
    QSignalSpy arrived(&first, &SingleInstance::filesArrived);
    const QStringList files = {"/srv/計画 1.tvd", "/srv/b.tvdn"};
    EXPECT_TRUE(SingleInstance::handOver(name, files));
    ASSERT_TRUE(arrived.wait(5000));
    EXPECT_EQ(arrived.first().first().toStringList(), files);
    // A live program keeps its name.
    SingleInstance second(name);
    EXPECT_FALSE(second.listen());
}

} // namespace
