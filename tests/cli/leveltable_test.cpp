#include "cli/leveltable.h"

#include "support/testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace miravel::cli;
using namespace miravel::platform;

namespace {

LevelTable sample() {
    LevelTable table;
    table.source = QStringLiteral("/data/計画 \"A\".tvd");
    table.addColumn({QStringLiteral("band"), QStringLiteral("帯域"), false},
                    {QStringLiteral("VHF"), QStringLiteral("BS")});
    table.addColumn({QStringLiteral("level"), QStringLiteral("端末レベル"), true},
                    {QStringLiteral("88.99"), QStringLiteral("-3.5")});
    table.addColumn({QStringLiteral("note"), QStringLiteral("備考"), false},
                    {QStringLiteral("a,b"), QStringLiteral("say \"hi\"\nthere")});
    return table;
}

TEST(LevelTableTest, TextColumnsLineUpWithWideCharacters) {
    LevelTable table;
    table.addColumn({QStringLiteral("band"), QStringLiteral("帯域"), false},
                    {QStringLiteral("VHF"), QStringLiteral("CS")});
    table.addColumn({QStringLiteral("level"), QStringLiteral("端末レベル"), true},
                    {QStringLiteral("88.99"), QStringLiteral("101.22")});
    table.addColumn({QStringLiteral("kana"), QStringLiteral("ｶﾅ"), false},
                    {QStringLiteral("ｱ"), QString()});
    // 帯域 is four columns wide, 端末レベル ten, half-width ｶﾅ two; numbers flush
    // right, text flush left, two blanks between, no blanks at line ends.
    EXPECT_EQ(formatText(table), QStringLiteral("帯域  端末レベル  ｶﾅ\n"
                                                "VHF        88.99  ｱ\n"
                                                "CS        101.22\n"));
}

TEST(LevelTableTest, CsvQuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(formatCsv(sample()), QStringLiteral("band,level,note\n"
                                                  "VHF,88.99,\"a,b\"\n"
                                                  "BS,-3.5,\"say \"\"hi\"\"\nthere\"\n"));
}

TEST(LevelTableTest, JsonKeepsColumnOrderAndReadsBack) {
    const QString json = formatJson(sample());
    EXPECT_LT(json.indexOf(QStringLiteral("\"band\"")), json.indexOf(QStringLiteral("\"level\"")));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json.toStdString();
    EXPECT_EQ(doc[QStringLiteral("file")].toString(), QStringLiteral("/data/計画 \"A\".tvd"));
    const QJsonArray rows = doc[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][QStringLiteral("level")].toDouble(), 88.99);
    EXPECT_EQ(rows[1][QStringLiteral("level")].toDouble(), -3.5);
    EXPECT_EQ(rows[1][QStringLiteral("note")].toString(), QStringLiteral("say \"hi\"\nthere"));
    EXPECT_EQ(rows[0][QStringLiteral("band")].toString(), QStringLiteral("VHF"));
}

TEST(LevelTableTest, JsonNumericColumnsHoldNumbersWithAFractionOrNull) {
    // One JSON type per column: a number always written with a fraction (a
    // reader never gets an integer beside floats), null where there is none.
    const struct {
        const char* cell;
        const char* written;
    } cases[] = {{"75.00", "75.00"},  {"-0.5", "-0.5"},   {"1E+20", "1E+20"}, {"0", "0.0"},
                 {"105", "105.0"},    {"", "null"},       {"abc", "null"},    {".5", "null"},
                 {"1.", "null"},      {" 5", "null"},     {"inf", "null"},    {"007", "null"},
                 {"5\u0001", "null"}, {"非対応", "null"}, {"12\n", "null"}};
    for (const auto& c : cases) {
        LevelTable table;
        table.addColumn({QStringLiteral("n"), QStringLiteral("n"), true},
                        {QString::fromUtf8(c.cell)});
        const QString json = formatJson(table);
        EXPECT_TRUE(json.contains(QStringLiteral("{\"n\": ") + QLatin1String(c.written) + u'}'))
            << c.cell << json.toStdString();
        EXPECT_FALSE(QJsonDocument::fromJson(json.toUtf8()).isNull()) << c.cell;
    }
}

TEST(LevelTableTest, ColumnsAddedLaterExtendEveryRow) {
    LevelTable table = sample();
    table.addColumn({QStringLiteral("verdict"), QStringLiteral("判定"), false},
                    {QStringLiteral("OK")});
    table.addColumn({QStringLiteral("extra"), QStringLiteral("追加"), false},
                    {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    ASSERT_EQ(table.rows.size(), 3);
    EXPECT_EQ(table.rows[0], QStringList({"VHF", "88.99", "a,b", "OK", "1"}));
    EXPECT_EQ(table.rows[1].mid(3), QStringList({"", "2"}));
    EXPECT_EQ(table.rows[2], QStringList({"", "", "", "", "3"}));
}

TEST(LevelTableTest, FormatNames) {
    EXPECT_EQ(outputFormatNamed(QStringLiteral("text")), OutputFormat::Text);
    EXPECT_EQ(outputFormatNamed(QStringLiteral("csv")), OutputFormat::Csv);
    EXPECT_EQ(outputFormatNamed(QStringLiteral("json")), OutputFormat::Json);
    EXPECT_FALSE(outputFormatNamed(QStringLiteral("Json")));
    EXPECT_FALSE(outputFormatNamed(QString()));
}

} // namespace
