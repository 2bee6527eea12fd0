#include "catalog/boardlayout.h"

#include "catalog/catalog.h"
#include "common/errors.h"

#include <algorithm>

using namespace miravel::common;

namespace miravel::catalog {

namespace {

// Options 7 to 13 show a three-dimensional table with one grid column per
// model and band: row 0 the model name, rows 1..K the properties.
struct BandColumnsOption {
    CatalogTable* table;
    int lastProperty; // K
    int models;       // M
    int bands;        // B
    int firstColWidth;
    int otherColWidth;
    const char* title;
};

const BandColumnsOption& bandColumnsOption(int option) {
    static const BandColumnsOption options[] = {
        {&Bunki_Mt, 5, 4, 4, 1800, 1400, "  分　岐　器 "},
        {&Yunit1_Mt, 5, 2, 4, 2600, 1000, "直列ﾕﾆｯﾄ１端子形　(BS対応形)"},
        {&Yunit2_Mt, 6, 2, 4, 2600, 1000, "直列ﾕﾆｯﾄ２端子形　(BS対応形)"},
        // The sheet's own title says ２端子 although the option says １端子.
        {&Yunit1B_Mt, 6, 2, 4, 3000, 1200, "直列ﾕﾆｯﾄ２端子分岐形　(BS対応形)"},
        // Only the first two outlets and three bands are shown.
        {&Tanshi_Mt, 3, 2, 3, 2600, 1000, "テレビ端子　　　　　　(BS対応形)"},
        {&Yunit1CS_Mt, 5, 2, 4, 2600, 1000, "直列ﾕﾆｯﾄ１端子形　(CS対応形)"},
        {&Yunit2CS_Mt, 5, 2, 4, 2800, 1200, "直列ﾕﾆｯﾄ２端子形　(CS対応形)"},
    };
    return options[option - 7];
}

const CatalogTable& directTable(int option) {
    const CatalogTable* tables[] = {&Douziyuku_Mt, &Booster_Mt, &VAnt_Mt, &UAnt_Mt};
    return *tables[option - 1];
}

} // namespace

BoardLayout::BoardLayout() {
    resize(2, 2);
}

void BoardLayout::checkRow(int row) const {
    if (row < 0 || row >= rows()) throw RunTimeError(RunTimeError::SubscriptOutOfRange);
}

void BoardLayout::checkCol(int col) const {
    if (col < 0 || col >= cols()) throw RunTimeError(RunTimeError::SubscriptOutOfRange);
}

void BoardLayout::resize(int rowCount, int colCount) {
    rowCount = std::max(rowCount, 1);
    colCount = std::max(colCount, 1);
    m_rowHeights.resize(size_t(rowCount), DefaultRowHeight);
    m_colWidths.resize(size_t(colCount), DefaultColWidth);
    m_colAlignments.resize(size_t(colCount), DefaultAlignment);
    m_fixedAlignments.resize(size_t(colCount), DefaultAlignment);
    m_texts.resize(size_t(rowCount));
    for (auto& row : m_texts)
        row.resize(size_t(colCount));
    m_fixedRows = std::min(m_fixedRows, rowCount);
    m_fixedCols = std::min(m_fixedCols, colCount);
}

void BoardLayout::setRows(int rowCount) {
    resize(rowCount, cols());
}
void BoardLayout::setCols(int colCount) {
    resize(rows(), colCount);
}
void BoardLayout::setFixedRows(int fixedRows) {
    m_fixedRows = std::clamp(fixedRows, 0, rows());
}
void BoardLayout::setFixedCols(int fixedCols) {
    m_fixedCols = std::clamp(fixedCols, 0, cols());
}

int BoardLayout::rowHeight(int row) const {
    checkRow(row);
    return m_rowHeights[size_t(row)];
}

void BoardLayout::setRowHeight(int row, int twips) {
    checkRow(row);
    m_rowHeights[size_t(row)] = twips;
}

int BoardLayout::colWidth(int col) const {
    checkCol(col);
    return m_colWidths[size_t(col)];
}

void BoardLayout::setColWidth(int col, int twips) {
    checkCol(col);
    m_colWidths[size_t(col)] = twips;
}

int BoardLayout::colAlignment(int col) const {
    checkCol(col);
    return m_colAlignments[size_t(col)];
}

void BoardLayout::setColAlignment(int col, int alignment) {
    checkCol(col);
    m_colAlignments[size_t(col)] = alignment;
}

int BoardLayout::fixedAlignment(int col) const {
    checkCol(col);
    return m_fixedAlignments[size_t(col)];
}

void BoardLayout::setFixedAlignment(int col, int alignment) {
    checkCol(col);
    m_fixedAlignments[size_t(col)] = alignment;
}

const QString& BoardLayout::text(int row, int col) const {
    checkRow(row);
    checkCol(col);
    return m_texts[size_t(row)][size_t(col)];
}

void BoardLayout::setText(int row, int col, const QString& text) {
    checkRow(row);
    checkCol(col);
    m_texts[size_t(row)][size_t(col)] = text;
}

int BoardLayout::cellAlignment(int row, int col) const {
    return isFixed(row, col) ? fixedAlignment(col) : colAlignment(col);
}

void BoardLayout::setGrid(int rowCount, int colCount, int fixedRows, int fixedCols) {
    setRows(rowCount);
    setCols(colCount);
    setFixedRows(fixedRows);
    setFixedCols(fixedCols);
}

void BoardLayout::setWidths(int first, int last, int twips) {
    for (int c = first; c <= last; ++c)
        setColWidth(c, twips);
}

void BoardLayout::centre(int first, int last) {
    for (int c = first; c <= last; ++c)
        setColAlignment(c, AlignCenterCenter);
}

void BoardLayout::centreFixed(int first, int last) {
    for (int c = first; c <= last; ++c)
        setFixedAlignment(c, AlignCenterCenter);
}

void BoardLayout::applyOption(int option) {
    if (option >= 1 && option <= 4)
        layOutDirect(option);
    else if (option == 5)
        layOutMixers();
    else if (option == 6)
        layOutDistributors();
    else if (option >= 7 && option <= 13)
        layOutBandColumns(option);
    else if (option == 14)
        layOutTransposed();
    else
        throw RunTimeError(RunTimeError::SubscriptOutOfRange);
}

void BoardLayout::layOutDirect(int option) {
    switch (option) {
    case 1: // coax: no fixed column, row height as before
        setGrid(8, 8, 1, 0);
        setColWidth(0, 1200);
        setWidths(1, 7, 700);
        centre(1, 7);
        centreFixed(1, 7);
        break;
    case 2: // booster sheet: the long frequency-response texts get a wide column
        setGrid(9, 16, 1, 1);
        setColWidth(0, 1400);
        setColWidth(1, 1600);
        for (int c = 1; c <= 15; ++c) {
            setColAlignment(c, AlignCenterCenter);
            setFixedAlignment(c, AlignCenterCenter);
            setColWidth(c, 1600);
        }
        setColWidth(6, 5000);
        setColAlignment(6, AlignLeftTop);
        break;
    case 3: // VHF antennas
        setGrid(9, 9, 1, 1);
        setRowHeight(0, 400);
        setColWidth(0, 1000);
        setColWidth(1, 800);
        setColWidth(2, 1600);
        setColWidth(3, 1900);
        setColWidth(4, 1500);
        setWidths(5, 8, 1200);
        centre(1, 1);
        centre(4, 8);
        break;
    default: // 4, UHF antennas
        setGrid(7, 9, 1, 1);
        setRowHeight(0, 400);
        setColWidth(0, 1000);
        setColWidth(1, 1000);
        setColWidth(2, 1600);
        setWidths(3, 8, 1000);
        centre(1, 1);
        centre(3, 8);
        setColAlignment(2, AlignLeftTop);
        break;
    }
    fillDirect(option);
}

void BoardLayout::layOutMixers() {
    setGrid(5, 6, 2, 1);
    setRowHeight(0, 400);
    setColWidth(0, 1800);
    setWidths(1, 5, 1600);
    centre(1, 5);
    centreFixed(1, 5);
    fillMixers();
}

void BoardLayout::layOutDistributors() {
    setGrid(5, 25, 2, 1);
    setRowHeight(0, 400);
    setColWidth(0, 1800);
    setWidths(1, 24, 1400);
    centre(1, 24);
    centreFixed(1, 24);
    fillDistributors();
}

void BoardLayout::layOutBandColumns(int option) {
    const BandColumnsOption& o = bandColumnsOption(option);
    const int last = o.models * o.bands;
    setGrid(o.lastProperty + 1, last + 1, 2, 1);
    setRowHeight(0, 400);
    setColWidth(0, o.firstColWidth);
    setWidths(1, last, o.otherColWidth);
    centre(1, last);
    centreFixed(1, last);
    fillBandColumns(option);
}

// The CATV booster sheet, its rows shown as columns.
void BoardLayout::layOutTransposed() {
    setGrid(6, 4, 1, 0);
    setRowHeight(0, 300);
    setColWidth(0, 1800);
    setWidths(1, 3, 1400);
    centre(1, 3);
    centreFixed(1, 3);
    fillTransposed();
}

void BoardLayout::fillDirect(int option) {
    const CatalogTable& t = directTable(option);
    for (int r = 0; r < rows(); ++r)
        for (int c = 0; c < cols(); ++c)
            setText(r, c, t(r, c));
}

void BoardLayout::fillTransposed() {
    // The gain-range property (column 6 of the sheet) is left out.
    for (int c = 0; c <= 3; ++c)
        for (int r = 0; r <= 5; ++r)
            setText(r, c, Catv_Mt(c, r));
}

void BoardLayout::fillBandColumns(int option) {
    const BandColumnsOption& o = bandColumnsOption(option);
    const CatalogTable& t = *o.table;
    setText(0, 0, QString::fromUtf8(o.title));
    for (int r = 1; r <= o.lastProperty; ++r)
        setText(r, 0, t(0, 0, r));
    int c = 0;
    for (int i = 1; i <= o.models; ++i)
        for (int j = 1; j <= o.bands; ++j) {
            ++c;
            for (int r = 0; r <= o.lastProperty; ++r)
                setText(r, c, t(i, j, r));
        }
}

void BoardLayout::fillDistributors() {
    // The distributor table keeps its labels and names in band column 0.
    setText(0, 0, QStringLiteral("  分　配　器"));
    for (int r = 1; r <= 4; ++r)
        setText(r, 0, Bunpai_Mt(0, r - 1, 0));
    for (int i = 1; i <= 6; ++i) {
        int c = 4 * (i - 1);
        for (int j = 1; j <= 4; ++j) {
            ++c;
            setText(0, c, Bunpai_Mt(i, 0, 0));
            for (int r = 1; r <= 4; ++r)
                setText(r, c, Bunpai_Mt(i, j, r - 1));
        }
    }
}

void BoardLayout::fillMixers() {
    setText(0, 0, QStringLiteral("  混 合 器 "));
    for (int r = 1; r <= 4; ++r)
        setText(r, 0, Kongou_Mt(0, r - 1, 0));
    // The VHF/UHF mixer has two bands, the BS mixer three.
    struct Block {
        int model, bands, firstCol;
    };
    for (const Block& b : {Block{1, 2, 1}, Block{2, 3, 3}})
        for (int j = 1; j <= b.bands; ++j) {
            const int c = b.firstCol + j - 1;
            setText(0, c, Kongou_Mt(b.model, 0, 0));
            for (int r = 1; r <= 4; ++r)
                setText(r, c, Kongou_Mt(b.model, j, r - 1));
        }
}

QString BoardLayout::optionCaption(int option) {
    static const char* const captions[OptionCount] = {
        "ケーブル",
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
        "CATV･CS･BS-1 ﾌﾞｰｽﾀｰ",
    };
    if (option < 1 || option > OptionCount) throw RunTimeError(RunTimeError::SubscriptOutOfRange);
    return QString::fromUtf8(captions[option - 1]);
}

} // namespace miravel::catalog
