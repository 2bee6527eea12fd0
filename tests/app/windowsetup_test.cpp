#include "app/windowsetup.h"

#include "app/menu.h"
#include "app/screens.h"
#include "common/programvalues.h"
#include "common/usersettings.h"
#include "fieldstrength/ui/denkai.h"
#include "project/ui/projectcommands.h"
#include "support/testsupport.h"
#include "terminal/ui/tanmatu.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>

using namespace miravel::app;
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

// Every test starts with nothing remembered.
class RememberedTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        QSettings().clear();
    }
};

QString shortcutOf(QWidget* screen, const char* item) {
    auto* action = screen->findChild<QAction*>(QLatin1String(item));
    return action ? action->shortcut().toString(QKeySequence::PortableText) : QStringLiteral("?");
}

TEST_F(RememberedTest, MenuItemsCarryTheStandardShortcuts) {
    const struct {
        QWidget* screen;
        const char* item;
        const char* keys;
    } cases[] = {
        {appScreens().menu(), "al_cls", "Ctrl+N"},
        {appScreens().menu(), "D_Load", "Ctrl+O"},
        {appScreens().menu(), "D_save", "Ctrl+S"},
        {appScreens().menu(), "Hp_Link", ""},
        {appScreens().denkai(), "p_new", "Ctrl+N"},
        {appScreens().denkai(), "d_sav", "Ctrl+S"},
        {appScreens().denkai(), "P_end", "Ctrl+W"},
        {appScreens().denkai(), "Ver", "F1"},
        {appScreens().denkai(), "Prt", "Ctrl+P"},
        {appScreens().terminal(), "New_cls", "Ctrl+N"},
        {appScreens().terminal(), "d_sav", "Ctrl+S"},
        {appScreens().terminal(), "Prtdata_Insatu", "Ctrl+P"},
        {appScreens().terminal(), "P_end", "Ctrl+W"},
        {appScreens().terminal(), "Ver_s", "F1"},
        {appScreens().terminal(), "Prt", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shortcutOf(c.screen, c.item), QLatin1String(c.keys))
            << c.screen->objectName().toStdString() << " " << c.item;

    // A key bound twice on one screen would trigger neither item.
    for (QWidget* screen :
         {static_cast<QWidget*>(appScreens().menu()), static_cast<QWidget*>(appScreens().denkai()),
          static_cast<QWidget*>(appScreens().terminal())}) {
        QStringList keys;
        for (QAction* action : screen->findChildren<QAction*>())
            if (!action->shortcut().isEmpty()) keys.append(action->shortcut().toString());
        EXPECT_EQ(keys.size(), QSet<QString>(keys.begin(), keys.end()).size())
            << keys.join(u' ').toStdString();
    }
}

TEST_F(RememberedTest, WindowReopensWhereItWasLeft) {
    appScreens().showDenkai();
    Denkai* first = appScreens().denkai();
    first->setGeometry(123, 145, 901, 702);
    const QRect left = first->geometry();
    first->close();
    closeAllScreens();

    appScreens().showDenkai();
    EXPECT_EQ(appScreens().denkai()->size(), left.size());
    // Another window keeps its own place.
    EXPECT_TRUE(UserSettings::windowGeometry(QStringLiteral("tanmatu")).isEmpty());
}

TEST_F(RememberedTest, RecentFilesListLoadsAndDropsMissingFiles) {
    QTemporaryDir dir;
    const QString gone = dir.filePath(QStringLiteral("gone.tvd"));
    const QString copy = dir.filePath(QStringLiteral("a&b.tvd"));
    ASSERT_TRUE(QFile::copy(fixture("worked-example.tvd"), gone));
    ASSERT_TRUE(QFile::copy(fixture("coax-warning.tvd"), copy));
    UserSettings::addRecentProject(gone);
    UserSettings::addRecentProject(fixture("antenna-data.tvd"));
    UserSettings::addRecentProject(copy);
    QFile::remove(gone);

    Menu* menu = appScreens().menu();
    menu->fillRecentMenu();
    const QList<QAction*> items = named<QMenu>(menu, "Recent_m")->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&1  a&&b.tvd  （%1）").arg(dir.path()));
    EXPECT_EQ(items[1]->toolTip(), QFileInfo(fixture("antenna-data.tvd")).absoluteFilePath());
    EXPECT_EQ(UserSettings::recentProjects().size(), 2); // the missing file is forgotten

    items[1]->trigger();
    EXPECT_EQ(QFileInfo(DataName), QFileInfo(fixture("antenna-data.tvd")));
    EXPECT_TRUE(named<QCheckBox>(appScreens().terminal(), "Check1")->isChecked());
    EXPECT_TRUE(menu->windowTitle().endsWith(QStringLiteral("antenna-data.tvd ]")));
    // Loading it made it the newest.
    menu->fillRecentMenu();
    EXPECT_EQ(named<QMenu>(menu, "Recent_m")->actions()[0]->toolTip(), items[1]->toolTip());
}

TEST_F(RememberedTest, EmptyRecentFilesListSaysSo) {
    Menu* menu = appScreens().menu();
    menu->fillRecentMenu();
    ASSERT_EQ(named<QMenu>(menu, "Recent_m")->actions().size(), 1);
    EXPECT_EQ(named<QMenu>(menu, "Recent_m")->actions()[0]->text(), "（なし）");
    EXPECT_FALSE(named<QMenu>(menu, "Recent_m")->actions()[0]->isEnabled());
}

TEST_F(RememberedTest, DialogsStartInTheLastFolderUnlessAProjectIsOpen) {
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("plan.tvd"));
    Menu* menu = appScreens().menu();

    platform.fileAnswers = {saved};
    saveProjectCommand(menu, CommandOrigin::Menu);
    ASSERT_EQ(platform.fileRequests.size(), 1);
    EXPECT_TRUE(platform.fileRequests[0].startFolder.isEmpty()); // nothing remembered yet
    EXPECT_EQ(UserSettings::lastFolder(), dir.path());
    EXPECT_EQ(UserSettings::recentProjects().value(0), saved);

    // With the project open its name is preset, as before.
    platform.fileAnswers = {QString()};
    loadProjectCommand(menu);
    EXPECT_EQ(platform.fileRequests[1].presetName, saved);
    EXPECT_TRUE(platform.fileRequests[1].startFolder.isEmpty());

    // After 新規作成 the open dialog starts in the folder last used.
    newProjectCommand(menu);
    platform.fileAnswers = {QString()};
    loadProjectCommand(menu);
    EXPECT_TRUE(platform.fileRequests[2].presetName.isEmpty());
    EXPECT_EQ(platform.fileRequests[2].startFolder, dir.path());

    // A remembered folder that is gone is not offered.
    UserSettings::setLastFolder(dir.filePath(QStringLiteral("gone")));
    platform.fileAnswers = {QString()};
    loadProjectCommand(menu);
    EXPECT_TRUE(platform.fileRequests[3].startFolder.isEmpty());
}

} // namespace
