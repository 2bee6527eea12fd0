#pragma once
// What desktop users expect of every window: the user guide under 使い方,
// Ctrl+Q to end the program, the program's icon, and a project or network
// file dropped on a window opened; and one running program per user.

#include <QStringList>

class QApplication;
class QIcon;
class QObject;
class QWidget;

namespace miravel::app {

class ScreenSet;

// How files given at start open: with the start menu as the commanding window.
using OpenStartFiles = void (*)(QWidget* menu, const QStringList& files);

// Starts the desktop side of a window run. False when a program already
// running took `files` (and came forward): this start should end. Files a
// later start hands over open as `openFiles` opens start files.
bool beginDesktopSession(QApplication& app, ScreenSet& screens, const QStringList& files,
                         OpenStartFiles openFiles);

// Gives every window, as it is first shown, 使い方 and Ctrl+Q, and lets it
// take dropped files; sets the built-in program icon. Deleting the returned object
// ends the behaviours (tests).
QObject* installDesktopBehaviours(QApplication& app, ScreenSet& screens);
// The same for one window (done for each window on its first show).
void addDesktopItems(QWidget* window, ScreenSet& screens);

// The program's icon: the desktop theme's, else the one built in.
QIcon programIcon();
// The built-in icon, which the program starts with.
QIcon builtInIcon();
// Sets the program icon from the desktop theme right after the window's
// first paint: searching the theme costs more than showing the menu.
void useThemeIcon(QWidget* firstWindow);

// Ends the program as the start menu's 終了 does, all windows included,
// after the unsaved-changes questions; false when the user kept a window.
bool quitProgram(ScreenSet& screens);

// True for a project (.tvd) or network (.tvdn) file name.
bool isDocumentFile(const QString& path);
// Opens a document by its kind: a network file on the network screen, a
// project as 読み込み loads it. False when it was refused or kept out.
bool openDocument(QWidget* from, const QString& path);
// Files a later start handed over: a lone network file on the network
// screen, anything else as `openFiles` opens start files; the screen that
// shows them (the start menu without files) comes forward.
void openHandedOverFiles(ScreenSet& screens, const QStringList& files, OpenStartFiles openFiles);

} // namespace miravel::app
