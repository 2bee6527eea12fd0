#include "networktestsupport.h"

#include "common/errors.h"
#include "network/partslibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace miravel::common;
using namespace miravel::network;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

PartsLibrary sampleLibrary() {
    PartsLibrary lib;
    lib.definitions.setCableType(
        {QStringLiteral("ECO \"5C\", 低損失"), {{220, 10}, {770, 20}, {1300, 30}}, {}});
    lib.definitions.setUserComponent(
        {QStringLiteral("混合器\\2"), {UserPort{{1, 2, 3, 4}, true}, UserPort{{-20, {}, 0.5, 7}}}});
    lib.prices = {{QStringLiteral("BS-C2"), 1200},
                  {QStringLiteral("ECO \"5C\", 低損失"), 85.5},
                  {QStringLiteral("a,b\"c\\d 𠀋"), 0},
                  {QStringLiteral("上限"), MaxUnitPrice}};
    return lib;
}

PartsLibrary decode(const QByteArray& bytes) {
    return decodePartsLibrary(bytes, QStringLiteral("lib.json"));
}

// The sample's file with one part of its JSON object changed.
QByteArray changed(const QString& key, const QJsonValue& value) {
    QJsonObject root = QJsonDocument::fromJson(encodePartsLibrary(sampleLibrary())).object();
    root[key] = value;
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

QJsonObject manyPrices(int count, const QString& lastName = QStringLiteral("x"),
                       double lastYen = 1) {
    QJsonObject prices;
    for (int i = 0; i + 1 < count; ++i)
        prices[QStringLiteral("p%1").arg(i)] = i;
    prices[lastName] = lastYen;
    return prices;
}

QJsonObject definitionsWithCables(int count) {
    Network net;
    for (int i = 0; i < std::min(count, MaxCableTypes); ++i)
        net.setCableType(
            {QStringLiteral("C%1").arg(i), {{220, 1}, {770, 2}, {1300, 3}, {1770, 4}}, {}});
    QJsonObject doc = QJsonDocument::fromJson(encodeNetwork(net)).object();
    if (count > MaxCableTypes) {
        QJsonArray cables = doc["cableTypes"].toArray();
        QJsonObject extra = cables[0].toObject();
        extra["name"] = QStringLiteral("one too many");
        cables.append(extra);
        doc["cableTypes"] = cables;
    }
    return doc;
}

TEST(PartsLibrary, RoundTripsOddNamesThroughTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/lib.json"));
    writePartsLibraryFile(path, sampleLibrary());
    const PartsLibrary read = readPartsLibraryFile(path);
    EXPECT_EQ(read, sampleLibrary());
    EXPECT_EQ(read.prices.at(QStringLiteral("a,b\"c\\d 𠀋")), 0);
    EXPECT_EQ(encodePartsLibrary(read), fileBytes(path)); // stable
    // The definitions are a network document with no nodes.
    const QJsonObject root = QJsonDocument::fromJson(fileBytes(path)).object();
    EXPECT_EQ(root["format"].toString(), QStringLiteral("miravel-parts"));
    EXPECT_TRUE(decodeNetwork(QJsonDocument(root["definitions"].toObject()).toJson(), "x")
                    .cableType(QStringLiteral("ECO \"5C\", 低損失")));
}

struct LimitCase {
    const char* what;
    QByteArray bytes;
    const char* place; // named by the refusal; nullptr: the file reads
};

TEST(PartsLibrary, RefusesOneOverEachLimitAndTakesTheLimit) {
    const QString longName(MaxNetworkTextLength, u'名');
    QByteArray atSize = encodePartsLibrary(sampleLibrary());
    atSize += QByteArray(MaxPartsLibraryBytes - atSize.size(), ' ');
    const LimitCase cases[] = {
        {"prices at the count", changed("prices", manyPrices(MaxPartPrices)), nullptr},
        {"one price too many", changed("prices", manyPrices(MaxPartPrices + 1)), "prices:"},
        {"top price", changed("prices", manyPrices(1, "x", MaxUnitPrice)), nullptr},
        {"over the top price", changed("prices", manyPrices(1, "x", MaxUnitPrice + 0.5)),
         "prices.x:"},
        {"free part", changed("prices", manyPrices(1, "x", 0)), nullptr},
        {"negative price", changed("prices", manyPrices(1, "x", -0.01)), "prices.x:"},
        {"price as text", changed("prices", QJsonObject{{"x", "100"}}), "prices.x:"},
        {"longest name", changed("prices", manyPrices(1, longName)), nullptr},
        {"name too long", changed("prices", manyPrices(1, longName + u'名')), "200 文字まで"},
        {"empty name", changed("prices", manyPrices(1, " ")), "名前が空です"},
        {"cable types at the count", changed("definitions", definitionsWithCables(MaxCableTypes)),
         nullptr},
        {"one cable type too many",
         changed("definitions", definitionsWithCables(MaxCableTypes + 1)),
         "definitions.cableTypes[200]:"},
        {"file at the size", atSize, nullptr},
        {"file one byte over", atSize + ' ', "ファイルが大きすぎます"},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.place) {
            EXPECT_NO_THROW(decode(c.bytes));
            continue;
        }
        try {
            decode(c.bytes);
            ADD_FAILURE() << "read";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("「lib.json」は部品ライブラリ")));
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.place)))
                << e.message().toStdString();
        }
    }
}

TEST(PartsLibrary, RefusalsNameThePlace) {
    QJsonObject withNode =
        QJsonDocument::fromJson(encodeNetwork(loadExample("apartment-12.tvdn"))).object();
    const std::pair<QByteArray, const char*> cases[] = {
        {changed("definitions", withNode), "definitions.nodes:"},
        {changed("format", "miravel-network"), "format:"},
        {changed("version", 2), "version:"},
        {changed("extra", 1), "extra: 不明な項目です。"},
        {changed("definitions", QJsonObject{{"format", "miravel-network"}}),
         "definitions.version:"},
        {R"({"format":"miravel-parts","version":1,"prices":{},"prices":{}})", "prices:"},
        {"{", "JSON"},
    };
    for (const auto& [bytes, place] : cases) {
        try {
            decode(bytes);
            ADD_FAILURE() << place;
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(place)))
                << e.message().toStdString();
        }
    }
}

TEST(PartsLibrary, ABrokenFileIsKeptByteForByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parts-library.json"));
    const QByteArray broken = changed("version", 9) + "\n手で直しかけ";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(broken) == broken.size());
    f.close();
    UserPartsLibrary store(path);
    EXPECT_FALSE(store.problem().isEmpty());
    EXPECT_TRUE(store.library().definitions.cableTypes().empty());
    EXPECT_THROW(store.save(sampleLibrary()), UserError);
    EXPECT_EQ(fileBytes(path), broken);
    // Replacing it keeps the broken file aside, unchanged.
    const QString kept = store.replaceBroken(sampleLibrary());
    EXPECT_EQ(fileBytes(kept), broken);
    EXPECT_EQ(readPartsLibraryFile(path), sampleLibrary());
    EXPECT_TRUE(store.problem().isEmpty());
}

TEST(PartsLibrary, MergeReplacesSameNamesAndKeepsTheRest) {
    PartsLibrary mine;
    mine.definitions.setCableType(
        {QStringLiteral("ECO \"5C\", 低損失"), {{220, 1}, {1770, 1}}, {}});
    mine.definitions.setCableType({QStringLiteral("自分の"), {{220, 2}, {1770, 2}}, {}});
    mine.prices = {{QStringLiteral("BS-C2"), 999}, {QStringLiteral("BS-D2"), 500}};
    const PartsLibrary merged = mergedLibrary(mine, sampleLibrary());
    EXPECT_EQ(*merged.definitions.cableType(QStringLiteral("ECO \"5C\", 低損失")),
              *sampleLibrary().definitions.cableType(QStringLiteral("ECO \"5C\", 低損失")));
    EXPECT_TRUE(merged.definitions.cableType(QStringLiteral("自分の")));
    EXPECT_EQ(merged.prices.at(QStringLiteral("BS-C2")), 1200);
    EXPECT_EQ(merged.prices.at(QStringLiteral("BS-D2")), 500);
    EXPECT_EQ(merged.definitions.userComponents().size(), 1u);
}

TEST(PartsLibrary, OtherCodeSeesTheUsersFileAsItChanges) {
    const QString path = userPartsLibraryPath();
    QFile::remove(path);
    EXPECT_TRUE(unitPrices().empty());
    writePartsLibraryFile(path, sampleLibrary());
    EXPECT_EQ(unitPrices().at(QStringLiteral("BS-C2")), 1200);
    EXPECT_EQ(libraryCableTypes().size(), 1u);
    PartsLibrary cheaper = sampleLibrary();
    setUnitPrice(cheaper, QStringLiteral("BS-C2"), 800);
    writePartsLibraryFile(path, cheaper);
    EXPECT_EQ(unitPrices().at(QStringLiteral("BS-C2")), 800);
    QFile::remove(path);
    EXPECT_TRUE(unitPrices().empty());
}

} // namespace
