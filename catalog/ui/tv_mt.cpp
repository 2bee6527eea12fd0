#include "catalog/ui/tv_mt.h"

#include "catalog/catalog.h"
#include "ui_tv_mt.h"
#include "widgets/frozenheadings.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>

using namespace miravel::widgets;

namespace miravel::catalog {

namespace {

// Small enough that the widest one-line texts ("ＣＳ・ＢＳ－ＩＦ", the model
// names) fit the 1400-twip columns.
constexpr double GridPointSize = 7.5;
// The grid is at most this wide on opening; wider tables scroll.
constexpr int MaxGridWidthTwips = 13000;

Qt::Alignment qtAlignment(int code) {
    if (code < 0 || code > 8) code = BoardLayout::AlignLeftCenter;
    const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[code / 3] | vertical[code % 3];
}

} // namespace

Tv_Mt::Tv_Mt(QWidget* parent) : QMainWindow(parent), ui(new Ui::Tv_Mt) {
    ui->setupUi(this);
    m_options = {ui->Option1,  ui->Option2,  ui->Option3,  ui->Option4, ui->Option5,
                 ui->Option6,  ui->Option7,  ui->Option8,  ui->Option9, ui->Option10,
                 ui->Option11, ui->Option12, ui->Option13, ui->Option14};
    for (int n = 1; n <= BoardLayout::OptionCount; ++n)
        connect(option(n), &QRadioButton::toggled, this, [this, n](bool checked) {
            if (checked) Option_Click(n);
        });
    connect(ui->Command1, &QPushButton::clicked, this, &Tv_Mt::Command1_Click);

    QTableWidget* g = ui->MSFlexGrid1;
    QFont font = g->font();
    font.setPointSizeF(GridPointSize);
    g->setFont(font);
    // Widths and heights come from the layout; no minimum section size overrides them.
    g->horizontalHeader()->setMinimumSectionSize(1);
    g->verticalHeader()->setMinimumSectionSize(1);
    m_frozen = new FrozenHeadings(g);

    Form_Load();
    resize(preferredSize());
}

Tv_Mt::~Tv_Mt() = default;

QRadioButton* Tv_Mt::option(int n) const {
    return m_options.at(size_t(n - 1));
}

QTableWidget* Tv_Mt::grid() const {
    return ui->MSFlexGrid1;
}

void Tv_Mt::Form_Load() {
    refillBoardTables();
    for (int n = 1; n <= BoardLayout::OptionCount; ++n)
        option(n)->setText(BoardLayout::optionCaption(n));
    m_grid.setRows(1);
    m_grid.setCols(1);
    showGrid();
    // Selecting it runs its option action: the board opens on the VHF antennas.
    ui->Option3->setChecked(true);
}

void Tv_Mt::Option_Click(int n) {
    m_grid.applyOption(n);
    showGrid();
}

void Tv_Mt::Command1_Click() {
    close();
}

void Tv_Mt::showGrid() {
    QTableWidget* g = ui->MSFlexGrid1;
    g->clearContents();
    g->setRowCount(m_grid.rows());
    g->setColumnCount(m_grid.cols());

    const double dpi = g->logicalDpiX();
    for (int c = 0; c < m_grid.cols(); ++c)
        g->setColumnWidth(c, twipsToPixels(m_grid.colWidth(c), dpi));

    const QPalette palette = g->palette();
    for (int r = 0; r < m_grid.rows(); ++r)
        for (int c = 0; c < m_grid.cols(); ++c) {
            auto* item = new QTableWidgetItem(m_grid.text(r, c));
            item->setTextAlignment(qtAlignment(m_grid.cellAlignment(r, c)));
            if (m_grid.isFixed(r, c)) {
                // Headings: shaded like the grid's own heading cells, never selected.
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette.button());
                item->setForeground(palette.buttonText());
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            g->setItem(r, c, item);
        }

    const QList<int> heights = rowHeightsInPixels(m_grid);
    for (int r = 0; r < m_grid.rows(); ++r)
        g->setRowHeight(r, heights[r]);
    m_frozen->setFixed(m_grid.fixedRows(), m_grid.fixedCols());
}

// The layout's height of each row, enlarged where a wrapped text needs more
// lines than the row holds, so that no text is cut off at the given widths.
QList<int> Tv_Mt::rowHeightsInPixels(const BoardLayout& model) const {
    const QTableWidget* g = ui->MSFlexGrid1;
    const QFontMetrics metrics(g->font());
    const int margin = g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1;
    const double dpiX = g->logicalDpiX();
    const double dpiY = g->logicalDpiY();
    QList<int> heights;
    for (int r = 0; r < model.rows(); ++r) {
        int height = twipsToPixels(model.rowHeight(r), dpiY);
        for (int c = 0; c < model.cols(); ++c) {
            const QString& text = model.text(r, c);
            if (text.isEmpty()) continue;
            const int width = twipsToPixels(model.colWidth(c), dpiX) - 2 * margin;
            const QRect bounds = metrics.boundingRect(QRect(0, 0, std::max(width, 1), 10000),
                                                      Qt::TextWordWrap, text);
            height = std::max(height, bounds.height() + 2 * margin);
        }
        heights.append(height);
    }
    return heights;
}

// Wide enough for most tables, high enough for the tallest one; the widest
// tables scroll sideways.
QSize Tv_Mt::preferredSize() const {
    const QTableWidget* g = ui->MSFlexGrid1;
    const double dpiX = g->logicalDpiX();
    BoardLayout model;
    model.applyOption(3);
    int tallest = 0;
    int widest = 0;
    for (int n = 1; n <= BoardLayout::OptionCount; ++n) {
        model.applyOption(n);
        const QList<int> heights = rowHeightsInPixels(model);
        int height = 0;
        for (int h : heights)
            height += h;
        int width = 0;
        for (int c = 0; c < model.cols(); ++c)
            width += twipsToPixels(model.colWidth(c), dpiX);
        tallest = std::max(tallest, height);
        widest = std::max(widest, width);
    }
    const int frame = 2 * g->frameWidth() + 2;
    const int scrollBar = g->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, g);
    const int gridWidth =
        std::min(widest, twipsToPixels(MaxGridWidthTwips, dpiX)) + frame + scrollBar;
    const int gridHeight = tallest + frame + scrollBar;

    const QSize left = ui->Frame1->sizeHint();
    const QMargins margins = ui->mainLayout->contentsMargins();
    const int spacing = ui->mainLayout->spacing();
    const int width = margins.left() + left.width() + spacing + gridWidth + margins.right();
    const int height =
        margins.top() +
        std::max(gridHeight, left.height() + spacing + ui->Command1->sizeHint().height()) +
        margins.bottom();
    return {width, height};
}

} // namespace miravel::catalog
