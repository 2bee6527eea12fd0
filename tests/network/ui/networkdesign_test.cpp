// The screen's design commands: 自動設計 with its confirmation, and the head
// end set to the middle of its window, each one undoable step.

#include "networkscreentestsupport.h"

#include "network/ui/networkdocument.h"
#include "network/ui/networkwindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>

using namespace miravel::network;

namespace {

class DesignScreen : public ScreenTest {};

// Answers the next modal dialog with the button named `button`, and keeps
// what its list of changes said.
void answerDesignDialog(const char* button, QStringList* shown) {
    QTimer::singleShot(0, [button, shown] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        const auto* list = named<QListWidget>(dialog, "designChanges");
        for (int i = 0; i < list->count(); ++i)
            *shown << list->item(i)->text();
        named<QPushButton>(dialog, button)->click();
    });
}

int failing(NetworkWindow* s) {
    return s->document()->result().failingOutlets;
}

TEST_F(DesignScreen, OneClickAndOneConfirmationFixTheApartmentHouse) {
    NetworkWindow* s = openNetworkScreen();
    s->document()->reset(loadNetworkExample("apartment-12.tvdn"), QString());
    ASSERT_EQ(failing(s), 4);
    QStringList shown;
    answerDesignDialog("cancelDesign", &shown);
    named<QAction>(s, "autoDesign")->trigger();
    EXPECT_EQ(failing(s), 4); // cancelled: nothing changed
    EXPECT_EQ(s->document()->undoStack()->count(), 0);
    shown.clear();
    answerDesignDialog("applyDesign", &shown);
    named<QAction>(s, "autoDesign")->trigger();
    EXPECT_EQ(failing(s), 0);
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_TRUE(shown.last().contains(QStringLiteral("すべての端子が基準を満たします")))
        << shown.join(u'\n').toStdString();
    ASSERT_EQ(s->document()->undoStack()->count(), 1);
    // Designed already: said so, no dialog and no empty undo step.
    named<QAction>(s, "autoDesign")->trigger();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("部品の変更はありません")));
    EXPECT_EQ(s->document()->undoStack()->count(), 1);
    s->document()->undoStack()->undo();
    EXPECT_EQ(failing(s), 4);
}

TEST_F(DesignScreen, CentreButtonSetsTheHeadEndInOneStep) {
    NetworkWindow* s = openNetworkScreen();
    Network net = loadNetworkExample("tower-40.tvdn");
    HeadEnd head = net.head;
    head.levels.fill(130); // every outlet too strong
    net.setHead(head);
    s->document()->reset(net, QString());
    ASSERT_GT(failing(s), 0);
    EXPECT_TRUE(
        named<QLabel>(s, "summaryLabel")->text().contains(QStringLiteral("ヘッドエンド出力")));
    auto* centre = named<QPushButton>(s, "centreHeadEnd");
    ASSERT_TRUE(centre->isEnabled());
    centre->click();
    EXPECT_EQ(failing(s), 0);
    EXPECT_EQ(s->document()->undoStack()->count(), 1);
}

} // namespace
