#include "common/programvalues.h"
#include "common/version.h"
#include "print/printtestsupport.h"
#include "support/testsupport.h"

#include "print/printtarget.h"

#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <optional>
#include <sys/stat.h>

using namespace miravel::common;
using namespace miravel::platform;
using namespace miravel::print;

namespace {

class PrintCommandsTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    PrinterStandIn printer;

    QTemporaryDir m_dir;
};

TEST_F(PrintCommandsTest, PrinterSelection) {
    QPrinter* shown = nullptr;
    bool accept = false;
    PrintCommands::hooks().printDialog = [&](QPrinter& p) {
        shown = &p;
        if (accept) p.setOutputFileName(path(QStringLiteral("chosen.pdf")));
        return accept;
    };
    const QString before = currentPrinter().outputFileName();
    EXPECT_FALSE(selectPrinter(nullptr));
    EXPECT_EQ(shown, &currentPrinter()) << "the dialog works on the program's printer";
    EXPECT_EQ(currentPrinter().outputFileName(), before);

    accept = true;
    EXPECT_TRUE(selectPrinter(nullptr));
    EXPECT_EQ(currentPrinter().outputFileName(), path(QStringLiteral("chosen.pdf")));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(PrintCommandsTest, PrinterFont) {
    QList<QFont> initial;
    std::optional<QFont> answer;
    PrintCommands::hooks().fontDialog = [&](const QFont& font) {
        initial.append(font);
        return answer;
    };

    // Cancelled: nothing changes.
    EXPECT_FALSE(choosePrinterFont(nullptr));
    ASSERT_EQ(initial.size(), 1);
    EXPECT_EQ(initial[0], printerFont().font()) << "opens on the printer font";
    EXPECT_EQ(printerFont().family, "ＭＳ 明朝");
    EXPECT_EQ(printerFont().size, 8.9f);
    EXPECT_FALSE(printerFont().bold);
    EXPECT_EQ(Prt_FontSize, 8.0f);

    // Chosen: family as the dialog gives it, size and bold; sizes outside
    // 6..14 are brought to the nearest limit.
    const struct {
        qreal chosen;
        bool bold;
        float expected;
    } cases[] = {
        {10.5, true, 10.5f}, {20, false, 14}, {4, false, 6}, {6, true, 6}, {14, false, 14}};
    for (const auto& c : cases) {
        QFont font(QStringLiteral("IPAGothic"));
        font.setPointSizeF(c.chosen);
        font.setBold(c.bold);
        answer = font;
        EXPECT_TRUE(choosePrinterFont(nullptr)) << c.chosen;
        EXPECT_EQ(printerFont().family, font.family()) << c.chosen;
        EXPECT_EQ(Prt_FontSize, c.expected) << c.chosen;
        EXPECT_EQ(printerFont().size, c.expected) << c.chosen;
        EXPECT_EQ(printerFont().bold, c.bold) << c.chosen;
    }
    // The next dialog opens on the font chosen last.
    EXPECT_EQ(initial.last().family(), QFont(QStringLiteral("IPAGothic")).family());
    EXPECT_TRUE(platform.messages.isEmpty());
}

// A stand-in for the field-strength screen: some text and the red credit.
struct StandInScreen {
    StandInScreen() : credit(new QLabel(QStringLiteral("作者 山田"), &screen)) {
        auto* layout = new QVBoxLayout(&screen);
        layout->addWidget(new QLabel(QStringLiteral("ブースター入力レベル"), &screen));
        layout->addWidget(credit);
        QFont big = credit->font();
        big.setPointSize(28);
        big.setBold(true);
        credit->setFont(big);
        QPalette palette = credit->palette();
        palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
        credit->setPalette(palette);
        screen.resize(400, 200);
    }
    QColor creditColour() const { return credit->palette().color(QPalette::WindowText); }

    QWidget screen;
    QLabel* credit;
};

TEST_F(PrintCommandsTest, FieldStrengthScreenPrint) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftoppm not installed";
    StandInScreen s;
    ASSERT_GT(colouredPixels(s.screen.grab().toImage()), 0);
    const QString file = path(QStringLiteral("denkai.pdf"));
    printer.printTo(file);

    printFieldStrengthScreen(s.screen, *s.credit);

    EXPECT_TRUE(isPdf(file));
    EXPECT_TRUE(platform.messages.isEmpty()) << "no completion message";
    EXPECT_EQ(s.creditColour(), QColor(255, 0, 0));
    // The credit was black on paper.
    const QImage page = pdfFirstPage(file, path(QStringLiteral("denkai")), 60);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(colouredPixels(page), 0);
}

TEST_F(PrintCommandsTest, FieldStrengthScreenPrintFailures) {
    StandInScreen s;
    const Platform::Message printerError{"プリンターエラー   482", "　　プリンタートラブル"};
    const QString earlier = path(QStringLiteral("denkai.pdf"));
    ASSERT_TRUE(writeFile(earlier, "an earlier print"));
    const struct {
        const char* name;
        QString file;
        rlim_t fileSizeLimit; // 0: no limit
        QList<Platform::Message> messages;
    } cases[] = {
        {"cancelled", QString(), 0, {}},
        {"a file that cannot be created", overlongName(m_dir), 0, {printerError}},
        {"a full disk", earlier, 1024, {printerError}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform.messages.clear();
        printer.pdfQuestions = 0;
        currentPrinter().setOutputFormat(QPrinter::PdfFormat);
        currentPrinter().setOutputFileName(QString());
        printer.pdfAnswer = c.file;
        {
            std::optional<FullDisk> full;
            if (c.fileSizeLimit) full.emplace(c.fileSizeLimit);
            printFieldStrengthScreen(s.screen, *s.credit);
        }
        EXPECT_EQ(printer.pdfQuestions, 1);
        EXPECT_EQ(platform.messages, c.messages);
        EXPECT_EQ(s.creditColour(), QColor(255, 0, 0));
    }
    EXPECT_EQ(readFile(earlier), "an earlier print");
}

// Where a print may write its PDF: a regular file or a new name in an
// existing folder; anything else is refused with a message before it is
// opened, and the printer keeps its file.
TEST_F(PrintCommandsTest, PdfTargetThatIsNoRegularFileIsRefused) {
    const QString fifo = path(QStringLiteral("pipe.pdf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString regular = path(QStringLiteral("old.pdf"));
    ASSERT_TRUE(writeFile(regular, "%PDF-"));
    const QString linkToFifo = path(QStringLiteral("link.pdf"));
    ASSERT_TRUE(QFile::link(fifo, linkToFifo));
    const QString dangling = path(QStringLiteral("dangling.pdf"));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("gone/x.pdf")), dangling));

    const struct {
        QString file;
        bool allowed;
    } cases[] = {
        {regular, true},
        {path(QStringLiteral("new.pdf")), true},
        {fifo, false},
        {linkToFifo, false},
        {dangling, false},
        {path(QString()), false}, // the folder itself
        {path(QStringLiteral("no/such/folder/report.pdf")), false},
        {QStringLiteral("/dev/null"), false},
    };
    auto refused = [](const QString& name) {
        return Platform::Message{
            QStringLiteral("「%1」には印刷できません。\rPDFファイルには、"
                           "通常のファイルか新しいファイル名を指定してください。")
                .arg(name),
            programTitle(), QMessageBox::Warning};
    };
    const QString before = path(QStringLiteral("before.pdf"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        platform.messages.clear();
        currentPrinter().setOutputFormat(QPrinter::PdfFormat);
        currentPrinter().setOutputFileName(before);
        printer.pdfAnswer = c.file;
        EXPECT_EQ(isPdfTargetAllowed(c.file), c.allowed);
        EXPECT_EQ(ensurePrintTarget(currentPrinter(), nullptr), c.allowed);
        if (c.allowed) {
            EXPECT_TRUE(platform.messages.isEmpty());
            EXPECT_EQ(currentPrinter().outputFileName(), c.file);
        } else {
            EXPECT_EQ(platform.messages, QList({refused(QFileInfo(c.file).fileName())}));
            EXPECT_EQ(currentPrinter().outputFileName(), before);
        }
    }
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile()) << "the pipe is untouched";

    // The field-strength print names a pipe: refused at once, nothing printed.
    StandInScreen s;
    platform.messages.clear();
    printer.pdfAnswer = fifo;
    printFieldStrengthScreen(s.screen, *s.credit);
    EXPECT_EQ(platform.messages, QList({refused(QStringLiteral("pipe.pdf"))}));
}

} // namespace
