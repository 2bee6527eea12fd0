#include "cli/commandline.h"
#include "cli/partscommand.h"
#include "network/tvdnfile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace miravel::network;
using namespace miravel::cli;

namespace {

QString example(const char* name) {
    return QStringLiteral(MIRAVEL_EXAMPLES_DIR "/") + QLatin1String(name);
}

TEST(PartsCommand, CountsAndExitStatus) {
    const BatchResult text = partsCommand(example("apartment-12.tvdn"), OutputFormat::Text);
    EXPECT_EQ(text.status, ExitOk);
    EXPECT_TRUE(text.out.contains(QStringLiteral("DCM7FTCS"))) << text.out.toStdString();
    EXPECT_EQ(text.out.count(u'\n'), 10); // heading and nine items

    const BatchResult missing =
        partsCommand(QStringLiteral("/nonexistent/a.tvdn"), OutputFormat::Csv);
    EXPECT_EQ(missing.status, ExitRefused);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_FALSE(missing.err.isEmpty());
    const BatchResult project = partsCommand(QStringLiteral("plan.tvd"), OutputFormat::Csv);
    EXPECT_EQ(project.status, ExitUsage);
    EXPECT_TRUE(project.err.contains(QStringLiteral(".tvdn"))) << project.err.toStdString();
}

// Names with a comma and quotes stay one cell in CSV and one string in JSON.
TEST(PartsCommand, QuotesNamesInCsvAndJson) {
    Network net;
    const QString part = QStringLiteral("分岐,\"特\"");
    const QString cable = QStringLiteral("7C,\"L\"");
    net.setUserComponent({part, {UserPort{{1.0, 1.0, 1.0, 1.0}, true}}});
    net.setCableType({cable, {{220, 10}, {770, 20}, {1300, 30}, {1770, 40}}, {}});
    NodeSetup setup;
    setup.component.kind = ComponentKind::User;
    setup.component.userName = part;
    setup.coax = {cable, 4};
    net.addChild(HeadEndId, 0, setup);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("q.tvdn"));
    writeNetworkFile(file, net);
    const BatchResult csv = partsCommand(file, OutputFormat::Csv);
    EXPECT_EQ(csv.out, QStringLiteral("kind,item,quantity,unit,unit_price,amount\n"
                                      "ユーザー部品,\"分岐,\"\"特\"\"\",1,個,,\n"
                                      "ケーブル,\"7C,\"\"L\"\"\",4,m,,\n"
                                      "接栓,F形接栓,2,個,,\n"));
    const BatchResult json = partsCommand(file, OutputFormat::Json);
    EXPECT_TRUE(
        json.out.contains(QStringLiteral("\"item\": \"分岐,\\\"特\\\"\", \"quantity\": 1.0")))
        << json.out.toStdString();
    EXPECT_TRUE(json.out.contains(QStringLiteral("\"unit_price\": null")))
        << json.out.toStdString();
}

TEST(PartsCommand, CommandLine) {
    using Mode = CommandLine::Mode;
    const auto parse = [](QStringList arguments) {
        arguments.prepend(QStringLiteral("miravel"));
        return parseCommandLine(arguments);
    };
    const CommandLine line = parse({QStringLiteral("--format"), QStringLiteral("json"),
                                    QStringLiteral("--parts"), QStringLiteral("a.tvdn")});
    EXPECT_EQ(line.mode, Mode::Parts);
    EXPECT_EQ(line.format, OutputFormat::Json);
    EXPECT_EQ(line.files, QStringList{QStringLiteral("a.tvdn")});
    const CommandLine both =
        parse({QStringLiteral("--parts"), QStringLiteral("--levels"), QStringLiteral("a.tvdn")});
    EXPECT_EQ(both.mode, Mode::UsageError);
    EXPECT_EQ(both.message, QStringLiteral("--levels と --parts は同時に指定できません。"));
    const CommandLine none = parse({QStringLiteral("--parts")});
    EXPECT_EQ(none.message,
              QStringLiteral("--parts にはデータファイルを一つだけ指定してください。"));
    EXPECT_TRUE(helpText().contains(QStringLiteral("--parts")));
}

} // namespace
