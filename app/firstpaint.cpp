#include "app/firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace miravel::app {

namespace {

// Queues its work on the window's first paint event, to run once that paint
// is done. Filters see an event newest first, so work queued by a later
// filter runs first.
class AfterPaint : public QObject {
public:
    AfterPaint(QWidget* window, std::function<void()> work)
        : QObject(window), m_work(std::move(work)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(qApp, std::move(m_work), Qt::QueuedConnection);
        deleteLater();
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void afterFirstPaint(QWidget* window, std::function<void()> work) {
    window->installEventFilter(new AfterPaint(window, std::move(work)));
}

void endAfterFirstPaintWhenAsked(QWidget* window) {
    if (!qEnvironmentVariableIsSet("MIRAVEL_QUIT_AFTER_FIRST_PAINT")) return;
    // Ends at once, without tearing down: what is counted is the way to the
    // first paint, not the way out.
    afterFirstPaint(window, [] {
        std::fflush(nullptr);
        std::_Exit(0);
    });
}

} // namespace miravel::app
