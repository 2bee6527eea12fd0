#include "cli/levelscommand.h"
#include "cli/networklevels.h"

#include "cli/commandline.h"
#include "network/tvdnfile.h"
#include "standard/criteria.h"
#include "standard/profilestore.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

using namespace miravel::cli;

namespace {

QString example(const char* name) {
    return QStringLiteral(MIRAVEL_EXAMPLES_DIR "/") + QLatin1String(name);
}

const Profile Outlet2K = standardProfile(ProfileId{});

TEST(NetworkLevels, EveryOutletWithLevelsAndVerdicts) {
    const BatchResult r =
        networkLevelsCommand(example("apartment-12.tvdn"), OutputFormat::Csv, Outlet2K);
    // 1F's four outlets are too strong in UHF and BS.
    EXPECT_EQ(r.status, ExitFailing);
    EXPECT_TRUE(r.err.contains(QStringLiteral("12 端子中 4"))) << r.err.toStdString();
    const QStringList lines = r.wholeOut().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 13);
    EXPECT_TRUE(r.err.startsWith(cableJudgingText(false))) << r.err.toStdString();
    EXPECT_EQ(
        lines[0],
        QStringLiteral("outlet,room,floor,vhf_level,vhf_verdict,uhf_level,uhf_verdict,bs_level,"
                       "bs_verdict,cs_level,cs_verdict,lhcp_level,lhcp_verdict,vhf_cn,"
                       "vhf_cn_verdict,uhf_cn,uhf_cn_verdict,bs_cn,bs_cn_verdict,cs_cn,"
                       "cs_cn_verdict,lhcp_cn,lhcp_cn_verdict,result"));
    // Today's four bands; the catalogue parts carry no left band.
    EXPECT_EQ(lines[1], QStringLiteral("101 (1F),101,1F,82.186,基準なし,84.574,過大 +3.57 dB,82.27,"
                                       "過大 +1.27 dB,76.88,適合,非対応,非対応,,,,,,,,,,,不適合"));
    EXPECT_EQ(lines[5], QStringLiteral("201 (2F),201,2F,58.054,基準なし,60.601,適合,62.382,適合,"
                                       "56.876,適合,非対応,非対応,,,,,,,,,,,適合"));
}

TEST(NetworkLevels, PassingNetworkAndEveryFormat) {
    const BatchResult csv =
        networkLevelsCommand(example("tower-40.tvdn"), OutputFormat::Csv, Outlet2K);
    EXPECT_EQ(csv.status, ExitOk);
    EXPECT_EQ(csv.err, cableJudgingText(false) + u'\n'); // only where the cable losses were taken
    EXPECT_EQ(csv.wholeOut().count(u'\n'), 2001);

    // A part not rated for CS: the text says so; in JSON the level is null.
    QTemporaryDir dir;
    Network net;
    NodeSetup setup;
    setup.component.kind = ComponentKind::Outlet;
    setup.component.model = 1; // BS-7F: no CS value
    setup.room = QStringLiteral("A");
    net.addChild(HeadEndId, 0, setup);
    const QString file = dir.filePath(QStringLiteral("one.TVDN"));
    writeNetworkFile(file, net);
    const BatchResult json =
        levelsCommand(file, OutputFormat::Json, loadJudgingSettings()); // chosen by the name
    EXPECT_EQ(json.status, ExitFailing);
    EXPECT_TRUE(
        json.wholeOut().contains(QStringLiteral("\"cs_level\": null, \"cs_verdict\": \"非対応\"")))
        << json.wholeOut().toStdString();
    EXPECT_TRUE(json.wholeOut().contains(QStringLiteral("\"vhf_level\": 104.6")))
        << json.wholeOut().toStdString();
    const BatchResult text = networkLevelsCommand(file, OutputFormat::Text, Outlet2K);
    EXPECT_TRUE(text.wholeOut().contains(QStringLiteral("非対応")));
    EXPECT_TRUE(text.wholeOut().contains(QStringLiteral("CS 判定")));
}

// The 4K8K tower under a 4K8K profile: left-band levels and every C/N per
// outlet, and the outlets that fail the left band make the exit status 3.
TEST(NetworkLevels, FourK8KTowerListsTheLeftBandAndCn) {
    const Profile outlet4K8K = standardProfile({MeasuringPoint::Outlet, SatelliteSystem::Uhd4K8K});
    const BatchResult r =
        networkLevelsCommand(example("tower-4k8k-42.tvdn"), OutputFormat::Json, outlet4K8K);
    EXPECT_EQ(r.status, ExitFailing);
    EXPECT_TRUE(r.err.contains(QStringLiteral("168 端子中"))) << r.err.toStdString();
    const QJsonValue rows = QJsonDocument::fromJson(r.wholeOut().toUtf8())[QStringLiteral("rows")];
    const QJsonValue first = rows[0];
    EXPECT_TRUE(first[QStringLiteral("lhcp_level")].isDouble());
    EXPECT_TRUE(first[QStringLiteral("lhcp_cn")].isDouble());
    EXPECT_EQ(first[QStringLiteral("lhcp_cn_verdict")], QJsonValue(QStringLiteral("適合")));
    int leftFailing = 0;
    for (const QJsonValue row : rows.toArray())
        leftFailing += row[QStringLiteral("lhcp_verdict")].toString().startsWith(u"不足");
    EXPECT_GT(leftFailing, 0);
    // Under 2K the left band has no criterion: the same tower passes.
    EXPECT_EQ(
        networkLevelsCommand(example("tower-4k8k-42.tvdn"), OutputFormat::Csv, Outlet2K).status,
        ExitOk);
}

// Rooms are names: "101" stays a JSON string, as the levels stay numbers.
TEST(NetworkLevels, ANumberLikeRoomIsAJsonString) {
    const BatchResult r =
        networkLevelsCommand(example("apartment-12.tvdn"), OutputFormat::Json, Outlet2K);
    const QJsonValue first =
        QJsonDocument::fromJson(r.wholeOut().toUtf8())[QStringLiteral("rows")][0];
    EXPECT_EQ(first[QStringLiteral("room")], QJsonValue(QStringLiteral("101")));
    EXPECT_TRUE(first[QStringLiteral("vhf_level")].isDouble());
}

// After the table: per band the head-end levels that serve every outlet
// (UHF: 50 + 39.399 up, 81 + 15.426 down); CSV keeps the table alone.
TEST(NetworkLevels, HeadEndWindowAfterTheTable) {
    const QString file = example("apartment-12.tvdn");
    const BatchResult text = networkLevelsCommand(file, OutputFormat::Text, Outlet2K);
    const Network net = readNetworkFile(file);
    const NetworkResult result = computeNetwork(net, Outlet2K);
    const QString table =
        formatLevelTable(networkLevelTable(file, net, result), OutputFormat::Text);
    EXPECT_EQ(text.wholeOut(), table + QStringLiteral("\nVHF　ヘッドエンド出力 基準なし\n"
                                                      "UHF　ヘッドエンド出力 89.40–96.42 dB\n"
                                                      "BS　ヘッドエンド出力 92.17–98.73 dB\n"
                                                      "CS　ヘッドエンド出力 98.94–104.12 dB\n"
                                                      "左旋　ヘッドエンド出力 基準なし\n"));
    const BatchResult csv = networkLevelsCommand(file, OutputFormat::Csv, Outlet2K);
    EXPECT_EQ(csv.wholeOut(),
              formatLevelTable(networkLevelTable(file, net, result), OutputFormat::Csv));
    const BatchResult json = networkLevelsCommand(file, OutputFormat::Json, Outlet2K);
    const QJsonDocument doc = QJsonDocument::fromJson(json.wholeOut().toUtf8());
    ASSERT_TRUE(doc.isObject()) << json.wholeOut().toStdString();
    const QJsonValue uhf = doc[QStringLiteral("head_end_window")][1];
    EXPECT_EQ(uhf[QStringLiteral("band")], QJsonValue(QStringLiteral("UHF")));
    EXPECT_DOUBLE_EQ(uhf[QStringLiteral("min")].toDouble(), 89.40);
    EXPECT_DOUBLE_EQ(uhf[QStringLiteral("max")].toDouble(), 96.42);
    EXPECT_TRUE(doc[QStringLiteral("head_end_window")][0][QStringLiteral("min")].isNull());
    EXPECT_EQ(doc[QStringLiteral("rows")].toArray().size(), 12);
}

TEST(NetworkLevels, RefusedFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bad.tvdn"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"format\": \"miravel-network\", \"version\": 9}");
    f.close();
    const BatchResult r = networkLevelsCommand(file, OutputFormat::Text, Outlet2K);
    EXPECT_EQ(r.status, ExitRefused);
    EXPECT_TRUE(r.wholeOut().isEmpty());
    EXPECT_TRUE(r.err.contains(QStringLiteral("version"))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(u'\r'));
}

} // namespace
