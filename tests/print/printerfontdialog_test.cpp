#include "print/printtestsupport.h"
#include "print/ui/fontfit.h"
#include "print/ui/printerfontdialog.h"
#include "support/testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QListWidget>

using namespace miravel::platform;
using namespace miravel::print;

namespace {

class PrinterFontDialogTest : public ScreenTest {
protected:
    QStringList offered(PrinterFontDialog& dialog) const {
        QStringList names;
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("fontFamilies"));
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }

    PrinterStandIn printer;
};

TEST_F(PrinterFontDialogTest, OffersOnlyWhatTheReportPrintsIn) {
    PrinterFontDialog dialog(printerFont().font(), currentPrinter());
    EXPECT_EQ(dialog.windowTitle(), "プリンター　フォント");
    const QStringList names = offered(dialog);
    // The two monospaced Japanese fonts; neither the proportional ones nor a
    // fixed-pitch font without kanji of its own.
    for (const char* family : {"IPAMincho", "IPAGothic"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(family))) << family;
    for (const char* family : {"IPAPMincho", "IPAPGothic", "DejaVu Sans Mono", "DejaVu Sans"})
        EXPECT_FALSE(names.contains(QString::fromUtf8(family))) << family;

    // Whatever is chosen, the report finds a size from it.
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("fontFamilies"));
    auto* sizes = dialog.findChild<QComboBox*>(QStringLiteral("fontSize"));
    auto* bold = dialog.findChild<QCheckBox*>(QStringLiteral("fontBold"));
    ASSERT_GT(sizes->count(), 0);
    for (int row = 0; row < list->count(); ++row) {
        list->setCurrentRow(row);
        for (bool b : {false, true}) {
            if (b && !bold->isEnabled()) continue;
            bold->setChecked(b);
            for (int s = 0; s < sizes->count(); ++s) {
                sizes->setCurrentIndex(s);
                const QFont font = dialog.selectedFont();
                EXPECT_NE(fittingSize(font, currentPrinter(), float(font.pointSizeF())), 0.0f)
                    << font.family().toStdString() << " " << font.pointSizeF() << " bold " << b;
            }
        }
    }
}

TEST_F(PrinterFontDialogTest, OpensOnThePrinterFont) {
    const struct {
        const char* family;
        float size;
        bool bold;
        const char* shownFamily;
        qreal shownSize;
    } cases[] = {
        {"ＭＳ 明朝", 8.9f, false, "IPAMincho", 8.9}, // the program's start
        {"IPAGothic", 12, false, "IPAGothic", 12},
        {"IPAMincho", 19, false, "IPAMincho", 14}, // a size the report fitted
        {"IPAMincho", 4, false, "IPAMincho", 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.family);
        PrinterFont initial{QString::fromUtf8(c.family), c.size, c.bold};
        PrinterFontDialog dialog(initial.font(), currentPrinter());
        const QFont shown = dialog.selectedFont();
        EXPECT_EQ(shown.family(), QString::fromUtf8(c.shownFamily));
        EXPECT_FLOAT_EQ(float(shown.pointSizeF()), float(c.shownSize));
        EXPECT_EQ(shown.bold(), c.bold);
    }
}

TEST(PrinterFontSizes, StandardSizesAndTheCurrentOneWithinSixToFourteen) {
    const QList<float> standard = {6, 7, 8, 9, 10, 10.5f, 11, 12, 13, 14};
    EXPECT_EQ(PrinterFontDialog::offeredSizes(10.5f), standard);
    EXPECT_EQ(PrinterFontDialog::offeredSizes(20), standard);
    EXPECT_EQ(PrinterFontDialog::offeredSizes(2), standard);
    EXPECT_EQ(PrinterFontDialog::offeredSizes(8.9f),
              QList<float>({6, 7, 8, 8.9f, 9, 10, 10.5f, 11, 12, 13, 14}));
    EXPECT_EQ(PrinterFontDialog::offeredSizes(13.5f),
              QList<float>({6, 7, 8, 9, 10, 10.5f, 11, 12, 13, 13.5f, 14}));
}

} // namespace
