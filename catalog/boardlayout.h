#pragma once
// The reference board's grid as data: size, fixed heading rows and columns,
// row heights and column widths in twips, alignment per column and a text
// per cell. Each board option lays the grid out for one catalogue table and
// fills it. Like the grid control it stands for, the model keeps whatever an
// option does not set (a row height, a column's width or alignment) as the
// previous option left it.

#include <QString>
#include <vector>

namespace miravel::catalog {

class BoardLayout {
public:
    // Alignment codes: 0-8 = (left, centre, right) x (top, centre, bottom),
    // horizontal major: 0 left-top, 1 left-centre, 4 centred both ways.
    enum Alignment { AlignLeftTop = 0, AlignLeftCenter = 1, AlignCenterCenter = 4 };

    static constexpr int DefaultRowHeight = 240; // twips
    static constexpr int DefaultColWidth = 960;  // twips
    static constexpr int DefaultAlignment = AlignLeftCenter;
    static constexpr int OptionCount = 14;

    // A fresh grid: 2 x 2 with one fixed row and one fixed column.
    BoardLayout();

    int rows() const { return int(m_rowHeights.size()); }
    int cols() const { return int(m_colWidths.size()); }
    int fixedRows() const { return m_fixedRows; }
    int fixedCols() const { return m_fixedCols; }
    // Changing the size keeps the surviving cells, heights, widths and
    // alignments; new rows and columns start with the defaults and no text.
    void setRows(int rows);
    void setCols(int cols);
    void setFixedRows(int fixedRows);
    void setFixedCols(int fixedCols);

    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    int colAlignment(int col) const;
    void setColAlignment(int col, int alignment);
    int fixedAlignment(int col) const;
    void setFixedAlignment(int col, int alignment);

    const QString& text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    bool isFixed(int row, int col) const { return row < m_fixedRows || col < m_fixedCols; }
    // The alignment a cell is drawn with: its column's fixed or normal one.
    int cellAlignment(int row, int col) const;

    // The option action of board option 1..14: lays the grid out for the
    // option's catalogue table and writes every cell of the new layout.
    // Raises RunTimeError(SubscriptOutOfRange) for another number.
    void applyOption(int option);

    // The caption of board option 1..14.
    static QString optionCaption(int option);

private:
    void checkRow(int row) const;
    void checkCol(int col) const;
    void resize(int rows, int cols);
    void setGrid(int rows, int cols, int fixedRows, int fixedCols);
    void setWidths(int first, int last, int twips);
    void centre(int first, int last);
    void centreFixed(int first, int last);

    // The layout of each kind of table (applyOption), then its cells.
    void layOutDirect(int option); // 1 to 4
    void layOutMixers();
    void layOutDistributors();
    void layOutBandColumns(int option); // 7 to 13
    void layOutTransposed();
    void fillDirect(int option);
    void fillTransposed();
    void fillBandColumns(int option);
    void fillDistributors();
    void fillMixers();

    int m_fixedRows = 1;
    int m_fixedCols = 1;
    std::vector<int> m_rowHeights;
    std::vector<int> m_colWidths;
    std::vector<int> m_colAlignments;
    std::vector<int> m_fixedAlignments;
    std::vector<std::vector<QString>> m_texts; // [row][col]
};

// Twips (1/1440 inch) to device pixels at the given logical resolution.
inline int twipsToPixels(int twips, double logicalDpi) {
    return int(twips * logicalDpi / 1440.0 + 0.5);
}

} // namespace miravel::catalog
