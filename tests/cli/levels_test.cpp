#include "cli/levelscommand.h"

#include "app/screens.h"
#include "cli/commandline.h"
#include "fieldstrength/ui/denkai.h"
#include "project/ui/projectcommands.h"
#include "standard/profilestore.h"
#include "standard/ui/verdictpanel.h"
#include "support/testsupport.h"
#include "terminal/keisan.h"
#include "terminal/ui/tanmatu.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <sys/stat.h>

using namespace miravel::app;
using namespace miravel::common;
using namespace miravel::fieldstrength;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

using namespace miravel::cli;

namespace {

QString fixture(const char* name) {
    return QStringLiteral(MIRAVEL_FIXTURES "/") + QLatin1String(name);
}

class LevelsTest : public ScreenTest {};

// What the screens show for a file: loaded by 読み込み, then 計　　算.
struct ScreenLevels {
    QStringList boosterInput;
    QStringList resultLines;
    QStringList verdicts;
    QList<Platform::Message> messages;
};

ScreenLevels screenLevels(PlatformStandIn& platform, const QString& file) {
    ScreenLevels shown;
    EXPECT_TRUE(loadProjectFile(nullptr, file));
    for (QLineEdit* field : {named<QLineEdit>(appScreens().denkai(), "Text11"),
                             named<QLineEdit>(appScreens().denkai(), "Text12"),
                             named<QLineEdit>(appScreens().denkai(), "Text13"),
                             named<QLineEdit>(appScreens().denkai(), "Text15")})
        shown.boosterInput.append(field->text());
    tanmatu* tm = appScreens().terminal();
    tm->Keisan();
    for (QLabel* label : {named<QLabel>(tm, "Label43"), named<QLabel>(tm, "Label44"),
                          named<QLabel>(tm, "Label45"), named<QLabel>(tm, "Label58")})
        shown.resultLines.append(label->text());
    for (QLabel* label : {named<QLabel>(named<VerdictPanel>(tm, "Verdicts"), "VerdictVhf"),
                          named<QLabel>(named<VerdictPanel>(tm, "Verdicts"), "VerdictUhf"),
                          named<QLabel>(named<VerdictPanel>(tm, "Verdicts"), "VerdictBs"),
                          named<QLabel>(named<VerdictPanel>(tm, "Verdicts"), "VerdictCs")})
        shown.verdicts.append(label->text());
    shown.messages = platform.messages;
    return shown;
}

TEST_F(LevelsTest, SameNumbersAsTheScreens) {
    for (const char* name : {"worked-example.tvd", "antenna-data.tvd", "coax-warning.tvd"}) {
        SCOPED_TRACE(name);
        const ScreenLevels shown = screenLevels(platform, fixture(name));
        const BatchResult result =
            levelsCommand(fixture(name), OutputFormat::Csv, loadJudgingSettings());
        EXPECT_EQ(result.status, ExitOk);
        const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 5) << result.out.toStdString();
        EXPECT_EQ(lines[0], QStringLiteral("band,booster_input,booster_output,loss,terminal_level,"
                                           "verdict,window_min,window_max,cn,cn_verdict"));
        for (int b = 0; b < 4; ++b) {
            const QStringList cells = lines[b + 1].split(u',');
            ASSERT_EQ(cells.size(), 10);
            EXPECT_EQ(cells[1], shown.boosterInput[b]);
            const QString line = cells[2] + QStringLiteral("db - ") + cells[3] +
                                 QStringLiteral("db = ") + cells[4] + QStringLiteral("db ");
            EXPECT_EQ(line, shown.resultLines[b]);
            EXPECT_EQ(cells[5], shown.verdicts[b]);
        }
        // The coax warning the screen shows goes to standard error.
        const bool warned = !shown.messages.isEmpty();
        EXPECT_EQ(!result.err.isEmpty(), warned);
        if (warned) {
            EXPECT_EQ(result.err, terminalMessage(shown.messages.last().text) + u'\n');
        }
        closeAllScreens();
        platform.messages.clear();
    }
}

// The expected outputs the package check compares the installed program
// with: they must be what the program prints, which the test above ties to
// the screens.
TEST_F(LevelsTest, StoredExpectedOutputsAreCurrent) {
    const std::pair<const char*, OutputFormat> formats[] = {
        {"text", OutputFormat::Text}, {"csv", OutputFormat::Csv}, {"json", OutputFormat::Json}};
    for (const char* name : {"worked-example", "antenna-data", "coax-warning"}) {
        const QString project = fixture(name) + QStringLiteral(".tvd");
        for (const auto& [suffix, format] : formats) {
            SCOPED_TRACE(std::string(name) + "." + suffix);
            QFile expected(fixture(name) + QStringLiteral(".levels.") + QLatin1String(suffix));
            ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
            const QString text =
                QString::fromUtf8(expected.readAll()).replace(QStringLiteral("@FILE@"), project);
            EXPECT_EQ(levelsCommand(project, format, loadJudgingSettings()).out, text);
        }
    }
}

// The verdicts follow the user's profile choice and noise figures, as the
// screens do: receiver input (BS from 48 dBμV) and a 20 dB noise figure for BS;
// 4K8K C/N in the 33.7561 MHz noise bandwidth (Nth 10.06 dBμV).
TEST_F(LevelsTest, VerdictsFollowTheStoredChoice) {
    {
        QSettings settings;
        saveProfileChoice(settings, {MeasuringPoint::Receiver, SatelliteSystem::Uhd4K8K});
        saveNoiseFigures(settings, {8, 10, 20, 8});
    }
    const BatchResult result =
        levelsCommand(fixture("worked-example.tvd"), OutputFormat::Csv, loadJudgingSettings());
    QSettings().clear();
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[3],
              QStringLiteral("BS,104.51,105,21.61,83.39,過大 +2.39 dB,69.61,102.61,74.45,適合"));
    EXPECT_EQ(lines[4],
              QStringLiteral("CS,101.18,105,3.78,101.22,過大 +20.22 dB,51.78,84.78,83.12,適合"));
}

TEST_F(LevelsTest, WorkedExampleInEveryFormat) {
    const QString file = fixture("worked-example.tvd");
    const BatchResult text = levelsCommand(file, OutputFormat::Text, loadJudgingSettings());
    EXPECT_EQ(
        text.out,
        QStringLiteral("帯域  ブースター入力(dB)  ブースター出力(dB)  損失(dB)  端末レベル(dB)  "
                       "判定            必要出力下限(dB)  必要出力上限(dB)  C/N(dB)  C/N判定\n"
                       "VHF                77.07                 105     16.01           88.99  "
                       "基準なし                                              66.81  基準なし\n"
                       "UHF                80.58                 105     18.79           86.21  "
                       "過大 +5.21 dB              68.79             99.79    68.32  適合\n"
                       "BS                104.51                 105     21.61           83.39  "
                       "過大 +2.39 dB              73.61            102.61    87.13  適合\n"
                       "CS                101.18                 105      3.78          101.22  "
                       "過大 +20.22 dB             55.78             84.78    83.80  適合\n"));
    const BatchResult json = levelsCommand(file, OutputFormat::Json, loadJudgingSettings());
    EXPECT_TRUE(json.out.contains(QStringLiteral(
        "{\"band\": \"CS\", \"booster_input\": 101.18, \"booster_output\": 105.0, \"loss\": 3.78, "
        "\"terminal_level\": 101.22, \"verdict\": \"過大 +20.22 dB\", \"window_min\": 55.78, "
        "\"window_max\": 84.78, \"cn\": 83.80, \"cn_verdict\": \"適合\"}")))
        << json.out.toStdString();
    EXPECT_TRUE(text.err.isEmpty());
}

TEST_F(LevelsTest, AntennaDataOptionTakesTheLoadedBoosterInputs) {
    // The file stores 105 as booster outputs, but its option is on.
    const BatchResult result =
        levelsCommand(fixture("antenna-data.tvd"), OutputFormat::Csv, loadJudgingSettings());
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("VHF,88.40,88.4,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("BS,,0,"))) << lines[3].toStdString();
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("CS,-3.13,-3.13,"))) << lines[4].toStdString();
}

TEST_F(LevelsTest, RefusedFilesGiveTheDialogsMessage) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.tvd"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString shortFile = dir.filePath(QStringLiteral("short.tvd"));
    const QString binary = dir.filePath(QStringLiteral("binary.tvd"));
    const QString huge = dir.filePath(QStringLiteral("huge.tvd"));
    QFile source(fixture("worked-example.tvd"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray good = source.readAll();
    const QList<QPair<QString, QByteArray>> files = {
        {shortFile, good.left(good.size() / 2)},
        {binary, QByteArray("\x7f"
                            "ELF\x02\x01\x01\x00\x00\x00\x80\xff\xfe",
                            14)
                     .repeated(20)},
        {huge, QByteArray(1024 * 1024 + 1, ' ')},
    };
    for (const auto& [path, bytes] : files) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    const QString overflow = dir.filePath(QStringLiteral("overflow.tvd"));
    QFile::copy(fixture("worked-example.tvd"), overflow);
    {
        // A count too large for a double stops the calculation: error 6.
        QFile f(overflow);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll().replace("\"1\"\r\n", "\"1E400\"\r\n");
        f.resize(0);
        f.write(bytes);
    }

    for (const QString& path :
         {dir.filePath(QStringLiteral("missing.tvd")), fifo, dir.path(), shortFile, binary, huge}) {
        SCOPED_TRACE(path.toStdString());
        const BatchResult result = levelsCommand(path, OutputFormat::Text, loadJudgingSettings());
        EXPECT_EQ(result.status, ExitRefused);
        EXPECT_TRUE(result.out.isEmpty());
        platform.messages.clear();
        EXPECT_FALSE(loadProjectFile(nullptr, path));
        ASSERT_EQ(platform.messages.size(), 1);
        EXPECT_EQ(result.err, terminalMessage(platform.messages[0].text) + u'\n');
    }
    const BatchResult stopped = levelsCommand(overflow, OutputFormat::Text, loadJudgingSettings());
    EXPECT_EQ(stopped.status, ExitRefused);
    EXPECT_EQ(stopped.err, QStringLiteral("error6\n"));
    EXPECT_TRUE(stopped.out.isEmpty());
}

TEST(TerminalMessageTest, CarriageReturnsBecomeLineBreaks) {
    EXPECT_EQ(terminalMessage(QStringLiteral("a\rb\r\nc\n")), QStringLiteral("a\nb\nc\n"));
}

} // namespace
