#include "common/programvalues.h"
#include "common/version.h"
#include "print/printtestsupport.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace {

class PrintCommandsTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    PrinterStandIn printer;

private:
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
    // Cancelling the PDF file ends the command silently.
    printer.pdfAnswer.clear();
    currentPrinter().setOutputFormat(QPrinter::PdfFormat);
    currentPrinter().setOutputFileName(QString());
    printFieldStrengthScreen(s.screen, *s.credit);
    EXPECT_EQ(printer.pdfQuestions, 1);
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(s.creditColour(), QColor(255, 0, 0));

    // A printer that cannot print the image: the message without a number.
    printer.printTo(path(QStringLiteral("no/such/folder/denkai.pdf")));
    printFieldStrengthScreen(s.screen, *s.credit);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text, "このプリンターでは印刷できません。");
    EXPECT_EQ(platform.messages[0].title, programTitle());
    EXPECT_EQ(s.creditColour(), QColor(255, 0, 0));
}

} // namespace
