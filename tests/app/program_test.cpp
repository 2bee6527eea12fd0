// The installed program as a script or a desktop runs it: a separate process
// with its own home folder, locale and platform.

#include "standard/profilestore.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <sys/stat.h>

using namespace miravel::common;
using namespace miravel::platform;
using namespace miravel::standard;

namespace {

QString fixture(const char* name) {
    return QStringLiteral(MIRAVEL_FIXTURES "/") + QLatin1String(name);
}

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

class ProgramTest : public ::testing::Test {
protected:
    QString conf() const { return home.filePath(QStringLiteral(".config/Miravel/Miravel.conf")); }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QByteArray bytes(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    }

    // Runs the program in `dir`, HOME a fresh folder, no runtime folder.
    Outcome run(const QStringList& arguments, const QStringList& environment = {},
                const QString& output = QString()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "LANGUAGE", "LC_MESSAGES"})
            env.remove(QLatin1String(name));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("ja_JP.UTF-8"));
        for (const QString& setting : environment) {
            if (setting.endsWith(u'='))
                env.remove(setting.chopped(1));
            else
                env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
        }
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.path());
        if (!output.isEmpty()) p.setStandardOutputFile(output);
        p.start(QStringLiteral(MIRAVEL_PROGRAM), arguments);
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << "did not end: " << arguments.join(u' ').toStdString();
            return {};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : 128 + p.exitCode(),
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    QTemporaryDir home;
    QTemporaryDir dir;
};

TEST_F(ProgramTest, ScriptsAreJudgedByTheScreensSettingsAndLeaveThemAsTheyWere) {
    {
        QSettings settings(conf(), QSettings::IniFormat);
        saveProfileChoice(settings, {MeasuringPoint::Receiver, SatelliteSystem::Uhd4K8K});
        saveNoiseFigures(settings, {8, 10, 20, 8});
        settings.setValue(QStringLiteral("files/recent"), QStringList{fixture("coax-warning.tvd")});
    }
    const QByteArray before = bytes(conf());
    // No display, an X11 platform named, no runtime folder: as from cron.
    const QStringList cron = {"QT_QPA_PLATFORM=xcb", "DISPLAY=", "WAYLAND_DISPLAY="};
    const Outcome levels =
        run({"--levels", "--format", "csv", fixture("worked-example.tvd")}, cron);
    EXPECT_EQ(levels.status, 0);
    EXPECT_TRUE(levels.out.contains(
        QStringLiteral("BS,104.51,105,21.61,83.39,過大 +2.39 dB,69.61,102.61,74.45,適合")))
        << levels.out.toStdString();
    const Outcome print = run({"--print-pdf", "out.pdf", fixture("worked-example.tvd")}, cron);
    EXPECT_EQ(print.status, 0);
    EXPECT_TRUE(bytes(path("out.pdf")).startsWith("%PDF"));
    EXPECT_EQ(levels.err + print.err, QString()); // no XDG_RUNTIME_DIR warning either
    EXPECT_EQ(bytes(conf()), before);
}

TEST_F(ProgramTest, ExitStatusesAndWhatTheySay) {
    const QString plan = fixture("worked-example.tvd");
    const QString network = QStringLiteral(MIRAVEL_EXAMPLES_DIR "/apartment-12.tvdn");
    const struct {
        QStringList arguments;
        int status;
        const char* saying; // in standard output for 0 and 3, else standard error
        QStringList environment = {};
    } cases[] = {
        {{"--version"}, 0, "Miravel 2.0"},
        {{"-style", "fusion", "-reverse", "--levels", plan}, 0, "端末レベル(dB)"},
        {{"-session", "1a2b", "-qwindowgeometry", "640x480", "--levels", plan}, 0, "帯域"},
        {{"-platform", "offscreen", "--levels", network}, 3, "101 (1F)"},
        {{"-hv"}, 2, "不明なオプションです: -hv\n"},
        {{"--levels=foo", plan}, 2, "--levels は値を取りません: --levels=foo"},
        {{"--levels", ""}, 2, "ファイル名が空です。"},
        {{""}, 2, "ファイル名が空です。"},
        {{"--levels", "missing.tvd"}, 1, "が見つかりません"},
        {{"--print-pdf", "n.pdf", network}, 1, "印刷できるのは計算データ（.tvd）だけです"},
        {{"--print-pdf", "/proc/x.pdf", plan}, 1, "に書き込めません"},
        {{"--help"}, 0, "Usage: miravel", {"LC_ALL=C.UTF-8"}},
        {{"-hv"}, 2, "Unknown option: -hv", {"LC_ALL=en_US.UTF-8"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome r = run(c.arguments, c.environment);
        EXPECT_EQ(r.status, c.status) << r.err.toStdString();
        const QString& said = c.status == 0 || c.status == 3 ? r.out : r.err;
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.saying))) << said.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("n.pdf")));
}

TEST_F(ProgramTest, OutputThatIsTheProjectItselfIsRefused) {
    ASSERT_TRUE(QFile::copy(fixture("worked-example.tvd"), path("P.tvd")));
    ASSERT_TRUE(QFile::link(path("P.tvd"), path("link.pdf")));
    const QByteArray project = bytes(path("P.tvd"));
    for (const char* output : {"P.tvd", "./P.tvd", "link.pdf"}) {
        SCOPED_TRACE(output);
        const Outcome r = run({"--print-pdf", output, "P.tvd"});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("読み込むデータファイルそのもの")))
            << r.err.toStdString();
        EXPECT_EQ(bytes(path("P.tvd")), project);
    }
}

TEST_F(ProgramTest, FailedWriteOnStandardOutputIsAFailure) {
    const Outcome r =
        run({"--levels", fixture("worked-example.tvd")}, {}, QStringLiteral("/dev/full"));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("標準出力に書き込めませんでした: ")))
        << r.err.toStdString();
}

TEST_F(ProgramTest, SettingsFileThatIsAPipeIsSetAside) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(conf()).path()));
    ASSERT_EQ(mkfifo(QFile::encodeName(conf()).constData(), 0600), 0);
    const Outcome r = run({"--levels", fixture("worked-example.tvd")}); // does not block
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("設定ファイル「") + conf() +
                               QStringLiteral("」は通常のファイルではないため使いません")))
        << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("端末レベル(dB)")));
    EXPECT_TRUE(QFileInfo(conf()).exists() && !QFileInfo(conf()).isFile());
}

} // namespace
