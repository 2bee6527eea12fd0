#include "network/ui/networkwindow_shape.h"

#include "network/partslibrary.h"

#include "common/version.h"
#include "network/kindchange.h"
#include "network/ui/floordialog.h"
#include "network/ui/kinddialog.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkwindow.h"
#include "network/ui/partslistdialog.h"
#include "platform/platform.h"

#include <QAction>
#include <QMenu>

using namespace miravel::common;
using namespace miravel::platform;

namespace miravel::network {

namespace {

void refuse(NetworkWindow* window, const QString& message) {
    Platform::message(window, message, programTitle(), QMessageBox::Warning);
}

QAction* namedAction(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void addShapeCommands(NetworkWindow* window, QMenu* editMenu, QMenu* listMenu) {
    editMenu->addSeparator();
    QObject::connect(namedAction(editMenu, "addFloorsAction", QStringLiteral("階を追加...")),
                     &QAction::triggered, window, [window] { addFloorsUnderSelected(window); });
    QObject::connect(namedAction(editMenu, "changeKindAction", QStringLiteral("種類の変更...")),
                     &QAction::triggered, window, [window] { changeKindOfSelected(window); });
    QObject::connect(namedAction(listMenu, "partsListAction", QStringLiteral("部材集計表...")),
                     &QAction::triggered, window, [window] { showPartsList(window); });
}

void addFloorsUnderSelected(NetworkWindow* window) {
    NetworkDocument* document = window->document();
    FloorDialog dialog(document->network(), window);
    // A refused plan stays in the dialog for the user to correct.
    while (dialog.exec() == QDialog::Accepted) {
        const FloorPlan plan = dialog.plan();
        const NodeId from = window->selectedNode();
        std::vector<NodeId> hubs;
        const QString refusal =
            document->edit(QStringLiteral("階を追加 %1 階分").arg(plan.floors),
                           [&](Network& n) { hubs = addFloors(n, from, plan); });
        if (refusal.isEmpty()) {
            if (!hubs.empty()) window->selectNode(hubs.back());
            return;
        }
        refuse(window, refusal);
    }
}

void changeKindOfSelected(NetworkWindow* window) {
    NetworkDocument* document = window->document();
    const NodeId id = window->selectedNode();
    if (id == HeadEndId) {
        refuse(window, QStringLiteral("種類を変える部品を選んでください。"));
        return;
    }
    KindDialog dialog(document->network(), id, window);
    if (dialog.exec() != QDialog::Accepted) return;
    const Component to = dialog.component();
    if (to == document->network().node(id).setup.component) return; // unchanged: no undo step
    const QString refusal =
        document->edit(QStringLiteral("種類の変更"), [&](Network& n) { changeKind(n, id, to); });
    if (!refusal.isEmpty()) refuse(window, refusal);
    window->selectNode(id);
}

void showPartsList(NetworkWindow* window) {
    auto* dialog = window->findChild<PartsListDialog*>();
    if (!dialog) dialog = new PartsListDialog(window->document(), window);
    dialog->setPrices(libraryPriceTable()); // the library may have changed since
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace miravel::network
