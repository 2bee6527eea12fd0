#include "networkscreentestsupport.h"

#include "../../print/printtestsupport.h"
#include "common/filestamp.h"
#include "network/networktexts.h"
#include "network/outletcsv.h"
#include "network/tvdnfile.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkwindow.h"

#include "print/ui/printcommands.h"
#include "print/ui/printer.h"

#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::standard;

namespace {

class NetworkOutput : public ScreenTest {
protected:
    NetworkWindow* screenWithApartment() {
        NetworkWindow* s = openNetworkScreen();
        s->document()->reset(loadNetworkExample("apartment-12.tvdn"), QString());
        return s;
    }
    QTemporaryDir dir;
};

TEST_F(NetworkOutput, CsvIsTheOutletTableOfTheScreen) {
    NetworkWindow* s = screenWithApartment();
    platform.fileAnswers = {dir.filePath(QStringLiteral("outlets"))};
    named<QAction>(s, "exportOutletCsv")->trigger();
    QFile file(dir.filePath(QStringLiteral("outlets.csv")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), outletTableCsv(s->document()->network(), s->document()->result()));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(NetworkOutput, PdfHoldsTheOutletTableAndTheDiagram) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    NetworkWindow* s = screenWithApartment();
    platform.fileAnswers = {dir.filePath(QStringLiteral("network"))};
    named<QAction>(s, "exportNetworkPdf")->trigger();
    EXPECT_TRUE(platform.messages.isEmpty());
    const QString text = pdfText(dir.filePath(QStringLiteral("network.pdf")));
    ASSERT_FALSE(text.isEmpty());
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("判定")));
    const NetworkResult& r = s->document()->result();
    for (const OutletResult& o : r.outlets)
        EXPECT_TRUE(pages[0].contains(outletName(s->document()->network(), o))) << o.node;
    // Every outlet at the lowest level of a band is marked, and no other.
    int lowest = 0;
    for (int b = 0; b < BandCount; ++b) {
        const auto worst = r.outlets.level(size_t(r.summary[size_t(b)].worst), size_t(b));
        EXPECT_TRUE(pages[0].contains(QStringLiteral("▼") + levelText(worst))) << b;
        for (const OutletResult& o : r.outlets)
            lowest += o.bands[size_t(b)].level == worst;
    }
    EXPECT_GT(lowest, BandCount);                               // the example has ties
    EXPECT_EQ(pages[0].count(QStringLiteral("▼")), lowest + 1); // with the legend
    EXPECT_TRUE(pages[1].contains(QStringLiteral("ヘッドエンド")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("分岐器 CS-C4")));
}

TEST_F(NetworkOutput, AnUnwritableFileIsReportedAndLeftAlone) {
    NetworkWindow* s = screenWithApartment();
    const QString missingFolder = dir.filePath(QStringLiteral("no/such/folder/network.pdf"));
    platform.fileAnswers = {missingFolder, missingFolder};
    named<QAction>(s, "exportNetworkPdf")->trigger();
    named<QAction>(s, "saveNetworkAs")->trigger();
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_FALSE(QFile::exists(missingFolder));
    EXPECT_TRUE(s->document()->filePath().isEmpty());
}

} // namespace

namespace {

TEST_F(NetworkOutput, ReplacingAFileIsAskedFirst) {
    NetworkWindow* s = screenWithApartment();
    const QString path = dir.filePath(QStringLiteral("kept.tvdn"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    platform.fileAnswers = {dir.filePath(QStringLiteral("kept")), path};
    platform.questionAnswers = {false, true};
    named<QAction>(s, "saveNetworkAs")->trigger(); // "kept" becomes kept.tvdn: asked, refused
    ASSERT_EQ(platform.questions.size(), 1);
    EXPECT_TRUE(platform.questions[0].text.contains(QStringLiteral("kept.tvdn")));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
    old.close();
    EXPECT_TRUE(s->document()->filePath().isEmpty());
    named<QAction>(s, "saveNetworkAs")->trigger(); // asked again, replaced
    EXPECT_EQ(platform.questions.size(), 2);
    EXPECT_EQ(readNetworkFile(path), s->document()->network());
    EXPECT_EQ(s->document()->filePath(), path);
}

} // namespace

namespace {

// Printing and the preview draw what the PDF file holds: the same pages.
TEST_F(NetworkOutput, PrintAndPreviewDrawThePagesOfThePdf) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    NetworkWindow* s = screenWithApartment();
    platform.fileAnswers = {dir.filePath(QStringLiteral("file.pdf"))};
    named<QAction>(s, "exportNetworkPdf")->trigger();
    const QString expected = pdfText(dir.filePath(QStringLiteral("file.pdf")));
    ASSERT_FALSE(expected.isEmpty());

    auto& hooks = PrintCommands::hooks();
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    currentPrinter().setOutputFormat(QPrinter::PdfFormat);
    currentPrinter().setOutputFileName(QString()); // no printer here: asks for a file
    hooks.pdfFileDialog = [&](const QString&) { return printed; };
    const QString previewed = dir.filePath(QStringLiteral("preview.pdf"));
    hooks.previewDialog = [&](const std::function<void(QPrinter&)>& paint) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(previewed);
        paint(printer);
    };
    named<QAction>(s, "printNetwork")->trigger();
    named<QAction>(s, "previewNetwork")->trigger();
    hooks = PrintCommands::Hooks();
    currentPrinter().setOutputFileName(QString());
    EXPECT_EQ(pdfText(printed), expected);
    EXPECT_EQ(pdfText(previewed), expected);
    EXPECT_TRUE(platform.messages.isEmpty());
}

} // namespace

namespace {

// A full disk: each output reports the failure, and the file written earlier
// under that name stays as it was.
TEST_F(NetworkOutput, AFullDiskKeepsTheEarlierFiles) {
    NetworkWindow* s = screenWithApartment();
    // One whole PDF first, so that the fonts are loaded before the disk fills.
    platform.fileAnswers = {dir.filePath(QStringLiteral("first.pdf"))};
    named<QAction>(s, "exportNetworkPdf")->trigger();
    const QByteArray earlier("an earlier output");
    PrinterStandIn printer;
    printer.printTo(dir.filePath(QStringLiteral("printed.pdf")));
    struct Output {
        QAction* action;
        const char* file;
    };
    for (const Output& o : {Output{named<QAction>(s, "exportNetworkPdf"), "network.pdf"},
                            Output{named<QAction>(s, "exportOutletCsv"), "table.csv"},
                            Output{named<QAction>(s, "printNetwork"), "printed.pdf"}}) {
        SCOPED_TRACE(o.file);
        const QString file = dir.filePath(QString::fromUtf8(o.file));
        ASSERT_TRUE(writeFile(file, earlier));
        platform.fileAnswers = {file};
        platform.questionAnswers = {true};
        platform.messages.clear();
        {
            FullDisk full(256);
            ASSERT_TRUE(full.active());
            o.action->trigger();
        }
        EXPECT_EQ(platform.messages.size(), 1);
        EXPECT_EQ(readFile(file), earlier);
    }
}

} // namespace

namespace {

// Saving over the network's file after another program changed it asks
// about the change; No leaves that program's file as it is.
TEST_F(NetworkOutput, SavingOverAFileChangedOnDiskAsksFirst) {
    NetworkWindow* s = openNetworkScreen();
    const QString path = dir.filePath(QStringLiteral("plan.tvdn"));
    writeNetworkFile(path, loadNetworkExample("apartment-12.tvdn"));
    platform.fileAnswers = {path};
    named<QAction>(s, "openNetwork")->trigger();
    ASSERT_TRUE(writeFile(path, "{}")); // another program
    platform.questionAnswers = {false, true};
    EXPECT_FALSE(s->saveNetwork()); // changed since opened: No
    EXPECT_EQ(readFile(path), QByteArray("{}"));
    EXPECT_TRUE(s->saveNetwork()); // Yes
    EXPECT_EQ(readNetworkFile(path), s->document()->network());
    EXPECT_TRUE(s->saveNetwork()); // unchanged since saved: nothing asked
    ASSERT_EQ(platform.questions.size(), 2);
    EXPECT_EQ(platform.questions[0].text, changedOnDiskQuestion(path));
}

} // namespace
