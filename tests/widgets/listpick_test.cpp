#include "support/testsupport.h"
#include "widgets/listpick.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDebug>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <functional>

using namespace miravel::platform;
using namespace miravel::widgets;

namespace {

const QStringList Items = {"S-5C-FB", "S-7C-FB", "テレビ端子 BS-7F"};

// A window with an editable chooser and a second field to move the focus to.
class ListPickTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        combo = new QComboBox(&window);
        combo->setEditable(true);
        combo->addItems(Items);
        combo->setCurrentIndex(-1);
        other = new QLineEdit(&window);
        layout->addWidget(combo);
        layout->addWidget(other);
        QObject::connect(ListPick::attach(combo), &ListPick::picked,
                         [this](int index) { picks.append(index); });
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        combo->setFocus();
        ASSERT_TRUE(combo->hasFocus());
    }

    void type(const QString& text) { typeText(combo, text); }

    QWidget window;
    QComboBox* combo = nullptr;
    QLineEdit* other = nullptr;
    QList<int> picks;
};

// Everything that ends an edit without a choice in the open list: the text
// stays exactly as typed and nothing is picked.
TEST_F(ListPickTest, EndingAnEditIsNoPick) {
    const struct {
        const char* name;
        QString typed;
        std::function<void()> end;
    } cases[] = {
        {"a letter and Tab", "S", [this] { QTest::keyClick(combo, Qt::Key_Tab); }},
        {"another case and Return", "s-5c-fb", [this] { QTest::keyClick(combo, Qt::Key_Return); }},
        {"Enter on the keypad", "S-7C-FB",
         [this] { QTest::keyClick(combo, Qt::Key_Enter, Qt::KeypadModifier); }},
        {"an item's whole name and a click elsewhere", "S-7C-FB",
         [this] { QTest::mouseClick(other, Qt::LeftButton); }},
        {"the start of an outlet and a click elsewhere", "テ",
         [this] { QTest::mouseClick(other, Qt::LeftButton); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        combo->setEditText(QString());
        combo->setFocus();
        type(c.typed);
        c.end();
        EXPECT_EQ(combo->currentText(), c.typed);
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_TRUE(picks.isEmpty());
    }
}

TEST_F(ListPickTest, TheArrowsOpenTheListInsteadOfSteppingThroughIt) {
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown}) {
        QTest::keyClick(combo, key);
        EXPECT_TRUE(combo->view()->isVisible());
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        EXPECT_FALSE(combo->view()->isVisible());
    }
    const QPoint centre = combo->rect().center();
    QWheelEvent wheel(centre, combo->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &wheel);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->currentText(), "");
    EXPECT_TRUE(picks.isEmpty());
}

// No key that the combo box would step its items with, under any modifier,
// replaces a typed text on a closed chooser; at most the list opens.
TEST_F(ListPickTest, NoKeyStepsTheClosedChooser) {
    const Qt::Key keys[] = {Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                            Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    const Qt::KeyboardModifiers held[] = {Qt::NoModifier,
                                          Qt::ShiftModifier,
                                          Qt::ControlModifier,
                                          Qt::AltModifier,
                                          Qt::MetaModifier,
                                          Qt::KeypadModifier,
                                          Qt::ControlModifier | Qt::ShiftModifier,
                                          Qt::AltModifier | Qt::ShiftModifier,
                                          Qt::ControlModifier | Qt::AltModifier};
    for (Qt::Key key : keys)
        for (Qt::KeyboardModifiers modifiers : held) {
            SCOPED_TRACE(QKeySequence(key | modifiers).toString().toStdString());
            combo->setCurrentIndex(1); // a neighbour on either side
            combo->setEditText("abc");
            QTest::keyClick(combo, key, modifiers);
            if (combo->view()->isVisible()) QTest::keyClick(combo->view(), Qt::Key_Escape);
            EXPECT_EQ(combo->currentText(), "abc");
            EXPECT_EQ(combo->currentIndex(), 1);
        }
    EXPECT_TRUE(picks.isEmpty());
}

TEST_F(ListPickTest, AClickOnAnItemOfTheOpenListPicksIt) {
    type("abc");
    pick(combo, 1);
    EXPECT_EQ(picks, QList<int>{1});
    EXPECT_EQ(combo->currentText(), Items[1]);
    EXPECT_FALSE(combo->view()->isVisible());

    // The same item again, over a typed text: picked again, its text shown.
    combo->setEditText("xyz");
    pick(combo, 1);
    EXPECT_EQ(picks, (QList<int>{1, 1}));
    EXPECT_EQ(combo->currentText(), Items[1]);
}

TEST_F(ListPickTest, ReturnOnAnItemOfTheOpenListPicksIt) {
    type("S");
    QTest::keyClick(combo, Qt::Key_Down); // opens the list
    ASSERT_TRUE(combo->view()->isVisible());
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(list->model()->index(2, 0));
    qWarning() << "before" << list->isVisible();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(picks, QList<int>{2});
    EXPECT_EQ(combo->currentText(), Items[2]);
}

TEST_F(ListPickTest, ClosingTheListWithoutAChoiceIsNoPick) {
    type("S");
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(combo->currentText(), "S");
    EXPECT_TRUE(picks.isEmpty());
}

// The release of the press that opened the list lands on an item when the
// list opens over the field; it is not a choice.
TEST_F(ListPickTest, TheReleaseOfTheOpeningPressIsNoPick) {
    QTest::mousePress(combo, Qt::LeftButton);
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QPoint onItem = list->visualRect(list->model()->index(0, 0)).center();
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, onItem);
    EXPECT_TRUE(picks.isEmpty());
    EXPECT_EQ(combo->currentText(), "");
    combo->hidePopup();
}

} // namespace
