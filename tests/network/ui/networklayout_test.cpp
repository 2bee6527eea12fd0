#include "networkscreentestsupport.h"

#include "../../print/printtestsupport.h"
#include "network/towergenerator.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkpaint.h"
#include "network/ui/networktreemodel.h"
#include "network/ui/networkwindow.h"
#include "network/ui/outlettablemodel.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUndoStack>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::standard;

namespace {

class NetworkLayout : public ScreenTest {
protected:
    NetworkWindow* screenWith(const Network& network) {
        NetworkWindow* s = openNetworkScreen();
        s->document()->reset(network, QString());
        return s;
    }
    QTemporaryDir dir;
};

// The last column, the verdicts, lies in the view with room for a verdict.
void expectLastColumnInView(QAbstractItemView* view, QHeaderView* header) {
    const int room = view->fontMetrics().horizontalAdvance(QStringLiteral("BS 不足 −2.10 dB"));
    EXPECT_LE(header->sectionViewportPosition(header->count() - 1) + room,
              view->viewport()->width())
        << view->objectName().toStdString();
}

TEST_F(NetworkLayout, TheWindowOpensInsideTheFreeAreaOfItsScreen) {
    NetworkWindow* s = openNetworkScreen();
    const QRect area = s->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(s->frameGeometry())) << area.width() << "x" << area.height();
    EXPECT_LE(s->minimumSizeHint().width(), 1280 - 16);
    EXPECT_LE(s->minimumSizeHint().height(), 800 - 48);
}

// On a 1280×800 screen, whose free area leaves the window 1264×752: every
// button and the profile choice in sight, the verdict columns in view.
TEST_F(NetworkLayout, EverythingIsInReachOnA1280By800Screen) {
    NetworkWindow* s = screenWith(generateTower({10, 10, 5, 5}));
    s->resize(1264, 752);
    QCoreApplication::processEvents();
    auto* bar = s->findChild<QToolBar*>("networkToolBar");
    ASSERT_NE(bar, nullptr);
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) continue;
        QWidget* shown = bar->widgetForAction(action);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->isVisible()) << action->text().toStdString();
        EXPECT_LE(shown->geometry().right(), bar->width()) << action->text().toStdString();
    }
    EXPECT_TRUE(named<QComboBox>(s, "profileCombo")->isVisible());
    expectLastColumnInView(named<QTreeView>(s, "networkTree"),
                           named<QTreeView>(s, "networkTree")->header());
    expectLastColumnInView(named<QTableView>(s, "outletTable"),
                           named<QTableView>(s, "outletTable")->horizontalHeader());
}

// What undo would do is in the tooltip; the buttons keep their texts and places.
TEST_F(NetworkLayout, UndoTextsGrowNoButton) {
    NetworkWindow* s = openNetworkScreen();
    s->resize(1264, 752);
    auto* bar = s->findChild<QToolBar*>("networkToolBar");
    QWidget* lastButton = bar->widgetForAction(named<QAction>(s, "sendToTerminal"));
    const QRect before = lastButton->geometry();
    named<QAction>(s, "addDistributor")->trigger();
    named<QAction>(s, "addOutlet")->trigger();
    named<QAction>(s, "undoNetwork")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(named<QAction>(s, "undoNetwork")->text(), QStringLiteral("元に戻す"));
    EXPECT_EQ(named<QAction>(s, "redoNetwork")->text(), QStringLiteral("やり直し"));
    EXPECT_EQ(named<QAction>(s, "undoNetwork")->toolTip(),
              QStringLiteral("元に戻す：") + s->document()->undoStack()->undoText());
    EXPECT_EQ(named<QAction>(s, "redoNetwork")->toolTip(),
              QStringLiteral("やり直し：") + s->document()->undoStack()->redoText());
    EXPECT_FALSE(s->document()->undoStack()->redoText().isEmpty());
    EXPECT_EQ(lastButton->geometry(), before);
}

// Names sort as read: a tower's 9th floor before its 10th, both ways.
TEST_F(NetworkLayout, OutletNamesSortByTheirNumbers) {
    NetworkWindow* s = screenWith(generateTower({10, 10, 5, 5}));
    QAbstractItemModel* table = named<QTableView>(s, "outletTable")->model();
    const auto name = [table](int row) { return table->index(row, 0).data().toString(); };
    named<QTableView>(s, "outletTable")
        ->sortByColumn(OutletTableModel::NameColumn, Qt::AscendingOrder);
    EXPECT_EQ(name(0), QStringLiteral("101 (1F)"));
    EXPECT_EQ(name(table->rowCount() - 1), QStringLiteral("1050 (10F)"));
    const auto found = table->match(table->index(0, 0), Qt::DisplayRole, "950 (9F)");
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(name(found[0].row() + 1), QStringLiteral("1001 (10F)"));
    named<QTableView>(s, "outletTable")
        ->sortByColumn(OutletTableModel::NameColumn, Qt::DescendingOrder);
    EXPECT_EQ(name(0), QStringLiteral("1050 (10F)"));
}

// The diagram on the screen shows the texts as laid out, but holds a title
// or levels line that repeats once, and its boxes and details without room
// to spare.
TEST_F(NetworkLayout, TheDiagramHoldsEachRepeatedTextOnce) {
    NetworkWindow* s = screenWith(generateTower({10, 4, 3, 5}));
    named<QTabWidget>(s, "networkTabs")->setCurrentIndex(NetworkWindow::DiagramTab);
    const DiagramLayout& shown = named<DiagramView>(s, "networkDiagram")->diagram();
    const DiagramLayout laid = layoutDiagram(s->document()->network(), s->document()->result());
    ASSERT_EQ(shown.boxes.size(), laid.boxes.size());
    EXPECT_EQ(shown.boxes.capacity(), shown.boxes.size());
    QHash<QString, const QChar*> held;
    int shared = 0;
    for (size_t i = 0; i < laid.boxes.size(); ++i) {
        const DiagramBox& box = shown.boxes[i];
        EXPECT_EQ(box.title + box.detail + box.levels,
                  laid.boxes[i].title + laid.boxes[i].detail + laid.boxes[i].levels);
        EXPECT_LE(box.detail.capacity(), box.detail.size());
        for (const QString* text : {&box.title, &box.levels}) {
            if (text->isEmpty()) continue;
            shared += held.contains(*text);
            EXPECT_EQ(held.value(*text, text->constData()), text->constData()) << i;
            held.insert(*text, held.value(*text, text->constData()));
        }
    }
    EXPECT_GT(shared, int(laid.boxes.size()) / 2);
}

// On an A4 page every heading and every cell fits its column, and the
// columns take the page's whole width.
TEST_F(NetworkLayout, ThePrintedTableFitsItsTextsAcrossThePage) {
    const Network net = loadNetworkExample("apartment-12.tvdn");
    const NetworkResult result = computeNetwork(net, standardProfile({}));
    QPdfWriter pdf(dir.filePath(QStringLiteral("t.pdf")));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    QPainter p(&pdf);
    const double width = pdf.width() * 72.0 / pdf.logicalDpiX();
    const QList<double> columns = outletTableColumns(p, net, result, width);
    const QStringList headings = outletTableHeadings();
    ASSERT_EQ(columns.size(), headings.size());
    double total = 0;
    for (double column : columns)
        total += column;
    EXPECT_NEAR(total, width, 0.5);
    QFont bold;
    bold.setPixelSize(10);
    bold.setBold(true);
    for (int c = 0; c < headings.size(); ++c)
        EXPECT_LE(QFontMetricsF(bold, &pdf).horizontalAdvance(headings[c]) + 4, columns[c])
            << headings[c].toStdString();
}

TEST_F(NetworkLayout, ThePdfNamesTheCriteriaTheHeadEndAndTheDate) {
    if (!havePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    Network network = loadNetworkExample("apartment-12.tvdn");
    network.head.levels = {98.5, 101, 102.25, 103};
    NetworkWindow* s = screenWith(network);
    named<QComboBox>(s, "profileCombo")->setCurrentIndex(3);
    platform.fileAnswers = {dir.filePath(QStringLiteral("network"))};
    named<QAction>(s, "exportNetworkPdf")->trigger();
    const QString text = pdfText(dir.filePath(QStringLiteral("network.pdf")));
    for (const QString& expected :
         {named<QComboBox>(s, "profileCombo")->currentText(), QStringLiteral("VHF (dB)"),
          QStringLiteral("判定基準"), QStringLiteral("VHF 98.50"), QStringLiteral("UHF 101.00"),
          QStringLiteral("BS 102.25"), QStringLiteral("CS 103.00"),
          printDateText(QDate::currentDate())})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
}

} // namespace
