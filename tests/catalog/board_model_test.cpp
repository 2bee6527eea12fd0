#include "boardcases.h"

#include "catalog/boardlayout.h"
#include "common/errors.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <functional>

using namespace miravel::catalog;
using namespace miravel::common;

namespace {

// The board as it opens: grid 1 x 1, then the VHF antennas.
BoardLayout openedBoard() {
    BoardLayout board;
    board.setRows(1);
    board.setCols(1);
    board.applyOption(3);
    return board;
}

QStringList texts(const BoardLayout& b) {
    QStringList out;
    for (int r = 0; r < b.rows(); ++r)
        for (int c = 0; c < b.cols(); ++c)
            out << b.text(r, c);
    return out;
}

// Everything the grid shows, for comparing whole states.
QStringList state(const BoardLayout& b) {
    QStringList out = texts(b);
    out << QString("%1x%2 fixed %3,%4")
               .arg(b.rows())
               .arg(b.cols())
               .arg(b.fixedRows())
               .arg(b.fixedCols());
    for (int r = 0; r < b.rows(); ++r)
        out << QString("h%1").arg(b.rowHeight(r));
    for (int c = 0; c < b.cols(); ++c)
        out << QString("w%1 a%2 f%3")
                   .arg(b.colWidth(c))
                   .arg(b.colAlignment(c))
                   .arg(b.fixedAlignment(c));
    return out;
}

QString alignments(const BoardLayout& b, bool fixed) {
    QString out;
    for (int c = 0; c < b.cols(); ++c)
        out += QString::number(fixed ? b.fixedAlignment(c) : b.colAlignment(c));
    return out;
}

std::vector<int> widths(const BoardLayout& b) {
    std::vector<int> out;
    for (int c = 0; c < b.cols(); ++c)
        out.push_back(b.colWidth(c));
    return out;
}

std::vector<int> columns(int first, int count, int other) {
    std::vector<int> out(size_t(count), other);
    out[0] = first;
    return out;
}

} // namespace

TEST(BoardModel, EachOptionShowsItsTable) {
    for (const auto& c : boardOptionCases()) {
        SCOPED_TRACE(c.option);
        BoardLayout board = openedBoard();
        board.applyOption(c.option);
        EXPECT_EQ(board.rows(), c.rows);
        EXPECT_EQ(board.cols(), c.cols);
        EXPECT_EQ(board.fixedRows(), c.fixedRows);
        EXPECT_EQ(board.fixedCols(), c.fixedCols);
        for (const auto& cell : c.cells)
            EXPECT_EQ(board.text(cell.row, cell.col), QString::fromUtf8(cell.text))
                << "cell " << cell.row << "," << cell.col;
    }
}

TEST(BoardModel, LayoutOfEachOptionAfterOpening) {
    struct Case {
        int option;
        int row0Height;
        std::vector<int> widths;
        const char* normal; // alignment code per column
        const char* fixed;
    };
    const Case cases[] = {
        // Options 1 and 2 set no row height: row 0 keeps Option3's 400.
        {1, 400, columns(1200, 8, 700), "14444444", "14444444"},
        {2,
         400,
         {1400, 1600, 1600, 1600, 1600, 1600, 5000, 1600, 1600, 1600, 1600, 1600, 1600, 1600, 1600,
          1600},
         "1444440444444444",
         "1444444444444444"},
        {3, 400, {1000, 800, 1600, 1900, 1500, 1200, 1200, 1200, 1200}, "141144444", "111111111"},
        {4, 400, {1000, 1000, 1600, 1000, 1000, 1000, 1000, 1000, 1000}, "140444444", "111111111"},
        {5, 400, columns(1800, 6, 1600), "144444", "144444"},
        {6, 400, columns(1800, 25, 1400), "1444444444444444444444444", "1444444444444444444444444"},
        {7, 400, columns(1800, 17, 1400), "14444444444444444", "14444444444444444"},
        {8, 400, columns(2600, 9, 1000), "144444444", "144444444"},
        {9, 400, columns(2600, 9, 1000), "144444444", "144444444"},
        {10, 400, columns(3000, 9, 1200), "144444444", "144444444"},
        {11, 400, columns(2600, 7, 1000), "1444444", "1444444"},
        {12, 400, columns(2600, 9, 1000), "144444444", "144444444"},
        {13, 400, columns(2800, 9, 1200), "144444444", "144444444"},
        {14, 300, columns(1800, 4, 1400), "1444", "1444"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        BoardLayout board = openedBoard();
        board.applyOption(c.option);
        EXPECT_EQ(board.rowHeight(0), c.row0Height);
        for (int r = 1; r < board.rows(); ++r)
            EXPECT_EQ(board.rowHeight(r), BoardLayout::DefaultRowHeight) << "row " << r;
        EXPECT_EQ(widths(board), c.widths);
        EXPECT_EQ(alignments(board, false), QString::fromLatin1(c.normal));
        EXPECT_EQ(alignments(board, true), QString::fromLatin1(c.fixed));
    }
}

TEST(BoardModel, WhatAnOptionDoesNotSetStaysAsThePreviousOptionLeftIt) {
    BoardLayout board = openedBoard();
    board.applyOption(14);
    board.applyOption(1);
    EXPECT_EQ(board.rowHeight(0), 300);
    board.applyOption(2);
    EXPECT_EQ(board.rowHeight(0), 300);

    // Option3 leaves the alignment of column 2 alone; Option4 set it to 0.
    board.applyOption(4);
    board.applyOption(3);
    EXPECT_EQ(board.colAlignment(2), BoardLayout::AlignLeftTop);
    EXPECT_EQ(board.colAlignment(3), BoardLayout::AlignCenterCenter);

    // Option1 sets no alignment for column 0, fixed or not.
    board.applyOption(2);
    board.applyOption(1);
    EXPECT_EQ(board.fixedAlignment(0), BoardLayout::DefaultAlignment);
    EXPECT_EQ(board.fixedAlignment(6), BoardLayout::AlignCenterCenter);

    BoardLayout fresh;
    fresh.applyOption(1);
    EXPECT_EQ(fresh.rowHeight(0), BoardLayout::DefaultRowHeight);
}

TEST(BoardModel, NoTextOfThePreviousOptionRemains) {
    for (int before = 1; before <= BoardLayout::OptionCount; ++before)
        for (int after = 1; after <= BoardLayout::OptionCount; ++after) {
            BoardLayout switched = openedBoard();
            switched.applyOption(before);
            switched.applyOption(after);
            BoardLayout direct = openedBoard();
            direct.applyOption(after);
            EXPECT_EQ(texts(switched), texts(direct)) << before << " then " << after;
            EXPECT_EQ(switched.fixedRows(), direct.fixedRows());
            EXPECT_EQ(switched.fixedCols(), direct.fixedCols());
        }
}

TEST(BoardModel, TheSameOptionTwiceGivesTheSameGrid) {
    for (int n = 1; n <= BoardLayout::OptionCount; ++n) {
        BoardLayout board = openedBoard();
        board.applyOption(n);
        const QStringList once = state(board);
        board.applyOption(n);
        EXPECT_EQ(state(board), once) << n;
    }
}

TEST(BoardModel, HeadingCellsAndAddressing) {
    BoardLayout board = openedBoard();
    board.applyOption(6);
    EXPECT_TRUE(board.isFixed(1, 24));
    EXPECT_TRUE(board.isFixed(4, 0));
    EXPECT_FALSE(board.isFixed(2, 1));
    board.applyOption(14);
    EXPECT_TRUE(board.isFixed(0, 3));
    EXPECT_FALSE(board.isFixed(1, 0));

    for (auto access : std::vector<std::function<void()>>{
             [&] { board.text(6, 0); }, [&] { board.text(0, 4); }, [&] { board.text(-1, 0); },
             [&] { board.setColWidth(4, 100); }, [&] { board.applyOption(0); },
             [&] { board.applyOption(15); }, [] { BoardLayout::optionCaption(15); }}) {
        try {
            access();
            ADD_FAILURE() << "no error";
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.number(), RunTimeError::SubscriptOutOfRange);
        }
    }
}

TEST(BoardModel, TwipsToPixels) {
    EXPECT_EQ(twipsToPixels(1440, 96), 96);
    EXPECT_EQ(twipsToPixels(1400, 96), 93);
    EXPECT_EQ(twipsToPixels(5000, 96), 333);
    EXPECT_EQ(twipsToPixels(400, 120), 33);
}
