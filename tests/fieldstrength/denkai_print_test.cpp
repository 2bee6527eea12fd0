#include "fieldstrength/denkai.h"

#include "app/screens.h"
#include "print/printtestsupport.h"
#include "support/testsupport.h"

#include <QPrinter>

namespace {

class FieldStrengthPrint : public ScreenTest {
protected:
    PrinterStandIn printer;
    QTemporaryDir dir;
};

TEST_F(FieldStrengthPrint, PrintsTheScreenImageWithoutAMessage) {
    Denkai* screen = Screens::denkai();
    Screens::show(screen);
    const QString file = dir.filePath("denkai.pdf");
    printer.printTo(file);
    screen->ui->Prt->trigger();
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(screen->ui->Label27->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST_F(FieldStrengthPrint, PrinterSelectionCancelledChangesNothing) {
    Denkai* screen = Screens::denkai();
    int asked = 0;
    PrintCommands::hooks().printDialog = [&asked](QPrinter&) {
        ++asked;
        return false;
    };
    const QString before = currentPrinter().printerName();
    screen->ui->Prt_set->trigger();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(currentPrinter().printerName(), before);
    EXPECT_TRUE(platform.messages.isEmpty());
}

} // namespace
