#include "app/menu.h"

#include "catalog/catalog.h"
#include "common/programvalues.h"
#include "common/text.h"
#include "common/usersettings.h"
#include "common/version.h"
#include "network/ui/networkentry.h"
#include "platform/frame.h"
#include "print/ui/printer.h"
#include "project/ui/projectcommands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::terminal;

namespace miravel::app {

namespace {

QAction* addMenuItem(QMenuBar* bar, const char* name, const QString& caption) {
    QAction* action = bar->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Radio buttons in one group cannot be unchecked directly.
void clearOption(QRadioButton* option) {
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

QString withLiteralAmpersands(QString text) {
    return text.replace(u'&', QStringLiteral("&&"));
}

} // namespace

Menu::Menu(MenuJobs jobs, QWidget* parent) : QMainWindow(parent), jobs(std::move(jobs)) {
    setObjectName(QStringLiteral("Menu"));
    setWindowTitle(menuCaption());
    buildScreen();
    Form_Load();
}

void Menu::buildScreen() {
    al_cls = addMenuItem(menuBar(), "al_cls", QStringLiteral("新規作成"));
    D_Load = addMenuItem(menuBar(), "D_Load", QStringLiteral("読み込み"));
    D_save = addMenuItem(menuBar(), "D_save", QStringLiteral("書き込み"));
    Hp_Link = addMenuItem(menuBar(), "Hp_Link", QStringLiteral("作者ﾎｰﾑﾍﾟｰｼﾞ接続"));
    connect(al_cls, &QAction::triggered, this, [this] { newProjectCommand(this); });
    connect(D_Load, &QAction::triggered, this, [this] { loadProjectCommand(this); });
    connect(D_save, &QAction::triggered, this,
            [this] { saveProjectCommand(this, CommandOrigin::Menu); });
    connect(Hp_Link, &QAction::triggered, this, [] { openHomePage(); });
    Recent_m = new QMenu(QStringLiteral("最近使ったファイル"), this);
    Recent_m->setObjectName(QStringLiteral("Recent_m"));
    menuBar()->insertMenu(Hp_Link, Recent_m);
    connect(Recent_m, &QMenu::aboutToShow, this, &Menu::fillRecentMenu);
    fillRecentMenu();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    Label1 = named(new QLabel(central), "Label1");
    QFont titleFont = Label1->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = named(new QLabel(central), "Label2");
    Label2->setAlignment(Qt::AlignCenter);

    Frame1 = named(new QGroupBox(QStringLiteral("選　択"), central), "Frame1");
    auto* options = new QVBoxLayout(Frame1);
    Option1 = named(new QRadioButton(Frame1), "Option1");
    Option2 = named(new QRadioButton(Frame1), "Option2");
    Option3 = named(new QRadioButton(Frame1), "Option3");
    Option4 = named(new QRadioButton(Frame1), "Option4");
    options->addWidget(Option1);
    options->addWidget(Option2);
    options->addWidget(Option3);
    options->addWidget(Option4);

    Command1 = named(new QPushButton(QStringLiteral("スタート"), central), "Command1");
    Command2 = named(new QPushButton(QStringLiteral("終　了"), central), "Command2");
    connect(Command1, &QPushButton::clicked, this, &Menu::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Menu::Command2_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addSpacing(8);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);
    setCentralWidget(central);
    // Wide enough for every menu-bar item to show, the home-page link included.
    setMinimumWidth(menuBar()->sizeHint().width() + 24);
}

// The catalogue is loaded when a screen or command first needs it: the menu
// shows none of it.
void Menu::Form_Load() {
    Label1->setText(titleLabelText());
    Label2->setText(creditLine());
    Option1->setText(QStringLiteral("アンテナからブースター入り口まで計算"));
    Option2->setText(QStringLiteral("分配器又はﾌﾞｰｽﾀｰ出力から端末までの計算"));
    Option3->setText(QStringLiteral("登録データ参照"));
    Option4->setText(QStringLiteral("建物全体の配線網（全端子の一括計算）"));
    printerFont().family = QStringLiteral("ＭＳ 明朝");
    printerFont().size = 8.9f;
    Prt_FontSize = 8.0f;
}

void Menu::Command1_Click() {
    ensureCatalogue();
    if (Option1->isChecked()) {
        jobs.showDenkai();
        clearOption(Option1);
    }
    if (Option2->isChecked()) {
        jobs.showTerminal();
        clearOption(Option2);
    }
    if (Option3->isChecked()) {
        jobs.showBoard();
        clearOption(Option3);
    }
    if (Option4->isChecked()) {
        NetworkEntry::showNetworkScreen();
        clearOption(Option4);
    }
}

void Menu::Command2_Click() {
    jobs.closeWorkScreens();
    close();
}

void Menu::fillRecentMenu() {
    Recent_m->clear();
    const QStringList recent = UserSettings::existingRecentProjects();
    if (recent.isEmpty()) {
        Recent_m->addAction(QStringLiteral("（なし）"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < recent.size(); ++i) {
        const QFileInfo file(recent[i]);
        // "&1" is the item's mnemonic; an "&" in a name is shown as itself.
        const QString caption =
            QStringLiteral("&%1  %2  （%3）")
                .arg(i + 1)
                .arg(withLiteralAmpersands(file.fileName()),
                     withLiteralAmpersands(QDir::toNativeSeparators(file.absolutePath())));
        QAction* item = Recent_m->addAction(caption);
        item->setObjectName(QStringLiteral("Recent_%1").arg(i + 1));
        item->setToolTip(recent[i]);
        const QString path = recent[i];
        connect(item, &QAction::triggered, this, [this, path] { loadProjectFile(this, path); });
    }
}

} // namespace miravel::app
