#include "app/startup.h"

#include "app/menu.h"
#include "app/screens.h"
#include "coax/d_kbl.h"
#include "common/programvalues.h"
#include "common/usersettings.h"
#include "fieldstrength/denkai.h"
#include "support/testsupport.h"
#include "terminal/tanmatu.h"

#include <QFileInfo>

namespace {

QString fixture(const char* name) {
    return QStringLiteral(MIRAVEL_FIXTURES "/") + QLatin1String(name);
}

class StartupTest : public ScreenTest {};

TEST_F(StartupTest, FileArgumentLoadsFieldsAndCaptions) {
    const QString file = fixture("antenna-data.tvd");
    Menu* menu = Screens::menu();
    openFilesAtStart(menu, {file});

    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(DataName, file);
    const QString named = QStringLiteral("　　  [データ名  ") + file + QStringLiteral(" ]");
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("電界強度") + named);
    const auto* fs = Screens::denkai()->ui;
    EXPECT_EQ(Screens::denkai()->windowTitle(),
              QStringLiteral("アンテナからブースター入り口までの電界強度") + named);
    EXPECT_EQ(fs->Combo1->currentText(), "VHF-5A");
    EXPECT_EQ(fs->Text11->text(), "88.40");
    EXPECT_EQ(fs->Text13->text(), "");
    EXPECT_EQ(fs->Text15->text(), "-3.13");
    EXPECT_DOUBLE_EQ(Bst_Input[CS], -3.125);
    tanmatu* tm = Screens::terminal();
    EXPECT_EQ(tm->windowTitle(), QStringLiteral("ブースター出力より端末まで") + named);
    EXPECT_EQ(tm->ui->Combo3->currentText(), "テレビ端子 BS-77F   (CS対応形)");
    EXPECT_TRUE(tm->ui->Check1->isChecked());
    // The option on: booster outputs are the loaded inputs, not the stored 105.
    EXPECT_EQ(tm->ui->Text27->text(), "88.40");
    EXPECT_EQ(tm->ui->Text33->text(), "-3.13");
    EXPECT_EQ(tm->ui->Text23->text(), "20");
    EXPECT_EQ(tm->ui->Text43->text(), "分岐, Ａ系統"); // a comma inside the quotes survives
    // Loaded, not shown: the user picks a job from the start menu.
    EXPECT_FALSE(tm->isVisible());
    EXPECT_EQ(UserSettings::recentProjects().value(0), QFileInfo(file).absoluteFilePath());
}

TEST_F(StartupTest, RefusedFileShowsTheLoadMessageAndChangesNothing) {
    Menu* menu = Screens::menu();
    openFilesAtStart(menu, {fixture("no-such-file.tvd")});
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains("が見つかりません"))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(menu->windowTitle(), "電界強度");
    EXPECT_TRUE(DataName.isEmpty());
}

TEST_F(StartupTest, SecondFileIsNamedInAMessageAndNotOpened) {
    Menu* menu = Screens::menu();
    const QString second = fixture("coax-warning.tvd");
    openFilesAtStart(menu, {fixture("worked-example.tvd"), second});
    EXPECT_EQ(DataName, fixture("worked-example.tvd"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.startsWith("データファイルは一度に一つしか開けません。"));
    EXPECT_TRUE(platform.messages[0].text.endsWith(QChar(13) + second));
    EXPECT_EQ(Screens::terminal()->ui->Text22->text(), "10"); // the first file's S-5C-FB
}

TEST_F(StartupTest, NoFileLoadsNothing) {
    openFilesAtStart(Screens::menu(), {});
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(Screens::existingTerminal(), nullptr);
}

} // namespace
