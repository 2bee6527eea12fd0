#include "network/ui/networkentry.h"

#include "network/ui/networkwindow.h"

#include <QPointer>

using namespace miravel::common;
using namespace miravel::terminal;

namespace miravel::network {

namespace NetworkEntry {
namespace {

QPointer<NetworkWindow> s_screen;

} // namespace

void showNetworkScreen() {
    if (!s_screen) {
        s_screen = new NetworkWindow();
        s_screen->setAttribute(Qt::WA_DeleteOnClose);
    }
    s_screen->show();
    s_screen->raise();
    s_screen->activateWindow();
}

bool openNetworkFile(const QString& path) {
    showNetworkScreen();
    return s_screen->openNetworkFile(path);
}

NetworkWindow* existingNetworkScreen() {
    return s_screen.data();
}

void closeNetworkScreen() {
    if (s_screen) s_screen->close();
}

} // namespace NetworkEntry

} // namespace miravel::network
