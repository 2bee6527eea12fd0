#include "network/ui/partslibrarydialog.h"

#include "common/errors.h"
#include "network/ui/networkdocument.h"
#include "network/ui/partslibrarymodel.h"
#include "platform/platform.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

using namespace miravel::common;
using namespace miravel::platform;

namespace miravel::network {

namespace {

// Which definition a list item stands for.
constexpr int IsCableRole = Qt::UserRole;
constexpr int NameRole = Qt::UserRole + 1;

QPushButton* namedButton(const char* name, const QString& text) {
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

PartsLibraryDialog::PartsLibraryDialog(NetworkDocument* document, QWidget* parent)
    : QDialog(parent), m_document(document), m_model(new PartsLibraryModel(this)) {
    setObjectName(QStringLiteral("PartsLibraryDialog"));
    setWindowTitle(QStringLiteral("部品ライブラリ"));
    buildForm();
    connect(
        m_model, &PartsLibraryModel::priceEdited, this,
        [this](const QString& name, const QString& text) { setPrice(name, text); },
        Qt::QueuedConnection); // after the editor has let go of the model
    connect(m_document, &NetworkDocument::changed, this,
            &PartsLibraryDialog::showNetworkDefinitions);
    showNetworkDefinitions();
    showLibrary();
    resize(1100, 640);
}

void PartsLibraryDialog::buildForm() {
    problemLabel = new QLabel;
    problemLabel->setObjectName(QStringLiteral("libraryProblem"));
    problemLabel->setWordWrap(true);
    problemLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
    auto* splitter = new QSplitter;
    splitter->addWidget(buildNetworkSide());
    splitter->addWidget(buildLibrarySide());
    splitter->setStretchFactor(1, 3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(problemLabel);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
}

QWidget* PartsLibraryDialog::buildNetworkSide() {
    auto* box = new QGroupBox(QStringLiteral("このネットワークの定義"));
    networkList = new QListWidget;
    networkList->setObjectName(QStringLiteral("networkDefinitionList"));
    networkList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    addButton = namedButton("addToLibrary", QStringLiteral("選択した定義をライブラリに追加 →"));
    connect(addButton, &QPushButton::clicked, this, &PartsLibraryDialog::addSelectedToLibrary);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(networkList, 1);
    layout->addWidget(addButton);
    return box;
}

QWidget* PartsLibraryDialog::buildLibrarySide() {
    auto* box = new QGroupBox(QStringLiteral(
        "部品ライブラリ（単価は円、ケーブルは 1 m あたり。単価の欄をダブルクリックして入力）"));
    libraryTable = new QTableView;
    libraryTable->setObjectName(QStringLiteral("libraryTable"));
    libraryTable->setModel(m_model);
    libraryTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    libraryTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    libraryTable->horizontalHeader()->setStretchLastSection(true);
    libraryTable->verticalHeader()->setDefaultSectionSize(libraryTable->fontMetrics().height() + 6);
    libraryTable->verticalHeader()->hide();
    useButton = namedButton("useInNetwork", QStringLiteral("← 使用"));
    removeButton = namedButton("removeFromLibrary", QStringLiteral("削除"));
    mergeButton = namedButton("importMerge", QStringLiteral("インポート（統合）..."));
    replaceButton = namedButton("importReplace", QStringLiteral("インポート（置き換え）..."));
    exportButton = namedButton("exportLibrary", QStringLiteral("エクスポート..."));
    connect(useButton, &QPushButton::clicked, this, &PartsLibraryDialog::useSelectedInNetwork);
    connect(removeButton, &QPushButton::clicked, this,
            &PartsLibraryDialog::removeSelectedFromLibrary);
    connect(mergeButton, &QPushButton::clicked, this, [this] { importLibrary(false); });
    connect(replaceButton, &QPushButton::clicked, this, [this] { importLibrary(true); });
    connect(exportButton, &QPushButton::clicked, this, &PartsLibraryDialog::exportLibrary);
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {useButton, removeButton, mergeButton, replaceButton, exportButton})
        row->addWidget(b);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(libraryTable, 1);
    layout->addLayout(row);
    return box;
}

void PartsLibraryDialog::showNetworkDefinitions() {
    networkList->clear();
    const Network& net = m_document->network();
    const auto add = [this](const QString& kind, const QString& name, bool cable) {
        auto* item = new QListWidgetItem(kind + QStringLiteral("　") + name, networkList);
        item->setData(IsCableRole, cable);
        item->setData(NameRole, name);
    };
    for (const CableType& c : net.cableTypes())
        add(QStringLiteral("ケーブル種別"), c.name, true);
    for (const UserComponent& u : net.userComponents())
        add(QStringLiteral("ユーザー部品"), u.name, false);
}

void PartsLibraryDialog::refresh() {
    m_store.reload();
    showLibrary();
}

void PartsLibraryDialog::showLibrary() {
    const bool broken = !m_store.problem().isEmpty();
    problemLabel->setVisible(broken);
    problemLabel->setText(
        broken ? QString(m_store.problem()).replace(QChar(13), u'\n') +
                     QStringLiteral("\nファイル「%1」はそのまま残してあります。"
                                    "「インポート（置き換え）」で別のライブラリに替えるまで、"
                                    "ライブラリは変更できません。")
                         .arg(QDir::toNativeSeparators(m_store.path()))
               : QString());
    m_model->setLibrary(m_store.library(), !broken);
    libraryTable->resizeColumnsToContents();
    // Room for a typed price before any is there.
    const int priceWidth =
        libraryTable->fontMetrics().horizontalAdvance(QStringLiteral("10,000,000.00"));
    if (libraryTable->columnWidth(PartsLibraryModel::PriceColumn) < priceWidth)
        libraryTable->setColumnWidth(PartsLibraryModel::PriceColumn, priceWidth);
    for (QPushButton* b : {addButton, useButton, removeButton, mergeButton, exportButton})
        b->setEnabled(!broken);
}

bool PartsLibraryDialog::refuse(const QString& message) {
    Platform::message(this, message, windowTitle(), QMessageBox::Warning);
    return false;
}

bool PartsLibraryDialog::save(const PartsLibrary& changed) {
    try {
        m_store.save(changed);
    } catch (const UserError& e) {
        showLibrary();
        return refuse(e.message());
    }
    showLibrary();
    return true;
}

} // namespace miravel::network
