// Pictures of the screens for the README, taken from the program's own
// screens with a project loaded, so that they stay current.
//
//   miravel_screenshots OUTPUT_FOLDER PROJECT.tvd

#include "app/appinit.h"
#include "app/menu.h"
#include "app/screens.h"
#include "catalog/ui/tv_mt.h"
#include "common/wholefile.h"
#include "fieldstrength/ui/denkai.h"
#include "platform/platform.h"
#include "project/ui/projectcommands.h"
#include "terminal/ui/tanmatu.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QThread>
#include <cstdio>

using namespace miravel::app;
using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::fieldstrength;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

void settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
    }
}

bool save(QWidget* screen, const QDir& folder, const char* name) {
    const QString file = folder.filePath(QLatin1String(name));
    const QPixmap image = screen->grab();
    const bool saved =
        writeFileThrough(file, [&image](QIODevice& out) { return image.save(&out, "PNG"); }).ok();
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "cannot write",
                 qPrintable(file));
    return saved;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER PROJECT.tvd\n", argv[0]);
        return 2;
    }
    ScreenSet& screens = initApplication(app);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());
    // The coax warning and the like would wait for a click.
    Platform::hooks().message = [](const Platform::Message&) {};

    Menu* menu = screens.menu();
    screens.show(menu);
    if (!loadProjectFile(menu, QString::fromLocal8Bit(argv[2]))) return 1;
    screens.showDenkai();
    screens.showTerminal();
    screens.terminal()->Keisan();
    screens.showBoard();
    settle();
    const bool ok = save(menu, folder, "menu.png") &&
                    save(screens.denkai(), folder, "fieldstrength.png") &&
                    save(screens.terminal(), folder, "terminal.png") &&
                    save(screens.board(), folder, "board.png");
    screens.closeWorkScreens();
    menu->close();
    return ok ? 0 : 1;
}
