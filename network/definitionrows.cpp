#include "network/definitionrows.h"

#include "common/errors.h"
#include "common/numval.h"

#include <algorithm>

#include <QSet>

using namespace miravel::common;

namespace miravel::network {

namespace {

const QString OutletMark = QStringLiteral("端子");

[[noreturn]] void refuseRow(const QString& table, int row, const QString& why) {
    throw UserError(QStringLiteral("%1の %2 行目: %3").arg(table).arg(row + 1).arg(why));
}

BandLoss lossesOf(const QStringList& row, int first, const QString& table, int index) {
    BandLoss loss{};
    for (int b = 0; b < BandCount; ++b) {
        const QString text = row.value(first + b).trimmed();
        if (text.isEmpty() || text == QStringLiteral("--")) continue;
        if (!isNumberText(text))
            refuseRow(table, index, QStringLiteral("損失「%1」は数値ではありません。").arg(text));
        loss[size_t(b)] = NumVal(text);
    }
    return loss;
}

std::vector<CableType> cablesOf(const TextRows& rows) {
    const QString table = QStringLiteral("ケーブル種別");
    std::vector<CableType> cables;
    QSet<QString> names;
    for (int i = 0; i < rows.size(); ++i) {
        const QString name = rows[i].value(0).trimmed();
        if (names.contains(name))
            refuseRow(table, i, QStringLiteral("名前「%1」は二度目です。").arg(name));
        names.insert(name);
        cables.push_back(CableType{name, lossesOf(rows[i], 1, table, i)});
    }
    return cables;
}

std::vector<UserComponent> usersOf(const TextRows& rows) {
    const QString table = QStringLiteral("ユーザー部品");
    std::vector<UserComponent> users;
    QSet<QString> names;
    for (int i = 0; i < rows.size(); ++i) {
        const QString name = rows[i].value(0).trimmed();
        const UserPort port{lossesOf(rows[i], 2, table, i),
                            rows[i].value(1).trimmed() == OutletMark};
        if (!users.empty() && users.back().name == name) {
            users.back().ports.push_back(port);
            continue;
        }
        if (names.contains(name))
            refuseRow(table, i, QStringLiteral("部品「%1」の行は続けて並べてください。").arg(name));
        names.insert(name);
        users.push_back(UserComponent{name, {port}});
    }
    return users;
}

} // namespace

QString lossText(const std::optional<double>& loss) {
    return loss ? NumText(*loss) : QString();
}

TextRows cableTypeRows(const Network& network) {
    TextRows rows;
    for (const CableType& c : network.cableTypes()) {
        QStringList row{c.name};
        for (const auto& loss : c.lossPer100m)
            row << lossText(loss);
        rows << row;
    }
    return rows;
}

TextRows userComponentRows(const Network& network) {
    TextRows rows;
    for (const UserComponent& u : network.userComponents())
        for (const UserPort& p : u.ports) {
            QStringList row{u.name, p.outlet ? OutletMark : QString()};
            for (const auto& loss : p.loss)
                row << lossText(loss);
            rows << row;
        }
    return rows;
}

void replaceDefinitions(Network& network, const TextRows& cableRows, const TextRows& userRows) {
    const std::vector<CableType> cables = cablesOf(cableRows);
    const std::vector<UserComponent> users = usersOf(userRows);
    Network trial = network;
    for (size_t i = 0; i < cables.size(); ++i) {
        try {
            trial.setCableType(cables[i]);
        } catch (const UserError& e) {
            refuseRow(QStringLiteral("ケーブル種別"), int(i), e.message());
        }
    }
    int row = 0;
    for (const UserComponent& user : users) {
        try {
            trial.setUserComponent(user);
        } catch (const UserError& e) {
            refuseRow(QStringLiteral("ユーザー部品"), row, e.message());
        }
        row += int(user.ports.size());
    }
    const auto kept = [](const auto& list, const QString& name) {
        return std::any_of(list.begin(), list.end(), [&](const auto& d) { return d.name == name; });
    };
    for (const CableType& old : network.cableTypes())
        if (!kept(cables, old.name)) trial.removeCableType(old.name);
    for (const UserComponent& old : network.userComponents())
        if (!kept(users, old.name)) trial.removeUserComponent(old.name);
    network.setDefinitions(trial.cableTypes(), trial.userComponents());
}

} // namespace miravel::network
