#include "network/tvdnfile.h"

#include "common/errors.h"
#include "common/oserror.h"
#include "common/wholefile.h"
#include "network/catalogparts.h"
#include "network/checkedjson.h"
#include "network/jsonkeys.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cerrno>
#include <cmath>
#include <iterator>
#include <string_view>
#include <unordered_map>

using namespace miravel::common;

namespace miravel::network {

namespace {

using namespace json;

const char* const KindKeys[] = {"distributor", "brancher", "seriesUnit",
                                "outlet",      "user",     "booster"};
const char* const SourceKeys[] = {"typed", "terminal", "boosterInput"};
const char* const CnSourceKeys[] = {"none", "typed", "fieldStrength"};
const char* const JudgingKeys[] = {"catalogue", "bandEdges"};
// Version 1 held four bands and a cable type's loss at the catalogue columns.
constexpr int Version1 = 1;

// A band array of the file's version: four values in version 1, five after.
Elements bandArray(const Fields& f, const char* key, int bands) {
    const Elements a = f.array(key);
    if (a.size() != size_t(bands))
        refuse(f.path(key), QStringLiteral("帯域ごとに %1 つの値が必要です。").arg(bands));
    return a;
}

int bandsOf(int version) {
    return version == Version1 ? BandCount : NetBandCount;
}

// Version 1's four values; the left band takes BS's.
NetBandValues bandValues(const Fields& f, const char* key, double low, double high, int version) {
    NetBandValues v{};
    bandArray(f, key, bandsOf(version)).each([&](const JsonValue& e, int b) {
        v[size_t(b)] = Fields::checkedNumber(e, at(f.path(key), b), low, high);
    });
    if (version == Version1) v[LeftBand] = v[BS];
    return v;
}

// Version 1's parts carry no left band: not rated for it.
BandLoss bandLoss(const Fields& f, const char* key, double low, double high, int version) {
    BandLoss v{};
    bandArray(f, key, bandsOf(version)).each([&](const JsonValue& e, int b) {
        if (!e.is_null()) v[size_t(b)] = Fields::checkedNumber(e, at(f.path(key), b), low, high);
    });
    return v;
}

template <size_t N> int keyIndex(const char* const (&keys)[N], const QString& key) {
    for (size_t i = 0; i < N; ++i)
        if (key == QLatin1String(keys[i])) return int(i);
    return -1;
}

template <size_t N>
int keyOf(const Fields& f, const char* key, const char* const (&keys)[N], const char* listed) {
    const int index = keyIndex(keys, f.text(key));
    if (index < 0)
        refuse(f.path(key), QStringLiteral("%1 のどれかです。").arg(QString::fromUtf8(listed)));
    return index;
}

HeadEnd readHead(const JsonValue& v, const Place& path, int version) {
    const Fields f(v, path, {"source", "levels", "gain", "cnSource", "incomingCn", "noiseFigure"});
    HeadEnd head;
    head.source = HeadSource(keyOf(f, "source", SourceKeys, "typed、terminal、boosterInput"));
    head.levels = bandValues(f, "levels", MinHeadLevel, MaxHeadLevel, version);
    head.gain = bandValues(f, "gain", MinHeadLevel, MaxHeadLevel, version);
    if (version == Version1) {
        if (f.has("cnSource") || f.has("incomingCn") || f.has("noiseFigure"))
            refuse(path, QStringLiteral("版 1 のファイルには C/N の項目はありません。"));
        return head;
    }
    head.cnSource = CnSource(keyOf(f, "cnSource", CnSourceKeys, "none、typed、fieldStrength"));
    head.incomingCn = bandValues(f, "incomingCn", MinCn, MaxCn, version);
    head.noiseFigure = bandValues(f, "noiseFigure", 0, MaxNoiseFigure, version);
    return head;
}

// Runs a network edit, turning its refusal into one of this place.
template <typename Edit> void apply(const Place& path, Edit edit) {
    try {
        edit();
    } catch (const UserError& e) {
        refuse(path, e.message());
    }
}

// Version 1's losses at the catalogue columns become points; a type not
// rated above some column stays so.
CableType version1Cable(const Fields& f) {
    const BandLoss loss = bandLoss(f, "lossPer100m", 0, MaxCableLossPer100m, Version1);
    return cableTypeAtColumns(f.text("name"), {loss[VHF], loss[UHF], loss[BS], loss[CS]});
}

CableType readCable(const JsonValue& v, const Place& path, int version) {
    if (version == Version1) return version1Cable(Fields(v, path, {"name", "lossPer100m"}));
    const Fields f(v, path, {"name", "points", "ratedToMHz"});
    CableType cable{f.text("name"), {}, std::nullopt};
    const Elements points = f.array("points");
    if (points.size() > size_t(MaxCablePoints))
        refuse(f.path("points"), QStringLiteral("%1 組までです。").arg(MaxCablePoints));
    const Place pointsPlace = f.path("points");
    points.each([&](const JsonValue& point, int p) {
        const Place here = at(pointsPlace, p);
        JsonArray pair;
        if (point.get(pair) != simdjson::SUCCESS || pair.size() != 2)
            refuse(here, QStringLiteral("[周波数 MHz, 100 m あたりの損失 dB] が必要です。"));
        cable.points.push_back(
            LossPoint{Fields::checkedNumber(pair.at(0), at(here, 0), MinCableMHz, MaxCableMHz),
                      Fields::checkedNumber(pair.at(1), at(here, 1), 0, MaxCableLossPer100m)});
    });
    if (f.has("ratedToMHz")) cable.ratedToMHz = f.number("ratedToMHz", MinCableMHz, MaxCableMHz);
    return cable;
}

void readDefinitions(const Fields& root, Network& net, int version) {
    const Place cablesPlace = root.path("cableTypes");
    root.array("cableTypes", true).each([&](const JsonValue& v, int i) {
        const Place path = at(cablesPlace, i);
        const CableType cable = readCable(v, path, version);
        if (net.cableType(cable.name))
            refuse(at(path, "name"), QStringLiteral("名前が重複しています。"));
        apply(path, [&] { net.setCableType(cable); });
    });
    const Place usersPlace = root.path("userComponents");
    root.array("userComponents", true).each([&](const JsonValue& v, int i) {
        const Place path = at(usersPlace, i);
        const Fields f(v, path, {"name", "ports"});
        UserComponent user{f.text("name"), {}};
        const Elements ports = f.array("ports");
        if (ports.size() == 0 || ports.size() > size_t(MaxUserPorts))
            refuse(f.path("ports"), QStringLiteral("端子は 1～%1 個です。").arg(MaxUserPorts));
        const Place portsPlace = f.path("ports");
        ports.each([&](const JsonValue& port, int p) {
            const Fields pf(port, at(portsPlace, p), {"outlet", "loss"});
            user.ports.push_back(UserPort{bandLoss(pf, "loss", MinUserLoss, MaxUserLoss, version),
                                          pf.flag("outlet")});
        });
        if (net.userComponent(user.name))
            refuse(f.path("name"), QStringLiteral("名前が重複しています。"));
        apply(path, [&] { net.setUserComponent(user); });
    });
}

BoosterSpec readBooster(const JsonValue& v, const Place& path) {
    const Fields f(v, path, {"gain", "noiseFigure", "maxOutput", "minInput"});
    const int version = NetworkFormatVersion;
    return BoosterSpec{bandLoss(f, "gain", MinBoosterGain, MaxBoosterGain, version),
                       bandValues(f, "noiseFigure", 0, MaxNoiseFigure, version),
                       bandValues(f, "maxOutput", MinHeadLevel, MaxHeadLevel, version),
                       bandValues(f, "minInput", MinHeadLevel, MaxHeadLevel, version)};
}

// The catalogue's model names of each kind, looked up once per file.
using ModelNames = std::array<QStringList, std::size(KindKeys)>;
ModelNames modelNames() {
    ModelNames names;
    for (size_t k = 0; k < names.size(); ++k)
        names[k] = catalogueModelNames(ComponentKind(k));
    return names;
}

// Thrown out of a read that was asked to stop.
struct Stopped {};

struct Reader {
    Network& net;
    int version = NetworkFormatVersion;
    const std::atomic<bool>* stop = nullptr;
    int nodes = 0;
    const ModelNames names = modelNames();
    // Cable, floor and part names, and catalogue models, as the file spells
    // them: converted and checked once however many nodes name them (the
    // views point into the parsed document, which outlives the reader).
    std::unordered_map<std::string_view, QString> texts = {};
    std::unordered_map<std::string_view, int> models[std::size(KindKeys)] = {};

    QString shared(std::string_view text, const Place& path) {
        const auto found = texts.find(text);
        if (found != texts.end()) return found->second;
        return texts.emplace(text, Fields::checkedText(text, path)).first->second;
    }

    // 1-based row of a catalogue model of the kind.
    int model(int kind, std::string_view text, const Place& path) {
        const auto found = models[kind].find(text);
        if (found != models[kind].end()) return found->second;
        const QString name = Fields::checkedText(text, path);
        const int row = int(names[size_t(kind)].indexOf(name)) + 1;
        if (row == 0)
            refuse(path,
                   QStringLiteral("カタログにない型式「%1」です。").arg(fileTextExcerpt(name)));
        return models[kind].emplace(text, row).first->second;
    }

    Component readComponent(const JsonValue& v, const Place& path) {
        const Fields f(v, path, {"kind", "model", "endUnit", "booster"});
        Component c;
        const std::string_view kindKey = f.view("kind");
        const auto kind = std::find(std::begin(KindKeys), std::end(KindKeys), kindKey);
        c.kind = ComponentKind(kind - std::begin(KindKeys));
        if (kind == std::end(KindKeys) || (version == Version1 && c.kind == ComponentKind::Booster))
            refuse(f.path("kind"), QStringLiteral("部品の種類が不明です。"));
        const std::string_view model = f.view("model");
        if (f.has("booster") != (c.kind == ComponentKind::Booster))
            refuse(f.path("booster"), QStringLiteral("ブースターだけに、必ず指定します。"));
        if (c.kind == ComponentKind::Booster) {
            c.userName = shared(model, f.path("model"));
            c.booster = readBooster(f.value("booster"), f.path("booster"));
        } else if (c.kind == ComponentKind::User) {
            c.userName = shared(model, f.path("model"));
        } else {
            c.model = this->model(int(c.kind), model, f.path("model"));
        }
        c.endUnit = f.flag("endUnit");
        if (c.endUnit && c.kind != ComponentKind::SeriesUnit)
            refuse(f.path("endUnit"), QStringLiteral("直列ユニットだけに指定できます。"));
        return c;
    }

    void readNodes(const Elements& list, const Place& path, NodeId parent, int depth) {
        if (list.size() > 0 && depth > MaxNetworkDepth)
            refuse(path, QStringLiteral("階層は %1 段までです。").arg(MaxNetworkDepth));
        list.each([&](const JsonValue& v, int i) {
            if (stop && stop->load(std::memory_order_relaxed)) throw Stopped{};
            if (++nodes > MaxNetworkNodes)
                refuse(at(path, i),
                       QStringLiteral("ノードは %1 個までです。").arg(MaxNetworkNodes));
            const Place here = at(path, i);
            const Fields f(v, here, {"port", "coax", "component", "room", "floor", "children"});
            NodeSetup setup;
            const int port = int(f.number("port", 0, MaxPortIndex));
            if (port != f.number("port", 0, MaxPortIndex))
                refuse(f.path("port"), QStringLiteral("整数が必要です。"));
            const Fields coax(f.value("coax"), f.path("coax"), {"cable", "metres"});
            setup.coax = {shared(coax.view("cable"), coax.path("cable")),
                          coax.number("metres", 0, MaxRunMetres)};
            setup.component = readComponent(f.value("component"), f.path("component"));
            setup.room = f.text("room", true);
            setup.floor = shared(f.view("floor", true), f.path("floor"));
            NodeId id = 0;
            apply(here, [&] { id = net.appendChild(parent, port, std::move(setup), depth); });
            readNodes(f.array("children", true), f.path("children"), id, depth + 1);
        });
    }
};

QJsonArray bandJson(const NetBandValues& v) {
    QJsonArray a;
    for (double d : v)
        a.append(d);
    return a;
}
QJsonArray bandJson(const BandLoss& v) {
    QJsonArray a;
    for (const auto& d : v)
        a.append(d ? QJsonValue(*d) : QJsonValue(QJsonValue::Null));
    return a;
}

QJsonArray nodesJson(const Network& net, NodeId parent, const ModelNames& names) {
    QJsonArray list;
    for (NodeId id : net.children(parent)) {
        const NetNode& n = net.node(id);
        const Component& c = n.setup.component;
        QJsonObject component{{"kind", KindKeys[int(c.kind)]}};
        const bool named = c.kind == ComponentKind::User || c.kind == ComponentKind::Booster;
        component["model"] = named ? c.userName : names[size_t(c.kind)].value(c.model - 1);
        if (c.endUnit) component["endUnit"] = true;
        if (c.kind == ComponentKind::Booster)
            component["booster"] = QJsonObject{{"gain", bandJson(c.booster->gain)},
                                               {"noiseFigure", bandJson(c.booster->noiseFigure)},
                                               {"maxOutput", bandJson(c.booster->maxOutput)},
                                               {"minInput", bandJson(c.booster->minInput)}};
        QJsonObject o{
            {"port", n.parentPort},
            {"coax", QJsonObject{{"cable", n.setup.coax.cable}, {"metres", n.setup.coax.metres}}},
            {"component", component}};
        if (!n.setup.room.isEmpty()) o["room"] = n.setup.room;
        if (!n.setup.floor.isEmpty()) o["floor"] = n.setup.floor;
        if (!n.children.empty()) o["children"] = nodesJson(net, id, names);
        list.append(o);
    }
    return list;
}

QString refusalMessage(const QString& fileName, const QString& detail) {
    return QStringLiteral("「%1」はネットワークファイルとして読み込めません。").arg(fileName) +
           QChar(13) + detail;
}

} // namespace

QByteArray encodeNetwork(const Network& net) {
    QJsonObject root{{"format", NetworkFormatName}, {"version", NetworkFormatVersion}};
    const HeadEnd& head = net.head;
    root["headEnd"] = QJsonObject{{"source", SourceKeys[int(head.source)]},
                                  {"levels", bandJson(head.levels)},
                                  {"gain", bandJson(head.gain)},
                                  {"cnSource", CnSourceKeys[int(head.cnSource)]},
                                  {"incomingCn", bandJson(head.incomingCn)},
                                  {"noiseFigure", bandJson(head.noiseFigure)}};
    root["cableJudging"] = JudgingKeys[head.judgeAtBandEdges ? 1 : 0];
    QJsonArray cables;
    for (const CableType& c : net.cableTypes()) {
        QJsonArray points;
        for (const LossPoint& p : c.points)
            points.append(QJsonArray{p.mhz, p.dbPer100m});
        QJsonObject cable{{"name", c.name}, {"points", points}};
        if (c.ratedToMHz) cable["ratedToMHz"] = *c.ratedToMHz;
        cables.append(cable);
    }
    root["cableTypes"] = cables;
    QJsonArray users;
    for (const UserComponent& u : net.userComponents()) {
        QJsonArray ports;
        for (const UserPort& p : u.ports)
            ports.append(QJsonObject{{"outlet", p.outlet}, {"loss", bandJson(p.loss)}});
        users.append(QJsonObject{{"name", u.name}, {"ports", ports}});
    }
    root["userComponents"] = users;
    root["nodes"] = nodesJson(net, HeadEndId, modelNames());
    // Compact: the size cap is reckoned on this form.
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

namespace {

Network decode(QByteArray bytes, const QString& fileName, const std::atomic<bool>* stop) {
    if (bytes.size() > MaxNetworkFileBytes)
        throw UserError(refusalMessage(fileName, QStringLiteral("ファイルが大きすぎます。")));
    if (!jsonItemsWithin(bytes, MaxNetworkFileItems))
        throw UserError(refusalMessage(fileName, QStringLiteral("ファイルの項目が多すぎます。")));
    simdjson::dom::parser parser;
    JsonValue document;
    if (const auto unreadable = parseJson(parser, std::move(bytes), document))
        throw UserError(refusalMessage(fileName, *unreadable));
    try {
        const Place whole;
        const Fields root(document, whole,
                          {"format", "version", "headEnd", "cableJudging", "cableTypes",
                           "userComponents", "nodes"});
        if (root.text("format") != QLatin1String(NetworkFormatName))
            refuse(root.path("format"), QStringLiteral("ネットワークファイルではありません。"));
        const double version = root.number("version", 0, 1e9);
        if (version != Version1 && version != NetworkFormatVersion)
            refuse(root.path("version"), QStringLiteral("この版のファイルは読めません。"));
        Network net;
        HeadEnd head = readHead(root.value("headEnd"), root.path("headEnd"), int(version));
        if (version != Version1)
            head.judgeAtBandEdges =
                keyOf(root, "cableJudging", JudgingKeys, "catalogue、bandEdges") == 1;
        else if (root.has("cableJudging"))
            refuse(root.path("cableJudging"), QStringLiteral("版 1 のファイルにはない項目です。"));
        apply(root.path("headEnd"), [&] { net.setHead(head); });
        readDefinitions(root, net, int(version));
        Reader{net, int(version), stop}.readNodes(root.array("nodes"), root.path("nodes"),
                                                  HeadEndId, 1);
        return net;
    } catch (const Refusal& r) {
        throw UserError(refusalMessage(fileName, refusalDetail(r)));
    }
}

} // namespace

Network decodeNetwork(const QByteArray& bytes, const QString& fileName) {
    return decode(bytes, fileName, nullptr);
}

Network readNetworkFile(const QString& path) {
    return decode(readWholeFile(path, MaxNetworkFileBytes), QFileInfo(path).fileName(), nullptr);
}

std::optional<Network> readNetworkFile(const QString& path, const std::atomic<bool>& stop) {
    try {
        return decode(readWholeFile(path, MaxNetworkFileBytes), QFileInfo(path).fileName(), &stop);
    } catch (const Stopped&) {
        return std::nullopt;
    }
}

void writeNetworkFile(const QString& path, const Network& network) {
    const QString name = QFileInfo(path).fileName();
    const WriteResult result = writeFileBytes(path, encodeNetwork(network));
    if (result.ok()) return;
    if (!result.refusal.isEmpty()) throw UserError(result.refusal);
    if (!result.opened)
        throw UserError(QStringLiteral("「%1」を作成できません（%2）。保存を中止しました。")
                            .arg(name, systemErrorText(result.error)));
    throw UserError(QStringLiteral("「%1」の書き込みに失敗しました（%2）。"
                                   "元のファイルは変更されていません。")
                        .arg(name, systemErrorText(result.error)));
}

} // namespace miravel::network
