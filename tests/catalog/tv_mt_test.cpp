#include "boardcases.h"

#include "app/menu.h"
#include "app/screens.h"
#include "catalog/catalog.h"
#include "catalog/ui/tv_mt.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

using namespace miravel::app;
using namespace miravel::catalog;
using namespace miravel::platform;

namespace {

class BoardTest : public ScreenTest {
protected:
    Tv_Mt* board() { return appScreens().board(); }
    QTableWidget* grid() { return board()->findChild<QTableWidget*>("MSFlexGrid1"); }
    QRadioButton* option(int n) {
        return board()->findChild<QRadioButton*>(QString("Option%1").arg(n));
    }
    // A radio button takes clicks on its indicator and caption only.
    void clickOption(int n) {
        QTest::mouseClick(option(n), Qt::LeftButton, {}, QPoint(6, option(n)->height() / 2));
    }
    QString cellText(int r, int c) {
        QTableWidgetItem* item = grid()->item(r, c);
        return item ? item->text() : QString();
    }
};

} // namespace

TEST_F(BoardTest, OpensOnTheVhfAntennas) {
    Tv_Mt* b = board();
    EXPECT_EQ(b->objectName(), "Tv_Mt");
    EXPECT_EQ(b->windowTitle(), "データ");
    EXPECT_EQ(b->findChild<QGroupBox*>("Frame1")->title(), "データ　選　択　ポード");
    EXPECT_EQ(b->findChild<QPushButton*>("Command1")->text(), "終　了");
    const char* captions[] = {"ケーブル",
                              "ブースター",
                              "VHF Ant アンテナ",
                              "UHF Ant アンテナ",
                              "混  合  器",
                              "分  配  器",
                              "分　岐  器",
                              "直列ユニット１端子形　(BS対応形)",
                              "直列ユニット２端子形　(BS対応形)",
                              "直列ユニット１端子分岐形　(BS対応形)",
                              "テレビ端子　(BS対応形)",
                              "直列ユニット１端子形　(CS対応形)",
                              "直列ユニット２端子形　(CS対応形)",
                              "CATV･CS･BS-1 ﾌﾞｰｽﾀｰ"};
    for (int n = 1; n <= 14; ++n) {
        ASSERT_NE(option(n), nullptr) << n;
        EXPECT_EQ(option(n)->text(), QString::fromUtf8(captions[n - 1]));
        EXPECT_EQ(option(n)->isChecked(), n == 3) << n;
    }
    EXPECT_EQ(grid()->rowCount(), 9);
    EXPECT_EQ(grid()->columnCount(), 9);
    EXPECT_EQ(cellText(0, 2), "型　式");
    EXPECT_EQ(cellText(1, 2), "VW-12");
    EXPECT_TRUE(grid()->horizontalHeader()->isHidden());
    EXPECT_TRUE(grid()->verticalHeader()->isHidden());
}

TEST_F(BoardTest, EachOptionFillsTheGrid) {
    appScreens().showBoard();
    const double dpiX = grid()->logicalDpiX();
    const double dpiY = grid()->logicalDpiY();
    for (const auto& c : boardOptionCases()) {
        SCOPED_TRACE(c.option);
        clickOption(c.option);
        ASSERT_TRUE(option(c.option)->isChecked());
        const BoardLayout& model = board()->gridModel();
        ASSERT_EQ(grid()->rowCount(), c.rows);
        ASSERT_EQ(grid()->columnCount(), c.cols);
        for (const auto& cell : c.cells)
            EXPECT_EQ(cellText(cell.row, cell.col), QString::fromUtf8(cell.text))
                << "cell " << cell.row << "," << cell.col;

        for (int col = 0; col < c.cols; ++col)
            EXPECT_EQ(grid()->columnWidth(col), twipsToPixels(model.colWidth(col), dpiX))
                << "column " << col;
        for (int r = 0; r < c.rows; ++r) {
            EXPECT_GE(grid()->rowHeight(r), twipsToPixels(model.rowHeight(r), dpiY)) << "row " << r;
            for (int col = 0; col < c.cols; ++col) {
                const QTableWidgetItem* item = grid()->item(r, col);
                ASSERT_NE(item, nullptr);
                EXPECT_EQ(item->text(), model.text(r, col));
                const bool fixed = r < c.fixedRows || col < c.fixedCols;
                EXPECT_EQ(bool(item->flags() & Qt::ItemIsSelectable), !fixed) << r << "," << col;
                EXPECT_FALSE(item->flags() & Qt::ItemIsEditable);
                EXPECT_EQ(item->background().style() != Qt::NoBrush, fixed);
            }
        }
    }
}

TEST_F(BoardTest, AlignmentsFollowTheLayout) {
    option(2)->setChecked(true);
    // Column 6 of the booster sheet: left and top, its heading centred.
    EXPECT_EQ(grid()->item(1, 6)->textAlignment(), int(Qt::AlignLeft | Qt::AlignTop));
    EXPECT_EQ(grid()->item(0, 6)->textAlignment(), int(Qt::AlignCenter));
    EXPECT_EQ(grid()->item(1, 5)->textAlignment(), int(Qt::AlignCenter));
    EXPECT_EQ(grid()->columnWidth(6), twipsToPixels(5000, grid()->logicalDpiX()));
}

TEST_F(BoardTest, SwitchingLeavesNoTextOfThePreviousOption) {
    appScreens().showBoard();
    option(2)->setChecked(true);
    option(11)->setChecked(true);
    ASSERT_EQ(grid()->rowCount(), 4);
    ASSERT_EQ(grid()->columnCount(), 7);
    BoardLayout expected;
    expected.applyOption(11);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 7; ++c)
            EXPECT_EQ(cellText(r, c), expected.text(r, c)) << r << "," << c;

    // Choosing it again changes nothing.
    clickOption(11);
    EXPECT_EQ(grid()->rowCount(), 4);
    EXPECT_EQ(cellText(0, 4), "BS-77F");
}

TEST_F(BoardTest, HeadingCellsCannotBeSelected) {
    option(6)->setChecked(true);
    grid()->selectAll();
    const auto selected = grid()->selectedItems();
    EXPECT_EQ(selected.size(), 3 * 24);
    for (const QTableWidgetItem* item : selected)
        EXPECT_TRUE(item->row() >= 2 && item->column() >= 1);
}

TEST_F(BoardTest, ShowingAnOpenBoardKeepsItsOption) {
    appScreens().showBoard();
    Tv_Mt* first = board();
    option(6)->setChecked(true);
    appScreens().showBoard();
    EXPECT_EQ(board(), first);
    EXPECT_TRUE(option(6)->isChecked());
    EXPECT_EQ(grid()->columnCount(), 25);
}

TEST_F(BoardTest, ExitClosesTheBoardOnly) {
    appScreens().menu();
    appScreens().showBoard();
    option(6)->setChecked(true);
    click(board()->findChild<QPushButton*>("Command1"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(appScreens().existingBoard(), nullptr);
    EXPECT_NE(appScreens().existingMenu(), nullptr);
    // The next show loads it afresh.
    appScreens().showBoard();
    EXPECT_TRUE(option(3)->isChecked());
    EXPECT_EQ(grid()->rowCount(), 9);
}

TEST_F(BoardTest, LoadingRefillsTheFirstElevenTables) {
    Douziyuku_Mt.set(1, 0, "changed");
    Tanshi_Mt.set(1, 1, 0, "changed");
    Catv_Mt.set(1, 0, "kept");
    board();
    EXPECT_EQ(Douziyuku_Mt(1, 0), "５C-2V");
    EXPECT_EQ(Tanshi_Mt(1, 1, 0), "BS-7F");
    EXPECT_EQ(Catv_Mt(1, 0), "kept");
    Set_Catv();
}

namespace {

// The cell the user sees at `point` of the grid's viewport: that of whichever
// view lies on top there.
QModelIndex cellSeenAt(QTableWidget* grid, QPoint point) {
    const QPoint inGrid = grid->viewport()->mapTo(grid, point);
    QWidget* top = grid->childAt(inGrid);
    while (top && !qobject_cast<QTableView*>(top))
        top = top->parentWidget();
    auto* view = qobject_cast<QTableView*>(top);
    if (!view) return {};
    return view->indexAt(view->viewport()->mapFrom(grid, inGrid));
}

} // namespace

// Scrolled to the far corner, the heading rows still run along the top and
// the heading columns down the left side, over the data's last row and column.
TEST_F(BoardTest, FixedHeadingsStayInViewWhileTheDataScrolls) {
    const struct {
        int option;
        int fixedRows;
        int fixedCols;
    } cases[] = {{6, 2, 1}, {2, 1, 1}, {1, 1, 0}, {7, 2, 1}};
    Tv_Mt* b = board();
    b->show();
    b->resize(640, 200);
    // Low enough for every table to scroll both ways.
    grid()->setMaximumHeight(110);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        clickOption(c.option);
        QTableWidget* g = grid();
        QCoreApplication::processEvents();
        g->horizontalScrollBar()->setValue(g->horizontalScrollBar()->maximum());
        g->verticalScrollBar()->setValue(g->verticalScrollBar()->maximum());
        ASSERT_GT(g->horizontalScrollBar()->maximum(), 0);
        ASSERT_GT(g->verticalScrollBar()->maximum(), 0);
        const QRect area = g->viewport()->rect();
        const int lastRow = g->rowCount() - 1;
        const int lastCol = g->columnCount() - 1;
        const QModelIndex topLeft = cellSeenAt(g, area.topLeft() + QPoint(2, 2));
        EXPECT_EQ(topLeft.row(), 0);
        // Without heading columns the scrolled data reaches the left edge.
        const int leftColumn = c.fixedCols > 0 ? 0 : g->columnAt(2);
        EXPECT_EQ(topLeft.column(), leftColumn);
        const QModelIndex topRight = cellSeenAt(g, area.topRight() + QPoint(-2, 2));
        EXPECT_EQ(topRight.row(), 0);
        EXPECT_EQ(topRight.column(), lastCol);
        // The last row, wherever scrolling left it.
        const int lastRowY = g->rowViewportPosition(lastRow) + g->rowHeight(lastRow) / 2;
        const QModelIndex lastRowLeft = cellSeenAt(g, QPoint(2, lastRowY));
        EXPECT_EQ(lastRowLeft.row(), lastRow);
        EXPECT_EQ(lastRowLeft.column(), leftColumn);
        // The rows below the headings: the last fixed row sits just above them.
        if (c.fixedRows > 1) {
            int y = 0;
            for (int r = 0; r + 1 < c.fixedRows; ++r)
                y += g->rowHeight(r);
            EXPECT_EQ(cellSeenAt(g, QPoint(area.right() - 2, y + 2)).row(), c.fixedRows - 1);
        }
    }
}

// Walking the data with the keyboard moves the current cell over data cells
// only, always in sight, while the headings stay where they are.
TEST_F(BoardTest, TheKeyboardMovesOverDataWhileTheHeadingsStay) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int times;
    } walk[] = {{Qt::Key_Right, {}, 30},   {Qt::Key_Down, {}, 5},
                {Qt::Key_PageDown, {}, 2}, {Qt::Key_End, {}, 1},
                {Qt::Key_Tab, {}, 3},      {Qt::Key_Left, {}, 30},
                {Qt::Key_Up, {}, 6},       {Qt::Key_Home, {}, 1},
                {Qt::Key_Backtab, {}, 2},  {Qt::Key_End, Qt::ControlModifier, 1},
                {Qt::Key_PageUp, {}, 3},   {Qt::Key_Home, Qt::ControlModifier, 1}};
    Tv_Mt* b = board();
    b->show();
    b->resize(640, 200);
    grid()->setMaximumHeight(110);
    clickOption(6); // two heading rows, one heading column
    QTableWidget* g = grid();
    QCoreApplication::processEvents();
    g->setFocus();
    g->setCurrentCell(2, 1);
    const QRect area = g->viewport()->rect();
    for (const auto& step : walk)
        for (int i = 0; i < step.times; ++i) {
            SCOPED_TRACE(QKeySequence(step.key | step.modifiers).toString().toStdString());
            QTest::keyClick(g, step.key, step.modifiers);
            const QModelIndex current = g->currentIndex();
            ASSERT_GE(current.row(), 2);
            ASSERT_GE(current.column(), 1);
            EXPECT_EQ(cellSeenAt(g, g->visualRect(current).center()), current);
            EXPECT_EQ(cellSeenAt(g, area.topLeft() + QPoint(2, 2)), g->model()->index(0, 0));
            EXPECT_EQ(cellSeenAt(g, QPoint(area.right() - 2, 2)).row(), 0);
            EXPECT_EQ(cellSeenAt(g, QPoint(2, area.bottom() - 2)).column(), 0);
        }
}
