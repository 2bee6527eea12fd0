#include "project/ui/projectcommands.h"

#include "app/menu.h"
#include "app/screens.h"
#include "coax/ui/d_kbl.h"
#include "common/cp932.h"
#include "common/programvalues.h"
#include "fieldstrength/ui/denkai.h"
#include "project/projectbytes.h"
#include "project/records.h"
#include "project/ui/projectdata.h"
#include "support/testsupport.h"
#include "terminal/ui/tanmatu.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
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

QLineEdit* terminalText(int n) {
    return appScreens().terminal()->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
}

class ProjectCommands : public ScreenTest {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // Saves through the start menu's 書き込み with `answer` typed in the dialog.
    void saveFromMenu(const QString& answer) {
        platform.fileAnswers << answer;
        saveProjectCommand(appScreens().menu(), CommandOrigin::Menu);
    }
    void load(const QString& answer) {
        platform.fileAnswers << answer;
        loadProjectCommand(appScreens().menu());
    }
    QStringList savedRecords() {
        RecordList records;
        Data_Save(records);
        return records.records();
    }

    QTemporaryDir dir;
};

// The records a project holds right after start, before any screen was opened.
QStringList startRecords() {
    QStringList r;
    for (int i = 1; i <= 16; ++i)
        r << "";
    r << "75"
      << "75"
      << "80"
      << "80";
    for (int i = 21; i <= 65; ++i)
        r << "";
    r << "挿入損失"
      << "結合損失";
    return r;
}

TEST_F(ProjectCommands, SaveRightAfterStartStoresTheStartValues) {
    saveFromMenu(path("start.tvd"));
    ASSERT_TRUE(platform.messages.isEmpty());
    const QByteArray bytes = fileBytes(path("start.tvd"));
    EXPECT_EQ(bytes, projectBytes(startRecords()));
    EXPECT_EQ(bytes.count("\r\n"), 67);
    EXPECT_TRUE(bytes.startsWith(QByteArray("\"\"\r\n").repeated(16) +
                                 "\"75\"\r\n\"75\"\r\n\"80\"\r\n\"80\"\r\n"));
    // The save created both calculation screens without showing them.
    ASSERT_NE(appScreens().existingDenkai(), nullptr);
    EXPECT_FALSE(appScreens().existingDenkai()->isVisible());
    EXPECT_FALSE(appScreens().existingTerminal()->isVisible());
}

TEST_F(ProjectCommands, CoaxTypeIsStoredInCp932) {
    Denkai* fs = appScreens().denkai();
    pick(named<QComboBox>(named<D_Kbl>(fs, "UserControl11"), "Combo1"), 0); // ５C-2V
    saveFromMenu(path("coax.tvd"));
    const QByteArray bytes = fileBytes(path("coax.tvd"));
    // Record 11: the ten bytes 22 82 54 43 2D 32 56 22 0D 0A.
    EXPECT_EQ(bytes.split('\n').at(10) + '\n', QByteArray::fromHex("228254432d3256220d0a"));
}

TEST_F(ProjectCommands, ValuesAreTrimmedExceptTheOptionAndTheRowCaptions) {
    tanmatu* tm = appScreens().terminal();
    named<QLineEdit>(tm, "Text43")->setText("  3階東系統  ");
    terminalText(4)->setText(" 2 ");
    named<QLabel>(tm, "Label19")->setText(" 挿入損失 ");
    named<QComboBox>(named<D_Kbl>(appScreens().denkai(), "UserControl11"), "Combo1")
        ->setEditText(" S-5C-FB ");
    const QStringList r = savedRecords();
    ASSERT_EQ(r.size(), 67);
    EXPECT_EQ(r[64], "3階東系統");
    EXPECT_EQ(r[32], "2");
    EXPECT_EQ(r[10], "S-5C-FB");
    EXPECT_EQ(r[65], " 挿入損失 ");
    EXPECT_EQ(r[59], "");
    named<QCheckBox>(tm, "Check1")->setChecked(true);
    EXPECT_EQ(savedRecords()[59], "1");
}

TEST_F(ProjectCommands, SaveLoadSaveGivesIdenticalBytes) {
    // Every record filled with random texts (no quotes, CP932 only).
    const QString alphabet = QStringLiteral("0123456789.-abcXYZ ,ｱｲｳ回路系統５Ｃ　");
    auto randomText = [&alphabet](QRandomGenerator& rng) {
        QString text;
        const int length = rng.bounded(1, 12);
        for (int i = 0; i < length; ++i)
            text += alphabet[rng.bounded(alphabet.size())];
        return text;
    };
    QRandomGenerator rng(20261207);
    for (int round = 0; round < 5; ++round) {
        QStringList records;
        for (int i = 1; i <= 67; ++i) {
            QString value = randomText(rng);
            if (i != 60 && i != 66 && i != 67)
                value = value.trimmed().isEmpty() ? QStringLiteral("x") : value.trimmed();
            if (i >= 21 && i <= 24)
                value = QString::number(rng.bounded(1000) / 10.0, 'f', 2); // shown as ##0.#0
            records << value;
        }
        records[59] = ""; // the option off keeps records 56 to 59 as they are
        const QByteArray original = projectBytes(records);
        writeBytes(path("random.tvd"), original);
        load(path("random.tvd"));
        ASSERT_TRUE(platform.messages.isEmpty()) << platform.messages.first().text.toStdString();
        saveFromMenu(path("again.tvd"));
        EXPECT_EQ(fileBytes(path("again.tvd")), original) << "round " << round;
    }
}

TEST_F(ProjectCommands, LoadedOptionOverridesTheBoosterLevels) {
    QStringList r = startRecords();
    r[20] = "75.5";
    r[21] = "80";
    r[22] = "abc";
    r[23] = "75.5";
    r[55] = r[56] = r[57] = r[58] = "99";
    r[59] = "1";
    writeBytes(path("option.tvd"), projectBytes(r));
    load(path("option.tvd"));
    Denkai* fs = appScreens().denkai();
    EXPECT_EQ(named<QLineEdit>(fs, "Text11")->text(), "75.50");
    EXPECT_EQ(named<QLineEdit>(fs, "Text13")->text(), "abc");
    EXPECT_DOUBLE_EQ(Bst_Input[CS], 75.5);
    EXPECT_DOUBLE_EQ(Bst_Input[BS], 0);
    tanmatu* tm = appScreens().terminal();
    EXPECT_TRUE(named<QCheckBox>(tm, "Check1")->isChecked());
    EXPECT_EQ(QStringList(
                  {named<QLineEdit>(tm, "Text27")->text(), named<QLineEdit>(tm, "Text28")->text(),
                   named<QLineEdit>(tm, "Text29")->text(), named<QLineEdit>(tm, "Text33")->text()}),
              QStringList({"75.50", "80.00", "0.00", "75.50"}));
}

TEST_F(ProjectCommands, LoadSetsCoaxLossesFromTheRecordsOnly) {
    Kbl_Loss = {1, 2, 3, 4};
    QStringList r = startRecords();
    r[10] = "S-7C-FB"; // losses 12 to 15 left empty
    writeBytes(path("coax.tvd"), projectBytes(r));
    load(path("coax.tvd"));
    EXPECT_EQ(Kbl_Loss, (BandValues{0, 0, 0, 0}));
    r[11] = "8.1";
    r[12] = "16.4";
    r[13] = "--";
    r[14] = "29.4";
    writeBytes(path("coax.tvd"), projectBytes(r));
    load(path("coax.tvd"));
    EXPECT_DOUBLE_EQ(Kbl_Loss[VHF], 0.081);
    EXPECT_DOUBLE_EQ(Kbl_Loss[BS], 0);
    EXPECT_DOUBLE_EQ(Kbl_Loss[CS], 0.294);
    EXPECT_EQ(
        named<QLineEdit>(named<D_Kbl>(appScreens().denkai(), "UserControl11"), "Text3")->text(),
        "--");
}

TEST_F(ProjectCommands, ValuesSeparatedByCommasAreSeveralRecords) {
    QByteArray bytes = "\"a\",\"b\" , c\r\n";
    for (int i = 4; i <= 67; ++i)
        bytes += "\"" + QByteArray::number(i) + "\"\r\n";
    writeBytes(path("commas.tvd"), bytes);
    load(path("commas.tvd"));
    Denkai* fs = appScreens().denkai();
    EXPECT_EQ(named<QComboBox>(fs, "Combo1")->currentText(), "a");
    EXPECT_EQ(named<QLineEdit>(fs, "Text1")->text(), "b");
    EXPECT_EQ(named<QComboBox>(fs, "Combo2")->currentText(), "c");
    EXPECT_EQ(named<QLineEdit>(fs, "Text2")->text(), "4");
    EXPECT_EQ(named<QLineEdit>(appScreens().terminal(), "Text43")->text(), "65");
}

TEST_F(ProjectCommands, NewClearsBothScreensAndSwitchesTheOptionOff) {
    DataName = "/tmp/old.tvd";
    Kbl_Loss = {0.1, 0.2, 0.3, 0.4};
    tanmatu* tm = appScreens().terminal();
    named<QCheckBox>(tm, "Check1")->setChecked(true);
    named<QLabel>(tm, "Label19")->setText("");
    terminalText(4)->setText("3");
    Denkai* fs = appScreens().denkai();
    named<QLineEdit>(fs, "Text8")->setText("60");
    named<QLineEdit>(named<D_Kbl>(fs, "UserControl11"), "Text1")->setText("8.1");
    newProjectCommand(appScreens().menu());
    EXPECT_FALSE(named<QCheckBox>(tm, "Check1")->isChecked());
    EXPECT_EQ(named<QLineEdit>(tm, "Text27")->text(), "105");
    EXPECT_EQ(named<QLineEdit>(tm, "Text33")->text(), "105");
    EXPECT_EQ(terminalText(4)->text(), "");
    EXPECT_EQ(named<QLabel>(tm, "Label19")->text(), "挿入損失");
    EXPECT_EQ(named<QLineEdit>(fs, "Text8")->text(), "75");
    EXPECT_EQ(named<QLineEdit>(named<D_Kbl>(fs, "UserControl11"), "Text1")->text(), "");
    EXPECT_EQ(DataName, "");
    EXPECT_EQ(Kbl_Loss, (BandValues{0.1, 0.2, 0.3, 0.4}));
    EXPECT_EQ(tm->windowTitle(), "ブースター出力より端末まで");
    EXPECT_EQ(fs->windowTitle(), "アンテナからブースター入り口までの電界強度");
    EXPECT_EQ(appScreens().menu()->windowTitle(), "電界強度");
}

TEST_F(ProjectCommands, DefaultExtensionOnlyWhenThePathHasNoDot) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("plain"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("site.v2"));
    const QString plainFolder = dir.path().contains('.') ? QString() : path("plain/plan");
    if (!plainFolder.isEmpty()) {
        saveFromMenu(plainFolder);
        EXPECT_TRUE(QFile::exists(plainFolder + ".tvd"));
        EXPECT_EQ(DataName, plainFolder + ".tvd");
        EXPECT_TRUE(appScreens().menu()->windowTitle().endsWith("plan.tvd ]"));
    }
    saveFromMenu(path("site.v2/plan"));
    EXPECT_TRUE(QFile::exists(path("site.v2/plan")));
    EXPECT_FALSE(QFile::exists(path("site.v2/plan.tvd")));
    EXPECT_EQ(DataName, path("site.v2/plan"));
}

TEST_F(ProjectCommands, CaptionsAfterSaveFromEachScreenAndAfterLoad) {
    const QString name = path("c.tvd");
    const QString suffix = QStringLiteral("　　  [データ名  ") + name + " ]";
    Menu* menu = appScreens().menu();
    platform.fileAnswers << name;
    saveProjectCommand(appScreens().denkai(), CommandOrigin::FieldStrength);
    EXPECT_EQ(appScreens().denkai()->windowTitle(),
              "アンテナからブースター入り口までの電界強度" + suffix);
    EXPECT_EQ(appScreens().terminal()->windowTitle(), "ブースター出力より端末まで" + suffix);
    EXPECT_EQ(menu->windowTitle(), "電界強度");
    platform.fileAnswers << name;
    saveProjectCommand(appScreens().terminal(), CommandOrigin::Terminal);
    EXPECT_EQ(menu->windowTitle(), "電界強度");
    EXPECT_EQ(platform.fileRequests.last().presetName, name);
    EXPECT_EQ(platform.fileRequests.last().filters.first(), "電界強度ファイル(*.tvd)");
    newProjectCommand(menu);
    load(name);
    EXPECT_EQ(menu->windowTitle(), "電界強度" + suffix);
    EXPECT_EQ(appScreens().denkai()->windowTitle(),
              "アンテナからブースター入り口までの電界強度" + suffix);
    EXPECT_EQ(DataName, name);
}

TEST_F(ProjectCommands, CancelTouchesNoFileAndShowsTheEmptyName) {
    saveFromMenu(QString());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_EQ(DataName, "");
    EXPECT_EQ(appScreens().menu()->windowTitle(), "電界強度　　  [データ名   ]");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(ProjectCommands, ALoadedProjectShowsWhenItsScreenIsOpenedLater) {
    QStringList r = startRecords();
    r[6] = "BS-M  BS-MC";
    r[64] = "3階東系統";
    writeBytes(path("later.tvd"), projectBytes(r));
    Menu* menu = appScreens().menu();
    load(path("later.tvd"));
    named<QRadioButton>(menu, "Option2")->setChecked(true);
    named<QPushButton>(menu, "Command1")->click();
    EXPECT_TRUE(appScreens().existingTerminal()->isVisible());
    EXPECT_EQ(named<QLineEdit>(appScreens().existingTerminal(), "Text43")->text(), "3階東系統");
    named<QRadioButton>(menu, "Option1")->setChecked(true);
    named<QPushButton>(menu, "Command1")->click();
    EXPECT_EQ(named<QComboBox>(appScreens().existingDenkai(), "Combo4")->currentText(),
              "BS-M  BS-MC");
}

// Refused files and values: a message, and nothing changes.
TEST_F(ProjectCommands, RefusedLoadsChangeNothing) {
    QStringList shortFile = startRecords().mid(0, 30);
    writeBytes(path("short.tvd"), projectBytes(shortFile));
    writeBytes(path("invalid.tvd"), QByteArray("\"\x82\"\r\n").repeated(67));
    writeBytes(path("huge.tvd"), QByteArray(1024 * 1024 + 1, 'x'));
    QStringList overflow = startRecords();
    overflow[21] = "1E400";
    writeBytes(path("overflow.tvd"), projectBytes(overflow));
    const QStringList refused = {path("missing.tvd"), path("short.tvd"),    path("invalid.tvd"),
                                 path("huge.tvd"),    path("overflow.tvd"), dir.path()};

    DataName = path("current.tvd");
    named<QLineEdit>(appScreens().denkai(), "Text8")->setText("61");
    appScreens().menu()->setWindowTitle("電界強度");
    for (const QString& file : refused) {
        platform.messages.clear();
        load(file);
        ASSERT_EQ(platform.messages.size(), 1) << file.toStdString();
        EXPECT_FALSE(platform.messages.first().text.isEmpty());
        EXPECT_EQ(DataName, path("current.tvd"));
        EXPECT_EQ(named<QLineEdit>(appScreens().denkai(), "Text8")->text(), "61");
        EXPECT_EQ(appScreens().menu()->windowTitle(), "電界強度") << file.toStdString();
    }
}

TEST_F(ProjectCommands, RefusedSavesLeaveTheExistingFileAsItWas) {
    saveFromMenu(path("kept.tvd"));
    const QByteArray before = fileBytes(path("kept.tvd"));
    ASSERT_FALSE(before.isEmpty());
    const QString kept = DataName;
    const QString caption = appScreens().menu()->windowTitle();

    tanmatu* tm = appScreens().terminal();
    for (const QString& name : {QStringLiteral("東\"西"), QStringLiteral("回路😀")}) {
        named<QLineEdit>(tm, "Text43")->setText(name);
        platform.messages.clear();
        saveFromMenu(path("kept.tvd"));
        ASSERT_EQ(platform.messages.size(), 1);
        EXPECT_TRUE(platform.messages.first().text.contains("計算回路名"));
        EXPECT_EQ(fileBytes(path("kept.tvd")), before);
    }
    // A folder that does not exist, and a folder where the file should be.
    named<QLineEdit>(tm, "Text43")->setText("ok");
    ASSERT_TRUE(QDir(dir.path()).mkpath("taken.tvd"));
    for (const QString& target : {path("gone/plan.tvd"), path("taken.tvd")}) {
        platform.messages.clear();
        saveFromMenu(target);
        EXPECT_EQ(platform.messages.size(), 1) << target.toStdString();
    }
    EXPECT_EQ(DataName, kept);
    EXPECT_EQ(appScreens().menu()->windowTitle(), caption);
    EXPECT_EQ(fileBytes(path("kept.tvd")), before);
}

} // namespace
