#include "network/ui/designdialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace miravel::network {

DesignDialog::DesignDialog(const QStringList& lines, bool passes, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DesignDialog"));
    setWindowTitle(QStringLiteral("自動設計"));
    heading = new QLabel(passes ? QStringLiteral("次のように変更します。よろしいですか？")
                                : QStringLiteral("基準を満たせない端子が残ります。"
                                                 "余裕の最も大きい設計に変更しますか？"));
    heading->setObjectName(QStringLiteral("designHeading"));
    changeList = new QListWidget;
    changeList->setObjectName(QStringLiteral("designChanges"));
    changeList->addItems(lines);
    auto* buttons = new QDialogButtonBox;
    QPushButton* apply = buttons->addButton(QStringLiteral("適用"), QDialogButtonBox::AcceptRole);
    apply->setObjectName(QStringLiteral("applyDesign"));
    apply->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelDesign"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(changeList);
    layout->addWidget(buttons);
    resize(640, 420);
}

} // namespace miravel::network
