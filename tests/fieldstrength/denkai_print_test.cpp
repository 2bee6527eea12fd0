#include "fieldstrength/ui/denkai.h"

#include "app/screens.h"
#include "print/printtestsupport.h"
#include "support/testsupport.h"

#include <QPrinter>

using namespace miravel::app;
using namespace miravel::fieldstrength;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;

namespace {

class FieldStrengthPrint : public ScreenTest {
protected:
    PrinterStandIn printer;
    QTemporaryDir dir;
};

TEST_F(FieldStrengthPrint, PrintsTheScreenImageWithoutAMessage) {
    Denkai* screen = appScreens().denkai();
    appScreens().show(screen);
    const QString file = dir.filePath("denkai.pdf");
    printer.printTo(file);
    named<QAction>(screen, "Prt")->trigger();
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(named<QLabel>(screen, "Label27")->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
}

// A full disk is reported, not passed over in silence, and the file printed
// earlier stays.
TEST_F(FieldStrengthPrint, FullDiskIsAPrinterError) {
    Denkai* screen = appScreens().denkai();
    appScreens().show(screen);
    const QString file = dir.filePath("denkai.pdf");
    ASSERT_TRUE(writeFile(file, "an earlier print"));
    printer.printTo(file);
    {
        FullDisk full(1024);
        ASSERT_TRUE(full.active());
        named<QAction>(screen, "Prt")->trigger();
    }
    EXPECT_EQ(platform.messages,
              QList<Platform::Message>({{QStringLiteral("プリンターエラー   482"),
                                         QStringLiteral("　　プリンタートラブル")}}));
    EXPECT_EQ(readFile(file), "an earlier print");
    EXPECT_EQ(named<QLabel>(screen, "Label27")->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
}

TEST_F(FieldStrengthPrint, PrinterSelectionCancelledChangesNothing) {
    Denkai* screen = appScreens().denkai();
    int asked = 0;
    PrintCommands::hooks().printDialog = [&asked](QPrinter&) {
        ++asked;
        return false;
    };
    const QString before = currentPrinter().printerName();
    named<QAction>(screen, "Prt_set")->trigger();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(currentPrinter().printerName(), before);
    EXPECT_TRUE(platform.messages.isEmpty());
}

} // namespace
