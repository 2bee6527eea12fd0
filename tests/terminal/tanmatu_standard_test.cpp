#include "app/menu.h"
#include "app/screens.h"
#include "common/cp932.h"
#include "print/printtestsupport.h"
#include "project/ui/projectcommands.h"
#include "standard/ui/levelchartwindow.h"
#include "standard/ui/verdictpanel.h"
#include "support/testsupport.h"
#include "terminal/ui/tanmatu.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace miravel::app;
using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

// The hue family of a verdict colour: what a person would call it.
enum class Hue { Grey, Red, Orange, Green, Other };
Hue hueOf(const QColor& c) {
    if (c.hsvSaturation() < 40) return Hue::Grey;
    const int h = c.hsvHue();
    if (h < 15 || h > 345) return Hue::Red;
    if (h >= 20 && h <= 45) return Hue::Orange;
    if (h >= 90 && h <= 150) return Hue::Green;
    return Hue::Other;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class TerminalVerdicts : public ScreenTest {
protected:
    void SetUp() override {
        QSettings().clear();
        ScreenTest::SetUp();
    }
    void TearDown() override {
        ScreenTest::TearDown();
        QSettings().clear();
    }

    tanmatu* screen() { return appScreens().terminal(); }
    QLineEdit* field(int n) {
        return screen()->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
    }
    VerdictPanel* panel() { return named<VerdictPanel>(screen(), "Verdicts"); }

    // One BS-D2 distributor (VHF 3.8, UHF 4.0, BS 4.5, CS none) after
    // booster levels chosen so that the four bands get four different
    // verdicts at the outlet: 76.2 (no range), 48, 53 and 85 dBμV.
    void fillFixture() {
        field(4)->setText(QStringLiteral("1"));
        field(27)->setText(QStringLiteral("80"));
        field(28)->setText(QStringLiteral("52"));
        field(29)->setText(QStringLiteral("57.5"));
        field(33)->setText(QStringLiteral("85"));
    }
    void calculate() { click(named<QPushButton>(screen(), "Command1")); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void save(const QString& file) {
        platform.fileAnswers << file;
        saveProjectCommand(screen(), CommandOrigin::Terminal);
    }
    void load(const QString& file) {
        platform.fileAnswers << file;
        loadProjectCommand(appScreens().menu());
    }

    struct Expected {
        QLabel* verdict;
        QLabel* window;
        const char* text;
        Hue hue;
        const char* windowText;
    };
    void expectBands(const std::vector<Expected>& bands) {
        for (const Expected& e : bands) {
            EXPECT_EQ(e.verdict->text(), QString::fromUtf8(e.text));
            EXPECT_EQ(hueOf(e.verdict->palette().color(QPalette::WindowText)), e.hue) << e.text;
            EXPECT_EQ(e.window->text(), QString::fromUtf8(e.windowText)) << e.text;
        }
    }
    std::vector<Expected> outletHd() {
        auto* p = panel();
        return {
            {named<QLabel>(p, "VerdictVhf"), named<QLabel>(p, "WindowVhf"), "基準なし", Hue::Grey,
             ""},
            {named<QLabel>(p, "VerdictUhf"), named<QLabel>(p, "WindowUhf"), "不足 −2.00 dB",
             Hue::Red, "必要ブースター出力 54.00–85.00 dB"},
            {named<QLabel>(p, "VerdictBs"), named<QLabel>(p, "WindowBs"), "適合", Hue::Green,
             "必要ブースター出力 56.50–85.50 dB"},
            {named<QLabel>(p, "VerdictCs"), named<QLabel>(p, "WindowCs"), "過大 +4.00 dB",
             Hue::Orange, "必要ブースター出力 52.00–81.00 dB"},
        };
    }

    QTemporaryDir dir;
};

TEST_F(TerminalVerdicts, LoadedFixtureJudgedAfterCalculation) {
    fillFixture();
    save(path("fixture.tvd"));
    newProjectCommand(screen());
    EXPECT_TRUE(named<QLabel>(panel(), "VerdictBs")->text().isEmpty())
        << "nothing to judge after new";
    load(path("fixture.tvd"));
    EXPECT_TRUE(named<QLabel>(panel(), "VerdictBs")->text().isEmpty()) << "saved without results";
    calculate();
    expectBands(outletHd());
    EXPECT_TRUE(named<QLabel>(panel(), "VerdictUhf")
                    ->toolTip()
                    .contains(QStringLiteral("50.00–81.00 dBμV")));
    EXPECT_TRUE(named<QLabel>(panel(), "VerdictBs")
                    ->toolTip()
                    .contains(QStringLiteral("52.00–81.00 dBμV")));
}

TEST_F(TerminalVerdicts, LoadShowsTheVerdictsOfTheSavedResults) {
    fillFixture();
    calculate();
    save(path("withresults.tvd"));
    newProjectCommand(screen());
    EXPECT_TRUE(named<QLabel>(panel(), "VerdictUhf")->text().isEmpty())
        << "a new project has nothing to judge";
    EXPECT_TRUE(named<QLabel>(panel(), "WindowUhf")->text().isEmpty());
    load(path("withresults.tvd"));
    expectBands(outletHd());
}

TEST_F(TerminalVerdicts, ProfileChoiceChangesVerdictsAndIsRemembered) {
    fillFixture();
    calculate();
    EXPECT_FALSE(named<QLabel>(panel(), "RightHandNote")->isVisibleTo(panel()));
    pick(named<QComboBox>(panel(), "SystemCombo"), 1); // 4K8K
    EXPECT_TRUE(named<QLabel>(panel(), "RightHandNote")->isVisibleTo(panel()))
        << "4K8K judges the right-hand circular channels only, and says so";
    EXPECT_EQ(named<QLabel>(panel(), "VerdictBs")->text(), "不足 −1.00 dB");
    EXPECT_EQ(hueOf(named<QLabel>(panel(), "VerdictBs")->palette().color(QPalette::WindowText)),
              Hue::Red);
    EXPECT_EQ(named<QLabel>(panel(), "WindowBs")->text(), "必要ブースター出力 58.50–85.50 dB");
    EXPECT_EQ(named<QLabel>(panel(), "VerdictUhf")->text(), "不足 −2.00 dB")
        << "UHF does not depend on it";

    pick(named<QComboBox>(panel(), "PointCombo"), 1); // receiver input: UHF from 47, BS from 48
    EXPECT_EQ(named<QLabel>(panel(), "VerdictUhf")->text(), "適合");
    EXPECT_EQ(named<QLabel>(panel(), "VerdictBs")->text(), "適合");

    closeAllScreens();
    EXPECT_EQ(named<QComboBox>(panel(), "PointCombo")->currentIndex(), 1)
        << "a new screen starts with the choice";
    EXPECT_EQ(named<QComboBox>(panel(), "SystemCombo")->currentIndex(), 1);
}

// The project file holds exactly what it held before verdicts existed,
// whatever profile is chosen.
TEST_F(TerminalVerdicts, ProjectFileUnchangedByteForByte) {
    fillFixture();
    calculate();
    save(path("a.tvd"));
    pick(named<QComboBox>(panel(), "SystemCombo"), 1);
    pick(named<QComboBox>(panel(), "PointCombo"), 1);
    save(path("b.tvd"));

    QStringList records;
    for (int i = 1; i <= 67; ++i)
        records << QString();
    for (int i : {17, 18})
        records[i - 1] = QStringLiteral("75");
    for (int i : {19, 20})
        records[i - 1] = QStringLiteral("80");
    records[33 - 1] = QStringLiteral("1");
    const char* levels[] = {"80", "52", "57.5", "85"};
    // Records are stored without the lines' closing blank.
    const char* lines[] = {"80db - 3.8db = 76.2db", "52db - 4db = 48db", "57.5db - 4.5db = 53db",
                           "85db - 0db = 85db"};
    for (int b = 0; b < 4; ++b) {
        records[56 + b - 1] = QString::fromUtf8(levels[b]);
        records[61 + b - 1] = QString::fromUtf8(lines[b]);
    }
    records[66 - 1] = QStringLiteral("挿入損失");
    records[67 - 1] = QStringLiteral("結合損失");
    QByteArray expected;
    for (const QString& r : records)
        expected += '"' + cp932Encode(r).bytes + "\"\r\n";

    EXPECT_EQ(fileBytes(path("a.tvd")), expected);
    EXPECT_EQ(fileBytes(path("b.tvd")), expected);
}

TEST_F(TerminalVerdicts, LevelChartFollowsTheFieldsAndTheProfile) {
    fillFixture();
    calculate();
    screen()->findChild<QAction*>(QStringLiteral("Level_Chart"))->trigger();
    ASSERT_TRUE(screen()->chart);
    EXPECT_TRUE(screen()->chart->isVisible());
    const auto data = screen()->chartData();
    EXPECT_EQ(data[BS].output, 57.5);
    EXPECT_EQ(data[BS].losses, (std::array<double, 4>{4.5, 0, 0, 0}));
    EXPECT_EQ(data[BS].range, (LevelRange{52, 81}));
    pick(named<QComboBox>(panel(), "SystemCombo"), 1);
    EXPECT_EQ(screen()->chartData()[BS].range, (LevelRange{54, 81}));
    EXPECT_TRUE(screen()->chartHeading().contains(QStringLiteral("4K8K")));
}

TEST_F(TerminalVerdicts, VerdictSheetPrintsOnOnePage) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    PrinterStandIn printer;
    printer.printTo(path("sheet.pdf"));
    fillFixture();
    field(43)->setText(QStringLiteral("北棟"));
    calculate();
    screen()->findChild<QAction*>(QStringLiteral("Prt_Hantei"))->trigger();
    ASSERT_FALSE(platform.messages.isEmpty());
    EXPECT_TRUE(platform.messages.last().text.contains(QStringLiteral("印刷が終了しました")));
    const QString text = pdfText(path("sheet.pdf"));
    EXPECT_EQ(text.count(QChar(u'\f')), 1) << "one page";
    for (const char* expected :
         {"計算回路名：北棟", "判定基準：テレビ端子・BS/CS 2K", "48.00 dBμV", "不足 −2.00 dB",
          "過大 +4.00 dB", "56.50–85.50 dB", "9.38 dBμV", "レベル配分図"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

// A full disk: the printer error, no completion message, and the sheet
// printed earlier under that name kept as it was.
TEST_F(TerminalVerdicts, VerdictSheetOnAFullDiskKeepsTheEarlierFile) {
    PrinterStandIn printer;
    fillFixture();
    calculate();
    QAction* print = screen()->findChild<QAction*>(QStringLiteral("Prt_Hantei"));
    // A whole print first, so that the fonts are loaded before the disk fills.
    printer.printTo(path("first.pdf"));
    print->trigger();
    const QString file = path("sheet.pdf");
    const QByteArray earlier("an earlier print");
    ASSERT_TRUE(writeFile(file, earlier));
    printer.printTo(file);
    platform.messages.clear();
    {
        FullDisk full(1024);
        ASSERT_TRUE(full.active());
        print->trigger();
    }
    const Platform::Message printerError{QStringLiteral("プリンターエラー   482"),
                                         QStringLiteral("　　プリンタートラブル")};
    EXPECT_EQ(platform.messages, QList({printerError}));
    EXPECT_EQ(readFile(file), earlier);
}

// The sheet's table and chart come from the result lines: fields edited
// after 計　算 change neither, and the sheet says where its numbers come from.
TEST_F(TerminalVerdicts, VerdictSheetChartAgreesWithItsTable) {
    fillFixture();
    calculate();
    field(4)->setText(QStringLiteral("2"));
    field(29)->setText(QStringLiteral("90"));
    const VerdictSheet sheet = screen()->verdictSheet();
    const ChartLayout chart = layoutLevelChart(sheet.chart, QSizeF(1000, 800));
    for (int b = 0; b < BandCount; ++b) {
        const QStringList& row = sheet.levels.rows[size_t(b)];
        EXPECT_TRUE(chart.panels[size_t(b)].verdict.endsWith(row[1] + u'　' + row[2]))
            << chart.panels[size_t(b)].verdict.toStdString();
    }
    EXPECT_EQ(sheet.levels.rows[BS][1], "53.00 dBμV");
    EXPECT_EQ(sheet.chart[BS].losses, (std::array<double, 4>{4.5, 0, 0, 0}));
    EXPECT_TRUE(sheet.heading.lines.contains(sheetSourceText()));
}

// Without a field-strength calculation the C/N rows say "未計算", and the
// sheet's preview draws what its print draws.
TEST_F(TerminalVerdicts, VerdictSheetPreviewAndCnNotCalculated) {
    fillFixture();
    calculate();
    for (const QStringList& row : screen()->verdictSheet().cn.rows) {
        EXPECT_EQ(row[1], "未計算");
        EXPECT_EQ(row.last(), "未計算");
    }
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    PrinterStandIn printer;
    printer.printTo(path("printed.pdf"));
    screen()->findChild<QAction*>(QStringLiteral("Prt_Hantei"))->trigger();
    int previews = 0;
    PrintCommands::hooks().previewDialog = [&](const std::function<void(QPrinter&)>& paint) {
        ++previews;
        printer.printTo(path("preview.pdf"));
        paint(currentPrinter());
    };
    screen()->findChild<QAction*>(QStringLiteral("Prt_Hantei_Preview"))->trigger();
    EXPECT_EQ(previews, 1);
    const QString printed = pdfText(path("printed.pdf"));
    EXPECT_TRUE(printed.contains(QStringLiteral("未計算")));
    EXPECT_EQ(pdfText(path("preview.pdf")), printed);
}

} // namespace
