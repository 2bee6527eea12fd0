#include "common/recentdocuments.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace miravel::common;

namespace {

// A list as GNOME writes it, with another program's document.
const QByteArray Foreign = R"(<?xml version="1.0" encoding="UTF-8"?>
<xbel version="1.0"
      xmlns:bookmark="http://www.freedesktop.org/standards/desktop-bookmarks"
      xmlns:mime="http://www.freedesktop.org/standards/shared-mime-info"
>
  <bookmark href="file:///home/u/notes.txt" added="2025-01-02T03:04:05.123456Z" modified="2025-01-02T03:04:05.123456Z" visited="2025-01-02T03:04:05.123456Z">
    <info>
      <metadata owner="http://freedesktop.org">
        <mime:mime-type type="text/plain"/>
        <bookmark:applications>
          <bookmark:application name="gedit" exec="&apos;gedit %u&apos;" modified="2025-01-02T03:04:05.123456Z" count="3"/>
        </bookmark:applications>
      </metadata>
    </info>
  </bookmark>
</xbel>
)";

class RecentDocumentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", saved); }

    QByteArray list() const {
        QFile file(dir.filePath("recently-used.xbel"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void setList(const QByteArray& bytes) {
        QFile file(dir.filePath("recently-used.xbel"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    QByteArray saved;
};

// "href app=count mime" per bookmark, read as a desktop reads the list.
QStringList bookmarks(const QByteArray& list) {
    QStringList result;
    QXmlStreamReader in(list);
    while (!in.atEnd()) {
        in.readNext();
        if (!in.isStartElement()) continue;
        const auto a = in.attributes();
        if (in.name() == u"bookmark") result.append(a.value("href").toString());
        if (in.name() == u"mime-type") result.last() += " " + a.value("type").toString();
        if (in.name() == u"application")
            result.last() += " " + a.value("name").toString() + "=" + a.value("count").toString();
    }
    EXPECT_FALSE(in.hasError()) << in.errorString().toStdString();
    return result;
}

TEST_F(RecentDocumentsTest, MergeKeepsOtherProgramsEntries) {
    setList(Foreign);
    ASSERT_TRUE(registerRecentDocument("/srv/計画 1.tvd"));
    ASSERT_TRUE(registerRecentDocument("/srv/計画 1.tvd"));
    ASSERT_TRUE(registerRecentDocument("/srv/net.tvdn"));
    const QByteArray merged = list();
    EXPECT_EQ(bookmarks(merged),
              QStringList({"file:///home/u/notes.txt text/plain gedit=3",
                           "file:///srv/%E8%A8%88%E7%94%BB%201.tvd application/x-miravel-project "
                           "miravel=2",
                           "file:///srv/net.tvdn application/x-miravel-network miravel=1"}));
    // The prefixes the desktops' readers look for.
    EXPECT_TRUE(merged.contains("<bookmark:application name=\"miravel\""));
    EXPECT_TRUE(merged.contains("<mime:mime-type type=\"application/x-miravel-network\""));
    EXPECT_TRUE(merged.contains("exec=\"&apos;gedit %u&apos;\"") ||
                merged.contains("exec=\"'gedit %u'\""));
    EXPECT_TRUE(merged.contains("added=\"2025-01-02T03:04:05.123456Z\""));
}

TEST_F(RecentDocumentsTest, NewListHoldsTheDocument) {
    ASSERT_TRUE(registerRecentDocument("/srv/a.tvd"));
    EXPECT_EQ(bookmarks(list()),
              QStringList({"file:///srv/a.tvd application/x-miravel-project miravel=1"}));
}

TEST_F(RecentDocumentsTest, UnreadableListIsLeftAlone) {
    const QByteArray cases[] = {
        Foreign.left(Foreign.size() / 2), // cut short
        "not xml at all", "<?xml version=\"1.0\"?><html><bookmark href=\"file:///x\"/></html>",
        Foreign + "<xbel/>", // two roots
    };
    for (const QByteArray& bytes : cases) {
        setList(bytes);
        EXPECT_FALSE(registerRecentDocument("/srv/a.tvd")) << bytes.constData();
        EXPECT_EQ(list(), bytes);
    }
}

} // namespace
