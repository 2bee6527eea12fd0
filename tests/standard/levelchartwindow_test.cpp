#include "print/printtestsupport.h"
#include "standard/chartfixture.h"
#include "standard/ui/chartpainter.h"
#include "standard/ui/levelchartwindow.h"
#include "standard/ui/verdictstyle.h"
#include "support/testsupport.h"

#include "common/numval.h"
#include "standard/ui/verdictsheetprint.h"
#include "terminal/keisan.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

using namespace miravel::common;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

// The rows of the column x between `top` and `bottom` that hold exactly
// `colour`: first and one past the last, or {-1, -1}.
std::pair<int, int> runOf(const QImage& image, int x, int top, int bottom, const QColor& colour) {
    int first = -1, last = -1;
    for (int y = top; y < bottom; ++y)
        if (image.pixelColor(x, y) == colour) {
            if (first < 0) first = y;
            last = y;
        }
    return {first, last < 0 ? -1 : last + 1};
}

class LevelChartImage : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        window.setChart(fixturePath(), QStringLiteral("レベル配分図"));
        image = window.renderImage(Size);
        const QRectF chart = chartArea(QRectF(QPointF(0, 0), QSizeF(Size)));
        layout = layoutLevelChart(fixturePath(), chart.size());
        offset = chart.topLeft();
    }
    // The run of the bar's colour in the bar's middle column of its panel.
    std::pair<int, int> measured(const ChartPanel& panel, int bar, const QColor& colour) {
        return runOf(image, int(panel.bars[size_t(bar)].rect.center().x() + offset.x()),
                     int(panel.frame.top() + offset.y()), int(panel.frame.bottom() + offset.y()),
                     colour);
    }

    const QSize Size{1000, 800};
    LevelChartWindow window;
    QImage image;
    ChartLayout layout;
    QPointF offset;
};

TEST_F(LevelChartImage, BarsStandWhereTheLevelsAre) {
    const ChartPanel& bs = layout.panels[BS];
    const QColor outputColour = chartBarColour(ChartBarKind::Output);
    const QColor lossColour = chartBarColour(ChartBarKind::Loss);
    const double plotBottom = bs.plot.bottom() + offset.y();
    const double perDb = bs.plot.height() / (layout.high - layout.low);

    // Output bar: from the axis' 40 up to 105.
    const auto [outTop, outBottom] = measured(bs, 0, outputColour);
    EXPECT_NEAR(outTop, plotBottom - 65 * perDb, 1.5);
    EXPECT_NEAR(outBottom, plotBottom, 1.5);
    // Series units: from 100.5 down to 86.5 (14 dB).
    const auto [unitTop, unitBottom] = measured(bs, 3, lossColour);
    EXPECT_NEAR(unitTop, plotBottom - 60.5 * perDb, 1.5);
    EXPECT_NEAR(unitBottom - unitTop, 14 * perDb, 2);
    // Outlet: from 40 to 83.39, in the colour of its verdict (too high).
    ASSERT_EQ(bs.judgement.verdict, Verdict::High);
    const auto [outletTop, outletBottom] = measured(bs, 5, verdictColour(Verdict::High));
    EXPECT_NEAR(outletBottom - outletTop, 43.39 * perDb, 2);
    // Heights in proportion to the decibels, whatever the scale.
    EXPECT_NEAR(double(outBottom - outTop) / (outletBottom - outletTop), 65 / 43.39, 0.02);
}

TEST_F(LevelChartImage, RangeIsShadedAndVhfHasNone) {
    const ChartPanel& uhf = layout.panels[UHF];
    // Between the bars, inside 50..81: the shading; above 81: none.
    const int x = int(uhf.bars[0].rect.right() + offset.x()) + 3;
    const double perDb = uhf.plot.height() / (layout.high - layout.low);
    const int inside = int(uhf.plot.bottom() + offset.y() - 25 * perDb);  // 65 dBμV
    const int outside = int(uhf.plot.bottom() + offset.y() - 55 * perDb); // 95 dBμV
    EXPECT_EQ(image.pixelColor(x, inside), chartRangeColour());
    EXPECT_NE(image.pixelColor(x, outside), chartRangeColour());
    const ChartPanel& vhf = layout.panels[VHF];
    const int vx = int(vhf.bars[0].rect.right() + offset.x()) + 3;
    EXPECT_NE(image.pixelColor(vx, int(vhf.plot.bottom() + offset.y() - 25 * perDb)),
              chartRangeColour());
    // The VHF outlet bar carries no verdict colour.
    const auto [top, bottom] = measured(vhf, 5, verdictColour(Verdict::NoCriterion));
    EXPECT_GT(bottom - top, 10);
}

TEST_F(LevelChartImage, SavesPngAndPdf) {
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("chart.png"));
    ASSERT_TRUE(window.saveImage(png));
    const QImage saved(png);
    EXPECT_EQ(saved.size(), QSize(1600, 1200));

    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    ASSERT_TRUE(window.savePdf(pdf));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");

    EXPECT_FALSE(window.saveImage(dir.filePath(QStringLiteral("missing/chart.png"))));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("書き込めません")));
}

// A full disk: saving and printing report the failure, and the file
// written earlier under that name stays as it was.
TEST_F(LevelChartImage, AFullDiskKeepsTheEarlierFiles) {
    QTemporaryDir dir;
    PrinterStandIn printer;
    // One whole print first, so that the fonts are loaded before the disk fills.
    printer.printTo(dir.filePath(QStringLiteral("first.pdf")));
    window.findChild<QAction*>(QStringLiteral("Chart_Print"))->trigger();
    ASSERT_TRUE(platform.messages.isEmpty());
    const QByteArray earlier("an earlier output");
    const QString png = dir.filePath(QStringLiteral("chart.png"));
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    for (const QString& file : {png, pdf, printed})
        ASSERT_TRUE(writeFile(file, earlier));
    printer.printTo(printed);
    {
        FullDisk full(256);
        ASSERT_TRUE(full.active());
        EXPECT_FALSE(window.saveImage(png));
        EXPECT_FALSE(window.savePdf(pdf));
        window.findChild<QAction*>(QStringLiteral("Chart_Print"))->trigger();
    }
    EXPECT_EQ(platform.messages.size(), 3);
    for (const QString& file : {png, pdf, printed})
        EXPECT_EQ(readFile(file), earlier) << file.toStdString();
}

TEST_F(LevelChartImage, PrintAndPreviewDrawTheSameChart) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    PrinterStandIn printer;
    printer.printTo(dir.filePath(QStringLiteral("printed.pdf")));
    window.findChild<QAction*>(QStringLiteral("Chart_Print"))->trigger();
    EXPECT_TRUE(platform.messages.isEmpty());
    const QString printed = pdfText(dir.filePath(QStringLiteral("printed.pdf")));
    EXPECT_TRUE(printed.contains(QStringLiteral("過大 +2.39 dB"))) << printed.toStdString();

    int previews = 0;
    PrintCommands::hooks().previewDialog = [&](const std::function<void(QPrinter&)>& paint) {
        ++previews;
        printer.printTo(dir.filePath(QStringLiteral("preview.pdf")));
        paint(currentPrinter());
    };
    window.findChild<QAction*>(QStringLiteral("Chart_Preview"))->trigger();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(pdfText(dir.filePath(QStringLiteral("preview.pdf"))), printed);
}

// A far booster output opens the chart, its PDF and the verdict sheet at once.
TEST_F(LevelChartImage, FarOutputsPaintAtOnce) {
    for (double output : {1e300, 1e8, HUGE_VAL, std::nan(""), -1e300}) {
        auto in = fixturePath();
        in[BS].output = output;
        window.setChart(in, QStringLiteral("レベル配分図"));
        EXPECT_EQ(window.renderImage(QSize(400, 300)).size(), QSize(400, 300));
        QBuffer buffer;
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
        QPdfWriter pdf(&buffer);
        EXPECT_TRUE(window.paintPage(pdf));
        const QString line = NumText(output) + QStringLiteral("db - 4.5db = ") +
                             NumText(output - 4.5) + QStringLiteral("db");
        const std::array<QString, BandCount> lines{QString(), QString(), line, QString()};
        const Profile profile = standardProfile({});
        const VerdictSheet sheet{sheetHeading(QString(), QString(), profile),
                                 levelTable(profile, lines), cnTable(profile, {}, {8, 10, 8, 8}),
                                 chartInputsOfLines(lines, {}, profile), QString()};
        QImage page(595, 842, QImage::Format_RGB32);
        QPainter painter(&page);
        paintVerdictSheet(painter, QRectF(0, 0, 595, 842), sheet);
    }
}

} // namespace
