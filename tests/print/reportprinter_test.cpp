#include "print/printtestsupport.h"
#include "print/report.h"
#include "print/ui/fontfit.h"
#include "print/ui/printcommands.h"
#include "print/ui/printer.h"
#include "print/ui/reportprinter.h"

#include "common/programvalues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMap>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace miravel::common;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::terminal;

namespace {

// Printer font, program values and the dialog seam as the program starts.
class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetProgramValues();
        printerFont() = PrinterFont();
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override {
        resetProgramValues();
        printerFont() = PrinterFont();
        PrintCommands::hooks() = PrintCommands::Hooks();
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A PDF printer at the resolution of a real one.
    static void toPdf(QPrinter& printer, const QString& file) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    }

    QTemporaryDir m_dir;
};

struct PdfWord {
    QString text;
    int page; // from 0
    QRectF box;
    double xMax() const { return box.right(); }
    double yMin() const { return box.top(); }
};

// The words of a PDF with their boxes, in points from the top left corner of
// their page, as pdftotext -bbox finds them.
QList<PdfWord> pdfWords(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const char* const pattern = R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" )re"
                                       R"re(xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re";
    static const QRegularExpression word(QString::fromLatin1(pattern));
    QList<PdfWord> words;
    const QStringList pages = html.split(QStringLiteral("<page "));
    for (int page = 1; page < pages.size(); ++page)
        for (auto it = word.globalMatch(pages[page]); it.hasNext();) {
            const auto m = it.next();
            const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
            const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
            words.append({m.captured(5), page - 1, QRectF(topLeft, bottomRight)});
        }
    return words;
}

TerminalFields workedExample() {
    TerminalFields f;
    for (int n : {27, 28, 29, 33})
        f[n] = QStringLiteral("105");
    f[43] = QStringLiteral("３階東系統");
    f[4] = QStringLiteral("1");
    f.combo3Index = 0;
    f.combo3Text = QStringLiteral("直列ユニット１端子形  (BS対応形)");
    const char* losses[] = {"1.3", "1.8", "2.0", "--", "8.5", "9.0", "10", "--"};
    const int fields[] = {13, 14, 15, 37, 16, 17, 18, 38};
    for (int i = 0; i < 8; ++i)
        f[fields[i]] = QString::fromUtf8(losses[i]);
    f[19] = QStringLiteral("3");
    f[22] = QStringLiteral("10");
    return f;
}

TEST_F(PrintTest, FontFitFindsTheStartSizeWithTheProgramFont) {
    QPrinter printer(QPrinter::HighResolution);
    toPdf(printer, path(QStringLiteral("fit.pdf")));
    EXPECT_EQ(Font_Fit(printer, 8), 8.0f);
    EXPECT_EQ(printerFont().size, 8.0f);
    EXPECT_EQ(Font_Fit(printer, 10.5f), 10.5f);
    // The same on the program's current printer.
    EXPECT_EQ(Font_Fit(Prt_FontSize), 8.0f);
}

TEST_F(PrintTest, FontFitAboveTwentyFailsAtOnce) {
    QPrinter printer(QPrinter::HighResolution);
    toPdf(printer, path(QStringLiteral("fit.pdf")));
    EXPECT_EQ(Font_Fit(printer, 20.5f), 0.0f);
    EXPECT_EQ(printerFont().size, 8.9f);
    EXPECT_EQ(Font_Fit(printer, 20), 20.0f);
}

TEST_F(PrintTest, FontFitTriesWholeStepsUpToTwenty) {
    // In a proportional font no size fits: the search runs from 10.5 in whole
    // steps and stops at the last size not above 20.
    printerFont().family = QStringLiteral("IPAPMincho");
    QPrinter printer(QPrinter::HighResolution);
    toPdf(printer, path(QStringLiteral("fit.pdf")));
    EXPECT_EQ(Font_Fit(printer, 10.5f), 0.0f);
    EXPECT_EQ(printerFont().size, 19.5f);
    EXPECT_EQ(Font_Fit(printer, 6), 0.0f);
    EXPECT_EQ(printerFont().size, 20.0f);
}

TEST_F(PrintTest, ReportPrintsToPdf) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext/pdftoppm not installed";
    const float size = Font_Fit(8);
    ASSERT_EQ(size, 8.0f);
    printerFont().size = size;
    const Report report = terminalReport(workedExample(), QStringLiteral("/home/u/site/plan.tvd"));

    QPrinter printer(QPrinter::HighResolution);
    const QString file = path(QStringLiteral("report.pdf"));
    toPdf(printer, file);
    paintReport(printer, report.lines, printerFont().font());

    const QString text = pdfText(file);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text.count(u'\f'), 1) << "one page";
    for (const char* expected :
         {"回 路 名", "３階東系統", "周波数帯域", "出 力 レ ベ ル", "105.00", "BS-D2",
          "直列ユニット１端子形", "結合損失", "S-5C-FB", "0.378", "16.01", "18.79", "21.61",
          "88.99", "86.21", "83.39", "101.22", "plan.tvd"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    // On paper, every table line ends at the same right border, lines are one
    // em (8 points) apart, and amounts right-align in their columns.
    const QList<PdfWord> words = pdfWords(file);
    // The rightmost word of each printed line, top to bottom.
    QMap<double, PdfWord> lineEnds;
    for (const PdfWord& w : words)
        if (!lineEnds.contains(w.yMin()) || lineEnds[w.yMin()].xMax() < w.xMax())
            lineEnds[w.yMin()] = w;
    QList<PdfWord> borders;
    for (const PdfWord& w : lineEnds)
        if (QStringLiteral("┃┓┫┨┛").contains(w.text.back())) borders.append(w);
    ASSERT_EQ(borders.size(), 24); // the top rule to the bottom rule
    for (int i = 1; i < borders.size(); ++i) {
        EXPECT_NEAR(borders[i].xMax(), borders[0].xMax(), 0.01);
        EXPECT_NEAR(borders[i].yMin() - borders[i - 1].yMin(), 8.0, 0.01);
    }
    auto right = [&](const QString& text) {
        for (const PdfWord& w : words)
            if (w.text == text) return w.xMax();
        ADD_FAILURE() << text.toStdString() << " not found";
        return 0.0;
    };
    EXPECT_NEAR(right(QStringLiteral("105.00│")), right(QStringLiteral("88.99│")), 0.01);
    EXPECT_NEAR(right(QStringLiteral("105.00│")), right(QStringLiteral("16.01│")), 0.01);
    EXPECT_NEAR(right(QStringLiteral("105.00│")), right(QStringLiteral("3.80│")), 0.01);

    // A picture of the first page, for a look by eye while the test runs.
    EXPECT_FALSE(pdfFirstPage(file, path(QStringLiteral("report-page1")), 100).isNull());
}

TEST(LinesPerPage, EveryLineThatFitsWhole) {
    const struct {
        double pageHeight;
        double lineHeight;
        int expected;
    } cases[] = {
        {800, 8, 100},       {799.9, 8, 99},
        {807.9, 8, 100},     {8, 8, 1},
        {7.9, 8, 1},         {0, 8, 1},
        {100, 100.0 / 3, 3}, {13200, 133.333333333333, 99}, // an A4 page at 1200 dpi, 8 points
    };
    for (const auto& c : cases)
        EXPECT_EQ(linesPerPage(c.pageHeight, c.lineHeight), c.expected)
            << c.pageHeight << " / " << c.lineHeight;
}

TEST_F(PrintTest, LongReportFillsEachPageAtTheLinePitch) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext not installed";
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines.append(QStringLiteral("          line %1").arg(i));
    QPrinter printer(QPrinter::HighResolution);
    const QString file = path(QStringLiteral("long.pdf"));
    toPdf(printer, file);
    printerFont().size = 8;
    paintReport(printer, lines, printerFont().font());

    // Lines are 8 points apart: a page holds every line whose em fits.
    const double pageHeight = printer.pageLayout().paintRect(QPageLayout::Point).height();
    const int perPage = int(pageHeight / 8);
    ASSERT_LT(perPage, 150);
    QList<int> lineCount;
    for (const PdfWord& w : pdfWords(file)) {
        if (w.text != QStringLiteral("line")) continue;
        while (lineCount.size() <= w.page)
            lineCount.append(0);
        ++lineCount[w.page];
    }
    EXPECT_EQ(lineCount, QList<int>({perPage, 150 - perPage}));
    // Every line is printed once, in order, across the pages.
    const QString text = pdfText(file);
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("line %1\n").arg(perPage)));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("line %1\n").arg(perPage + 1)));
    for (int i = 1; i <= 150; ++i)
        EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("line %1\\b").arg(i))), 1) << i;
}

// Every kind of component at once, so that the report is as long as it gets.
TerminalFields everyComponent() {
    TerminalFields f = workedExample();
    for (int n : {4, 5, 6, 11, 12, 30, 31, 32, 35, 36, 39, 40, 41, 42})
        f[n] = QStringLiteral("2");
    for (int n : {20, 21, 22, 23, 24, 25, 26})
        f[n] = QStringLiteral("15");
    return f;
}

TEST_F(PrintTest, EveryWordOfAMultiPageReportIsInsideThePaintRectangle) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext not installed";
    QPrinter printer(QPrinter::HighResolution);
    const QString file = path(QStringLiteral("multi.pdf"));
    toPdf(printer, file);
    printer.setPageOrientation(QPageLayout::Landscape);
    printerFont().family = QStringLiteral("IPAGothic");
    const float size = Font_Fit(printer, 11);
    ASSERT_NE(size, 0.0f);
    const Report report = terminalReport(everyComponent(), QStringLiteral("/home/u/plan.tvd"));
    paintReport(printer, report.lines, printerFont().font());

    const QRectF paint = printer.pageLayout().paintRect(QPageLayout::Point);
    const QRectF inside = paint.adjusted(-0.01, -0.01, 0.01, 0.01);
    const QList<PdfWord> words = pdfWords(file);
    ASSERT_FALSE(words.isEmpty());
    int pages = 0;
    for (const PdfWord& w : words) {
        pages = std::max(pages, w.page + 1);
        EXPECT_TRUE(inside.contains(w.box))
            << w.text.toStdString() << " on page " << w.page + 1 << " at " << w.box.x() << ","
            << w.box.y() << " " << w.box.width() << "x" << w.box.height();
    }
    EXPECT_GE(pages, 2);
    // Nothing was lost at the page break: the footer ends the last page.
    EXPECT_EQ(words.last().text, QStringLiteral("plan.tvd"));
    EXPECT_EQ(words.last().page, pages - 1);
}

TEST_F(PrintTest, PdfIsReplacedOnlyWhenCompletelyWritten) {
    const QString file = path(QStringLiteral("report.pdf"));
    const QByteArray earlier("an earlier print");
    ASSERT_TRUE(writeFile(file, earlier));
    QPrinter printer(QPrinter::HighResolution);
    toPdf(printer, file);
    const QStringList lines(40, QStringLiteral("┃出 力 レ ベ ル 　　 │ 105.00"));
    const PaintDocument drawReport = [&](QPainter& painter, QPagedPaintDevice& device) {
        return paintReportPages(painter, device, lines, printerFont().font());
    };

    {
        // The disk fills up halfway through the file.
        FullDisk full(4096);
        ASSERT_TRUE(full.active());
        EXPECT_EQ(printDocument(printer, drawReport), PrintOutcome::Failed);
        EXPECT_THROW(paintReport(printer, lines, printerFont().font()), PrinterError);
    }
    EXPECT_EQ(readFile(file), earlier);
    EXPECT_EQ(QDir(path(QString())).entryList(QDir::Files), QStringList{"report.pdf"})
        << "no temporary file is left behind";

    // A document that breaks off is not written either.
    const PaintDocument breaksOff = [](QPainter&, QPagedPaintDevice&) { return false; };
    EXPECT_EQ(printDocument(printer, breaksOff), PrintOutcome::Failed);
    EXPECT_EQ(readFile(file), earlier);

    EXPECT_EQ(printDocument(printer, drawReport), PrintOutcome::Printed);
    EXPECT_TRUE(isPdf(file));
    EXPECT_GT(QFileInfo(file).size(), 4096) << "the limit above cut the file short";
}

TEST_F(PrintTest, PrinterThatCannotBeginIsAPrinterError) {
    QPrinter printer(QPrinter::HighResolution);
    toPdf(printer, path(QStringLiteral("missing/folder/report.pdf")));
    try {
        paintReport(printer, {QStringLiteral("x")}, printerFont().font());
        ADD_FAILURE() << "no printer error";
    } catch (const PrinterError& e) {
        EXPECT_EQ(printerErrorText(e), QStringLiteral("プリンターエラー   482"));
        EXPECT_EQ(printerErrorTitle(), QStringLiteral("　　プリンタートラブル"));
    }
    QLabel label(QStringLiteral("計算回路名"));
    EXPECT_EQ(printWidgetImage(printer, label), PrintOutcome::CannotBegin);
}

TEST_F(PrintTest, WidgetImagePrintsToPdf) {
    QLabel label(QStringLiteral("ブースター出力より端末まで"));
    label.resize(300, 40);
    QPrinter printer(QPrinter::HighResolution);
    const QString file = path(QStringLiteral("screen.pdf"));
    toPdf(printer, file);
    ASSERT_EQ(printWidgetImage(printer, label), PrintOutcome::Printed);
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_GT(pdf.size(), 1000);
}

TEST_F(PrintTest, WithoutPrinterAsksForAPdfFile) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    QStringList presets;
    QString answer;
    PrintCommands::hooks().pdfFileDialog = [&](const QString& preset) {
        presets.append(preset);
        return answer;
    };

    QPrinter printer(QPrinter::HighResolution);
    // Cancelled: nothing changes.
    EXPECT_FALSE(ensurePrintTarget(printer, nullptr));
    EXPECT_TRUE(printer.outputFileName().isEmpty());

    // Named: the printer prints there; every print asks again.
    DataName = QStringLiteral("/home/u/site/plan.v2.tvd");
    answer = path(QStringLiteral("out.pdf"));
    EXPECT_TRUE(ensurePrintTarget(printer, nullptr));
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), answer);
    EXPECT_TRUE(ensurePrintTarget(printer, nullptr));

    ASSERT_EQ(presets.size(), 3);
    EXPECT_EQ(presets[0], QDir::home().filePath(QStringLiteral("Miravel.pdf")));
    EXPECT_EQ(presets[1], QStringLiteral("/home/u/site/plan.v2.pdf"));
}

} // namespace
