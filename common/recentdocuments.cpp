#include "common/recentdocuments.h"

#include "common/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace miravel::common {

namespace {

const QString BookmarkNs = QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks");
const QString MimeNs = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
const QString AppName = QStringLiteral("miravel");
// A list this large is not a desktop's own; it is not read into memory.
constexpr qint64 MaxListBytes = 32 * 1024 * 1024;

QString stamp(const QDateTime& when) {
    return when.toUTC().toString(Qt::ISODate);
}

// What an earlier entry of the same document had: when it was first added
// and how often this program used it.
struct Earlier {
    QString added;
    int count = 0;
};

// Reads past the bookmark whose start was just read, noting what it had.
void skipBookmark(QXmlStreamReader& in, Earlier& earlier) {
    earlier.added = in.attributes().value(QStringLiteral("added")).toString();
    for (int depth = 1; depth > 0 && !in.atEnd();) {
        in.readNext();
        if (in.isEndElement()) --depth;
        if (!in.isStartElement()) continue;
        ++depth;
        if (in.name() == u"application" && in.attributes().value(QStringLiteral("name")) == AppName)
            earlier.count = in.attributes().value(QStringLiteral("count")).toInt();
    }
}

void writeBookmark(QXmlStreamWriter& out, const RecentDocument& doc, const Earlier& earlier) {
    const QString now = stamp(doc.when);
    out.writeStartElement(QStringLiteral("bookmark"));
    out.writeAttribute(QStringLiteral("href"),
                       QUrl::fromLocalFile(doc.path).toString(QUrl::FullyEncoded));
    out.writeAttribute(QStringLiteral("added"), earlier.added.isEmpty() ? now : earlier.added);
    out.writeAttribute(QStringLiteral("modified"), now);
    out.writeAttribute(QStringLiteral("visited"), now);
    out.writeStartElement(QStringLiteral("info"));
    out.writeStartElement(QStringLiteral("metadata"));
    out.writeAttribute(QStringLiteral("owner"), QStringLiteral("http://freedesktop.org"));
    out.writeEmptyElement(MimeNs, QStringLiteral("mime-type"));
    out.writeAttribute(QStringLiteral("type"), doc.mimeType);
    out.writeStartElement(BookmarkNs, QStringLiteral("applications"));
    out.writeEmptyElement(BookmarkNs, QStringLiteral("application"));
    out.writeAttribute(QStringLiteral("name"), AppName);
    out.writeAttribute(QStringLiteral("exec"), QStringLiteral("'miravel %u'"));
    out.writeAttribute(QStringLiteral("modified"), now);
    out.writeAttribute(QStringLiteral("count"), QString::number(earlier.count + 1));
    out.writeEndElement(); // applications
    out.writeEndElement(); // metadata
    out.writeEndElement(); // info
    out.writeEndElement(); // bookmark
}

// The root with the two prefixes the desktops expect, declared once.
void writeRoot(QXmlStreamWriter& out, const QXmlStreamReader& in) {
    out.writeStartElement(QStringLiteral("xbel"));
    bool hasBookmark = false, hasMime = false;
    for (const QXmlStreamNamespaceDeclaration& ns : in.namespaceDeclarations()) {
        out.writeNamespace(ns.namespaceUri().toString(), ns.prefix().toString());
        hasBookmark = hasBookmark || ns.namespaceUri() == BookmarkNs;
        hasMime = hasMime || ns.namespaceUri() == MimeNs;
    }
    if (!hasBookmark) out.writeNamespace(BookmarkNs, QStringLiteral("bookmark"));
    if (!hasMime) out.writeNamespace(MimeNs, QStringLiteral("mime"));
    out.writeAttributes(in.attributes());
}

const QByteArray EmptyList = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<xbel version=\"1.0\"></xbel>\n";

} // namespace

QString recentlyUsedListPath() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || QDir::isRelativePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/recently-used.xbel");
}

QByteArray withRecentDocument(const QByteArray& list, const RecentDocument& document) {
    const QString href = QUrl::fromLocalFile(document.path).toString(QUrl::FullyEncoded);
    QXmlStreamReader in(list.isEmpty() ? EmptyList : list);
    QByteArray result;
    QXmlStreamWriter out(&result);
    Earlier earlier;
    int depth = 0;
    while (!in.atEnd()) {
        in.readNext();
        if (in.isStartElement()) {
            ++depth;
            if (depth == 1 && (in.name() != u"xbel" || !in.namespaceUri().isEmpty())) return {};
            if (depth == 1) {
                writeRoot(out, in);
                continue;
            }
            if (depth == 2 && in.name() == u"bookmark" &&
                QUrl(in.attributes().value(QStringLiteral("href")).toString()) == QUrl(href)) {
                skipBookmark(in, earlier);
                --depth;
                continue;
            }
        } else if (in.isEndElement() && --depth == 0) {
            writeBookmark(out, document, earlier);
        }
        out.writeCurrentToken(in);
    }
    if (in.hasError()) return {};
    return result;
}

bool registerRecentDocument(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString mime = suffix == u"tvdn" ? QStringLiteral("application/x-miravel-network")
                                           : QStringLiteral("application/x-miravel-project");
    const QString listPath = recentlyUsedListPath();
    QFile file(listPath);
    QByteArray old;
    if (file.exists()) {
        if (file.size() > MaxListBytes || !file.open(QIODevice::ReadOnly)) return false;
        old = file.readAll();
        file.close();
    }
    const QByteArray merged = withRecentDocument(
        old, {QFileInfo(path).absoluteFilePath(), mime, QDateTime::currentDateTimeUtc()});
    if (merged.isEmpty()) return false; // not ours to repair
    QDir().mkpath(QFileInfo(listPath).absolutePath());
    return writeWholeFile(listPath, merged) == 0;
}

} // namespace miravel::common
