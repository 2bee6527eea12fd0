#include "network/tvdnfile.h"

#include "common/errors.h"
#include "common/oserror.h"
#include "common/wholefile.h"
#include "network/catalogparts.h"
#include "network/jsonkeys.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <array>
#include <cerrno>
#include <cmath>
#include <iterator>

using namespace miravel::common;

namespace miravel::network {

namespace {

const char* const KindKeys[] = {"distributor", "brancher", "seriesUnit",
                                "outlet",      "user",     "booster"};
const char* const SourceKeys[] = {"typed", "terminal", "boosterInput"};
const char* const CnSourceKeys[] = {"none", "typed", "fieldStrength"};
const char* const JudgingKeys[] = {"catalogue", "bandEdges"};
// Version 1 held four bands and a cable type's loss at the catalogue columns.
constexpr int Version1 = 1;

// A refusal of the content, with the JSON path of the place.
struct Refusal {
    QString path;
    QString reason;
};

[[noreturn]] void refuse(const QString& path, const QString& reason) {
    throw Refusal{path, reason};
}

// A place in the file: a member or element of the place above it (none: the
// whole file). Its path text is built only when a refusal names it, and a
// place refers to the one above it, which must outlive it.
struct Place {
    const Place* up = nullptr;
    const char* key = nullptr; // a member named by the reader
    QString fileKey;           // a member named by the file (unknown keys)
    int index = -1;            // an element

    QString text() const {
        if (!up) return {};
        const QString above = up->text();
        if (index >= 0) return above + u'[' + QString::number(index) + u']';
        const QString name = key ? QString::fromLatin1(key) : fileTextExcerpt(fileKey);
        return above.isEmpty() ? name : above + u'.' + name;
    }
};

[[noreturn]] void refuse(const Place& place, const QString& reason) {
    refuse(place.text(), reason);
}

Place at(const Place& place, const char* key) {
    return Place{&place, key, {}, -1};
}
// A key from the file, quoted short.
Place at(const Place& place, const QString& key) {
    return Place{&place, nullptr, key, -1};
}
Place at(const Place& place, int index) {
    return Place{&place, nullptr, {}, index};
}

// Reads an object and refuses keys it does not know.
class Fields {
public:
    Fields(const QJsonValue& value, const Place& path, std::initializer_list<const char*> known)
        : m_path(path) {
        if (!value.isObject()) refuse(path, QStringLiteral("オブジェクトが必要です。"));
        m_object = value.toObject();
        // Every member known: nothing more to look at (keys are not copied out).
        qsizetype found = 0;
        for (const char* k : known)
            found += m_object.contains(QLatin1String(k)) ? 1 : 0;
        if (found == m_object.size()) return;
        for (auto it = m_object.constBegin(); it != m_object.constEnd(); ++it) {
            bool ok = false;
            for (const char* k : known)
                ok = ok || it.key() == QLatin1String(k);
            if (!ok) refuse(at(path, it.key()), QStringLiteral("不明な項目です。"));
        }
    }
    Place path(const char* key) const { return at(m_path, key); }
    bool has(const char* key) const { return m_object.contains(QLatin1String(key)); }
    QJsonValue value(const char* key) const {
        if (!has(key)) refuse(path(key), QStringLiteral("項目がありません。"));
        return m_object.value(QLatin1String(key));
    }
    double number(const char* key, double low, double high) const {
        return checkedNumber(value(key), path(key), low, high);
    }
    QString text(const char* key, bool optional = false) const {
        if (optional && !has(key)) return {};
        const QJsonValue v = value(key);
        if (!v.isString()) refuse(path(key), QStringLiteral("文字列が必要です。"));
        const QString problem = networkTextProblem(v.toString());
        if (!problem.isEmpty()) refuse(path(key), problem);
        return v.toString();
    }
    bool flag(const char* key) const {
        if (!has(key)) return false;
        if (!value(key).isBool()) refuse(path(key), QStringLiteral("true か false が必要です。"));
        return value(key).toBool();
    }
    QJsonArray array(const char* key, bool optional = false) const {
        if (optional && !has(key)) return {};
        if (!value(key).isArray()) refuse(path(key), QStringLiteral("配列が必要です。"));
        return value(key).toArray();
    }

    static double checkedNumber(const QJsonValue& v, const Place& path, double low, double high) {
        if (!v.isDouble()) refuse(path, QStringLiteral("数値が必要です。"));
        const double d = v.toDouble();
        if (!std::isfinite(d) || d < low || d > high)
            refuse(path, QStringLiteral("%1～%2 の数値が必要です。").arg(low).arg(high));
        return d;
    }

private:
    Place m_path;
    QJsonObject m_object;
};

// A band array of the file's version: four values in version 1, five after.
QJsonArray bandArray(const Fields& f, const char* key, int bands) {
    const QJsonArray a = f.array(key);
    if (a.size() != bands)
        refuse(f.path(key), QStringLiteral("帯域ごとに %1 つの値が必要です。").arg(bands));
    return a;
}

int bandsOf(int version) {
    return version == Version1 ? BandCount : NetBandCount;
}

// Version 1's four values; the left band takes BS's.
NetBandValues bandValues(const Fields& f, const char* key, double low, double high, int version) {
    const QJsonArray a = bandArray(f, key, bandsOf(version));
    NetBandValues v{};
    for (int b = 0; b < a.size(); ++b)
        v[size_t(b)] = Fields::checkedNumber(a[b], at(f.path(key), b), low, high);
    if (version == Version1) v[LeftBand] = v[BS];
    return v;
}

// Version 1's parts carry no left band: not rated for it.
BandLoss bandLoss(const Fields& f, const char* key, double low, double high, int version) {
    const QJsonArray a = bandArray(f, key, bandsOf(version));
    BandLoss v{};
    for (int b = 0; b < a.size(); ++b)
        if (!a[b].isNull())
            v[size_t(b)] = Fields::checkedNumber(a[b], at(f.path(key), b), low, high);
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

HeadEnd readHead(const QJsonValue& v, const Place& path, int version) {
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

CableType readCable(const QJsonValue& v, const Place& path, int version) {
    if (version == Version1) return version1Cable(Fields(v, path, {"name", "lossPer100m"}));
    const Fields f(v, path, {"name", "points", "ratedToMHz"});
    CableType cable{f.text("name"), {}, std::nullopt};
    const QJsonArray points = f.array("points");
    if (points.size() > MaxCablePoints)
        refuse(f.path("points"), QStringLiteral("%1 組までです。").arg(MaxCablePoints));
    const Place pointsPlace = f.path("points");
    for (int p = 0; p < points.size(); ++p) {
        const Place here = at(pointsPlace, p);
        const QJsonArray pair = points[p].toArray();
        if (!points[p].isArray() || pair.size() != 2)
            refuse(here, QStringLiteral("[周波数 MHz, 100 m あたりの損失 dB] が必要です。"));
        cable.points.push_back(
            LossPoint{Fields::checkedNumber(pair[0], at(here, 0), MinCableMHz, MaxCableMHz),
                      Fields::checkedNumber(pair[1], at(here, 1), 0, MaxCableLossPer100m)});
    }
    if (f.has("ratedToMHz")) cable.ratedToMHz = f.number("ratedToMHz", MinCableMHz, MaxCableMHz);
    return cable;
}

void readDefinitions(const Fields& root, Network& net, int version) {
    const QJsonArray cables = root.array("cableTypes", true);
    const Place cablesPlace = root.path("cableTypes");
    for (int i = 0; i < cables.size(); ++i) {
        const Place path = at(cablesPlace, i);
        const CableType cable = readCable(cables[i], path, version);
        if (net.cableType(cable.name))
            refuse(at(path, "name"), QStringLiteral("名前が重複しています。"));
        apply(path, [&] { net.setCableType(cable); });
    }
    const QJsonArray users = root.array("userComponents", true);
    const Place usersPlace = root.path("userComponents");
    for (int i = 0; i < users.size(); ++i) {
        const Place path = at(usersPlace, i);
        const Fields f(users[i], path, {"name", "ports"});
        UserComponent user{f.text("name"), {}};
        const QJsonArray ports = f.array("ports");
        if (ports.isEmpty() || ports.size() > MaxUserPorts)
            refuse(f.path("ports"), QStringLiteral("端子は 1～%1 個です。").arg(MaxUserPorts));
        const Place portsPlace = f.path("ports");
        for (int p = 0; p < ports.size(); ++p) {
            const Fields pf(ports[p], at(portsPlace, p), {"outlet", "loss"});
            user.ports.push_back(UserPort{bandLoss(pf, "loss", MinUserLoss, MaxUserLoss, version),
                                          pf.flag("outlet")});
        }
        if (net.userComponent(user.name))
            refuse(f.path("name"), QStringLiteral("名前が重複しています。"));
        apply(path, [&] { net.setUserComponent(user); });
    }
}

BoosterSpec readBooster(const QJsonValue& v, const Place& path) {
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

Component readComponent(const QJsonValue& v, const Place& path, int version,
                        const ModelNames& names) {
    const Fields f(v, path, {"kind", "model", "endUnit", "booster"});
    Component c;
    const int kind = keyIndex(KindKeys, f.text("kind"));
    if (kind < 0 || (version == Version1 && ComponentKind(kind) == ComponentKind::Booster))
        refuse(f.path("kind"), QStringLiteral("部品の種類が不明です。"));
    c.kind = ComponentKind(kind);
    const QString model = f.text("model");
    if (f.has("booster") != (c.kind == ComponentKind::Booster))
        refuse(f.path("booster"), QStringLiteral("ブースターだけに、必ず指定します。"));
    if (c.kind == ComponentKind::Booster) {
        c.userName = model;
        c.booster = readBooster(f.value("booster"), f.path("booster"));
    } else if (c.kind == ComponentKind::User) {
        c.userName = model;
    } else {
        c.model = int(names[size_t(kind)].indexOf(model)) + 1;
        if (c.model == 0)
            refuse(f.path("model"),
                   QStringLiteral("カタログにない型式「%1」です。").arg(fileTextExcerpt(model)));
    }
    c.endUnit = f.flag("endUnit");
    if (c.endUnit && c.kind != ComponentKind::SeriesUnit)
        refuse(f.path("endUnit"), QStringLiteral("直列ユニットだけに指定できます。"));
    return c;
}

// Thrown out of a read that was asked to stop.
struct Stopped {};

struct Reader {
    Network& net;
    int version = NetworkFormatVersion;
    const std::atomic<bool>* stop = nullptr;
    int nodes = 0;
    const ModelNames names = modelNames();
    QSet<QString> texts = {}; // cable and floor names, held once however many nodes name them

    QString shared(const QString& text) {
        const auto found = texts.constFind(text);
        return found != texts.constEnd() ? *found : *texts.insert(text);
    }

    void readNodes(const QJsonArray& list, const Place& path, NodeId parent, int depth) {
        if (!list.isEmpty() && depth > MaxNetworkDepth)
            refuse(path, QStringLiteral("階層は %1 段までです。").arg(MaxNetworkDepth));
        for (int i = 0; i < list.size(); ++i) {
            if (stop && stop->load(std::memory_order_relaxed)) throw Stopped{};
            if (++nodes > MaxNetworkNodes)
                refuse(at(path, i),
                       QStringLiteral("ノードは %1 個までです。").arg(MaxNetworkNodes));
            const Place here = at(path, i);
            const Fields f(list[i], here,
                           {"port", "coax", "component", "room", "floor", "children"});
            NodeSetup setup;
            const int port = int(f.number("port", 0, MaxPortIndex));
            if (port != f.number("port", 0, MaxPortIndex))
                refuse(f.path("port"), QStringLiteral("整数が必要です。"));
            const Fields coax(f.value("coax"), f.path("coax"), {"cable", "metres"});
            setup.coax = {shared(coax.text("cable")), coax.number("metres", 0, MaxRunMetres)};
            setup.component =
                readComponent(f.value("component"), f.path("component"), version, names);
            setup.room = f.text("room", true);
            setup.floor = shared(f.text("floor", true));
            NodeId id = 0;
            apply(here, [&] { id = net.addChild(parent, port, setup); });
            readNodes(f.array("children", true), f.path("children"), id, depth + 1);
        }
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
            component["booster"] = QJsonObject{{"gain", bandJson(c.booster.gain)},
                                               {"noiseFigure", bandJson(c.booster.noiseFigure)},
                                               {"maxOutput", bandJson(c.booster.maxOutput)},
                                               {"minInput", bandJson(c.booster.minInput)}};
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

Network decode(const QByteArray& bytes, const QString& fileName, const std::atomic<bool>* stop) {
    if (bytes.size() > MaxNetworkFileBytes)
        throw UserError(refusalMessage(fileName, QStringLiteral("ファイルが大きすぎます。")));
    if (jsonItemCount(bytes) > MaxNetworkFileItems)
        throw UserError(refusalMessage(fileName, QStringLiteral("ファイルの項目が多すぎます。")));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw UserError(refusalMessage(
            fileName,
            QStringLiteral("%1 バイト目付近: JSON として読めません。").arg(error.offset)));
    try {
        if (const auto repeated = repeatedJsonKey(bytes))
            refuse(*repeated, QStringLiteral("同じ項目が二度あります。"));
        const Place whole;
        const Fields root(doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(), whole,
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
        throw UserError(
            refusalMessage(fileName, (r.path.isEmpty() ? QStringLiteral("(全体)") : r.path) +
                                         QStringLiteral(": ") + r.reason));
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
