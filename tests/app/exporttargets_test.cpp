// Every file the program writes, given a named pipe or a link to one: the
// pipe stays a pipe, the link a link, and the user is told why.

#include "common/errors.h"
#include "common/wholefile.h"
#include "network/tvdnfile.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkentry.h"
#include "network/ui/networkwindow.h"
#include "print/printtestsupport.h"
#include "project/tvdfile.h"
#include "project/ui/projectcommands.h"
#include "standard/ui/levelchartwindow.h"
#include "support/testsupport.h"

#include <QAction>
#include <QFileInfo>
#include <QPainter>
#include <functional>
#include <sys/stat.h>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

bool isPipe(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

class ExportTargets : public ScreenTest {
protected:
    NetworkWindow* network() {
        NetworkEntry::showNetworkScreen();
        return NetworkEntry::existingNetworkScreen();
    }
    // The user names `path` in the next file dialog and then triggers `action`.
    void chooseAndTrigger(QAction* action, const QString& path) {
        platform.fileAnswers = {path};
        action->trigger();
    }
    // The core writers refuse with a UserError.
    static void refused(const std::function<void()>& write) { EXPECT_THROW(write(), UserError); }

    PrinterStandIn printer;
    LevelChartWindow chart;
    QTemporaryDir dir;
};

TEST_F(ExportTargets, APipeOrALinkToOneStaysAsItWas) {
    const struct {
        const char* name;
        const char* extension;
        std::function<void(const QString& path)> write;
        bool core; // no message: the refusal is the writer's result
    } exports[] = {
        {"project 書き込み", "tvd",
         [&](const QString& p) {
             platform.fileAnswers = {p};
             saveProjectCommand(nullptr, CommandOrigin::Menu);
         },
         false},
        {"writeProjectFile", "tvd",
         [](const QString& p) { refused([&] { writeProjectFile(p, "x"); }); }, true},
        {"名前を付けて保存...", "tvdn",
         [&](const QString& p) { chooseAndTrigger(named<QAction>(network(), "saveNetworkAs"), p); },
         false},
        {"上書き保存", "tvdn",
         [&](const QString& p) {
             network()->document()->setFilePath(p);
             named<QAction>(network(), "saveNetwork")->trigger();
         },
         false},
        {"writeNetworkFile", "tvdn",
         [](const QString& p) { refused([&] { writeNetworkFile(p, Network()); }); }, true},
        {"端子一覧表のCSV出力...", "csv",
         [&](const QString& p) {
             chooseAndTrigger(named<QAction>(network(), "exportOutletCsv"), p);
         },
         false},
        {"PDF出力...", "pdf",
         [&](const QString& p) {
             chooseAndTrigger(named<QAction>(network(), "exportNetworkPdf"), p);
         },
         false},
        {"PDFで保存…", "pdf", [&](const QString& p) { EXPECT_FALSE(chart.savePdf(p)); }, false},
        {"画像で保存…", "png", [&](const QString& p) { EXPECT_FALSE(chart.saveImage(p)); }, false},
        {"印刷 to PDF", "pdf",
         [&](const QString& p) {
             printer.printTo(p);
             EXPECT_FALSE(printOnCurrentPrinter(
                 nullptr, [](QPainter&, QPagedPaintDevice&) { return true; }));
         },
         false},
        {"printDocument", "pdf",
         [&](const QString& p) {
             printer.printTo(p);
             EXPECT_EQ(printDocument(currentPrinter(),
                                     [](QPainter&, QPagedPaintDevice&) { return true; }),
                       PrintOutcome::CannotBegin);
         },
         true},
        {"writeWholeFile", "csv", [](const QString& p) { EXPECT_NE(writeWholeFile(p, "x"), 0); },
         true},
    };
    for (const auto& e : exports) {
        const QString pipe = dir.filePath(QStringLiteral("pipe.") + QLatin1String(e.extension));
        const QString link = dir.filePath(QStringLiteral("link.") + QLatin1String(e.extension));
        if (!isPipe(pipe)) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
            ASSERT_TRUE(QFile::link(pipe, link));
        }
        for (const QString& target : {pipe, link}) {
            SCOPED_TRACE(std::string(e.name) + " " + target.toStdString());
            platform.messages.clear();
            e.write(target);
            EXPECT_TRUE(isPipe(pipe));
            EXPECT_EQ(QFileInfo(link).symLinkTarget(), pipe);
            if (e.core) continue;
            ASSERT_EQ(platform.messages.size(), 1);
            EXPECT_TRUE(platform.messages[0].text.contains(QFileInfo(target).fileName()))
                << platform.messages[0].text.toStdString();
        }
    }
}

} // namespace
