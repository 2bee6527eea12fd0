#include "networktestsupport.h"

#include "common/errors.h"
#include "network/towergenerator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

// A small valid file; each refusal case below changes one thing in it.
const char* const Base = R"({
  "format": "miravel-network", "version": 1,
  "headEnd": {"source": "typed", "levels": [95, 100, 100, 100], "gain": [0, 0, 0, 0]},
  "cableTypes": [{"name": "ECO-5C", "lossPer100m": [10, 20, 30, null]}],
  "userComponents": [{"name": "UX", "ports": [{"outlet": true, "loss": [1, 2, 3, 4]}]}],
  "nodes": [
    {"port": 0, "coax": {"cable": "S-7C-FB", "metres": 8},
     "component": {"kind": "brancher", "model": "CS-C4"},
     "children": [
       {"port": 1, "coax": {"cable": "ECO-5C", "metres": 6},
        "component": {"kind": "outlet", "model": "DCM7FTCS"}, "room": "101", "floor": "1F"},
       {"port": 2, "coax": {"cable": "S-5C-FB", "metres": 6},
        "component": {"kind": "user", "model": "UX"}, "room": "102"}]}]
})";

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Network decodeText(const QString& text) {
    return decodeNetwork(text.toUtf8(), QStringLiteral("test.tvdn"));
}

TEST(TvdnFile, BaseFileReads) {
    const Network net = decodeText(QString::fromUtf8(Base));
    EXPECT_EQ(net.nodeCount(), 3);
    ASSERT_TRUE(net.cableType(QStringLiteral("ECO-5C")));
    const CableType* eco = net.cableType(QStringLiteral("ECO-5C"));
    EXPECT_FALSE(cableLossAt(eco->points, 1770, eco->ratedToMHz)); // version 1's null: not rated
    const NetworkResult r = computeNetwork(net, outletRanges());
    ASSERT_EQ(r.outlets.size(), 2u);
    EXPECT_EQ(outletName(net, r.outlets[0]), QStringLiteral("101 (1F)"));
    EXPECT_NEAR(*r.outlets[1].bands[UHF].level, 100 - 8 * 0.164 - 12 - 6 * 0.219 - 2, 1e-9);
}

struct Refusal {
    const char* from;  // text of Base replaced ...
    const char* to;    // ... by this
    const char* place; // what the message names
};

TEST(TvdnFile, RefusalsNameThePlace) {
    const Refusal cases[] = {
        {"\"version\": 1", "\"version\": 1,", "JSON"},
        {"miravel-network", "other", "format"},
        {"\"version\": 1", "\"version\": 3", "version"},
        {"\"version\": 1", "\"version\": 1, \"extra\": 0", "extra: 不明な項目"},
        {"[95, 100, 100, 100]", "[95, 100, 100]", "headEnd.levels: 帯域ごとに"},
        {"[95, 100, 100, 100]", "[95, 100, \"100\", 100]", "headEnd.levels[2]: 数値"},
        {"\"typed\"", "\"manual\"", "headEnd.source"},
        {"[10, 20, 30, null]", "[10, 20, -30, null]", "cableTypes[0].lossPer100m[2]"},
        {"\"ECO-5C\", \"lossPer100m\"", "\"S-5C-FB\", \"lossPer100m\"", "cableTypes[0]: "},
        {"\"ports\": [{\"outlet\": true, \"loss\": [1, 2, 3, 4]}]", "\"ports\": []",
         "userComponents[0].ports"},
        {"\"outlet\": true", "\"outlet\": 1", "userComponents[0].ports[0].outlet"},
        {"\"metres\": 8", "\"metres\": -1", "nodes[0].coax.metres"},
        {"\"metres\": 8", "\"metres\": 1e6", "nodes[0].coax.metres"},
        {"\"model\": \"CS-C4\"", "\"model\": \"CS-C8\"",
         "nodes[0].component.model: カタログにない型式「CS-C8」"},
        {"\"kind\": \"brancher\"", "\"kind\": \"splitter\"", "nodes[0].component.kind"},
        {"\"cable\": \"ECO-5C\"", "\"cable\": \"ECO-7C\"",
         "nodes[0].children[0]: ケーブル種別「ECO-7C」"},
        {"\"model\": \"UX\"", "\"model\": \"UY\"", "nodes[0].children[1]: ユーザー部品「UY」"},
        {"\"port\": 2,", "\"port\": 7,", "nodes[0].children[1]: この部品に端子 8"},
        {"\"port\": 2,", "\"port\": 1.5,", "nodes[0].children[1].port: 整数"},
        {"\"port\": 2,", "\"port\": 1,", "nodes[0].children[1]: 端子 2 にはすでに"},
        {"\"model\": \"CS-C4\"}", "\"model\": \"CS-C4\", \"endUnit\": true}",
         "nodes[0].component.endUnit"},
        {"\"room\": \"102\"", "\"room\": 102", "nodes[0].children[1].room: 文字列"},
        {"\"room\": \"101\", \"floor\": \"1F\"}",
         "\"room\": \"101\", \"floor\": \"1F\", \"children\": [{\"port\": 0, \"coax\": "
         "{\"cable\": \"S-5C-FB\", \"metres\": 1}, \"component\": {\"kind\": \"outlet\", "
         "\"model\": \"BS-7F\"}}]}",
         "nodes[0].children[0].children[0]: テレビ端子の出力"},
        {"\"cableTypes\": [{",
         "\"cableTypes\": [{\"name\": \"ECO-5C\", \"lossPer100m\": [1, 1, 1, 1]}, {",
         "cableTypes[1].name: 名前が重複"},
    };
    for (const Refusal& c : cases) {
        QString text = QString::fromUtf8(Base);
        ASSERT_TRUE(text.contains(QString::fromUtf8(c.from))) << c.from;
        text.replace(QString::fromUtf8(c.from), QString::fromUtf8(c.to));
        try {
            decodeText(text);
            ADD_FAILURE() << c.place << ": not refused";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("「test.tvdn」"))) << c.place;
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.place)))
                << c.place << " / " << e.message().toStdString();
        }
    }
}

// Repeated keys, texts the outputs cannot show and texts beyond the limit.
TEST(TvdnFile, RefusesRepeatedKeysAndControlCharacters) {
    const QString room = QStringLiteral("\"room\": \"102\"");
    const QString roomPlace = QStringLiteral("nodes[0].children[1].room: ");
    struct Case {
        QString from, to, place;
    };
    std::vector<Case> cases = {
        {"\"version\": 1", "\"version\": 1, \"version\": 1", "version: 同じ項目が二度"},
        {"\"version\": 1", "\"version\": 0", "version: この版"},
        {"\"metres\": 8", "\"metres\": 8, \"metres\": 9", "nodes[0].coax.metres: 同じ項目"},
        {"\"metres\": 8", "\"metres\": 123456789012345678901234567890",
         "nodes[0].coax.metres: 数値が大きすぎます"},
        {"\"metres\": 8", "\"metres\": 8, \"metr\\u0065s\": 8", "nodes[0].coax.metres: 同じ項目"},
        {room, room + ", \"room\": \"103\"", roomPlace + "同じ項目"},
        {room, "\"room\": \"" + QString(MaxNetworkTextLength + 1, u'x') + u'"',
         roomPlace + "200 文字まで"},
        {"\"1F\"", "\"1\\u202eF\"", "nodes[0].children[0].floor: 2 文字目に制御文字 (U+202E)"},
        {"\"ECO-5C\", \"lossPer100m\"", "\"ECO\\t5C\", \"lossPer100m\"",
         "cableTypes[0].name: 4 文字目に制御文字 (U+0009)"},
    };
    QString many;
    for (int k = 0; k < 40; ++k)
        many += QStringLiteral(", \"k%1\": 0").arg(k);
    cases.push_back({"\"version\": 1", "\"version\": 1" + many + ", \"k33\": 1", "k33: 同じ項目"});
    const char* const controls[] = {"\\u0000", "\\r",     "\\n",     "\\u001f",
                                    "\\u007f", "\\u0085", "\\u009f", "\\u2028",
                                    "\\u202a", "\\u2066", "\\u2069"};
    for (const char* c : controls)
        cases.push_back({room, "\"room\": \"1" + QString::fromLatin1(c) + "2\"",
                         roomPlace + "2 文字目に制御文字"});
    for (const char* c : {"\\ud800", "\\udc00", "\\ude00\\ud83d"})
        cases.push_back({room, "\"room\": \"1" + QString::fromLatin1(c) + "\"",
                         roomPlace + "2 文字目に対になっていないサロゲート"});
    for (const Case& c : cases) {
        QString text = QString::fromUtf8(Base);
        ASSERT_TRUE(text.contains(c.from)) << c.from.toStdString();
        text.replace(c.from, c.to);
        try {
            decodeText(text);
            ADD_FAILURE() << c.place.toStdString() << ": not refused";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().contains(c.place))
                << c.place.toStdString() << " / " << e.message().toStdString();
        }
    }
    // A pair of surrogates and a text at the limit are fine.
    QString text = QString::fromUtf8(Base).replace(
        room, "\"room\": \"\\ud83d\\ude00" + QString(MaxNetworkTextLength - 2, u'x') + u'"');
    const Network longRoom = decodeText(text);
    EXPECT_EQ(outletRoom(longRoom, computeNetwork(longRoom, outletRanges()).outlets[1]).size(),
              MaxNetworkTextLength);
}

// A refusal quotes a short excerpt of a huge key or value, never all of it.
TEST(TvdnFile, HugeTextsAreQuotedShort) {
    const QString huge(10 * 1024 * 1024, u'k');
    const QString base = QString::fromUtf8(Base);
    const QString changed[] = {
        QString(base).replace("\"version\": 1", "\"version\": 1, \"" + huge + "\": 0"),
        QString(base).replace("\"metres\": 8", "\"" + huge + "\": 8, \"" + huge + "\": 8"),
        QString(base).replace("CS-C4", huge),
        QString(base).replace("CS-C4", QString(MaxNetworkTextLength, u'k')),
    };
    for (const QString& text : changed) {
        try {
            decodeText(text);
            ADD_FAILURE() << "not refused";
        } catch (const UserError& e) {
            EXPECT_LT(e.message().size(), 200) << e.message().left(300).toStdString();
        }
    }
}

// Every limit through the model at once: the compact file holds it within
// the bytes the size cap reckons, and reads it back the same.
TEST(TvdnFile, ANetworkAtEveryLimitSavesAndReadsBack) {
    const QString longText(MaxNetworkTextLength, u'あ'); // 3 bytes in UTF-8
    const auto named = [&](int i) { return (QString::number(i) + longText).left(longText.size()); };
    Network net;
    HeadEnd head;
    head.levels = {MinHeadLevel, MaxHeadLevel, 0.1, -1.0 / 3};
    head.gain = {MaxHeadLevel, MinHeadLevel, 1e-7, 2.0 / 3};
    net.setHead(head);
    for (int i = 0; i < MaxCableTypes; ++i)
        net.setCableType(
            cableTypeAtColumns(named(i), {0.0, MaxCableLossPer100m, std::nullopt, 1.0 / 3}));
    UserComponent user{{}, std::vector<UserPort>(size_t(MaxUserPorts))};
    for (UserPort& port : user.ports)
        port = {{MinUserLoss, MaxUserLoss, std::nullopt, 1.0 / 7}, true};
    user.ports[0].outlet = false;
    for (int i = 0; i < MaxUserComponents; ++i)
        net.setUserComponent({named(i), user.ports});
    NodeSetup setup;
    setup.component.kind = ComponentKind::User;
    setup.room = setup.floor = longText;
    NodeId parent = HeadEndId;
    for (int depth = 1; depth <= MaxNetworkDepth; ++depth) {
        setup.component.userName = named(depth % MaxUserComponents);
        setup.coax = {named(depth % MaxCableTypes), MaxRunMetres};
        parent = net.addChild(parent, 0, setup);
    }
    // One beyond any limit is refused.
    EXPECT_THROW(net.addChild(parent, 0, setup), UserError);
    EXPECT_THROW(net.setCableType({QStringLiteral("X"), {}, std::nullopt}), UserError);
    EXPECT_THROW(net.setUserComponent({QStringLiteral("X"), {UserPort{}}}), UserError);
    for (auto beyond : {&NodeSetup::room, &NodeSetup::floor}) {
        NodeSetup longer = setup;
        longer.*beyond += u'x';
        EXPECT_THROW(net.setSetup(parent, longer), UserError);
    }
    head.levels[0] = MaxHeadLevel + 0.01;
    EXPECT_THROW(net.setHead(head), UserError);

    const QByteArray bytes = encodeNetwork(net);
    EXPECT_LE(bytes.size(), net.nodeCount() * MaxEncodedNodeBytes +
                                MaxCableTypes * MaxEncodedCableBytes +
                                MaxUserComponents * MaxEncodedUserBytes + 4096);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("limits.tvdn"));
    writeNetworkFile(path, net);
    EXPECT_TRUE(readNetworkFile(path) == net);
}

// A housing estate of 100,000 outlets saves and opens again.
TEST(TvdnFile, AHundredThousandOutletsSaveAndReadBack) {
    const Network net = generateTower(TowerPlan{1000, 10, 10, 5});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("estate.tvdn"));
    writeNetworkFile(path, net);
    const Network back = readNetworkFile(path);
    EXPECT_TRUE(back == net);
    EXPECT_EQ(computeNetwork(back, outletRanges()).outlets.size(), 100000u);
    EXPECT_LT(net.nodeCount(), MaxNetworkNodes / 8);
}

// A read asked to stop gives nothing; not asked, the network.
TEST(TvdnFile, AReadThatIsStoppedGivesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tower.tvdn"));
    writeNetworkFile(path, generateTower(TowerPlan{}));
    std::atomic<bool> stop{true};
    EXPECT_FALSE(readNetworkFile(path, stop).has_value());
    stop = false;
    const std::optional<Network> read = readNetworkFile(path, stop);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(*read == readNetworkFile(path));
}

TEST(TvdnFile, DepthAndSizeCaps) {
    QString nested = QStringLiteral("[]");
    for (int i = 0; i < MaxNetworkDepth + 1; ++i)
        nested = QStringLiteral("[{\"port\": 0, \"coax\": {\"cable\": \"S-5C-FB\", \"metres\": 1},"
                                " \"component\": {\"kind\": \"brancher\", \"model\": \"CS-C2\"},"
                                " \"children\": %1}]")
                     .arg(nested);
    QString text = QString::fromUtf8(Base);
    text.replace(text.indexOf(QStringLiteral("\"nodes\"")), text.size(),
                 QStringLiteral("\"nodes\": ") + nested + u'}');
    EXPECT_THROW(
        {
            try {
                decodeText(text);
            } catch (const UserError& e) {
                EXPECT_TRUE(e.message().contains(QStringLiteral("階層は 256 段まで")));
                throw;
            }
        },
        UserError);

    // Many small values cost the parser more than their bytes.
    QByteArray many = QByteArray(Base).replace("\"nodes\": [", "\"nodes\": [0");
    many.insert(many.indexOf("[0") + 2, QByteArray(",0").repeated(MaxNetworkFileItems));
    try {
        decodeNetwork(many, QStringLiteral("many.tvdn"));
        ADD_FAILURE() << "many values read";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("項目が多すぎます")));
    }

    // A file past the size cap is refused before it is read.
    QTemporaryDir dir;
    QFile huge(dir.filePath(QStringLiteral("big.tvdn")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(MaxNetworkFileBytes + 1));
    huge.close();
    EXPECT_THROW(readNetworkFile(huge.fileName()), UserError);
}

TEST(TvdnFile, WriteAndReadBackTheSameNetwork) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("copy.tvdn"));
    Network net = decodeText(QString::fromUtf8(Base));
    net.head.source = HeadSource::BoosterInputPlusGain;
    net.head.gain = {30.25, 31, 32, 33};
    const NodeId unit =
        net.addChild(net.children(HeadEndId)[0], 0,
                     partSetup(ComponentKind::SeriesUnit, "１端子形 BS", "５C-2V", 2.5, true));
    (void)unit;
    writeNetworkFile(path, net);
    const Network back = readNetworkFile(path);
    EXPECT_TRUE(back == net);
    EXPECT_EQ(encodeNetwork(back), encodeNetwork(net));
}

TEST(TvdnFile, RefusedFileLeavesTheCurrentNetwork) {
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.tvdn"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(Base).replace("CS-C4", "CS-C9"));
    f.close();
    Network current = loadExample("apartment-12.tvdn");
    const Network before = current;
    EXPECT_THROW(current = readNetworkFile(bad), UserError);
    EXPECT_THROW(current = readNetworkFile(dir.filePath(QStringLiteral("missing.tvdn"))),
                 UserError);
    EXPECT_TRUE(current == before);
    EXPECT_EQ(current.revision(), before.revision());
}

TEST(TvdnFile, FailedWriteKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.tvdn"));
    writeNetworkFile(path, loadExample("apartment-12.tvdn"));
    const QByteArray before = fileBytes(path);

    // A file size limit below the new content makes the write fall short.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString message;
    try {
        writeNetworkFile(path, loadExample("tower-40.tvdn"));
    } catch (const UserError& e) {
        message = e.message();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(message.contains(QStringLiteral("元のファイルは変更されていません")))
        << message.toStdString();
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.tvdn"});
}

TEST(TvdnFile, ReadRefusesWhatIsNoFile) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.tvdn"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const struct {
        QString path;
        const char* message;
    } cases[] = {{fifo, "通常のファイルではありません"},
                 {dir.path(), "通常のファイルではありません"},
                 {dir.filePath(QStringLiteral("none.tvdn")), "見つかりません"}};
    for (const auto& c : cases) {
        try {
            readNetworkFile(c.path);
            ADD_FAILURE() << c.message;
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message))) << c.message;
        }
    }
    EXPECT_THROW(writeNetworkFile(dir.filePath(QStringLiteral("no/such/dir.tvdn")), Network()),
                 UserError);
}

TEST(TvdnFile, ExamplesLoad) {
    const Network apartment = loadExample("apartment-12.tvdn");
    EXPECT_EQ(computeNetwork(apartment, outletRanges()).outlets.size(), 12u);
    const Network tower = loadExample("tower-40.tvdn");
    const NetworkResult r = computeNetwork(tower, outletRanges());
    EXPECT_EQ(r.outlets.size(), 2000u);
    // The committed file is what the generator makes today.
    EXPECT_TRUE(tower == generateTower(TowerPlan{}));
    QStringList floors;
    for (const OutletResult& o : r.outlets)
        if (!floors.contains(outletFloor(tower, o))) floors << outletFloor(tower, o);
    EXPECT_EQ(floors.size(), 40);
}

} // namespace
