// The network screen's views: the tree, the node's details, the outlet table
// with its summary and the diagram, and how they share the window.

#include "network/ui/networkdocument.h"
#include "network/ui/networkpaint.h"
#include "network/ui/networktreemodel.h"
#include "network/ui/networkwindow.h"
#include "network/ui/nodedetails.h"
#include "network/ui/outlettablemodel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

// A column as wide as the widest of its texts, with room for the cell's margins.
int columnFor(const QFontMetrics& metrics, const QStringList& texts) {
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest + 16;
}

} // namespace

void NetworkWindow::buildViews() {
    buildTree();
    details = new NodeDetails(m_document);
    connect(details, &NodeDetails::refused, this, &NetworkWindow::refuse);
    connect(details, &NodeDetails::terminalLevelsWanted, this, &NetworkWindow::takeTerminalLevels);

    QWidget* tablePage = buildOutletPage();
    diagram = new DiagramView;
    diagram->setObjectName(QStringLiteral("networkDiagram"));
    auto* diagramScroll = new QScrollArea;
    diagramScroll->setWidget(diagram);
    tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("networkTabs"));
    tabs->addTab(tablePage, QStringLiteral("端子一覧"));
    tabs->addTab(diagramScroll, QStringLiteral("配線図"));
    connect(tabs, &QTabWidget::currentChanged, this, &NetworkWindow::refreshDiagram);

    // The details scroll where the screen is low, so that none is out of reach.
    auto* detailsScroll = new QScrollArea;
    detailsScroll->setObjectName(QStringLiteral("detailsScroll"));
    detailsScroll->setWidget(details);
    detailsScroll->setWidgetResizable(true);
    detailsScroll->setFrameShape(QFrame::NoFrame);
    auto* right = new QSplitter(Qt::Vertical);
    right->addWidget(detailsScroll);
    right->addWidget(tabs);
    right->setStretchFactor(1, 1);
    auto* split = new QSplitter(Qt::Horizontal);
    split->setObjectName(QStringLiteral("networkSplit"));
    split->addWidget(tree);
    split->addWidget(right);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setSizes({3000, 2000}); // in proportion
    setCentralWidget(split);
}

void NetworkWindow::buildTree() {
    tree = new QTreeView;
    tree->setObjectName(QStringLiteral("networkTree"));
    tree->setModel(m_treeModel);
    tree->setUniformRowHeights(true);
    tree->setIndentation(14); // deep networks keep room for their part names
    tree->setAlternatingRowColors(true);
    tree->setDragDropMode(QAbstractItemView::InternalMove);
    connect(m_treeModel, &NetworkTreeModel::moveRequested, this, &NetworkWindow::moveNode);
    // Fixed widths: fitting columns to thousands of rows after every edit is
    // slow. The verdicts, last, take the rest of the width.
    const QFontMetrics metrics = tree->fontMetrics();
    const int level = columnFor(metrics, {QStringLiteral("888.88"), QStringLiteral("非対応")});
    const int treeWidths[] = {
        170,  columnFor(metrics, {QStringLiteral("S-10C-HFL 888 m")}), level, level, level, level,
        level};
    for (int c = 0; c < int(std::size(treeWidths)); ++c)
        tree->header()->resizeSection(c, treeWidths[c]);
    connect(tree, &QTreeView::expanded, this,
            [this](const QModelIndex& i) { rememberFolding(i, true); });
    connect(tree, &QTreeView::collapsed, this,
            [this](const QModelIndex& i) { rememberFolding(i, false); });
    connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid()) return; // a rebuilt tree; the screen reselects
                m_selected = m_treeModel->idOf(current);
                details->showNode(m_selected);
            });
}

// The network's cable judging and the table's C/N choice, above the summary.
QLayout* NetworkWindow::buildTableOptions() {
    bandEdgeCheck = new QCheckBox(QStringLiteral("ケーブル損失を帯域上端で判定"));
    bandEdgeCheck->setObjectName(QStringLiteral("bandEdgeCheck"));
    bandEdgeCheck->setToolTip(cableJudgingText(true));
    connect(bandEdgeCheck, &QCheckBox::clicked, this, [this](bool checked) {
        HeadEnd head = m_document->network().head;
        head.judgeAtBandEdges = checked;
        edit(QStringLiteral("ケーブル損失の判定周波数"), [head](Network& n) { n.setHead(head); });
    });

    showCnCheck = new QCheckBox(QStringLiteral("C/N を表示"));
    showCnCheck->setObjectName(QStringLiteral("showCnCheck"));
    connect(showCnCheck, &QCheckBox::toggled, m_tableModel, &OutletTableModel::setShowCn);

    auto* options = new QHBoxLayout;
    options->addWidget(bandEdgeCheck);
    options->addWidget(showCnCheck);
    options->addStretch();
    return options;
}

QWidget* NetworkWindow::buildOutletPage() {
    m_tableProxy = new OutletSortModel(this);
    m_tableProxy->setSourceModel(m_tableModel);
    outletTable = new QTableView;
    outletTable->setObjectName(QStringLiteral("outletTable"));
    outletTable->setModel(m_tableProxy);
    outletTable->setSortingEnabled(true);
    outletTable->sortByColumn(-1, Qt::AscendingOrder); // tree order until the user sorts
    outletTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    outletTable->setSelectionMode(QAbstractItemView::SingleSelection);
    outletTable->setWordWrap(false);
    outletTable->verticalHeader()->setDefaultSectionSize(outletTable->fontMetrics().height() + 6);
    outletTable->verticalHeader()->hide();
    // Five bands beside the verdicts in the right pane: a narrower margin.
    const int bandWidth = columnFor(outletTable->fontMetrics(),
                                    {QStringLiteral("888.88"), QStringLiteral("非対応")}) -
                          8;
    const int tableWidths[] = {
        columnFor(outletTable->fontMetrics(), {QStringLiteral("1001 (10F)")}),
        bandWidth,
        bandWidth,
        bandWidth,
        bandWidth,
        bandWidth};
    for (int c = 0; c < int(std::size(tableWidths)); ++c)
        outletTable->horizontalHeader()->resizeSection(c, tableWidths[c]);
    outletTable->horizontalHeader()->setStretchLastSection(true);
    connect(outletTable, &QTableView::clicked, this, [this](const QModelIndex& index) {
        selectNode(NodeId(index.data(OutletTableModel::NodeRole).toUInt()));
    });
    summaryLabel = new QLabel;
    summaryLabel->setObjectName(QStringLiteral("summaryLabel"));
    summaryLabel->setTextFormat(Qt::PlainText);

    auto* page = new QWidget;
    auto* tableLayout = new QVBoxLayout(page);
    tableLayout->addLayout(buildTableOptions());
    tableLayout->addWidget(summaryLabel);
    tableLayout->addWidget(outletTable);
    return page;
}

} // namespace miravel::network
