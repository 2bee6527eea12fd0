#include "network/ui/networkwindow.h"

#include "common/version.h"
#include "network/catalogparts.h"
#include "network/networktexts.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkpaint.h"
#include "network/ui/networktreemodel.h"
#include "network/ui/networkwindow_shape.h"
#include "network/ui/nodedetails.h"
#include "network/ui/outlettablemodel.h"
#include "platform/platform.h"
#include "standard/profilestore.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QTreeView>
#include <QUndoStack>
#include <QVBoxLayout>

using namespace miravel::common;
using namespace miravel::platform;
using namespace miravel::standard;

namespace miravel::network {

namespace {

// The window's size where the screen has room for it, and what a window
// manager's title bar and borders take around it.
constexpr QSize PreferredSize(1280, 800);
constexpr QSize FrameAllowance(16, 48);

QAction* namedAction(QObject* parent, const char* name, const QString& text,
                     const QKeySequence& key = {}) {
    auto* action = new QAction(text, parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    return action;
}

} // namespace

NetworkWindow::NetworkWindow(QWidget* parent)
    : QMainWindow(parent), m_document(new NetworkDocument(this)) {
    setObjectName(QStringLiteral("NetworkWindow"));
    m_treeModel = new NetworkTreeModel(m_document, this);
    m_tableModel = new OutletTableModel(m_document, this);
    buildDesignActions();
    buildViews();
    buildActions();
    buildMenus();
    connect(m_document, &NetworkDocument::changed, this, &NetworkWindow::documentChanged);
    connect(m_treeModel, &QAbstractItemModel::rowsInserted, this, &NetworkWindow::unfoldNewRows);
    connect(m_document->undoStack(), &QUndoStack::cleanChanged, this,
            [this] { setWindowTitle(documentTitle()); });
    documentChanged();
    fitToScreen();
}

// The preferred size where the screen's free area has room for it, else
// that area less a window frame, from its corner.
void NetworkWindow::fitToScreen() {
    const QRect area = screen() ? screen()->availableGeometry() : QRect(QPoint(), PreferredSize);
    const QSize size = PreferredSize.boundedTo(area.size() - FrameAllowance);
    resize(size);
    if (size != PreferredSize) move(area.topLeft());
}

// The document and its undo stack go with the window's children, after the
// window itself: nothing they signal may reach it then.
NetworkWindow::~NetworkWindow() {
    m_document->undoStack()->disconnect(this);
    m_document->disconnect(this);
}

void NetworkWindow::buildActions() {
    newAction = namedAction(this, "newNetwork", QStringLiteral("新規作成"), QKeySequence::New);
    openAction = namedAction(this, "openNetwork", QStringLiteral("開く..."), QKeySequence::Open);
    saveAction = namedAction(this, "saveNetwork", QStringLiteral("上書き保存"), QKeySequence::Save);
    saveAsAction = namedAction(this, "saveNetworkAs", QStringLiteral("名前を付けて保存..."));
    csvAction = namedAction(this, "exportOutletCsv", QStringLiteral("端子一覧表のCSV出力..."));
    printAction = namedAction(this, "printNetwork", QStringLiteral("印刷（端子一覧表・配線図）"));
    previewAction = namedAction(this, "previewNetwork", QStringLiteral("印刷プレビュー"));
    pdfAction = namedAction(this, "exportNetworkPdf", QStringLiteral("PDF出力..."));
    closeAction = namedAction(this, "closeNetwork", QStringLiteral("終　了"));
    undoAction = namedAction(this, "undoNetwork", QStringLiteral("元に戻す"), QKeySequence::Undo);
    redoAction = namedAction(this, "redoNetwork", QStringLiteral("やり直し"), QKeySequence::Redo);
    buildUndoActions();
    addDistributorAction = namedAction(this, "addDistributor", QStringLiteral("分配器を追加"));
    addBrancherAction = namedAction(this, "addBrancher", QStringLiteral("分岐器を追加"));
    addSeriesUnitAction = namedAction(this, "addSeriesUnit", QStringLiteral("直列ユニットを追加"));
    addOutletAction = namedAction(this, "addOutlet", QStringLiteral("テレビ端子を追加"));
    addUserAction = namedAction(this, "addUserComponent", QStringLiteral("ユーザー部品を追加"));
    addBoosterAction = namedAction(this, "addBooster", QStringLiteral("ブースターを追加"));
    removeAction = namedAction(this, "removeNode", QStringLiteral("削除"), QKeySequence::Delete);
    upAction = namedAction(this, "moveNodeUp", QStringLiteral("上へ"),
                           QKeySequence(Qt::CTRL | Qt::Key_Up));
    downAction = namedAction(this, "moveNodeDown", QStringLiteral("下へ"),
                             QKeySequence(Qt::CTRL | Qt::Key_Down));
    copyAction = namedAction(this, "copyNode", QStringLiteral("コピー"), QKeySequence::Copy);
    pasteAction = namedAction(this, "pasteNode", QStringLiteral("貼り付け"), QKeySequence::Paste);
    repeatAction = namedAction(this, "repeatNode", QStringLiteral("複製"));
    sendAction = namedAction(this, "sendToTerminal", QStringLiteral("端末計算へ送る"));
    definitionsAction =
        namedAction(this, "editDefinitions", QStringLiteral("ケーブル種別とユーザー部品の定義..."));
    libraryAction = namedAction(this, "openPartsLibrary", QStringLiteral("部品ライブラリ..."));

    const std::pair<QAction*, ComponentKind> adds[] = {
        {addDistributorAction, ComponentKind::Distributor},
        {addBrancherAction, ComponentKind::Brancher},
        {addSeriesUnitAction, ComponentKind::SeriesUnit},
        {addOutletAction, ComponentKind::Outlet},
        {addUserAction, ComponentKind::User},
        {addBoosterAction, ComponentKind::Booster}};
    for (const auto& [action, kind] : adds)
        connect(action, &QAction::triggered, this, [this, k = kind] { addChild(k); });
    connect(newAction, &QAction::triggered, this, &NetworkWindow::newNetwork);
    connect(openAction, &QAction::triggered, this, &NetworkWindow::openNetwork);
    connect(saveAction, &QAction::triggered, this, &NetworkWindow::saveNetwork);
    connect(saveAsAction, &QAction::triggered, this, &NetworkWindow::saveNetworkAs);
    connect(csvAction, &QAction::triggered, this, &NetworkWindow::exportCsv);
    connect(printAction, &QAction::triggered, this, &NetworkWindow::printNetwork);
    connect(previewAction, &QAction::triggered, this, &NetworkWindow::previewNetwork);
    connect(pdfAction, &QAction::triggered, this, &NetworkWindow::exportPdf);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    connect(removeAction, &QAction::triggered, this, &NetworkWindow::removeSelected);
    connect(upAction, &QAction::triggered, this, [this] { moveSelected(-1); });
    connect(downAction, &QAction::triggered, this, [this] { moveSelected(1); });
    connect(copyAction, &QAction::triggered, this, &NetworkWindow::copySelected);
    connect(pasteAction, &QAction::triggered, this, &NetworkWindow::pasteUnderSelected);
    connect(repeatAction, &QAction::triggered, this, &NetworkWindow::repeatSelected);
    connect(sendAction, &QAction::triggered, this, &NetworkWindow::sendToTerminal);
    connect(definitionsAction, &QAction::triggered, this, &NetworkWindow::editDefinitions);
    connect(libraryAction, &QAction::triggered, this, &NetworkWindow::openPartsLibrary);
}

// Fixed texts, so that the buttons after them keep their places; what would
// be undone or redone is told in the tooltip.
void NetworkWindow::buildUndoActions() {
    QUndoStack* stack = m_document->undoStack();
    connect(undoAction, &QAction::triggered, stack, &QUndoStack::undo);
    connect(redoAction, &QAction::triggered, stack, &QUndoStack::redo);
    const auto follow = [this, stack] {
        undoAction->setEnabled(stack->canUndo());
        redoAction->setEnabled(stack->canRedo());
        const auto tip = [](const QString& command, const QString& step) {
            return step.isEmpty() ? command : command + QStringLiteral("：") + step;
        };
        undoAction->setToolTip(tip(undoAction->text(), stack->undoText()));
        redoAction->setToolTip(tip(redoAction->text(), stack->redoText()));
    };
    connect(stack, &QUndoStack::indexChanged, this, follow);
    connect(stack, &QUndoStack::undoTextChanged, this, follow);
    connect(stack, &QUndoStack::redoTextChanged, this, follow);
    follow();
}

void NetworkWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル"));
    file->menuAction()->setObjectName(QStringLiteral("networkFileMenu"));
    file->addActions({newAction, openAction, saveAction, saveAsAction});
    file->addSeparator();
    file->addActions({csvAction, printAction, previewAction, pdfAction});
    file->addSeparator();
    file->addAction(closeAction);
    QMenu* editMenu = menuBar()->addMenu(QStringLiteral("編集"));
    editMenu->menuAction()->setObjectName(QStringLiteral("networkEditMenu"));
    editMenu->setToolTipsVisible(true); // what undo and redo would do
    editMenu->addActions({undoAction, redoAction});
    editMenu->addSeparator();
    editMenu->addActions({addDistributorAction, addBrancherAction, addSeriesUnitAction,
                          addOutletAction, addUserAction, addBoosterAction});
    editMenu->addSeparator();
    editMenu->addActions(
        {removeAction, upAction, downAction, copyAction, pasteAction, repeatAction});
    editMenu->addSeparator();
    editMenu->addActions({definitionsAction, libraryAction});
    QMenu* calc = menuBar()->addMenu(QStringLiteral("計算"));
    calc->menuAction()->setObjectName(QStringLiteral("networkCalcMenu"));
    calc->addAction(sendAction);
    calc->addAction(designAction);
    addShapeCommands(this, editMenu, calc);

    QToolBar* bar = addToolBar(QStringLiteral("編集"));
    bar->setObjectName(QStringLiteral("networkToolBar"));
    bar->addActions({undoAction, redoAction});
    bar->addSeparator();
    // Short texts on the buttons, so that the bar fits a 1280-pixel screen
    // with its profile choice; the menu and the tooltips say them in full.
    bar->addWidget(new QLabel(QStringLiteral("追加 ")));
    const std::pair<QAction*, const char*> adds[] = {{addDistributorAction, "分配器"},
                                                     {addBrancherAction, "分岐器"},
                                                     {addSeriesUnitAction, "直列ユニット"},
                                                     {addOutletAction, "テレビ端子"}};
    for (const auto& [action, buttonText] : adds) {
        action->setIconText(QString::fromUtf8(buttonText));
        bar->addAction(action);
    }
    bar->addSeparator();
    bar->addActions({removeAction, upAction, downAction, copyAction, pasteAction});
    bar->addSeparator();
    repeatCount = new QSpinBox;
    repeatCount->setObjectName(QStringLiteral("repeatCount"));
    repeatCount->setRange(1, MaxRepeat);
    repeatCount->setSuffix(QStringLiteral(" 回"));
    repeatCount->setToolTip(QStringLiteral("複製する回数"));
    bar->addWidget(repeatCount);
    bar->addAction(repeatAction);
    bar->addSeparator();
    bar->addAction(sendAction);
    bar->addAction(designAction);
    buildProfileChoice(bar);
}

void NetworkWindow::buildProfileChoice(QToolBar* bar) {
    bar->addSeparator();
    bar->addWidget(new QLabel(QStringLiteral("判定基準 ")));
    profileCombo = new QComboBox;
    profileCombo->setObjectName(QStringLiteral("profileCombo"));
    for (const ProfileId& id : allProfileIds())
        profileCombo->addItem(profileName(id));
    bar->addWidget(profileCombo);
    // The user's criteria from the settings, starting with the profile chosen last.
    QSettings settings;
    const ProfileSet profiles = loadProfiles(settings);
    const auto apply = [this, profiles](int index) {
        m_document->setCriteria(outletCriteria(profiles[size_t(std::max(0, index))]));
    };
    connect(profileCombo, &QComboBox::currentIndexChanged, this, apply);
    profileCombo->setCurrentIndex(profileIndex(loadProfileChoice(settings)));
    apply(profileCombo->currentIndex());
}

NodeId NetworkWindow::selectedNode() const {
    return m_selected;
}

void NetworkWindow::selectNode(NodeId id) {
    const QModelIndex index = m_treeModel->indexOf(id);
    if (!index.isValid()) return;
    tree->setCurrentIndex(index);
    tree->scrollTo(index);
}

void NetworkWindow::rememberFolding(const QModelIndex& index, bool expanded) {
    const NodeId id = m_treeModel->idOf(index);
    if (expanded)
        m_folded.remove(id);
    else
        m_folded.insert(id);
}

// After a new or loaded network: everything unfolded but what the user folded.
// Only parts with children are unfolded (expandAll would keep a persistent
// index for every childless part too), the deepest first: a part under a still folded
// one is only marked, and unfolding the head end last lays the tree out once.
void NetworkWindow::restoreTreeState(NodeId selected) {
    const Network& net = m_document->network();
    const std::vector<FlatNode>& nodes = net.flat().nodes;
    tree->blockSignals(true);
    for (auto n = nodes.rbegin(); n != nodes.rend(); ++n)
        if (!net.children(n->id).empty() && !m_folded.contains(n->id))
            tree->expand(m_treeModel->indexOf(n->id));
    if (!m_folded.contains(HeadEndId)) tree->expand(m_treeModel->indexOf(HeadEndId));
    tree->blockSignals(false);
    selectNode(m_document->network().contains(selected) ? selected : HeadEndId);
}

// New rows of an edit show unfolded, as the rest of the tree.
void NetworkWindow::unfoldNewRows(const QModelIndex& parent, int first, int last) {
    std::vector<QModelIndex> stack;
    for (int row = first; row <= last; ++row)
        stack.push_back(m_treeModel->index(row, 0, parent));
    tree->blockSignals(true);
    while (!stack.empty()) {
        const QModelIndex index = stack.back();
        stack.pop_back();
        if (m_folded.contains(m_treeModel->idOf(index))) continue;
        tree->expand(index);
        for (int row = 0; row < m_treeModel->rowCount(index); ++row)
            stack.push_back(m_treeModel->index(row, 0, index));
    }
    tree->blockSignals(false);
}

void NetworkWindow::documentChanged() {
    // A node that went away hands the selection to its nearest remaining one.
    if (m_document->replacedWhole())
        restoreTreeState(m_selected);
    else
        selectNode(m_document->network().contains(m_selected) ? m_selected : HeadEndId);
    details->showNode(m_selected);
    m_diagramStale = true;
    refreshDiagram();
    showSummary();
    setWindowTitle(documentTitle());
}

// Laying out thousands of boxes takes a while: only when the diagram shows.
void NetworkWindow::refreshDiagram() {
    if (!m_diagramStale || tabs->currentIndex() != DiagramTab) return;
    diagram->setDiagram(layoutDiagram(m_document->network(), m_document->result()));
    m_diagramStale = false;
}

void NetworkWindow::showSummary() {
    const NetworkResult& r = m_document->result();
    bandEdgeCheck->setChecked(m_document->network().head.judgeAtBandEdges);
    QStringList lines{
        QStringLiteral("端子 %1 個　不適合 %2 個").arg(r.outlets.size()).arg(r.failingOutlets)};
    for (NodeId id : r.failingBoosters)
        lines << boosterFaultLine(m_document->network(), r, id);
    for (int b = 0; b < NetBandCount; ++b) {
        const BandSummary& s = r.summary[size_t(b)];
        if (s.worst < 0) {
            lines << netBandName(b) +
                         QStringLiteral("　レベルのある端子なし　非対応 %1").arg(s.unrated);
            continue;
        }
        const OutletResult& worst = r.outlets[size_t(s.worst)];
        const OutletResult& best = r.outlets[size_t(s.best)];
        lines << QStringLiteral("%1　最低 %2 dB（%3）　最高 %4 dB（%5）　不適合 %6　非対応 %7")
                     .arg(netBandName(b), levelText(worst.bands[size_t(b)].level),
                          outletName(m_document->network(), worst),
                          levelText(best.bands[size_t(b)].level),
                          outletName(m_document->network(), best))
                     .arg(s.failing)
                     .arg(s.unrated);
    }
    const HeadWindow window = headWindow();
    for (int b = 0; b < BandCount; ++b)
        if (window[size_t(b)].judged)
            lines << windowLine(m_document->network(), r, window[size_t(b)], b);
    centreButton->setEnabled(hasAnyWindow(window));
    summaryLabel->setText(lines.join(u'\n'));
}

QString NetworkWindow::documentTitle() const {
    QString title = QStringLiteral("建物の配線網");
    if (!m_document->filePath().isEmpty())
        title +=
            QStringLiteral("　　  [データ名  ") + m_document->filePath() + QStringLiteral(" ]");
    if (!m_document->undoStack()->isClean()) title += QStringLiteral(" *");
    return title;
}

// The printed pages name the criteria their verdicts follow.
NetworkPrintHeading NetworkWindow::printHeading() const {
    return {printTitle(), profileCombo->currentText(), QDate::currentDate()};
}

bool NetworkWindow::mayDiscardChanges() {
    if (m_document->undoStack()->isClean()) return true;
    return Platform::confirm(
        this, {QStringLiteral("配線網の変更が保存されていません。変更を破棄しますか？"),
               programTitle(), QMessageBox::Question});
}

void NetworkWindow::closeEvent(QCloseEvent* event) {
    if (mayDiscardChanges())
        event->accept();
    else
        event->ignore();
}

void NetworkWindow::refuse(const QString& message) {
    Platform::message(this, message, programTitle(), QMessageBox::Warning);
}

void NetworkWindow::edit(const QString& text, const std::function<void(Network&)>& change) {
    const QString refusal = m_document->edit(text, change);
    if (!refusal.isEmpty()) refuse(refusal);
}

} // namespace miravel::network
