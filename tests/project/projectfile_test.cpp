#include "app/menu.h"
#include "app/screens.h"
#include "coax/ui/d_kbl.h"
#include "common/cp932.h"
#include "common/filestamp.h"
#include "common/programvalues.h"
#include "fieldstrength/ui/denkai.h"
#include "fifofeeder.h"
#include "project/projectbytes.h"
#include "project/records.h"
#include "project/ui/projectcommands.h"
#include "project/ui/projectdata.h"
#include "support/testsupport.h"
#include "terminal/ui/tanmatu.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

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

// "R1" to "R67"; record 60, the option, is its off state, the empty text.
QStringList goldenRecords() {
    QStringList r;
    for (int i = 1; i <= 67; ++i)
        r << QStringLiteral("R%1").arg(i);
    r[59] = QString();
    return r;
}

// Where each record lands: screen D (field strength), K (its coax control)
// or T (terminal level), and the control's name.
struct RecordField {
    int record;
    char screen;
    const char* control;
};

const RecordField RecordFields[] = {
    {1, 'D', "Combo1"},   {2, 'D', "Text1"},    {3, 'D', "Combo2"},   {4, 'D', "Text2"},
    {5, 'D', "Combo3"},   {6, 'D', "Text3"},    {7, 'D', "Combo4"},   {8, 'D', "Text4"},
    {9, 'D', "Text5"},    {10, 'D', "Text6"},   {11, 'K', "Combo1"},  {12, 'K', "Text1"},
    {13, 'K', "Text2"},   {14, 'K', "Text3"},   {15, 'K', "Text4"},   {16, 'D', "Text7"},
    {17, 'D', "Text8"},   {18, 'D', "Text9"},   {19, 'D', "Text10"},  {20, 'D', "Text14"},
    {21, 'D', "Text11"},  {22, 'D', "Text12"},  {23, 'D', "Text13"},  {24, 'D', "Text15"},
    {25, 'T', "Text11"},  {26, 'T', "Text12"},  {27, 'T', "Text35"},  {28, 'T', "Text36"},
    {29, 'T', "Text39"},  {30, 'T', "Text40"},  {31, 'T', "Text41"},  {32, 'T', "Text42"},
    {33, 'T', "Text4"},   {34, 'T', "Text5"},   {35, 'T', "Text6"},   {36, 'T', "Text30"},
    {37, 'T', "Text31"},  {38, 'T', "Text32"},  {39, 'T', "Text20"},  {40, 'T', "Text21"},
    {41, 'T', "Text22"},  {42, 'T', "Text23"},  {43, 'T', "Text24"},  {44, 'T', "Text25"},
    {45, 'T', "Text26"},  {46, 'T', "Combo3"},  {47, 'T', "Text13"},  {48, 'T', "Text14"},
    {49, 'T', "Text15"},  {50, 'T', "Text37"},  {51, 'T', "Text16"},  {52, 'T', "Text17"},
    {53, 'T', "Text18"},  {54, 'T', "Text38"},  {55, 'T', "Text19"},  {56, 'T', "Text27"},
    {57, 'T', "Text28"},  {58, 'T', "Text29"},  {59, 'T', "Text33"},  {60, 'T', "Check1"},
    {61, 'T', "Label43"}, {62, 'T', "Label44"}, {63, 'T', "Label45"}, {64, 'T', "Label58"},
    {65, 'T', "Text43"},  {66, 'T', "Label19"}, {67, 'T', "Label20"},
};

// The text a control shows: a line edit's or label's text, a chooser's edit
// text, a check box's state as the file keeps it.
QString shownText(const RecordField& f) {
    D_Kbl* coax = named<D_Kbl>(appScreens().denkai(), "UserControl11");
    QWidget* screen = f.screen == 'T'   ? static_cast<QWidget*>(appScreens().terminal())
                      : f.screen == 'K' ? static_cast<QWidget*>(coax)
                                        : static_cast<QWidget*>(appScreens().denkai());
    const QString name = QString::fromLatin1(f.control);
    QWidget* control = nullptr;
    for (QWidget* w : screen->findChildren<QWidget*>(name)) {
        // The coax control's fields share their names with the host's.
        if (f.screen == 'D' && coax->isAncestorOf(w)) continue;
        control = w;
        break;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* check = qobject_cast<QCheckBox*>(control))
        return check->isChecked() ? QStringLiteral("1") : QString();
    return QStringLiteral("(no control %1)").arg(name);
}

class ProjectFile : public ScreenTest {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    void load(const QString& answer) {
        platform.fileAnswers << answer;
        loadProjectCommand(appScreens().menu());
    }
    void saveFromMenu(const QString& answer) {
        platform.fileAnswers << answer;
        saveProjectCommand(appScreens().menu(), CommandOrigin::Menu);
    }
    QStringList savedRecords() {
        RecordList records;
        Data_Save(records);
        return records.records();
    }
    QTemporaryDir dir;
};

// Every record goes to its own field and comes back from it, in its place.
TEST_F(ProjectFile, GoldenRecordsLoadFieldByFieldAndSaveBackByteForByte) {
    const QStringList golden = goldenRecords();
    const QByteArray original = projectBytes(golden);
    writeBytes(path("golden.tvd"), original);
    load(path("golden.tvd"));
    ASSERT_TRUE(platform.messages.isEmpty()) << platform.messages.first().text.toStdString();
    ASSERT_EQ(std::size(RecordFields), size_t(67));
    for (const RecordField& f : RecordFields) {
        SCOPED_TRACE(f.record);
        EXPECT_EQ(shownText(f), golden[f.record - 1]) << f.screen << " " << f.control;
    }
    saveFromMenu(path("again.tvd"));
    EXPECT_EQ(fileBytes(path("again.tvd")), original);
}

// A number too large for a double where loading converts the record: the
// file is refused whole, with the field named, and nothing changes.
TEST_F(ProjectFile, ANumberBeyondADoubleIsRefusedWhereLoadingConvertsIt) {
    const struct {
        int record;
        const char* name;
    } cases[] = {
        {12, "同軸ケーブル損失 VHF (dB/100m)"},
        {13, "同軸ケーブル損失 UHF (dB/100m)"},
        {14, "同軸ケーブル損失 BS (dB/100m)"},
        {15, "同軸ケーブル損失 CS (dB/100m)"},
        {21, "ブースター入力レベル VHF"},
        {22, "ブースター入力レベル UHF"},
        {23, "ブースター入力レベル BS"},
        {24, "ブースター入力レベル CS"},
        {60, "ｱﾝﾃﾅﾃﾞｰﾀを使用"},
    };
    load(path("none.tvd")); // creates both screens with their start values
    Kbl_Loss = {0.1, 0.2, 0.3, 0.4};
    Bst_Input = {70, 71, 72, 73};
    DataName = path("current.tvd");
    const QStringList before = savedRecords();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        QStringList records = goldenRecords();
        records[c.record - 1] = QStringLiteral("1E400");
        writeBytes(path("overflow.tvd"), projectBytes(records));
        platform.messages.clear();
        load(path("overflow.tvd"));
        ASSERT_EQ(platform.messages.size(), 1);
        EXPECT_EQ(
            platform.messages.first().text,
            QString::fromUtf8(c.name) +
                QStringLiteral(" の値 (1E400) が大きすぎるため、このファイルは読み込めません。"));
        EXPECT_EQ(savedRecords(), before);
        EXPECT_EQ(Kbl_Loss, (BandValues{0.1, 0.2, 0.3, 0.4}));
        EXPECT_EQ(Bst_Input, (BandValues{70, 71, 72, 73}));
        EXPECT_EQ(DataName, path("current.tvd"));
    }
}

// A named pipe is refused before it is opened, so loading never waits on it.
TEST_F(ProjectFile, LoadingANamedPipeIsRefusedWithAMessage) {
    const QString pipe = path("pipe.tvd");
    const FifoFeeder feeder(pipe, projectBytes(goldenRecords()));
    ASSERT_TRUE(feeder.made());
    DataName = path("current.tvd");
    const QStringList before = savedRecords();
    load(pipe);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages.first().text,
              QStringLiteral("「%1」は通常のファイルではない（名前付きパイプや装置など）ため、"
                             "使えません。データファイルを選んでください。")
                  .arg(QDir::toNativeSeparators(pipe)));
    EXPECT_EQ(savedRecords(), before);
    EXPECT_EQ(DataName, path("current.tvd"));
    EXPECT_FALSE(feeder.fed());
}

// Replacing a file is asked about whether or not ".tvd" was typed; keeping
// it leaves the file as it was.
TEST_F(ProjectFile, ReplacingAFileIsAskedTheSameWayWithOrWithoutTheExtension) {
    if (dir.path().contains('.')) GTEST_SKIP() << "the folder's name has a dot";
    const QString file = path("plan.tvd");
    for (const QString& typed : {path("plan"), file}) {
        SCOPED_TRACE(typed.toStdString());
        newProjectCommand(nullptr); // the file below is not the project's own
        writeBytes(file, "old");
        platform.questions.clear();
        platform.questionAnswers = {false};
        saveFromMenu(typed);
        ASSERT_EQ(platform.questions.size(), 1);
        EXPECT_EQ(platform.questions.first().text,
                  QStringLiteral("ファイル「%1」は既にあります。置き換えますか？")
                      .arg(QDir::toNativeSeparators(file)));
        EXPECT_EQ(fileBytes(file), QByteArray("old"));

        platform.questionAnswers = {true};
        saveFromMenu(typed);
        EXPECT_EQ(platform.questions.size(), 2);
        EXPECT_EQ(fileBytes(file), projectBytes(savedRecords()));
        EXPECT_EQ(DataName, file);
    }
    platform.questions.clear();
    saveFromMenu(path("new"));
    EXPECT_TRUE(platform.questions.isEmpty());
    EXPECT_TRUE(QFile::exists(path("new.tvd")));
}

// Saving over the project's file after another program changed it asks
// about the change; No leaves the other program's file as it is.
TEST_F(ProjectFile, SavingOverAFileChangedSinceItWasOpenedOrSavedAsksFirst) {
    const QString file = path("plan.tvd");
    const QByteArray ours = projectBytes(goldenRecords());
    const QByteArray other = QByteArray(ours).replace("R65", "R66");
    // Another program writes the same number of bytes; only the time differs.
    const auto changeElsewhere = [&] {
        writeBytes(file, other);
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                  QFileDevice::FileModificationTime));
    };
    const QString replace = QStringLiteral("ファイル「%1」は既にあります。置き換えますか？")
                                .arg(QDir::toNativeSeparators(file));
    writeBytes(file, ours);
    load(file);
    changeElsewhere();
    platform.questionAnswers = {false, true, true};
    saveFromMenu(file); // changed since opened: No
    EXPECT_EQ(fileBytes(file), other);
    saveFromMenu(file); // Yes
    EXPECT_EQ(fileBytes(file), ours);
    saveFromMenu(file); // unchanged since saved: asked as ever
    changeElsewhere();
    platform.questionAnswers = {false};
    saveFromMenu(file); // changed since saved: No
    EXPECT_EQ(fileBytes(file), other);
    const QString changed = changedOnDiskQuestion(file);
    QStringList asked;
    for (const Platform::Message& q : platform.questions)
        asked << q.text;
    EXPECT_EQ(asked, (QStringList{changed, changed, replace, changed}));
    EXPECT_TRUE(changed.contains(QDir::toNativeSeparators(file)));
}

// Loaded captions are shown as they are, never read as markup: each label is
// as wide as its text written out.
TEST_F(ProjectFile, LoadedCaptionsAreShownAsPlainText) {
    QStringList records = goldenRecords();
    const QStringList markup = {"<b>x</b>", "a<br>b",   "<i>R</i>",
                                "&amp;",    "<u>y</u>", "<h1>z</h1>"};
    const int labelRecords[] = {61, 62, 63, 64, 66, 67};
    for (int i = 0; i < 6; ++i)
        records[labelRecords[i] - 1] = markup[i];
    writeBytes(path("markup.tvd"), projectBytes(records));
    load(path("markup.tvd"));
    ASSERT_TRUE(platform.messages.isEmpty());
    tanmatu* tm = appScreens().terminal();
    appScreens().show(tm);
    const QLabel* labels[] = {named<QLabel>(tm, "Label43"), named<QLabel>(tm, "Label44"),
                              named<QLabel>(tm, "Label45"), named<QLabel>(tm, "Label58"),
                              named<QLabel>(tm, "Label19"), named<QLabel>(tm, "Label20")};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(markup[i].toStdString());
        EXPECT_EQ(labels[i]->text(), markup[i]);
        EXPECT_GE(labels[i]->sizeHint().width(),
                  labels[i]->fontMetrics().horizontalAdvance(markup[i]));
    }
}

// Leaving a chooser after a load, with Return or Tab, keeps the loaded gains
// and losses, and the calculation right after uses them.
TEST_F(ProjectFile, LeavingTheChoosersAfterALoadKeepsTheFilesValues) {
    QStringList records = goldenRecords();
    const std::pair<int, const char*> values[] = {
        {1, "VW-12"},
        {2, "9"},
        {3, "UL-20"},
        {4, "8"},
        {5, "BSA-75"},
        {6, "40"},
        {7, "M-UV-7 MC-UV-7"},
        {8, "2.5"},
        {9, "3"},
        {10, "0"},
        {11, "S-7C-FB"},
        {12, "5"},
        {13, "10"},
        {14, "20"},
        {15, "30"},
        {16, "10"},
        {17, "75"},
        {18, "75"},
        {19, "80"},
        {20, "80"},
    };
    for (const auto& [record, value] : values)
        records[record - 1] = QString::fromUtf8(value);
    writeBytes(path("loaded.tvd"), projectBytes(records));
    load(path("loaded.tvd"));
    ASSERT_TRUE(platform.messages.isEmpty());

    Denkai* fs = appScreens().denkai();
    appScreens().show(fs);
    fs->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fs));
    for (QComboBox* chooser : {named<QComboBox>(fs, "Combo1"), named<QComboBox>(fs, "Combo2"),
                               named<QComboBox>(fs, "Combo3"), named<QComboBox>(fs, "Combo4"),
                               named<QComboBox>(named<D_Kbl>(fs, "UserControl11"), "Combo1")}) {
        chooser->setFocus();
        QTest::keyClick(chooser, Qt::Key_Return);
        QTest::keyClick(chooser, Qt::Key_Tab);
    }
    click(named<QPushButton>(fs, "Command2"));
    for (const auto& [record, value] : values)
        EXPECT_EQ(savedRecords()[record - 1], QString::fromUtf8(value)) << record;
    // (75 + 9) - (0.05 × 10 + 2.5), (75 + 8) - (0.1 × 10 + 3), 80 - 2, 80 - 3.
    EXPECT_EQ(QStringList(
                  {named<QLineEdit>(fs, "Text11")->text(), named<QLineEdit>(fs, "Text12")->text(),
                   named<QLineEdit>(fs, "Text13")->text(), named<QLineEdit>(fs, "Text15")->text()}),
              QStringList({"81.00", "79.00", "78.00", "77.00"}));
}

} // namespace
