// The parts library window's commands: between the network and the library,
// prices, import and export.

#include "common/errors.h"
#include "network/ui/networkdocument.h"
#include "network/ui/partslibrarydialog.h"
#include "network/ui/partslibrarymodel.h"
#include "platform/platform.h"

#include <QFileInfo>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QTableView>
#include <algorithm>

using namespace miravel::common;
using namespace miravel::platform;

namespace miravel::network {

namespace {

const QStringList FileFilters{QStringLiteral("部品ライブラリ (*.json)"),
                              QStringLiteral("すべてのファイル (*)")};

QString quotedNames(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names)
        quoted << QStringLiteral("「%1」").arg(name);
    return quoted.join(QString());
}

bool confirmReplace(QWidget* parent, const QString& where, const QStringList& clashes,
                    const QString& by) {
    if (clashes.isEmpty()) return true;
    return Platform::confirm(parent,
                             {where + quotedNames(clashes) + QStringLiteral("は内容が違います。") +
                                  by + QStringLiteral("で置き換えますか？"),
                              parent->windowTitle(), QMessageBox::Question});
}

// The chosen names that `into` lacks or holds differently.
bool changesAnything(const Network& from, const DefinitionChoice& choice, const Network& into) {
    for (const QString& name : choice.cableTypes)
        if (!into.cableType(name)) return true;
    for (const QString& name : choice.userComponents)
        if (!into.userComponent(name)) return true;
    return !clashingDefinitions(from, choice, into).isEmpty();
}

} // namespace

bool PartsLibraryDialog::addSelectedToLibrary() {
    DefinitionChoice choice;
    for (const QListWidgetItem* item : networkList->selectedItems())
        (item->data(Qt::UserRole).toBool() ? choice.cableTypes : choice.userComponents)
            << item->data(Qt::UserRole + 1).toString();
    if (choice.isEmpty())
        return refuse(QStringLiteral("ライブラリに追加する定義を、左の一覧で選んでください。"));
    m_store.reload(); // another window may have changed it
    PartsLibrary changed = library();
    const Network& net = m_document->network();
    if (!confirmReplace(this, QStringLiteral("ライブラリの"),
                        clashingDefinitions(net, choice, changed.definitions),
                        QStringLiteral("このネットワークの定義")))
        return false;
    try {
        copyDefinitions(net, choice, changed.definitions);
    } catch (const UserError& e) {
        return refuse(e.message());
    }
    return save(changed);
}

bool PartsLibraryDialog::useSelectedInNetwork() {
    DefinitionChoice choice;
    for (const QModelIndex& index : libraryTable->selectionModel()->selectedRows()) {
        const auto kind = m_model->kindAt(index.row());
        if (kind == PartsLibraryModel::RowKind::CableType)
            choice.cableTypes << m_model->nameAt(index.row());
        if (kind == PartsLibraryModel::RowKind::UserComponent)
            choice.userComponents << m_model->nameAt(index.row());
    }
    if (choice.isEmpty())
        return refuse(QStringLiteral("使用するケーブル種別かユーザー部品を、"
                                     "ライブラリの表で選んでください。"));
    const Network from = library().definitions;
    if (!changesAnything(from, choice, m_document->network()))
        return refuse(QStringLiteral("選んだ定義は、このネットワークに同じ内容で定義済みです。"));
    if (!confirmReplace(this, QStringLiteral("このネットワークの"),
                        clashingDefinitions(from, choice, m_document->network()),
                        QStringLiteral("ライブラリの定義")))
        return false;
    const QString refusal = m_document->edit(QStringLiteral("部品ライブラリから使用"),
                                             [&](Network& n) { copyDefinitions(from, choice, n); });
    return refusal.isEmpty() || refuse(refusal);
}

bool PartsLibraryDialog::removeSelectedFromLibrary() {
    const QModelIndexList rows = libraryTable->selectionModel()->selectedRows();
    if (rows.isEmpty()) return refuse(QStringLiteral("削除する行を選んでください。"));
    if (!Platform::confirm(this, {QStringLiteral("選んだ %1 行を部品ライブラリから削除します"
                                                 "（カタログの行は単価だけを消します）。"
                                                 "よろしいですか？")
                                      .arg(rows.size()),
                                  windowTitle(), QMessageBox::Question}))
        return false;
    m_store.reload();
    PartsLibrary changed = library();
    std::vector<CableType> cables = changed.definitions.cableTypes();
    std::vector<UserComponent> users = changed.definitions.userComponents();
    for (const QModelIndex& index : rows) {
        const QString name = m_model->nameAt(index.row());
        const auto kind = m_model->kindAt(index.row());
        if (kind == PartsLibraryModel::RowKind::CableType)
            cables.erase(std::remove_if(cables.begin(), cables.end(),
                                        [&](const CableType& c) { return c.name == name; }),
                         cables.end());
        if (kind == PartsLibraryModel::RowKind::UserComponent)
            users.erase(std::remove_if(users.begin(), users.end(),
                                       [&](const UserComponent& u) { return u.name == name; }),
                        users.end());
        changed.prices.erase(name);
    }
    changed.definitions.setDefinitions(cables, users);
    return save(changed);
}

bool PartsLibraryDialog::setPrice(const QString& name, const QString& text) {
    m_store.reload();
    PartsLibrary changed = library();
    try {
        setUnitPrice(changed, name, unitPriceOfText(text));
    } catch (const UserError& e) {
        return refuse(e.message());
    }
    return save(changed);
}

bool PartsLibraryDialog::importLibrary(bool replace) {
    const QString path =
        Platform::fileDialog(this, Platform::FileDialogKind::Open, QString(), FileFilters);
    return !path.isEmpty() && importLibraryFile(path, replace);
}

bool PartsLibraryDialog::importLibraryFile(const QString& path, bool replace) {
    PartsLibrary imported;
    try {
        imported = readPartsLibraryFile(path); // checked whole before anything changes
    } catch (const UserError& e) {
        return refuse(e.message());
    }
    const QString name = QFileInfo(path).fileName();
    if (!replace) {
        m_store.reload();
        if (!Platform::confirm(this, {QStringLiteral("「%1」の定義と単価を部品ライブラリに加えます"
                                                     "（統合）。同じ名前のものは読み込む内容で"
                                                     "置き換えます。よろしいですか？")
                                          .arg(name),
                                      windowTitle(), QMessageBox::Question}))
            return false;
        try {
            return save(mergedLibrary(library(), imported));
        } catch (const UserError& e) {
            return refuse(e.message());
        }
    }
    if (!Platform::confirm(this, {QStringLiteral("部品ライブラリを「%1」の内容で置き換えます。"
                                                 "今のライブラリの定義と単価はすべてなくなります。"
                                                 "よろしいですか？")
                                      .arg(name),
                                  windowTitle(), QMessageBox::Question}))
        return false;
    try {
        const QString kept = m_store.replaceBroken(imported);
        showLibrary();
        if (!kept.isEmpty())
            Platform::message(this,
                              QStringLiteral("読み込めなかった部品ライブラリは「%1」として"
                                             "残してあります。")
                                  .arg(QFileInfo(kept).fileName()),
                              windowTitle(), QMessageBox::Information);
    } catch (const UserError& e) {
        showLibrary();
        return refuse(e.message());
    }
    return true;
}

bool PartsLibraryDialog::exportLibrary() {
    const QString path = Platform::fileDialog(this, Platform::FileDialogKind::Save,
                                              QStringLiteral("parts-library.json"), FileFilters);
    if (path.isEmpty() || !Platform::mayReplace(this, path)) return false;
    try {
        writePartsLibraryFile(path, library());
    } catch (const UserError& e) {
        return refuse(e.message());
    }
    return true;
}

} // namespace miravel::network
