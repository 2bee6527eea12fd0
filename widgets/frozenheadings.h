#pragma once
// Fixed heading rows and columns for a table view: they stay in view while
// the data scrolls. Three views over the table's own model lie on top of it:
// the heading rows (scrolling sideways with the table), the heading columns
// (scrolling up and down with it) and the corner where both meet (still).
// The table keeps its cells, names and sizes; the views only show them. The
// current cell stays a data cell that the strips do not hide.

#include <QAbstractItemView>
#include <functional>

class QScrollBar;
class QTableView;

namespace miravel::widgets {

class FrozenHeadings : public QObject {
    Q_OBJECT
public:
    // Belongs to `table`; the views are named after it ("<name>_fixedRows",
    // "<name>_fixedCols", "<name>_fixedCorner").
    explicit FrozenHeadings(QTableView* table);

    // The number of heading rows and columns. Call whenever the table's rows,
    // columns or their sizes were set anew.
    void setFixed(int rows, int cols);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* makeView(const char* suffix);
    void copySizes();
    void place();
    void follow();
    void keepCurrentInData(const QModelIndex& current);
    static void uncover(QScrollBar* bar, int covered, QAbstractItemView::ScrollMode mode,
                        const std::function<int()>& position);

    QTableView* m_table;
    // The filter compares with these, never asks the table: events still
    // arrive while it is being destroyed, when it is no longer a table view.
    QObject* m_tableObject;
    QObject* m_viewport;
    QTableView* m_rows;
    QTableView* m_cols;
    QTableView* m_corner;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
};

} // namespace miravel::widgets
