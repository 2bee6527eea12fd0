// The floor of the start-up: the least a Qt program does to show what the
// start menu shows at its first paint (caption, icon, the menu bar with the
// recent-files menu and 使い方, the title and credit, the four job options and
// the two buttons) and nothing more. scripts/floors.sh counts its
// instructions beside the program's; with MIRAVEL_QUIT_AFTER_FIRST_PAINT set
// it ends right after its first paint, as the program does.

#include "common/text.h"
#include "common/usersettings.h"
#include "common/version.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>

using namespace miravel::common;

namespace {

// Ends at once after the first paint, as the program does when asked.
class EndAfterPaint : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::fflush(nullptr);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        return false;
    }
};

void fillMenuBar(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    for (const char* caption : {"新規作成", "読み込み", "書き込み"})
        bar->addAction(QString::fromUtf8(caption));
    QAction* link = bar->addAction(QStringLiteral("作者ﾎｰﾑﾍﾟｰｼﾞ接続"));
    auto* recent = new QMenu(QStringLiteral("最近使ったファイル"), &window);
    bar->insertMenu(link, recent);
    const QStringList files = UserSettings::existingRecentProjects();
    if (files.isEmpty()) recent->addAction(QStringLiteral("（なし）"))->setEnabled(false);
    for (const QString& file : files)
        recent->addAction(file);
    window.setMinimumWidth(bar->sizeHint().width() + 24);
    bar->addAction(QStringLiteral("使い方"));
    window.setMinimumWidth(bar->sizeHint().width() + 24);
}

QWidget* menuContent(QWidget* parent) {
    auto* central = new QWidget(parent);
    auto* layout = new QVBoxLayout(central);
    auto* title = new QLabel(titleLabelText(), central);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    auto* credit = new QLabel(creditLine(), central);
    credit->setAlignment(Qt::AlignCenter);
    auto* group = new QGroupBox(QStringLiteral("選　択"), central);
    auto* options = new QVBoxLayout(group);
    for (const char* job :
         {"アンテナからブースター入り口まで計算", "分配器又はﾌﾞｰｽﾀｰ出力から端末までの計算",
          "登録データ参照", "建物全体の配線網（全端子の一括計算）"})
        options->addWidget(new QRadioButton(QString::fromUtf8(job), group));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(new QPushButton(QStringLiteral("スタート"), central));
    buttons->addWidget(new QPushButton(QStringLiteral("終　了"), central));
    layout->addWidget(title);
    layout->addWidget(credit);
    layout->addSpacing(8);
    layout->addWidget(group);
    layout->addLayout(buttons);
    return central;
}

} // namespace

int main(int argc, char* argv[]) {
    setProgramIdentity();
    QApplication app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/miravel/miravel-128.png")));
    QMainWindow window;
    window.setWindowTitle(menuCaption());
    fillMenuBar(window);
    window.setCentralWidget(menuContent(&window));
    EndAfterPaint ender;
    if (qEnvironmentVariableIsSet("MIRAVEL_QUIT_AFTER_FIRST_PAINT"))
        window.installEventFilter(&ender);
    window.show();
    return app.exec();
}
