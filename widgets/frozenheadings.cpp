#include "widgets/frozenheadings.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace miravel::widgets {

FrozenHeadings::FrozenHeadings(QTableView* table)
    : QObject(table), m_table(table), m_tableObject(table), m_viewport(table->viewport()),
      m_rows(makeView("_fixedRows")),
      // Made last, the corner lies over both strips.
      m_cols(makeView("_fixedCols")), m_corner(makeView("_fixedCorner")) {
    const auto resync = [this] {
        copySizes();
        place();
    };
    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, resync);
    connect(table->verticalHeader(), &QHeaderView::sectionResized, this, resync);
    // The table leads; a strip that moves by itself (its range changes, or
    // something scrolls it) is put back at once.
    for (QTableView* view : {m_table, m_rows, m_cols, m_corner}) {
        for (QScrollBar* bar : {view->horizontalScrollBar(), view->verticalScrollBar()}) {
            connect(bar, &QScrollBar::rangeChanged, this, [this] { follow(); });
            connect(bar, &QScrollBar::valueChanged, this, [this] { follow(); });
        }
        // The wheel over a strip scrolls the table.
        if (view != m_table) view->viewport()->installEventFilter(this);
    }
    table->installEventFilter(this);
    table->viewport()->installEventFilter(this);
    // After the table's own handling, which scrolls the new cell into view.
    connect(table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FrozenHeadings::keepCurrentInData);
}

QTableView* FrozenHeadings::makeView(const char* suffix) {
    auto* view = new QTableView(m_table);
    view->setObjectName(m_table->objectName() + QLatin1String(suffix));
    view->setModel(m_table->model());
    view->setSelectionModel(m_table->selectionModel());
    view->setFocusPolicy(Qt::NoFocus);
    // A strip shows the table's current cell only where it lies in the strip.
    view->setAutoScroll(false);
    view->setFrameShape(QFrame::NoFrame);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->horizontalHeader()->setMinimumSectionSize(1);
    view->verticalHeader()->setMinimumSectionSize(1);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setHorizontalScrollMode(m_table->horizontalScrollMode());
    view->setVerticalScrollMode(m_table->verticalScrollMode());
    view->setEditTriggers(m_table->editTriggers());
    view->setSelectionMode(m_table->selectionMode());
    view->setWordWrap(m_table->wordWrap());
    view->setTextElideMode(m_table->textElideMode());
    view->setShowGrid(m_table->showGrid());
    view->hide();
    return view;
}

void FrozenHeadings::setFixed(int rows, int cols) {
    m_fixedRows = rows;
    m_fixedCols = cols;
    copySizes();
    place();
}

void FrozenHeadings::copySizes() {
    const int rowCount = m_table->model()->rowCount();
    const int colCount = m_table->model()->columnCount();
    for (QTableView* view : {m_rows, m_cols, m_corner}) {
        for (int c = 0; c < colCount; ++c)
            view->setColumnWidth(c, m_table->columnWidth(c));
        for (int r = 0; r < rowCount; ++r)
            view->setRowHeight(r, m_table->rowHeight(r));
    }
}

// Over the table's viewport, the heading rows as a strip along its top, the
// heading columns as a strip down its left side.
void FrozenHeadings::place() {
    const QRect area = m_table->viewport()->geometry();
    const int rows = std::min(m_fixedRows, m_table->model()->rowCount());
    const int cols = std::min(m_fixedCols, m_table->model()->columnCount());
    int height = 0;
    for (int r = 0; r < rows; ++r)
        height += m_table->rowHeight(r);
    int width = 0;
    for (int c = 0; c < cols; ++c)
        width += m_table->columnWidth(c);
    height = std::min(height, area.height());
    width = std::min(width, area.width());

    m_rows->setGeometry(area.x(), area.y(), area.width(), height);
    m_cols->setGeometry(area.x(), area.y(), width, area.height());
    m_corner->setGeometry(area.x(), area.y(), width, height);
    m_rows->setVisible(rows > 0);
    m_cols->setVisible(cols > 0);
    m_corner->setVisible(rows > 0 && cols > 0);
    follow();
}

// The strips move with the table's data along their length, never across.
void FrozenHeadings::follow() {
    m_rows->horizontalScrollBar()->setValue(m_table->horizontalScrollBar()->value());
    m_rows->verticalScrollBar()->setValue(0);
    m_cols->verticalScrollBar()->setValue(m_table->verticalScrollBar()->value());
    m_cols->horizontalScrollBar()->setValue(0);
    m_corner->horizontalScrollBar()->setValue(0);
    m_corner->verticalScrollBar()->setValue(0);
}

// The current cell is a data cell, clear of the strips: one the keyboard
// (or anything else) moves onto a heading goes to the nearest data cell, and
// the table scrolls back where a strip would hide it.
void FrozenHeadings::keepCurrentInData(const QModelIndex& current) {
    if (!current.isValid()) return;
    const int row = std::max(current.row(), m_fixedRows);
    const int col = std::max(current.column(), m_fixedCols);
    if (row != current.row() || col != current.column()) {
        const QModelIndex data = current.model()->index(row, col);
        if (data.isValid()) m_table->setCurrentIndex(data);
        return; // the change to it comes back here
    }
    int height = 0;
    for (int r = 0; r < m_fixedRows; ++r)
        height += m_table->rowHeight(r);
    int width = 0;
    for (int c = 0; c < m_fixedCols; ++c)
        width += m_table->columnWidth(c);
    uncover(m_table->verticalScrollBar(), height, m_table->verticalScrollMode(),
            [&] { return m_table->rowViewportPosition(row); });
    uncover(m_table->horizontalScrollBar(), width, m_table->horizontalScrollMode(),
            [&] { return m_table->columnViewportPosition(col); });
}

// Scrolls back until the cell starts at `covered` or beyond.
void FrozenHeadings::uncover(QScrollBar* bar, int covered, QAbstractItemView::ScrollMode mode,
                             const std::function<int()>& position) {
    while (position() < covered && bar->value() > bar->minimum()) {
        const int step = mode == QAbstractItemView::ScrollPerItem ? 1 : covered - position();
        bar->setValue(std::max(bar->minimum(), bar->value() - step));
    }
}

bool FrozenHeadings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_viewport || watched == m_tableObject) {
        // The viewport changes size when the window does or a scroll bar
        // comes or goes.
        if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest) place();
        return false;
    }
    if (event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(m_viewport, event);
        return true;
    }
    return false;
}

} // namespace miravel::widgets
