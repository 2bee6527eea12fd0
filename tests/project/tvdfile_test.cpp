#include "common/errors.h"
#include "fifofeeder.h"
#include "project/recordnames.h"
#include "project/tvdfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

using namespace miravel::common;
using namespace miravel::project;

namespace {

// The message of the UserError `action` throws; empty when it throws none.
QString refusal(const std::function<void()>& action) {
    try {
        action();
    } catch (const UserError& e) {
        return e.message().isEmpty() ? QStringLiteral("(empty message)") : e.message();
    }
    return QString();
}

QStringList numberedRecords(int count) {
    QStringList records;
    for (int i = 1; i <= count; ++i)
        records << QString::number(i);
    return records;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void putFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(TvdFile, WritesEachRecordQuotedInCp932WithCrLf) {
    const struct {
        QStringList values;
        const char* hex;
    } cases[] = {
        {{QStringLiteral("75")}, "22 37 35 22 0D 0A"},
        {{QStringLiteral("５C-2V")}, "22 82 54 43 2D 32 56 22 0D 0A"},
        {{QString()}, "22 22 0D 0A"},
        {{QStringLiteral(" ｱﾝﾃﾅ, 1 ")}, "22 20 B1 DD C3 C5 2C 20 31 20 22 0D 0A"},
        {{QStringLiteral("a"), QStringLiteral("b")}, "22 61 22 0D 0A 22 62 22 0D 0A"},
        {{}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeProjectRecords(c.values), QByteArray::fromHex(c.hex))
            << c.values.join('|').toStdString();
    }
}

TEST(TvdFile, RandomRecordsSurviveEncodeAndParse) {
    // Texts of the kind installers type, without the three characters the
    // format cannot carry: full-width, half-width katakana, commas, blanks.
    const QString alphabet = QStringLiteral("AZaz09.-+/\\~ ,\t５７亜漢字回路　ｱﾝﾃﾅﾃﾞｰﾀｶﾞﾊﾟ①Ω┃━μ±×");
    std::mt19937 random(20240611);
    for (int round = 0; round < 200; ++round) {
        QStringList records;
        const int count = round % 3 == 0 ? ProjectRecordCount : int(random() % 90);
        for (int i = 0; i < count; ++i) {
            QString value;
            const int length = int(random() % 12);
            for (int k = 0; k < length; ++k)
                value += alphabet[int(random() % alphabet.size())];
            records << value;
        }
        const QByteArray bytes = encodeProjectRecords(records);
        ASSERT_EQ(parseRecords(bytes), records) << "round " << round;
        if (count == ProjectRecordCount) {
            ASSERT_EQ(decodeProjectFile(bytes), records) << "round " << round;
        }
    }
}

TEST(TvdFile, ReadingRule) {
    const struct {
        QByteArray bytes;
        QStringList records;
    } cases[] = {
        {"\"75\"\r\n\"\"\r\n", {"75", ""}},
        {"\"abc\"junk,\"d\"\r\n", {"abc", "d"}},
        {"\"a\"x\"y, z\"\r\n\"b\"\r\n", {"a", "z\"", "b"}},
        {"\"a, b\"\r\n", {"a, b"}},
        {"1,2,3\r\n4\r\n", {"1", "2", "3", "4"}},
        {"  \"a\"\r\n\t b c \r\n", {"a", "b c "}},
        {"\" a \"\r\n", {" a "}},
        {"\"a\"\n\"b\"\n", {"a", "b"}},
        {"\"a\"\r\"b\"\r", {"a", "b"}},
        {"\"a\"\r\r\n\"b\"", {"a", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"   \r\n", {""}},
        {"\"a\",\r\n", {"a", ""}},
        {"\"a\",", {"a", ""}},
        // A quoted value runs to its closing quote, line breaks and all.
        {"\"a\rb\"\r\n\"c\"\r\n", {"a\rb", "c"}},
        {"\"a\r\nb\",x\n\"c\nd\"\n", {"a\r\nb", "x", "c\nd"}},
        {"\"open\r\n\"b\"\r\n", {"open\r\n"}},
        {"\"open\r\nb", {"open\r\nb"}},
        {"\"x\"", {"x"}},
        {"", {}},
        {"\"\x82\x54\x43-2V\",\xb1\xdd\r\n", {"５C-2V", "ｱﾝ"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseRecords(c.bytes), c.records) << c.bytes.toHex().toStdString();
}

TEST(TvdFile, DecodingRefusesWhatIsNotAWholeProjectFile) {
    const QByteArray full = encodeProjectRecords(numberedRecords(ProjectRecordCount));
    // Records 1 and 2, then a byte CP932 does not have on line 3.
    const QByteArray invalid = "\"1\"\r\n\"2\"\r\n\"3\xff\"\r\n" + full;
    QByteArray oversized = full;
    oversized.append(ProjectFileMaxBytes + 1 - full.size(), ' ');
    const struct {
        QByteArray bytes;
        QStringList mustName;
    } cases[] = {
        {encodeProjectRecords(numberedRecords(66)), {"66 件", "67 件", "plan.tvd"}},
        {QByteArray(), {"0 件"}},
        {invalid, {"3 行目", "13 バイト目", "FF", "plan.tvd"}},
        {"\"\x82\"\r\n" + full, {"1 行目"}},
        {oversized, {"大きすぎる", "1,048,577", "plan.tvd"}},
    };
    for (const auto& c : cases) {
        const QString message =
            refusal([&] { decodeProjectFile(c.bytes, QStringLiteral("/data/plan.tvd")); });
        ASSERT_FALSE(message.isEmpty()) << c.bytes.left(40).toHex().toStdString();
        for (const QString& part : c.mustName)
            EXPECT_TRUE(message.contains(part)) << message.toStdString();
    }
    EXPECT_FALSE(refusal([&] { parseRecords(invalid); }).isEmpty());
}

TEST(TvdFile, DecodingTakesTheFirst67RecordsUpToOneMebibyte) {
    const QStringList records = numberedRecords(ProjectRecordCount);
    EXPECT_EQ(decodeProjectFile(encodeProjectRecords(numberedRecords(80))), records);
    // Exactly at the limit: 262144 empty records of four bytes each.
    QByteArray limit;
    for (int i = 0; limit.size() < ProjectFileMaxBytes; ++i)
        limit += "\"\"\r\n";
    ASSERT_EQ(limit.size(), ProjectFileMaxBytes);
    EXPECT_EQ(decodeProjectFile(limit), QStringList(ProjectRecordCount, QString()));
}

TEST(TvdFile, EncodingRefusesValuesThatWouldNotReadBackWhole) {
    const QString refused = QStringLiteral("「%1」に保存できない文字 (%2) が含まれています。%3"
                                           "保存を中止しました。");
    const QString instead = QStringLiteral("代わりに形の似た文字 (%1) なら保存できます。");
    const struct {
        int record; // 1-based
        const char* name;
        QString value;
        QString shown;
        QString lookAlike; // empty when there is none
    } cases[] = {
        {65, "計算回路名", QStringLiteral("回路😀名"), QStringLiteral("「😀」U+1F600"), {}},
        {65, "計算回路名", QStringLiteral("3\"F"), QStringLiteral("「\"」U+0022"), {}},
        {1, "VHFアンテナ型式", QStringLiteral("BS\r-7F"), QStringLiteral("改行"), {}},
        {46,
         "直列ユニット・テレビ端子の種類",
         QStringLiteral("line\nbreak"),
         QStringLiteral("改行"),
         {}},
        {20, "CS標準アンテナ出力 (Ecs)", QStringLiteral("80é"), QStringLiteral("「é」U+00E9"), {}},
        {12,
         "同軸ケーブル損失 VHF (dB/100m)",
         QStringLiteral("8\u200b1"),
         QStringLiteral("U+200B"),
         {}},
        // Written under another character's code, or dropped, by the CP932
        // table: refused, with the character that can be stored instead.
        {65, "計算回路名", QStringLiteral("¥100"), QStringLiteral("「¥」U+00A5"),
         QStringLiteral("「￥」U+FFE5")},
        {65, "計算回路名", QStringLiteral("5¢"), QStringLiteral("「¢」U+00A2"),
         QStringLiteral("「￠」U+FFE0")},
        {65, "計算回路名", QStringLiteral("£5"), QStringLiteral("「£」U+00A3"),
         QStringLiteral("「￡」U+FFE1")},
        {65, "計算回路名", QStringLiteral("¬A"), QStringLiteral("「¬」U+00AC"),
         QStringLiteral("「￢」U+FFE2")},
        {65, "計算回路名", QStringLiteral("A—B"), QStringLiteral("「—」U+2014"),
         QStringLiteral("「―」U+2015")},
        {65, "計算回路名", QStringLiteral("A‖B"), QStringLiteral("「‖」U+2016"),
         QStringLiteral("「∥」U+2225")},
        {65, "計算回路名", QStringLiteral("A‾B"), QStringLiteral("「‾」U+203E"),
         QStringLiteral("「￣」U+FFE3")},
        {17, "VHF標準アンテナ出力 (Ev)", QStringLiteral("−3"), QStringLiteral("「−」U+2212"),
         QStringLiteral("「－」U+FF0D")},
        {65, "計算回路名", QStringLiteral("1〜3階"), QStringLiteral("「〜」U+301C"),
         QStringLiteral("「～」U+FF5E")},
        {65, "計算回路名", QStringLiteral("A\U000E0041B"), QStringLiteral("U+E0041"), {}},
    };
    for (const auto& c : cases) {
        QStringList records = numberedRecords(ProjectRecordCount);
        records[c.record - 1] = c.value;
        const QString expected =
            refused.arg(QString::fromUtf8(c.name), c.shown,
                        c.lookAlike.isEmpty() ? QString() : instead.arg(c.lookAlike));
        EXPECT_EQ(refusal([&] { encodeProjectRecords(records); }), expected);
        EXPECT_EQ(projectRecordName(c.record), QString::fromUtf8(c.name));
    }
}

class TvdFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(TvdFileOnDisk, SavedRecordsLoadBack) {
    QStringList records = numberedRecords(ProjectRecordCount);
    records[64] = QStringLiteral(" ３Ｆ 北側, 203号室");
    const QString file = path(QStringLiteral("plan.tvd"));
    saveProjectRecords(file, records);
    EXPECT_EQ(fileBytes(file), encodeProjectRecords(records));
    EXPECT_EQ(loadProjectRecords(file), records);
    // Saving again replaces the file whole.
    records[0] = QStringLiteral("x");
    saveProjectRecords(file, records);
    EXPECT_EQ(loadProjectRecords(file), records);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"plan.tvd"});
}

TEST_F(TvdFileOnDisk, ReadingRefusesWhatIsNoFile) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.tvd")));
    // A sparse 4 GiB file: refused by its size, before any of it is read.
    QFile huge(path(QStringLiteral("huge.tvd")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64(4) << 30));
    huge.close();
    // A named pipe that would give a whole project, were it opened.
    const QString pipe = path(QStringLiteral("pipe.tvd"));
    const FifoFeeder feeder(pipe, encodeProjectRecords(numberedRecords(ProjectRecordCount)));
    ASSERT_TRUE(feeder.made());
    const QString special =
        QStringLiteral("「%1」は通常のファイルではない（名前付きパイプや装置など）"
                       "ため、使えません。データファイルを選んでください。");
    const struct {
        QString path;
        QString message; // %1: the path
    } cases[] = {
        {path(QStringLiteral("missing.tvd")), QStringLiteral("ファイル「%1」が見つかりません。")},
        {path(QStringLiteral("folder.tvd")),
         QStringLiteral("「%1」はフォルダーです。データファイルを選んでください。")},
        {path(QStringLiteral("huge.tvd")),
         QStringLiteral("ファイル「%1」は大きすぎるため読み込めません（4,294,967,296 バイト）。"
                        "データファイルは 1,048,576 バイトまでです。")},
        {pipe, special},
        {QStringLiteral("/dev/zero"), special},
    };
    for (const auto& c : cases) {
        const QString message = refusal([&] { readProjectFile(c.path); });
        EXPECT_EQ(message, c.message.arg(QDir::toNativeSeparators(c.path)));
    }
    EXPECT_FALSE(feeder.fed());
}

TEST_F(TvdFileOnDisk, LoadingRefusesAShortFileByName) {
    const QString file = path(QStringLiteral("short.tvd"));
    putFile(file, encodeProjectRecords(numberedRecords(30)));
    const QString message = refusal([&] { loadProjectRecords(file); });
    EXPECT_TRUE(message.contains(QStringLiteral("30 件"))) << message.toStdString();
    EXPECT_TRUE(message.contains(file)) << message.toStdString();
}

TEST_F(TvdFileOnDisk, WritingWhereNoFileCanBeLeavesNothingBehind) {
    putFile(path(QStringLiteral("plain")), "x");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("gone")));
    ASSERT_TRUE(QDir(m_dir.path()).rmdir(QStringLiteral("gone")));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.tvd")));
    const QString targets[] = {
        path(QStringLiteral("plain/plan.tvd")),
        path(QStringLiteral("gone/plan.tvd")),
        path(QStringLiteral("folder.tvd")),
    };
    const QByteArray bytes = encodeProjectRecords(numberedRecords(ProjectRecordCount));
    for (const QString& target : targets) {
        const QString message = refusal([&] { writeProjectFile(target, bytes); });
        EXPECT_FALSE(message.isEmpty()) << target.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("フォルダー"))) << message.toStdString();
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"folder.tvd", "plain"}));
    EXPECT_EQ(fileBytes(path(QStringLiteral("plain"))), QByteArray("x"));
}

// A disk that fills up mid-write, made with the file-size limit, which holds
// for root as well: the existing file stays byte for byte as it was.
TEST_F(TvdFileOnDisk, AFailedWriteLeavesTheExistingFileAsItWas) {
    const QString file = path(QStringLiteral("plan.tvd"));
    const QByteArray before = encodeProjectRecords(numberedRecords(ProjectRecordCount));
    putFile(file, before);
    const QByteArray after = encodeProjectRecords(QStringList(ProjectRecordCount, "1234567890"));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString message = refusal([&] { writeProjectFile(file, after); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    // The reason in Japanese, never the system's English text.
    EXPECT_EQ(message, QStringLiteral("ファイル「%1」への書き込みに失敗しました（詳細: "
                                      "ファイルの大きさが上限を超えました）。"
                                      "ディスクの空き容量を確かめてください。"
                                      "元のファイルは変更されていません。")
                           .arg(QDir::toNativeSeparators(file)));
    EXPECT_EQ(fileBytes(file), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"plan.tvd"});
}

TEST_F(TvdFileOnDisk, PermissionsAreNamed) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not apply to root";
    const QString unreadable = path(QStringLiteral("locked.tvd"));
    putFile(unreadable, encodeProjectRecords(numberedRecords(ProjectRecordCount)));
    QFile::setPermissions(unreadable, QFile::WriteOwner);
    QString message = refusal([&] { readProjectFile(unreadable); });
    EXPECT_TRUE(message.contains(QStringLiteral("権限"))) << message.toStdString();

    // A read-only folder keeps the file in it as it was.
    const QString file = path(QStringLiteral("plan.tvd"));
    putFile(file, "old");
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    message = refusal([&] { writeProjectFile(file, "new"); });
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(message.contains(QStringLiteral("権限"))) << message.toStdString();
    EXPECT_EQ(fileBytes(file), QByteArray("old"));
}

} // namespace
