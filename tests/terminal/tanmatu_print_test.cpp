#include "app/screens.h"
#include "common/programvalues.h"
#include "common/version.h"
#include "print/printtestsupport.h"
#include "support/testsupport.h"
#include "terminal/ui/tanmatu.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QListWidget>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <functional>
#include <sys/stat.h>

using namespace miravel::app;
using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

const Platform::Message Done{QStringLiteral("   印刷が終了しました。  10"),
                             QStringLiteral("   　印刷メッセージ")};
const Platform::Message ScreenDone{QStringLiteral("   印刷が終了しました。"),
                                   QStringLiteral("　印刷メッセージ")};
const Platform::Message NoFittingSize{QStringLiteral("印刷に合うフォントサイズが有りません。"),
                                      QStringLiteral("プリンターメッセージ"),
                                      QMessageBox::Question};
const Platform::Message PrinterError{QStringLiteral("プリンターエラー   482"),
                                     QStringLiteral("　　プリンタートラブル")};

class TanmatuPrintTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        screen = appScreens().terminal();
        appScreens().show(screen);
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // The worked example of the level calculation: one BS-D2, three series
    // units of type 1, 10 m of S-5C-FB, every booster level 105.
    void fillWorkedExample() {
        named<QLineEdit>(screen, "Text4")->setText(QStringLiteral("1"));
        pick(named<QComboBox>(screen, "Combo3"), 0);
        named<QLineEdit>(screen, "Text19")->setText(QStringLiteral("3"));
        named<QLineEdit>(screen, "Text22")->setText(QStringLiteral("10"));
        for (QLineEdit* level :
             {named<QLineEdit>(screen, "Text27"), named<QLineEdit>(screen, "Text28"),
              named<QLineEdit>(screen, "Text29"), named<QLineEdit>(screen, "Text33")})
            level->setText(QStringLiteral("105"));
        named<QLineEdit>(screen, "Text43")->setText(QStringLiteral("  ３階東系統 "));
    }

    // The text colour of every coloured label (and the credit line's ground).
    QList<QColor> labelColours() const {
        QList<QColor> colours;
        for (QLabel* label : {named<QLabel>(screen, "Label40"), named<QLabel>(screen, "Label41"),
                              named<QLabel>(screen, "Label42"), named<QLabel>(screen, "Label57"),
                              named<QLabel>(screen, "Label43"), named<QLabel>(screen, "Label44"),
                              named<QLabel>(screen, "Label45"), named<QLabel>(screen, "Label58"),
                              named<QLabel>(screen, "Label71"), named<QLabel>(screen, "Label72"),
                              named<QLabel>(screen, "Label73"), named<QLabel>(screen, "Label74"),
                              named<QLabel>(screen, "Label53")})
            colours << label->palette().color(QPalette::WindowText);
        colours << named<QLabel>(screen, "Label53")->palette().color(QPalette::Window);
        return colours;
    }

    PrinterStandIn printer;
    tanmatu* screen = nullptr;

    QTemporaryDir m_dir;
};

TEST_F(TanmatuPrintTest, PrintDataOfTheWorkedExample) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext/pdftoppm not installed";
    fillWorkedExample();
    DataName = QStringLiteral("/home/u/site/plan.tvd");
    const QString file = path(QStringLiteral("report.pdf"));
    printer.printTo(file);

    named<QAction>(screen, "Prtdata_Insatu")->trigger();

    EXPECT_EQ(platform.messages, QList({Done}));
    EXPECT_EQ(Prt_Indent, 10);
    // The calculation ran first; the report leaves the terminal levels.
    EXPECT_EQ(named<QLabel>(screen, "Label43")->text(), "105db - 16.01db = 88.99db ");
    const BandValues levels = {88.99, 86.21, 83.39, 101.22};
    for (int b = 0; b < BandCount; ++b)
        EXPECT_NEAR(screen->Total_Loss[b], levels[b], 1e-9) << b;
    EXPECT_EQ(printerFont().size, 8.0f) << "the fitted size stays on the printer";
    EXPECT_EQ(Prt_FontSize, 8.0f);

    const QString text = pdfText(file);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text.count(u'\f'), 1) << "one page";
    for (const char* expected : {"回 路 名     ３階東系統",
                                 "出 力 レ ベ ル",
                                 "105.00",
                                 "２分配器 分配損失",
                                 "BS-D2",
                                 "直列ユニット１端子形",
                                 "挿入損失",
                                 "結合損失",
                                 "S-5C-FB",
                                 "損 失 合 計",
                                 "16.01",
                                 "18.79",
                                 "21.61",
                                 "3.78",
                                 "端 末 レ ベ ル",
                                 "88.99",
                                 "86.21",
                                 "83.39",
                                 "101.22",
                                 "plan.tvd"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;

    // A picture of the first page, to look at the rules by eye.
    const QImage page = pdfFirstPage(file, path(QStringLiteral("report-page1")), 110);
    EXPECT_FALSE(page.isNull());
}

TEST_F(TanmatuPrintTest, NoFittingFontSizePrintsNothing) {
    fillWorkedExample();
    printer.printTo(path(QStringLiteral("report.pdf")));
    Prt_FontSize = 21;

    named<QAction>(screen, "Prtdata_Insatu")->trigger();

    EXPECT_EQ(platform.messages, QList({NoFittingSize}));
    EXPECT_EQ(printer.pdfQuestions, 0);
    EXPECT_FALSE(QFileInfo::exists(printer.pdfAnswer));
    EXPECT_FALSE(Prt_Indent.has_value());
    EXPECT_NEAR(screen->Total_Loss[VHF], 16.01, 1e-9) << "the calculation's total stays";
    EXPECT_FALSE(screen->Prt_Sub());
}

TEST_F(TanmatuPrintTest, UnnamedPdfAsksForAFileAndCancelEndsSilently) {
    fillWorkedExample();
    currentPrinter().setOutputFormat(QPrinter::PdfFormat);
    currentPrinter().setOutputFileName(QString());

    for (QAction* command :
         {named<QAction>(screen, "Prtdata_Insatu"), named<QAction>(screen, "Prt")}) {
        const QList<QColor> before = labelColours();
        printer.pdfQuestions = 0;
        command->trigger();
        EXPECT_EQ(printer.pdfQuestions, 1) << command->objectName().toStdString();
        EXPECT_EQ(platform.messages, QList<Platform::Message>());
        EXPECT_EQ(labelColours(), before);
    }
    EXPECT_TRUE(currentPrinter().outputFileName().isEmpty());
    EXPECT_TRUE(QDir(path(QString())).isEmpty());

    // Named in the dialog: the report goes there.
    printer.pdfAnswer = path(QStringLiteral("named.pdf"));
    named<QAction>(screen, "Prtdata_Insatu")->trigger();
    EXPECT_TRUE(isPdf(printer.pdfAnswer));
    EXPECT_EQ(platform.messages, QList({Done}));
}

TEST_F(TanmatuPrintTest, PrinterFailureIsReportedAndTheProgramGoesOn) {
    fillWorkedExample();
    printer.printTo(overlongName(m_dir));

    for (QAction* command :
         {named<QAction>(screen, "Prtdata_Insatu"), named<QAction>(screen, "Prt")}) {
        SCOPED_TRACE(command->objectName().toStdString());
        platform.messages.clear();
        const QList<QColor> before = labelColours();
        command->trigger();
        EXPECT_EQ(platform.messages, QList({PrinterError}));
        EXPECT_EQ(labelColours(), before);
    }

    // The next print works again.
    platform.messages.clear();
    printer.printTo(path(QStringLiteral("report.pdf")));
    named<QAction>(screen, "Prtdata_Insatu")->trigger();
    EXPECT_EQ(platform.messages, QList({Done}));
}

// A full disk: no completion message over a broken file; the file printed
// earlier under that name stays as it was.
TEST_F(TanmatuPrintTest, FullDiskKeepsTheEarlierFile) {
    fillWorkedExample();
    const QString file = path(QStringLiteral("report.pdf"));
    const QByteArray earlier("an earlier print");
    // One whole print first, so that the fonts and their caches are loaded
    // before the disk is full, as they would be in a running program.
    printer.printTo(path(QStringLiteral("first.pdf")));
    named<QAction>(screen, "Prt")->trigger();
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("first.pdf"))));
    for (QAction* command :
         {named<QAction>(screen, "Prtdata_Insatu"), named<QAction>(screen, "Prt")}) {
        SCOPED_TRACE(command->objectName().toStdString());
        ASSERT_TRUE(writeFile(file, earlier));
        platform.messages.clear();
        printer.printTo(file);
        {
            FullDisk full(1024);
            ASSERT_TRUE(full.active());
            command->trigger();
        }
        EXPECT_EQ(platform.messages, QList({PrinterError}));
        EXPECT_EQ(readFile(file), earlier);
        EXPECT_EQ(QDir(path(QString())).entryList(QDir::Files), QStringList{"report.pdf"});
    }
}

TEST_F(TanmatuPrintTest, NamedPipeAsPdfFileIsRefusedWithoutBlocking) {
    fillWorkedExample();
    const QString fifo = path(QStringLiteral("pipe.pdf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    printer.printTo(fifo);
    const Platform::Message refused{
        QStringLiteral("「pipe.pdf」には印刷できません。\rPDFファイルには、"
                       "通常のファイルか新しいファイル名を指定してください。"),
        programTitle(), QMessageBox::Warning};
    for (QAction* command :
         {named<QAction>(screen, "Prtdata_Insatu"), named<QAction>(screen, "Prt")}) {
        SCOPED_TRACE(command->objectName().toStdString());
        platform.messages.clear();
        command->trigger();
        EXPECT_EQ(platform.messages, QList({refused}));
    }
    EXPECT_FALSE(Prt_Indent.has_value()) << "nothing was printed";
}

// The calculation shows its messages, then the report prints from the
// fields; only a report that cannot be built stops the command, before the
// PDF file is asked for.
TEST_F(TanmatuPrintTest, PrintDataAfterTheCalculation) {
    const Platform::Message error6{QStringLiteral("error6"), programTitle()};
    const Platform::Message tooLarge{
        QStringLiteral("数値が大きすぎるため、計算書を印刷できません。"), programTitle()};
    const struct {
        const char* name;
        std::function<void(tanmatu*)> setUp;
        QList<Platform::Message> messages;
        const char* printed; // a word of the report; nullptr: nothing printed
    } cases[] = {
        {"an outlet counted twice: the calculation overflows, the report counts it once",
         [](tanmatu* screen) {
             pick(named<QComboBox>(screen, "Combo3"), 5);
             named<QLineEdit>(screen, "Text19")->setText(QStringLiteral("2"));
             named<QLineEdit>(screen, "Text16")->setText(QStringLiteral("1E308"));
         },
         {error6, Done},
         "挿入損失"},
        {"more through units than 16 bits hold: the quantity keeps its last 4 columns",
         [](tanmatu* screen) {
             named<QLineEdit>(screen, "Text19")->setText(QStringLiteral("40000"));
         },
         {Done},
         "9999│"},
        {"a number beyond a double",
         [](tanmatu* screen) { named<QLineEdit>(screen, "Text4")->setText("1E400"); },
         {error6, tooLarge},
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform.messages.clear();
        printer.pdfQuestions = 0;
        fillWorkedExample();
        c.setUp(screen);
        const QString file = path(QString::fromUtf8(c.name).left(12) + QStringLiteral(".pdf"));
        printer.printTo(file);

        named<QAction>(screen, "Prtdata_Insatu")->trigger();
        EXPECT_EQ(platform.messages, c.messages);
        EXPECT_EQ(printer.pdfQuestions, c.printed ? 1 : 0);
        if (c.printed && havePdfTools()) {
            EXPECT_TRUE(pdfText(file).contains(QString::fromUtf8(c.printed))) << c.printed;
        }
        if (!c.printed) {
            EXPECT_FALSE(QFileInfo::exists(file));
        }
    }
}

TEST_F(TanmatuPrintTest, PrintScreenImage) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftoppm not installed";
    fillWorkedExample();
    screen->Keisan(); // red result lines on the screen
    const QList<QColor> before = labelColours();
    const QString file = path(QStringLiteral("screen.pdf"));
    printer.printTo(file);

    named<QAction>(screen, "Prt")->trigger();

    EXPECT_EQ(platform.messages, QList({ScreenDone}));
    EXPECT_EQ(labelColours(), before);
    EXPECT_TRUE(isPdf(file));
    // On paper the coloured labels are black (the credit line white on black).
    const QImage page = pdfFirstPage(file, path(QStringLiteral("screen")), 60);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(colouredPixels(page), 0);
    EXPECT_GT(colouredPixels(screen->grab().toImage()), 0) << "the screen itself is coloured";
}

TEST_F(TanmatuPrintTest, ChosenFontIsWhereTheReportStarts) {
    // IPAGothic draws a full-width character as wide as two half-width ones.
    QFont chosen(QStringLiteral("IPAGothic"));
    chosen.setPointSizeF(10.5);
    PrintCommands::hooks().fontDialog = [&](const QFont&) { return chosen; };
    named<QAction>(screen, "Prt_Font")->trigger();
    ASSERT_EQ(Prt_FontSize, 10.5f);

    fillWorkedExample();
    printer.printTo(path(QStringLiteral("report.pdf")));
    named<QAction>(screen, "Prtdata_Insatu")->trigger();
    EXPECT_EQ(platform.messages, QList({Done}));
    EXPECT_EQ(printerFont().size, 10.5f);
    EXPECT_EQ(printerFont().family, chosen.family());
    EXPECT_EQ(Prt_FontSize, 10.5f);
}

// The printer font dialog itself, answered as a user would: its first
// answer is the font it opens on; the report prints in what it offers.
TEST_F(TanmatuPrintTest, FontChosenInTheDialogPrintsTheReport) {
    const struct {
        const char* family; // "" keeps the family the dialog opens on
        const char* size;
        const char* printedFont;
        float startSize;
    } cases[] = {{"", "", "IPAMincho", 8.9f}, {"IPAGothic", "10.5", "IPAGothic", 10.5f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.printedFont);
        platform.messages.clear();
        QTimer::singleShot(0, [&c] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QDialog*>(w);
                if (!dialog || !dialog->isVisible()) continue;
                if (*c.family) {
                    auto* list = dialog->findChild<QListWidget*>(QStringLiteral("fontFamilies"));
                    auto* size = dialog->findChild<QComboBox*>(QStringLiteral("fontSize"));
                    if (list && size) {
                        list->setCurrentItem(
                            list->findItems(QString::fromUtf8(c.family), Qt::MatchExactly)
                                .value(0));
                        size->setCurrentText(QString::fromUtf8(c.size));
                    }
                }
                dialog->accept();
            }
        });
        named<QAction>(screen, "Prt_Font")->trigger();
        EXPECT_EQ(QFontInfo(printerFont().font()).family(), QString::fromUtf8(c.printedFont));
        EXPECT_EQ(Prt_FontSize, c.startSize);

        fillWorkedExample();
        const QString file = path(QString::fromUtf8(c.printedFont) + QStringLiteral(".pdf"));
        printer.printTo(file);
        named<QAction>(screen, "Prtdata_Insatu")->trigger();
        EXPECT_EQ(platform.messages, QList({Done}));
        if (havePdfTools()) {
            EXPECT_TRUE(pdfFonts(file).contains(QString::fromUtf8(c.printedFont)));
        }
    }
}

TEST_F(TanmatuPrintTest, PreviewShowsTheSameReport) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext not installed";
    QList<QAction*> items = named<QMenu>(screen, "Prt_m1")->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[1], named<QAction>(screen, "Prt"));
    EXPECT_EQ(items[2]->objectName(), "Prt_Preview");
    EXPECT_EQ(items[2]->text(), "印刷プレビュー");

    fillWorkedExample();
    // The preview draws on its own printer; here a PDF file stands in.
    const QString previewFile = path(QStringLiteral("preview.pdf"));
    int previews = 0;
    PrintCommands::hooks().previewDialog = [&](const std::function<void(QPrinter&)>& paint) {
        ++previews;
        QPrinter preview(QPrinter::HighResolution);
        preview.setOutputFormat(QPrinter::PdfFormat);
        preview.setOutputFileName(previewFile);
        paint(preview);
    };
    currentPrinter().setOutputFormat(QPrinter::PdfFormat);
    currentPrinter().setOutputFileName(QString());
    items[2]->trigger();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(printer.pdfQuestions, 0) << "a preview needs no file";
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_NEAR(screen->Total_Loss[CS], 101.22, 1e-9);

    const QString printed = path(QStringLiteral("report.pdf"));
    printer.printTo(printed);
    named<QAction>(screen, "Prtdata_Insatu")->trigger();
    const QString previewText = pdfText(previewFile);
    EXPECT_TRUE(previewText.contains(QStringLiteral("101.22")));
    EXPECT_EQ(previewText, pdfText(printed));

    // Without a fitting size there is nothing to preview.
    platform.messages.clear();
    Prt_FontSize = 21;
    items[2]->trigger();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(platform.messages, QList({NoFittingSize}));
}

// The real preview draws on the program's printer in preview mode, even
// when that printer prints into a PDF file: the pages go to the preview,
// and the file is left alone.
TEST_F(TanmatuPrintTest, PreviewDrawsOnThePreviewNotIntoThePdfFile) {
    fillWorkedExample();
    const QString file = path(QStringLiteral("printer.pdf"));
    printer.printTo(file);
    int pages = -1;
    QTimer::singleShot(0, [&pages] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
            if (!dialog || !dialog->isVisible()) continue;
            if (auto* preview = dialog->findChild<QPrintPreviewWidget*>()) {
                preview->updatePreview();
                pages = preview->pageCount();
            }
            dialog->reject();
        }
    });
    QList<QAction*> items = named<QMenu>(screen, "Prt_m1")->actions();
    ASSERT_EQ(items.size(), 3);
    items[2]->trigger();
    EXPECT_EQ(pages, 1);
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(platform.messages, QList<Platform::Message>());
}

} // namespace
