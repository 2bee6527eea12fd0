#include "network/ui/partslibrarymodel.h"

#include "common/errors.h"
#include "common/numval.h"
#include "network/catalogparts.h"
#include "network/definitionrows.h"

#include <QLocale>
#include <set>

using namespace miravel::common;

namespace miravel::network {

namespace {

const ComponentKind CatalogueKinds[] = {ComponentKind::Distributor, ComponentKind::Brancher,
                                        ComponentKind::SeriesUnit, ComponentKind::Outlet};

// The losses of a cable row, as the definitions dialog shows them.
QString cableDetail(const QStringList& row) {
    QStringList cells = row.mid(1);
    for (QString& cell : cells)
        if (cell.isEmpty()) cell = QStringLiteral("--");
    return QStringLiteral("損失 dB/100m: ") + cells.join(QStringLiteral(" / "));
}

} // namespace

QString unitPriceText(std::optional<double> yen) {
    if (!yen) return {};
    return QLocale(QLocale::Japanese).toString(*yen, 'f', QLocale::FloatingPointShortest);
}

std::optional<double> unitPriceOfText(const QString& text) {
    QString plain = text.trimmed();
    plain.remove(u',').remove(u'，');
    if (plain.endsWith(u'円')) plain.chop(1);
    if (plain.isEmpty()) return std::nullopt;
    if (!isNumberText(plain))
        throw UserError(QStringLiteral("単価「%1」は数値ではありません。").arg(text.left(40)));
    return numberTextValue(plain);
}

PartsLibraryModel::PartsLibraryModel(QObject* parent) : QAbstractTableModel(parent) {}

void PartsLibraryModel::addRow(RowKind kind, const QString& name, const QString& kindText,
                               const QString& detail) {
    m_rows.push_back(Row{kind, name, kindText, detail});
}

void PartsLibraryModel::setLibrary(const PartsLibrary& library, bool editable) {
    beginResetModel();
    m_rows.clear();
    m_prices = library.prices;
    m_editable = editable;
    const Network& defs = library.definitions;
    for (const QStringList& row : cableTypeRows(defs))
        addRow(RowKind::CableType, row.value(0), QStringLiteral("ケーブル種別"), cableDetail(row));
    for (const UserComponent& user : defs.userComponents())
        addRow(RowKind::UserComponent, user.name, componentKindName(ComponentKind::User),
               QStringLiteral("端子 %1 個").arg(user.ports.size()));
    for (const QString& name : catalogueCoaxNames())
        addRow(RowKind::CatalogueCoax, name, QStringLiteral("同軸ケーブル（カタログ）"));
    for (ComponentKind kind : CatalogueKinds)
        for (const QString& name : catalogueModelNames(kind))
            addRow(RowKind::CatalogueModel, name, componentKindName(kind));
    std::set<QString> shown;
    for (const Row& row : m_rows)
        shown.insert(row.name);
    for (const auto& [name, yen] : m_prices)
        if (!shown.count(name))
            addRow(RowKind::PriceOnly, name, QStringLiteral("単価のみ"),
                   QStringLiteral("ライブラリにも カタログにもない名前"));
    endResetModel();
}

int PartsLibraryModel::rowOf(const QString& name) const {
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].name == name) return int(i);
    return -1;
}

int PartsLibraryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PartsLibraryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PartsLibraryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const Row& row = m_rows.at(size_t(index.row()));
    const auto price = m_prices.find(row.name);
    const std::optional<double> yen =
        price == m_prices.end() ? std::nullopt : std::optional<double>(price->second);
    if (role == Qt::TextAlignmentRole && index.column() == PriceColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (index.column()) {
    case KindColumn:
        return row.kindText;
    case NameColumn:
        return row.name;
    case PriceColumn:
        return unitPriceText(yen);
    case UnitColumn:
        if (row.kind == RowKind::PriceOnly) return QStringLiteral("円"); // piece or metre unknown
        return row.kind == RowKind::CableType || row.kind == RowKind::CatalogueCoax
                   ? QStringLiteral("円/m")
                   : QStringLiteral("円/個");
    case DetailColumn:
        return row.detail;
    default:
        return {};
    }
}

QVariant PartsLibraryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const Titles[] = {"種類", "名前", "単価", "単位", "内容"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(Titles[section]) : QVariant();
}

Qt::ItemFlags PartsLibraryModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && index.column() == PriceColumn) f |= Qt::ItemIsEditable;
    return f;
}

bool PartsLibraryModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() != PriceColumn || !m_editable)
        return false;
    emit priceEdited(nameAt(index.row()), value.toString());
    return false; // the owner shows the library again once it is saved
}

} // namespace miravel::network
