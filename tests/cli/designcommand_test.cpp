// --design: parsing, exit statuses, and that the input file never changes.

#include "cli/commandline.h"
#include "cli/designcommand.h"
#include "cli/networklevels.h"

#include "network/catalogparts.h"
#include "network/tvdnfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace miravel::cli;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

const Profile Outlet2K = standardProfile(ProfileId{});

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The tree without its models: kinds, ports, rooms and floors in preorder.
QStringList shape(const Network& net) {
    QStringList out;
    for (NodeId id : net.preorder()) {
        const NetNode& n = net.node(id);
        out << QStringLiteral("%1/%2/%3/%4/%5")
                   .arg(int(n.setup.component.kind))
                   .arg(n.parentPort)
                   .arg(n.children.size())
                   .arg(n.setup.room, n.setup.floor);
    }
    return out;
}

struct Folder {
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

} // namespace

TEST(DesignCommand, ParsesInputAndOutput) {
    const CommandLine line = parseCommandLine(
        {QStringLiteral("miravel"), QStringLiteral("--design"), QStringLiteral("in.tvdn"),
         QStringLiteral("--output"), QStringLiteral("out.tvdn")});
    EXPECT_EQ(line.mode, CommandLine::Mode::Design);
    EXPECT_EQ(line.files, QStringList{QStringLiteral("in.tvdn")});
    EXPECT_EQ(line.outputFile, QStringLiteral("out.tvdn"));
    for (const QStringList& wrong :
         {QStringList{"--design", "in.tvdn"}, QStringList{"--output", "o.tvdn", "in.tvdn"},
          QStringList{"--design", "--levels", "in.tvdn", "--output", "o.tvdn"}})
        EXPECT_EQ(parseCommandLine(QStringList{"miravel"} + wrong).mode,
                  CommandLine::Mode::UsageError)
            << wrong.join(u' ').toStdString();
}

TEST(DesignCommand, FixesTheApartmentHouseAndKeepsItsShape) {
    Folder f;
    const QString in = f.path("in.tvdn"), out = f.path("out.tvdn");
    ASSERT_TRUE(QFile::copy(QStringLiteral(MIRAVEL_EXAMPLES_DIR "/apartment-12.tvdn"), in));
    const QByteArray before = bytesOf(in);
    ASSERT_EQ(networkLevelsCommand(in, OutputFormat::Text, Outlet2K).status, ExitFailing);
    const BatchResult r = designCommand(in, out, Outlet2K);
    EXPECT_EQ(r.status, ExitOk) << r.out.toStdString() << r.err.toStdString();
    EXPECT_EQ(bytesOf(in), before);
    EXPECT_EQ(networkLevelsCommand(out, OutputFormat::Text, Outlet2K).status, ExitOk);
    EXPECT_EQ(shape(readNetworkFile(out)), shape(readNetworkFile(in)));
}

TEST(DesignCommand, RefusesToWriteOverItsInput) {
    Folder f;
    const QString in = f.path("in.tvdn");
    ASSERT_TRUE(QFile::copy(QStringLiteral(MIRAVEL_EXAMPLES_DIR "/apartment-12.tvdn"), in));
    ASSERT_TRUE(QFile::link(in, f.path("link.tvdn")));
    const QByteArray before = bytesOf(in);
    for (const QString& out :
         {in, f.dir.path() + QStringLiteral("/./in.tvdn"), f.path("link.tvdn")}) {
        const BatchResult r = designCommand(in, out, Outlet2K);
        EXPECT_EQ(r.status, ExitRefused) << out.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("読み込むファイルそのもの")))
            << r.err.toStdString();
    }
    EXPECT_EQ(bytesOf(in), before);
}

TEST(DesignCommand, ExitsThreeWhenSomeOutletCannotPass) {
    Folder f;
    Network net;
    NodeSetup d;
    d.component.kind = ComponentKind::Distributor;
    d.component.model = catalogueModelNumber(ComponentKind::Distributor, QStringLiteral("CS-D2"));
    const NodeId split = net.addChild(HeadEndId, 0, d);
    for (double metres : {2.0, 150.0}) {
        NodeSetup o;
        o.component.kind = ComponentKind::Outlet;
        o.component.model = catalogueModelNumber(ComponentKind::Outlet, QStringLiteral("DCM7FTCS"));
        o.coax.metres = metres;
        o.room = QString::number(metres);
        net.addChild(split, metres > 100 ? 1 : 0, o);
    }
    const QString in = f.path("gap.tvdn"), out = f.path("designed.tvdn");
    writeNetworkFile(in, net);
    const BatchResult r = designCommand(in, out, Outlet2K);
    EXPECT_EQ(r.status, ExitFailing);
    EXPECT_TRUE(r.out.contains(QStringLiteral("基準を満たせない端子"))) << r.out.toStdString();
    EXPECT_TRUE(QFile::exists(out));
    EXPECT_EQ(designCommand(f.path("missing.tvdn"), out, Outlet2K).status, ExitRefused);
}
