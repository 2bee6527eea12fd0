#include "networkscreentestsupport.h"

#include "network/partslibrary.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkwindow.h"
#include "network/ui/partslibrarydialog.h"
#include "network/ui/partslibrarymodel.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>

using namespace miravel::network;

namespace {

const CableType Eco{QStringLiteral("ECO-5C \"低損失\""), {{220, 10}, {770, 20}, {1300, 30}}, {}};

class PartsLibraryScreen : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        QFile::remove(userPartsLibraryPath());
        screen = openNetworkScreen();
    }
    PartsLibraryDialog* openLibrary() {
        named<QAction>(screen, "openPartsLibrary")->trigger();
        return named<PartsLibraryDialog>(screen, "PartsLibraryDialog");
    }
    void selectLibraryRow(PartsLibraryDialog* dialog, const QString& name) {
        auto* table = named<QTableView>(dialog, "libraryTable");
        const int row = static_cast<PartsLibraryModel*>(table->model())->rowOf(name);
        ASSERT_GE(row, 0);
        table->selectRow(row);
    }
    NetworkWindow* screen = nullptr;
};

TEST_F(PartsLibraryScreen, AddsANetworksCableTypePricesItAndUsesItInAnotherNetwork) {
    screen->document()->edit(QStringLiteral("定義"), [](Network& n) { n.setCableType(Eco); });
    PartsLibraryDialog* dialog = openLibrary();
    named<QListWidget>(dialog, "networkDefinitionList")->setCurrentRow(0);
    named<QPushButton>(dialog, "addToLibrary")->click();
    ASSERT_TRUE(readPartsLibraryFile(userPartsLibraryPath()).definitions.cableType(Eco.name));

    auto* table = named<QTableView>(dialog, "libraryTable");
    const int row = static_cast<PartsLibraryModel*>(table->model())->rowOf(Eco.name);
    table->model()->setData(table->model()->index(row, PartsLibraryModel::PriceColumn),
                            QStringLiteral("1,250円"));
    QCoreApplication::processEvents();
    EXPECT_EQ(unitPrices().at(Eco.name), 1250);
    EXPECT_FALSE(dialog->setPrice(Eco.name, QStringLiteral("安い")));
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(unitPrices().at(Eco.name), 1250);

    named<QAction>(screen, "newNetwork")->trigger();
    QUndoStack* undo = screen->document()->undoStack();
    EXPECT_EQ(named<QListWidget>(dialog, "networkDefinitionList")->count(), 0);
    selectLibraryRow(dialog, Eco.name);
    named<QPushButton>(dialog, "useInNetwork")->click();
    ASSERT_TRUE(screen->document()->network().cableType(Eco.name));
    EXPECT_EQ(undo->count(), 1);
    undo->undo();
    EXPECT_FALSE(screen->document()->network().cableType(Eco.name));
    undo->redo();
    EXPECT_EQ(*screen->document()->network().cableType(Eco.name), Eco);
}

TEST_F(PartsLibraryScreen, ANameClashIsAskedAndNoKeepsTheNetwork) {
    PartsLibrary library;
    library.definitions.setCableType(Eco);
    writePartsLibraryFile(userPartsLibraryPath(), library);
    CableType other = Eco;
    other.points[0].dbPer100m = 99;
    screen->document()->edit(QStringLiteral("定義"), [&](Network& n) { n.setCableType(other); });
    PartsLibraryDialog* dialog = openLibrary();
    selectLibraryRow(dialog, Eco.name);
    platform.questionAnswers = {false};
    EXPECT_FALSE(dialog->useSelectedInNetwork());
    ASSERT_EQ(platform.questions.size(), 1);
    EXPECT_TRUE(platform.questions[0].text.contains(Eco.name));
    EXPECT_EQ(*screen->document()->network().cableType(Eco.name), other);
    EXPECT_EQ(screen->document()->undoStack()->count(), 1);
    EXPECT_TRUE(dialog->useSelectedInNetwork()); // Yes: replaced, one more step
    EXPECT_EQ(*screen->document()->network().cableType(Eco.name), Eco);
    EXPECT_EQ(screen->document()->undoStack()->count(), 2);
}

TEST_F(PartsLibraryScreen, ABrokenLibraryIsShownLockedAndLeftAlone) {
    const QByteArray broken = "{\"format\":\"miravel-parts\",";
    QDir().mkpath(QFileInfo(userPartsLibraryPath()).absolutePath());
    QFile f(userPartsLibraryPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(broken) == broken.size());
    f.close();
    PartsLibraryDialog* dialog = openLibrary();
    EXPECT_FALSE(named<QLabel>(dialog, "libraryProblem")->isHidden());
    EXPECT_FALSE(named<QPushButton>(dialog, "addToLibrary")->isEnabled());
    EXPECT_FALSE(dialog->setPrice(QStringLiteral("BS-C2"), QStringLiteral("100")));
    QFile again(userPartsLibraryPath());
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), broken);
}

TEST_F(PartsLibraryScreen, ExportsAndImportsMergingOrReplacingAfterCheckingTheFile) {
    PartsLibrary library;
    library.definitions.setCableType(Eco);
    library.prices = {{QStringLiteral("BS-C2"), 1200}};
    writePartsLibraryFile(userPartsLibraryPath(), library);
    PartsLibraryDialog* dialog = openLibrary();
    QTemporaryDir dir;
    const QString exported = dir.filePath(QStringLiteral("mine.json"));
    platform.fileAnswers = {exported};
    ASSERT_TRUE(named<QPushButton>(dialog, "exportLibrary")->isEnabled());
    EXPECT_TRUE(dialog->exportLibrary());
    EXPECT_EQ(readPartsLibraryFile(exported), library);

    ASSERT_TRUE(dialog->setPrice(QStringLiteral("BS-C2"), QStringLiteral("800")));
    ASSERT_TRUE(dialog->setPrice(QStringLiteral("CS-C4"), QStringLiteral("900")));
    EXPECT_TRUE(dialog->importLibraryFile(exported, false)); // merged: BS-C2 back, CS-C4 kept
    EXPECT_EQ(dialog->library().prices.at(QStringLiteral("BS-C2")), 1200);
    EXPECT_EQ(dialog->library().prices.at(QStringLiteral("CS-C4")), 900);
    EXPECT_TRUE(dialog->importLibraryFile(exported, true)); // replaced: exactly the file
    EXPECT_EQ(readPartsLibraryFile(userPartsLibraryPath()), library);

    QFile bad(exported);
    ASSERT_TRUE(bad.open(QIODevice::Append) && bad.write("x") == 1);
    bad.close();
    platform.messages.clear();
    EXPECT_FALSE(dialog->importLibraryFile(exported, true));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("「mine.json」")));
    EXPECT_EQ(readPartsLibraryFile(userPartsLibraryPath()), library);
}

} // namespace
