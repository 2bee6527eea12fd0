#pragma once
// The desktop's list of recently used documents (the freedesktop
// recently-used.xbel that GNOME and KDE programs share). A document the user
// opens or saves is added to it; other programs' entries are kept as they
// are, and a list that cannot be read is left alone.

#include <QDateTime>
#include <QString>

namespace miravel::common {

struct RecentDocument {
    QString path;     // absolute path of the document
    QString mimeType; // e.g. application/x-miravel-project
    QDateTime when;   // UTC
};

// ~/.local/share/recently-used.xbel, or under $XDG_DATA_HOME when set.
QString recentlyUsedListPath();

// `list` with `document` added or brought up to date for this program; empty
// when `list` is not a bookmark list this can safely rewrite.
QByteArray withRecentDocument(const QByteArray& list, const RecentDocument& document);

// Adds a project or network file to the desktop's list; false when the list
// was left alone (unreadable) or could not be written.
bool registerRecentDocument(const QString& path);

} // namespace miravel::common
