#include "common/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace miravel::common;

namespace {

bool isPipe(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where nothing may be written: refused before anything is opened, naming
// the file and what it is, and left exactly as it was.
TEST(WholeFile, RefusesWhatIsNoRegularFileAndLeavesItAlone) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString link = dir.filePath(QStringLiteral("link.csv"));
    ASSERT_TRUE(QFile::link(pipe, link));
    const QString dangling = dir.filePath(QStringLiteral("dangling.csv"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), dangling));
    const struct {
        QString path;
        const char* named; // in the refusal
        int error;         // writeWholeFile's number
    } cases[] = {
        {pipe, "は名前付きパイプのため、書き込めません。", EINVAL},
        {link, "（リンク先「", EINVAL},
        {dir.path(), "はフォルダーのため", EISDIR},
        {dangling, "はリンク先のないリンクのため", EINVAL},
        {dir.filePath(QStringLiteral("none/new.csv")), "保存先のフォルダー「", ENOENT},
        {QStringLiteral("/dev/null/x.csv"), "保存先のフォルダー「", ENOENT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QString refusal = writeTargetRefusal(c.path);
        EXPECT_TRUE(refusal.contains(QString::fromUtf8(c.named))) << refusal.toStdString();
        bool produced = false;
        const WriteResult result = writeFileThrough(c.path, [&](QIODevice&) {
            produced = true;
            return true;
        });
        EXPECT_EQ(result.refusal, refusal);
        EXPECT_FALSE(produced || result.opened || result.ok());
        EXPECT_EQ(writeWholeFile(c.path, "x"), c.error);
    }
    EXPECT_TRUE(isPipe(pipe));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), pipe);
    EXPECT_TRUE(writeTargetRefusal(link).contains(QStringLiteral("名前付きパイプ")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              (QStringList{"dangling.csv", "link.csv", "pipe.csv"}));
}

// A link to a regular file is written through: the link stays a link.
TEST(WholeFile, WritesThroughALinkAndReportsAProducerThatGivesUp) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("table.csv"));
    const QString link = dir.filePath(QStringLiteral("link.csv"));
    ASSERT_EQ(writeWholeFile(file, "old"), 0);
    ASSERT_TRUE(QFile::link(file, link));
    EXPECT_EQ(writeWholeFile(link, "new"), 0);
    EXPECT_EQ(contentOf(file), QByteArray("new"));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), file);

    const WriteResult gaveUp = writeFileThrough(file, [](QIODevice& out) {
        out.write("half");
        return false;
    });
    EXPECT_EQ(gaveUp.error, ECANCELED);
    EXPECT_TRUE(gaveUp.opened);
    EXPECT_EQ(contentOf(file), QByteArray("new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"link.csv", "table.csv"}));
}

} // namespace
