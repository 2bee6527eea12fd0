#include "app/desktopwindows.h"

#include "app/firstpaint.h"
#include "app/menu.h"
#include "app/screens.h"
#include "app/singleinstance.h"
#include "catalog/catalog.h"
#include "common/version.h"
#include "network/ui/networkentry.h"
#include "network/ui/networkwindow.h"
#include "platform/userguide.h"
#include "project/ui/projectcommands.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QUrl>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::project;
using namespace miravel::terminal;

namespace miravel::app {

namespace {

const char* const EquippedProperty = "miravelDesktopItems";

bool isNetworkFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("tvdn"), Qt::CaseInsensitive) == 0;
}

// The first project or network file among the dragged items, else "".
QString draggedDocument(const QMimeData* data) {
    if (!data || !data->hasUrls()) return QString();
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && isDocumentFile(url.toLocalFile())) return url.toLocalFile();
    return QString();
}

// The program's own windows; dialogs, menus and tool tips are not.
bool isProgramWindow(const QObject* object) {
    if (!object->isWidgetType()) return false;
    const auto* widget = static_cast<const QWidget*>(object);
    return widget->isWindow() && widget->windowType() == Qt::Window;
}

bool handleDrag(QObject* target, QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = draggedDocument(drop->mimeData());
    if (path.isEmpty()) return false;
    drop->acceptProposedAction();
    if (event->type() != QEvent::Drop) return true;
    QPointer<QWidget> window = static_cast<QWidget*>(target)->window();
    // Opened once the drop is over: the file may ask a question first.
    QTimer::singleShot(0, qApp, [window, path] { openDocument(window.data(), path); });
    return true;
}

class DesktopFilter : public QObject {
public:
    DesktopFilter(ScreenSet& screens, QObject* parent) : QObject(parent), screens(screens) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
            if (isProgramWindow(watched)) addDesktopItems(static_cast<QWidget*>(watched), screens);
            return false;
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return watched->isWidgetType() && handleDrag(watched, event);
        default:
            return false;
        }
    }

private:
    ScreenSet& screens;
};

// 使い方 at the end of a menu bar; a window sized to show its whole bar
// grows with it.
void addGuideItem(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    QAction* guide = bar->addAction(QStringLiteral("使い方"));
    guide->setObjectName(QStringLiteral("Help_Guide"));
    QObject::connect(guide, &QAction::triggered, guide, [] { showUserGuide(); });
    const int needed = bar->sizeHint().width() + 24;
    if (window->minimumWidth() > 0 && window->minimumWidth() < needed &&
        window->maximumWidth() >= needed)
        window->setMinimumWidth(needed);
}

} // namespace

void addDesktopItems(QWidget* window, ScreenSet& screens) {
    if (window->property(EquippedProperty).toBool()) return;
    window->setProperty(EquippedProperty, true);
    window->setAcceptDrops(true);
    if (auto* main = qobject_cast<QMainWindow*>(window)) addGuideItem(main);
    auto* quit = new QAction(QStringLiteral("プログラムの終了"), window);
    quit->setObjectName(QStringLiteral("Quit_All"));
    quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q"), QKeySequence::PortableText));
    QObject::connect(quit, &QAction::triggered, quit, [&screens] { quitProgram(screens); });
    window->addAction(quit);
}

QIcon builtInIcon() {
    return QIcon(QStringLiteral(":/miravel/miravel-128.png"));
}

QIcon programIcon() {
    return QIcon::fromTheme(programId(),
                            QIcon::fromTheme(QStringLiteral("miravel"), builtInIcon()));
}

QObject* installDesktopBehaviours(QApplication& app, ScreenSet& screens) {
    // The same picture as the theme's: searching the theme waits for the
    // first window's first paint (useThemeIcon).
    app.setWindowIcon(builtInIcon());
    auto* filter = new DesktopFilter(screens, &app);
    app.installEventFilter(filter);
    return filter;
}

bool beginDesktopSession(QApplication& app, ScreenSet& screens, const QStringList& files,
                         OpenStartFiles openFiles) {
    QStringList absolute;
    for (const QString& file : files)
        absolute.append(QFileInfo(file).absoluteFilePath());
    if (SingleInstance::handOver(singleInstanceName(), absolute)) return false;
    installDesktopBehaviours(app, screens);
    auto* instance = new SingleInstance(singleInstanceName(), &app);
    QObject::connect(instance, &SingleInstance::filesArrived, &app,
                     [&screens, openFiles](const QStringList& handed) {
                         openHandedOverFiles(screens, handed, openFiles);
                     });
    instance->listen(); // without it the program still works, only alone
    return true;
}

void useThemeIcon(QWidget* firstWindow) {
    afterFirstPaint(firstWindow, [] { QApplication::setWindowIcon(programIcon()); });
}

bool quitProgram(ScreenSet& screens) {
    // The window that may ask first, so that keeping it keeps everything.
    if (NetworkWindow* network = NetworkEntry::existingNetworkScreen())
        if (!network->close()) return false;
    screens.closeWorkScreens();
    if (Menu* menu = screens.existingMenu()) menu->close();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (isProgramWindow(window) && window->isVisible() && !window->close()) return false;
    return true;
}

bool isDocumentFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    return isNetworkFile(path) || suffix.compare(QLatin1String("tvd"), Qt::CaseInsensitive) == 0;
}

bool openDocument(QWidget* from, const QString& path) {
    catalog::ensureCatalogue();
    if (!isNetworkFile(path)) return loadProjectFile(from, path);
    NetworkEntry::showNetworkScreen();
    return NetworkEntry::existingNetworkScreen()->openNetworkFile(path);
}

void openHandedOverFiles(ScreenSet& screens, const QStringList& files, OpenStartFiles openFiles) {
    if (files.size() == 1 && isNetworkFile(files.first())) {
        openDocument(nullptr, files.first());
        return;
    }
    Menu* menu = screens.menu();
    screens.show(menu);
    openFiles(menu, files);
}

} // namespace miravel::app
