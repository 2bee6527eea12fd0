#include "app/windowsetup.h"

#include "common/usersettings.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QWidget>

using namespace miravel::common;

namespace miravel::app {

namespace {

struct ItemShortcut {
    const char* item;
    const char* keys;             // portable text of the key sequence
    const char* screen = nullptr; // only on this screen; any screen when null
};

// New, load, save and print data on the file items of every screen; close a
// work screen; the version message (Ver on one work screen, Ver_s on the
// other: the two swap names, and only the leaf is an action). Prt prints the
// field-strength screen; on the terminal screen Ctrl+P prints the data.
const ItemShortcut Shortcuts[] = {
    {"Prt", "Ctrl+P", "Denkai"},  {"al_cls", "Ctrl+N"}, {"p_new", "Ctrl+N"}, {"New_cls", "Ctrl+N"},
    {"D_Load", "Ctrl+O"},         {"D_save", "Ctrl+S"}, {"d_sav", "Ctrl+S"}, {"P_end", "Ctrl+W"},
    {"Prtdata_Insatu", "Ctrl+P"}, {"Ver", "F1"},        {"Ver_s", "F1"},
};

const char* const RestoredProperty = "miravelGeometryRestored";

class GeometryKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            auto* window = static_cast<QWidget*>(watched);
            UserSettings::setWindowGeometry(window->objectName(), window->saveGeometry());
        }
        return false;
    }
};

} // namespace

QKeySequence standardShortcut(const QString& itemName, const QString& screenName) {
    for (const ItemShortcut& s : Shortcuts)
        if (itemName == QLatin1String(s.item) &&
            (!s.screen || screenName == QLatin1String(s.screen)))
            return QKeySequence(QString::fromLatin1(s.keys), QKeySequence::PortableText);
    return QKeySequence();
}

void applyStandardShortcuts(QWidget* screen) {
    for (QAction* action : screen->findChildren<QAction*>()) {
        if (action->menu()) continue; // a submenu's own entry, named like the submenu
        const QKeySequence key = standardShortcut(action->objectName(), screen->objectName());
        if (!key.isEmpty()) action->setShortcut(key);
    }
}

void rememberGeometry(QWidget* screen) {
    screen->installEventFilter(new GeometryKeeper(screen));
}

void restoreGeometryOnce(QWidget* screen) {
    if (screen->property(RestoredProperty).toBool()) return;
    screen->setProperty(RestoredProperty, true);
    const QByteArray saved = UserSettings::windowGeometry(screen->objectName());
    if (!saved.isEmpty()) screen->restoreGeometry(saved);
}

} // namespace miravel::app
