#include "networkscreentestsupport.h"

#include "network/catalogparts.h"
#include "network/ui/floordialog.h"
#include "network/ui/kinddialog.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkwindow.h"
#include "network/ui/partslistdialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>

using namespace miravel::network;

namespace {

using ShapeCommands = ScreenTest;

// Answers the dialog the action opens: `fill` sets its fields, then OK.
template <typename Dialog>
void answer(NetworkWindow* s, const char* action, const std::function<void(Dialog*)>& fill) {
    QTimer::singleShot(0, [fill] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        fill(dialog);
        dialog->accept();
    });
    named<QAction>(s, action)->trigger();
}

TEST_F(ShapeCommands, FloorsKindAndPartsListFromTheMenus) {
    NetworkWindow* s = openNetworkScreen();
    QUndoStack* undo = s->document()->undoStack();
    answer<FloorDialog>(s, "addFloorsAction", [](FloorDialog* d) {
        named<QSpinBox>(d, "floorCount")->setValue(3);
        named<QComboBox>(d, "floorHubModel")->setCurrentText(QStringLiteral("CS-C4"));
    });
    EXPECT_EQ(undo->count(), 1);
    const Network& net = s->document()->network();
    EXPECT_EQ(net.flat().outletPorts, 12);
    EXPECT_EQ(net.node(s->selectedNode()).setup.component.kind, ComponentKind::Brancher);

    // The top floor becomes a distributor with its four rooms.
    const NodeId top = s->selectedNode();
    answer<KindDialog>(s, "changeKindAction", [](KindDialog* d) {
        EXPECT_EQ(named<QComboBox>(d, "kindChangeModel")->currentText(), QStringLiteral("CS-D4"));
    });
    EXPECT_EQ(undo->count(), 2);
    EXPECT_EQ(net.node(top).setup.component.kind, ComponentKind::Distributor);
    EXPECT_EQ(net.children(top).size(), 4u);

    named<QAction>(s, "partsListAction")->trigger();
    auto* parts = s->findChild<PartsListDialog*>();
    ASSERT_NE(parts, nullptr);
    // 分配器, 分岐器, テレビ端子, two cable types, 接栓.
    EXPECT_EQ(named<QTableView>(parts, "partsTable")->model()->rowCount(), 6);
    undo->undo(); // the list follows the edit
    EXPECT_EQ(named<QTableView>(parts, "partsTable")->model()->rowCount(), 5);

    QTemporaryDir dir;
    platform.fileAnswers = {dir.filePath(QStringLiteral("parts")),
                            dir.filePath(QStringLiteral("parts.pdf"))};
    named<QPushButton>(parts, "partsCsvButton")->click();
    named<QPushButton>(parts, "partsPdfButton")->click();
    QFile csv(dir.filePath(QStringLiteral("parts.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csv.readAll().contains("テレビ端子,DCM7FTCS,12,個,,\r\n"));
    EXPECT_GT(QFile(dir.filePath(QStringLiteral("parts.pdf"))).size(), 0);
    EXPECT_TRUE(platform.messages.isEmpty());
}

} // namespace
