#include "app/screens.h"

#include "app/menu.h"
#include "app/windowsetup.h"
#include "catalog/catalog.h"
#include "catalog/ui/boardentry.h"
#include "catalog/ui/tv_mt.h"
#include "fieldstrength/ui/denkai.h"
#include "network/ui/networkentry.h"
#include "project/ui/projectdata.h"
#include "terminal/ui/tanmatu.h"

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::fieldstrength;
using namespace miravel::network;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace miravel::app {

namespace {

template <typename Screen, typename... Args>
Screen* instance(QPointer<Screen>& slot, Args&... args) {
    if (!slot) {
        slot = new Screen(args...);
        ScreenSet::prepare(slot);
    }
    return slot.data();
}

} // namespace

ScreenSet::ScreenSet(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("ScreenSet"));
}

void ScreenSet::wireLinks() {
    // The building network reaches the terminal screen only through its link.
    NetworkEntry::setTerminalLink([this]() -> TerminalLink* { return terminal(); });
    // The calculation screens open the board, and the project commands reach
    // the screens' fields, only through what is handed to them here.
    BoardEntry::setOpener([this] { showBoard(); });
    setProjectScreens({[this]() -> ProjectFields* { return denkai(); },
                       [this]() -> ProjectFields* { return terminal(); },
                       [this](const QString& caption) {
                           if (Menu* start = existingMenu()) start->setWindowTitle(caption);
                       }});
}

void ScreenSet::prepare(QWidget* screen) {
    screen->setAttribute(Qt::WA_DeleteOnClose);
    applyStandardShortcuts(screen);
    rememberGeometry(screen);
}

Menu* ScreenSet::menu() {
    MenuJobs jobs{[this] { showDenkai(); }, [this] { showTerminal(); }, [this] { showBoard(); },
                  [this] { closeWorkScreens(); }};
    return instance(m_menu, jobs);
}
// The work screens read the catalogue as they load.
Denkai* ScreenSet::denkai() {
    ensureCatalogue();
    return instance(m_denkai);
}
tanmatu* ScreenSet::terminal() {
    ensureCatalogue();
    return instance(m_terminal);
}
Tv_Mt* ScreenSet::board() {
    ensureCatalogue();
    return instance(m_board);
}

Menu* ScreenSet::existingMenu() const {
    return m_menu.data();
}
Denkai* ScreenSet::existingDenkai() const {
    return m_denkai.data();
}
tanmatu* ScreenSet::existingTerminal() const {
    return m_terminal.data();
}
Tv_Mt* ScreenSet::existingBoard() const {
    return m_board.data();
}

void ScreenSet::show(QWidget* screen) {
    restoreGeometryOnce(screen);
    screen->show();
    screen->raise();
    screen->activateWindow();
}

void ScreenSet::closeWorkScreens() {
    if (m_denkai) m_denkai->close();
    if (m_terminal) m_terminal->close();
    if (m_board) m_board->close();
    NetworkEntry::closeNetworkScreen();
}

void ScreenSet::showDenkai() {
    show(denkai());
}
void ScreenSet::showTerminal() {
    show(terminal());
}
void ScreenSet::showBoard() {
    show(board());
}

} // namespace miravel::app
