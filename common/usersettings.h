#pragma once
// What the program remembers between runs for the user: the folder of the
// last project file dialog, the last five projects and where each window was.
// Printer settings are deliberately not among them: they last for one run.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace miravel::common {

constexpr int RecentProjectCount = 5;

namespace UserSettings {

// The folder the last project file was chosen in; "" before the first choice.
QString lastFolder();
void setLastFolder(const QString& folder);

// The last loaded or saved projects, newest first, at most RecentProjectCount.
QStringList recentProjects();
// Puts `path` first (once); the oldest beyond RecentProjectCount drops out.
// The desktop's recently used documents get it too.
void addRecentProject(const QString& path);
// The list without the files that no longer exist; the stored list shrinks too.
QStringList existingRecentProjects();
// Takes `path` out of the list (a file that failed to open).
void forgetRecentProject(const QString& path);

// The saved geometry of the window named `window`; empty when none.
QByteArray windowGeometry(const QString& window);
void setWindowGeometry(const QString& window, const QByteArray& geometry);

// Whether anything is written to the settings: the commands for scripts
// turn it off, so that they leave the screens' state as it was.
void setRemembering(bool on);

// The settings files that exist but are not regular files (a named pipe
// would block the program at its first look at the settings); empty when
// every one is usable. Needs the program's identity.
QStringList unusableSettingsFiles();
// The settings of this run start blank and are not kept.
void useBlankSettings();

} // namespace UserSettings

// The list after `path` was used: first, without an earlier copy, cut to `limit`.
QStringList withRecentFirst(const QStringList& list, const QString& path, int limit);

} // namespace miravel::common
