#include "app/batchprint.h"

#include "app/screens.h"
#include "cli/commandline.h"
#include "common/programvalues.h"
#include "print/printtestsupport.h"
#include "project/ui/projectcommands.h"
#include "support/testsupport.h"
#include "terminal/ui/tanmatu.h"

#include <QDir>
#include <QProcess>
#include <csignal>
#include <sys/resource.h>

using namespace miravel::app;
using namespace miravel::common;
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

class BatchPrintTest : public ScreenTest {
protected:
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    PrinterStandIn printer;
    QTemporaryDir dir;
};

TEST_F(BatchPrintTest, SamePagesAsPrintDataOnTheScreen) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext not installed";
    for (const char* name : {"worked-example.tvd", "coax-warning.tvd"}) {
        SCOPED_TRACE(name);
        // The screens: 読み込み, then 印刷（データ） into a PDF.
        ASSERT_TRUE(loadProjectFile(nullptr, fixture(name)));
        printer.printTo(path("screen.pdf"));
        named<QAction>(appScreens().terminal(), "Prtdata_Insatu")->trigger();
        const QString onScreen = pdfText(path("screen.pdf"));
        closeAllScreens();
        platform.messages.clear();

        const BatchResult result = printPdfCommand(appScreens(), path("batch.pdf"), fixture(name));
        EXPECT_EQ(result.status, ExitOk) << result.err.toStdString();
        ASSERT_TRUE(isPdf(path("batch.pdf")));
        EXPECT_FALSE(onScreen.isEmpty());
        EXPECT_EQ(pdfText(path("batch.pdf")), onScreen);
        EXPECT_TRUE(onScreen.contains(QStringLiteral("88.99")) ||
                    onScreen.contains(QStringLiteral("88.8")));
        // Nothing is left behind: no screen; messages go where they went before.
        EXPECT_EQ(appScreens().existingTerminal(), nullptr);
        Platform::message(nullptr, QStringLiteral("after"), QString());
        ASSERT_FALSE(platform.messages.isEmpty());
        EXPECT_EQ(platform.messages.last().text, "after");
        platform.messages.clear();
    }
}

TEST_F(BatchPrintTest, RefusalsWriteNoPdfAndSayWhy) {
    const struct {
        QString pdf;
        QString project;
        const char* saying;
    } cases[] = {
        {path("a.pdf"), path("missing.tvd"), "が見つかりません"},
        {path("a.pdf"), dir.path(), "はフォルダーです"},
        {dir.path(), fixture("worked-example.tvd"), "PDF ファイルの名前を指定してください"},
        {path("no/such/a.pdf"), fixture("worked-example.tvd"), "PDF の保存先フォルダー"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saying);
        const BatchResult result = printPdfCommand(appScreens(), c.pdf, c.project);
        EXPECT_EQ(result.status, ExitRefused);
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.saying))) << result.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(path("a.pdf")));
        EXPECT_FALSE(QFileInfo::exists(path("no")));
    }
}

// The program itself under a file-size limit: the PDF write fails and is
// reported like a full disk (exit 1, the earlier file kept); the limit's
// signal does not end the program.
TEST_F(BatchPrintTest, AFileSizeLimitIsReportedLikeAFullDisk) {
    const QString pdf = path("limited.pdf");
    ASSERT_TRUE(writeFile(pdf, "an earlier print"));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    program.setProcessEnvironment(environment);
    program.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 2048;
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    program.start(QStringLiteral(MIRAVEL_PROGRAM),
                  {QStringLiteral("--print-pdf"), pdf, fixture("worked-example.tvd")});
    ASSERT_TRUE(program.waitForFinished(120000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), ExitRefused);
    EXPECT_TRUE(QString::fromUtf8(program.readAllStandardError())
                    .contains(QStringLiteral("プリンターエラー")));
    EXPECT_EQ(readFile(pdf), QByteArray("an earlier print"));
}

} // namespace
