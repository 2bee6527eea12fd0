#include "app/screens.h"

#include "app/windowsetup.h"
#include "catalog/ui/tv_mt.h"
#include "fieldstrength/ui/denkai.h"
#include "network/ui/networkentry.h"
#include "terminal/ui/tanmatu.h"

#include <QPointer>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::fieldstrength;
using namespace miravel::network;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace miravel::app {

namespace Screens {
namespace {

template <typename Screen> Screen* instance(QPointer<Screen>& slot) {
    if (!slot) {
        slot = new Screen();
        prepare(slot);
    }
    return slot.data();
}

QPointer<Denkai> s_denkai;
QPointer<tanmatu> s_terminal;
QPointer<Tv_Mt> s_board;

} // namespace

void prepare(QWidget* screen) {
    screen->setAttribute(Qt::WA_DeleteOnClose);
    applyStandardShortcuts(screen);
    rememberGeometry(screen);
}

Denkai* denkai() {
    return instance(s_denkai);
}
tanmatu* terminal() {
    return instance(s_terminal);
}
Tv_Mt* board() {
    return instance(s_board);
}

Denkai* existingDenkai() {
    return s_denkai.data();
}
tanmatu* existingTerminal() {
    return s_terminal.data();
}
Tv_Mt* existingBoard() {
    return s_board.data();
}

void show(QWidget* screen) {
    restoreGeometryOnce(screen);
    screen->show();
    screen->raise();
    screen->activateWindow();
}

void closeWorkScreens() {
    if (s_denkai) s_denkai->close();
    if (s_terminal) s_terminal->close();
    if (s_board) s_board->close();
    NetworkEntry::closeNetworkScreen();
}

void showDenkai() {
    show(denkai());
}
void showTerminal() {
    show(terminal());
}
void showBoard() {
    show(board());
}

} // namespace Screens

} // namespace miravel::app
