#pragma once
// The building network screen: the tree of the whole distribution network
// with its levels and verdicts, the details of the selected part, the table
// of every outlet and the tree diagram. Editing, file, print and
// send-to-terminal commands act on the selected node.

#include "common/filestamp.h"
#include "network/headwindow.h"
#include "network/networkmodel.h"

#include <QMainWindow>
#include <QSet>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTabWidget;
class QTableView;
class QTreeView;

namespace miravel::network {

class DiagramView;
class NetworkDocument;
class NetworkTreeModel;
class NodeDetails;
struct NetworkPrintHeading;
class OutletTableModel;

class NetworkWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit NetworkWindow(QWidget* parent = nullptr);
    ~NetworkWindow() override;

    NetworkDocument* document() const { return m_document; }
    NodeId selectedNode() const;
    void selectNode(NodeId id);

    // Editing (the actions below call these).
    void addChild(ComponentKind kind);
    void removeSelected();
    void moveSelected(int step);
    // Hangs a node (with its subtree) under another, at `row` (-1: last).
    void moveNode(NodeId node, NodeId newParent, int row);
    void copySelected();
    void pasteUnderSelected();
    void repeatSelected();
    void sendToTerminal();
    void takeTerminalLevels();
    // The definitions dialog; applying its rows is one edit.
    void editDefinitions();
    bool applyDefinitions(const QList<QStringList>& cableRows, const QList<QStringList>& userRows);
    // The user's parts library beside this network (one window, kept).
    void openPartsLibrary();
    // Files and output.
    void newNetwork();
    void openNetwork();
    // Opens the file at `path` (unsaved changes asked about first); false
    // when it was not opened (its refusal shown).
    bool openNetworkFile(const QString& path);
    bool saveNetwork();
    bool saveNetworkAs();
    void exportCsv();
    void printNetwork();
    void previewNetwork();
    void exportPdf();
    // Design (networkwindow_design.cpp): the head end to the middle of the
    // window that serves every outlet, and the automatic choice of parts.
    void centreHeadInWindow();
    void runAutoDesign();

    static constexpr int DiagramTab = 1;

protected:
    // Unsaved changes are kept unless the user agrees to drop them.
    void closeEvent(QCloseEvent* event) override;

private:
    // The views and actions; tests find them by their objectNames.
    QTreeView* tree;
    QTableView* outletTable;
    QLabel* summaryLabel;
    NodeDetails* details;
    DiagramView* diagram;
    QSpinBox* repeatCount;
    QComboBox* profileCombo;  // the criteria the outlets are judged by
    QCheckBox* bandEdgeCheck; // cables judged at the bands' top edges
    QCheckBox* showCnCheck;   // the outlet table's band columns show C/N
    QTabWidget* tabs;         // the outlet table and the diagram

    QAction* newAction;
    QAction* openAction;
    QAction* saveAction;
    QAction* saveAsAction;
    QAction* csvAction;
    QAction* printAction;
    QAction* previewAction;
    QAction* pdfAction;
    QAction* closeAction;
    QAction* undoAction;
    QAction* redoAction;
    QAction* addDistributorAction;
    QAction* addBrancherAction;
    QAction* addSeriesUnitAction;
    QAction* addOutletAction;
    QAction* addUserAction;
    QAction* addBoosterAction;
    QAction* removeAction;
    QAction* upAction;
    QAction* downAction;
    QAction* copyAction;
    QAction* pasteAction;
    QAction* repeatAction;
    QAction* sendAction;
    QAction* definitionsAction;
    QAction* libraryAction;
    QAction* designAction;
    QPushButton* centreButton;

    bool mayDiscardChanges();
    bool loadNetworkFile(const QString& path);
    std::optional<Network> readWithProgress(const QString& path);
    void fitToScreen();
    void buildViews(); // networkwindow_views.cpp
    void buildTree();
    QWidget* buildOutletPage();
    QLayout* buildTableOptions(); // the cable judging and C/N choices above it
    void buildActions();
    void buildUndoActions();
    void buildMenus();
    void buildProfileChoice(class QToolBar* bar);
    void buildDesignActions();
    HeadWindow headWindow() const;
    void documentChanged();
    void showSummary();
    void refreshDiagram();
    void rememberFolding(const QModelIndex& index, bool expanded);
    void restoreTreeState(NodeId selected);
    void unfoldNewRows(const QModelIndex& parent, int first, int last);
    void edit(const QString& text, const std::function<void(Network&)>& change);
    void refuse(const QString& message);
    int freePort(NodeId parent); // -1, with the user told, when none
    QString documentTitle() const;
    QString printTitle() const;
    NetworkPrintHeading printHeading() const;

    NetworkDocument* m_document;
    NetworkTreeModel* m_treeModel;
    OutletTableModel* m_tableModel;
    QSortFilterProxyModel* m_tableProxy;
    std::optional<Subtree> m_clipboard;
    QSet<NodeId> m_folded;
    NodeId m_selected = HeadEndId;
    bool m_diagramStale = true;
    common::FileStamp m_diskStamp; // the network's file as last read or written
};

} // namespace miravel::network
