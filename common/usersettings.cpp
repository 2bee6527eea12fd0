#include "common/usersettings.h"

#include "common/recentdocuments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

namespace miravel::common {

namespace {

const QString LastFolderKey = QStringLiteral("files/lastFolder");
const QString RecentKey = QStringLiteral("files/recent");
bool s_remembering = true;

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
    if (s_remembering) store().setValue(LastFolderKey, folder);
}

QStringList recentProjects() {
    return store().value(RecentKey).toStringList().mid(0, RecentProjectCount);
}

void addRecentProject(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!s_remembering) return;
    store().setValue(RecentKey, withRecentFirst(recentProjects(), absolute, RecentProjectCount));
    registerRecentDocument(absolute); // the desktop's list too
}

QStringList existingRecentProjects() {
    const QStringList all = recentProjects();
    QStringList existing;
    for (const QString& path : all)
        if (QFileInfo(path).isFile()) existing.append(path);
    if (existing != all && s_remembering) store().setValue(RecentKey, existing);
    return existing;
}

void forgetRecentProject(const QString& path) {
    QStringList list = recentProjects();
    if (list.removeAll(QFileInfo(path).absoluteFilePath()) > 0 && s_remembering)
        store().setValue(RecentKey, list);
}

QByteArray windowGeometry(const QString& window) {
    return store().value(geometryKey(window)).toByteArray();
}

void setWindowGeometry(const QString& window, const QByteArray& geometry) {
    if (s_remembering) store().setValue(geometryKey(window), geometry);
}

void setRemembering(bool on) {
    s_remembering = on;
}

QStringList unusableSettingsFiles() {
    // Where QSettings looks: the program's file and the organisation's, in
    // the user's folder and in the system's.
    QStringList folders{QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)};
    folders += QString::fromLocal8Bit(qgetenv("XDG_CONFIG_DIRS")).split(u':', Qt::SkipEmptyParts);
    if (folders.size() == 1) folders.append(QStringLiteral("/etc/xdg"));
    const QString organization = QCoreApplication::organizationName();
    const QString name = QCoreApplication::applicationName() + QStringLiteral(".conf");
    QStringList unusable;
    for (const QString& folder : folders) {
        for (const QString& file : {folder + u'/' + organization + u'/' + name,
                                    folder + u'/' + organization + QStringLiteral(".conf")}) {
            const QFileInfo info(file);
            if (info.exists() && !info.isFile()) unusable.append(QDir::cleanPath(file));
        }
    }
    return unusable;
}

void useBlankSettings() {
    static std::unique_ptr<QTemporaryDir> blank;
    blank = std::make_unique<QTemporaryDir>();
    for (auto scope : {QSettings::UserScope, QSettings::SystemScope})
        QSettings::setPath(QSettings::NativeFormat, scope, blank->path());
}

} // namespace UserSettings

} // namespace miravel::common
