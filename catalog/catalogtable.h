#pragma once
// A catalogue table: a two- or three-dimensional array of text cells with
// fixed index ranges starting at 0. Row 0 holds headings; unset cells hold the
// empty text. An index outside the declared ranges raises
// RunTimeError(SubscriptOutOfRange) and leaves the table intact. Each cell's
// number is converted once, when the cell is written, so that calculations
// read numbers without parsing and without exceptions.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace miravel::catalog {

class CatalogTable {
public:
    // upper bounds of each index, e.g. {10, 7} for 0..10 x 0..7
    CatalogTable(const char* name, std::vector<int> upperBounds);

    const char* name() const { return m_name; }
    int dimensions() const { return int(m_upper.size()); }
    int upperBound(int dimension) const { return m_upper.at(size_t(dimension)); }

    const QString& at(int i, int j) const;
    const QString& at(int i, int j, int k) const;
    const QString& operator()(int i, int j) const { return at(i, j); }
    // The number of a cell that reads wholly as one (strictCellValue), converted
    // when the cell is set; nothing for "--", "" and other texts.
    std::optional<double> number(int i, int j) const;
    std::optional<double> number(int i, int j, int k) const;
    const QString& operator()(int i, int j, int k) const { return at(i, j, k); }

    // Only the fill routines write cells.
    void set(int i, int j, const QString& text);
    void set(int i, int j, int k, const QString& text);
    // Assigns a run of cells (i, j0), (i, j0 + 1), ... or (i, j, k0), ...
    void setRow(int i, int j0, const QStringList& texts);
    void setRow(int i, int j, int k0, const QStringList& texts);

    bool operator==(const CatalogTable& other) const { return m_cells == other.m_cells; }

private:
    size_t offset(int i, int j) const;
    size_t offset(int i, int j, int k) const;
    bool within(int index, size_t dimension) const {
        return index >= 0 && index <= m_upper[dimension];
    }

    const char* m_name;
    std::vector<int> m_upper;
    std::vector<QString> m_cells;
    std::vector<double> m_numbers; // NaN where the cell is not a number
};

} // namespace miravel::catalog
