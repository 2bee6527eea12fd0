#include "common/usersettings.h"

#include "common/recentdocuments.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString LastFolderKey = QStringLiteral("files/lastFolder");
const QString RecentKey = QStringLiteral("files/recent");

// The program's one settings file, named by the application (tests point
// QSettings at a temporary folder).
QSettings store() {
    return QSettings();
}

QString geometryKey(const QString& window) {
    return QStringLiteral("windows/%1/geometry").arg(window);
}

} // namespace

QStringList withRecentFirst(const QStringList& list, const QString& path, int limit) {
    QStringList result{path};
    for (const QString& entry : list)
        if (entry != path && !entry.isEmpty() && result.size() < limit) result.append(entry);
    return result;
}

namespace UserSettings {

QString lastFolder() {
    return store().value(LastFolderKey).toString();
}

void setLastFolder(const QString& folder) {
    store().setValue(LastFolderKey, folder);
}

QStringList recentProjects() {
    return store().value(RecentKey).toStringList().mid(0, RecentProjectCount);
}

void addRecentProject(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    store().setValue(RecentKey, withRecentFirst(recentProjects(), absolute, RecentProjectCount));
    registerRecentDocument(absolute); // the desktop's list too
}

QStringList existingRecentProjects() {
    const QStringList all = recentProjects();
    QStringList existing;
    for (const QString& path : all)
        if (QFileInfo(path).isFile()) existing.append(path);
    if (existing != all) store().setValue(RecentKey, existing);
    return existing;
}

QByteArray windowGeometry(const QString& window) {
    return store().value(geometryKey(window)).toByteArray();
}

void setWindowGeometry(const QString& window, const QByteArray& geometry) {
    store().setValue(geometryKey(window), geometry);
}

} // namespace UserSettings
