#include "platform/hourglass.h"

#include <QWidget>

namespace miravel::platform {

Hourglass::Hourglass(QWidget* screen) : m_screen(screen) {
    if (m_screen) m_screen->setCursor(Qt::WaitCursor);
}

Hourglass::~Hourglass() {
    if (m_screen) m_screen->unsetCursor();
}

} // namespace miravel::platform
