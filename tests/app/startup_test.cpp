#include "app/startup.h"

#include "app/menu.h"
#include "app/screens.h"
#include "coax/ui/d_kbl.h"
#include "common/programvalues.h"
#include "common/usersettings.h"
#include "fieldstrength/ui/denkai.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkentry.h"
#include "network/ui/networkwindow.h"
#include "project/ui/projectcommands.h"
#include "support/testsupport.h"
#include "terminal/ui/tanmatu.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace miravel::app;
using namespace miravel::coax;
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

class StartupTest : public ScreenTest {};

TEST_F(StartupTest, FileArgumentLoadsFieldsAndCaptions) {
    const QString file = fixture("antenna-data.tvd");
    Menu* menu = appScreens().menu();
    openFilesAtStart(menu, {file});

    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(DataName, file);
    const QString caption = QStringLiteral("　　  [データ名  ") + file + QStringLiteral(" ]");
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("電界強度") + caption);
    EXPECT_EQ(appScreens().denkai()->windowTitle(),
              QStringLiteral("アンテナからブースター入り口までの電界強度") + caption);
    EXPECT_EQ(named<QComboBox>(appScreens().denkai(), "Combo1")->currentText(), "VHF-5A");
    EXPECT_EQ(named<QLineEdit>(appScreens().denkai(), "Text11")->text(), "88.40");
    EXPECT_EQ(named<QLineEdit>(appScreens().denkai(), "Text13")->text(), "");
    EXPECT_EQ(named<QLineEdit>(appScreens().denkai(), "Text15")->text(), "-3.13");
    EXPECT_DOUBLE_EQ(Bst_Input[CS], -3.125);
    tanmatu* tm = appScreens().terminal();
    EXPECT_EQ(tm->windowTitle(), QStringLiteral("ブースター出力より端末まで") + caption);
    EXPECT_EQ(named<QComboBox>(tm, "Combo3")->currentText(), "テレビ端子 BS-77F   (CS対応形)");
    EXPECT_TRUE(named<QCheckBox>(tm, "Check1")->isChecked());
    // The option on: booster outputs are the loaded inputs, not the stored 105.
    EXPECT_EQ(named<QLineEdit>(tm, "Text27")->text(), "88.40");
    EXPECT_EQ(named<QLineEdit>(tm, "Text33")->text(), "-3.13");
    EXPECT_EQ(named<QLineEdit>(tm, "Text23")->text(), "20");
    EXPECT_EQ(named<QLineEdit>(tm, "Text43")->text(),
              "分岐, Ａ系統"); // a comma inside the quotes survives
    // Loaded, not shown: the user picks a job from the start menu.
    EXPECT_FALSE(tm->isVisible());
    EXPECT_EQ(UserSettings::recentProjects().value(0), QFileInfo(file).absoluteFilePath());
}

TEST_F(StartupTest, RefusedFileShowsTheLoadMessageAndChangesNothing) {
    Menu* menu = appScreens().menu();
    openFilesAtStart(menu, {fixture("no-such-file.tvd")});
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains("が見つかりません"))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(menu->windowTitle(), "電界強度");
    EXPECT_TRUE(DataName.isEmpty());
}

TEST_F(StartupTest, SecondFileIsNamedInAMessageAndNotOpened) {
    Menu* menu = appScreens().menu();
    const QString second = fixture("coax-warning.tvd");
    openFilesAtStart(menu, {fixture("worked-example.tvd"), second});
    EXPECT_EQ(DataName, fixture("worked-example.tvd"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.startsWith("データファイルは一度に一つしか開けません。"));
    EXPECT_TRUE(platform.messages[0].text.endsWith(QChar(13) + second));
    EXPECT_EQ(named<QLineEdit>(appScreens().terminal(), "Text22")->text(),
              "10"); // the first file's S-5C-FB
}

TEST_F(StartupTest, NetworkFileOpensTheNetworkScreenAndIsNoProject) {
    const QString network = QStringLiteral(MIRAVEL_EXAMPLES_DIR "/apartment-12.tvdn");
    openFilesAtStart(appScreens().menu(), {network});
    ASSERT_NE(NetworkEntry::existingNetworkScreen(), nullptr);
    EXPECT_EQ(NetworkEntry::existingNetworkScreen()->document()->filePath(), network);
    EXPECT_TRUE(DataName.isEmpty());
    // 読み込み refuses it by its name, and by its content under another name.
    QTemporaryDir dir;
    const QString renamed = dir.filePath(QStringLiteral("plan.tvd"));
    ASSERT_TRUE(QFile::copy(network, renamed));
    for (const QString& file : {network, renamed}) {
        platform.messages.clear();
        EXPECT_FALSE(loadProjectFile(nullptr, file));
        ASSERT_EQ(platform.messages.size(), 1);
        EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("「建物全体の配線網」")))
            << platform.messages[0].text.toStdString();
        EXPECT_TRUE(DataName.isEmpty());
    }
}

TEST_F(StartupTest, RelativeFileIsNamedByItsAbsolutePath) {
    const QString before = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(MIRAVEL_FIXTURES));
    openFilesAtStart(appScreens().menu(), {QStringLiteral("worked-example.tvd")});
    QDir::setCurrent(before);
    EXPECT_EQ(DataName, fixture("worked-example.tvd"));
    EXPECT_TRUE(appScreens().menu()->windowTitle().contains(fixture("worked-example.tvd")));
}

TEST_F(StartupTest, RecentFileThatFailsToOpenLeavesTheList) {
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("broken.tvd"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"short\"\r\n");
    file.close();
    UserSettings::addRecentProject(fixture("worked-example.tvd"));
    UserSettings::addRecentProject(broken);
    EXPECT_FALSE(loadProjectFile(nullptr, broken));
    EXPECT_EQ(UserSettings::recentProjects(), QStringList{fixture("worked-example.tvd")});
}

TEST_F(StartupTest, NoFileLoadsNothing) {
    openFilesAtStart(appScreens().menu(), {});
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(appScreens().existingTerminal(), nullptr);
}

} // namespace
