#include "network/ui/nodedetails.h"

#include "common/numformat.h"
#include "common/numval.h"
#include "network/catalogparts.h"
#include "network/networktexts.h"
#include "network/standardcables.h"
#include "network/ui/boosterfields.h"
#include "network/ui/networkdocument.h"

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

constexpr ComponentKind Kinds[] = {ComponentKind::Distributor, ComponentKind::Brancher,
                                   ComponentKind::SeriesUnit,  ComponentKind::Outlet,
                                   ComponentKind::User,        ComponentKind::Booster};

int kindPosition(ComponentKind kind) {
    return int(std::find(std::begin(Kinds), std::end(Kinds), kind) - std::begin(Kinds));
}

// The order of HeadSource.
const char* const SourceNames[] = {"入力した値", "端末計算画面の値", "ブースター入力＋利得"};
// The order of CnSource.
const char* const CnSourceNames[] = {"C/N を計算しない", "入力 C/N と NF",
                                     "電界強度画面の入力と NF"};

// A number typed in a field, or nothing when the text is not one.
std::optional<double> typedNumber(const QString& text) {
    if (!isNumberText(text)) return std::nullopt;
    return NumVal(text);
}

} // namespace

NodeDetails::NodeDetails(NetworkDocument* document, QWidget* parent)
    : QGroupBox(parent), ui(new Ui::NodeDetails), m_document(document) {
    ui->setupUi(this);
    for (ComponentKind kind : Kinds)
        ui->kindCombo->addItem(componentKindName(kind));
    for (const char* name : SourceNames)
        ui->sourceCombo->addItem(QString::fromUtf8(name));
    for (const char* name : CnSourceNames)
        ui->cnSourceCombo->addItem(QString::fromUtf8(name));
    m_booster = new BoosterFields(ui->nodePage);
    ui->nodeLayout->addWidget(m_booster, 9, 0, 1, 2);
    // What the file holds; longer texts would not read back.
    for (QLineEdit* field : {ui->roomEdit, ui->floorEdit})
        field->setMaxLength(MaxNetworkTextLength);
    connectFields();
    showNode(HeadEndId);
}

NodeDetails::~NodeDetails() = default;

void NodeDetails::connectFields() {
    connect(ui->kindCombo, &QComboBox::activated, this, &NodeDetails::kindChosen);
    connect(ui->modelCombo, &QComboBox::activated, this, &NodeDetails::applySetup);
    connect(ui->cableCombo, &QComboBox::activated, this, &NodeDetails::applySetup);
    connect(ui->endUnitCheck, &QCheckBox::clicked, this, &NodeDetails::applySetup);
    for (QLineEdit* field : {ui->lengthEdit, ui->roomEdit, ui->floorEdit})
        connect(field, &QLineEdit::editingFinished, this, &NodeDetails::applySetup);
    connect(ui->portCombo, &QComboBox::activated, this, &NodeDetails::applyPort);
    connect(ui->sourceCombo, &QComboBox::activated, this, &NodeDetails::applyHead);
    connect(ui->cnSourceCombo, &QComboBox::activated, this, &NodeDetails::applyHead);
    connect(m_booster, &BoosterFields::edited, this, &NodeDetails::applySetup);
    for (const auto& edits : {levelEdits(), gainEdits(), cnEdits(), nfEdits()})
        for (QLineEdit* field : edits)
            connect(field, &QLineEdit::editingFinished, this, &NodeDetails::applyHead);
    connect(ui->takeTerminalButton, &QPushButton::clicked, this,
            &NodeDetails::terminalLevelsWanted);
}

std::array<QLineEdit*, NetBandCount> NodeDetails::levelEdits() const {
    return {ui->levelVHFEdit, ui->levelUHFEdit, ui->levelBSEdit, ui->levelCSEdit,
            ui->levelLeftEdit};
}

std::array<QLineEdit*, NetBandCount> NodeDetails::gainEdits() const {
    return {ui->gainVHFEdit, ui->gainUHFEdit, ui->gainBSEdit, ui->gainCSEdit, ui->gainLeftEdit};
}

std::array<QLineEdit*, NetBandCount> NodeDetails::cnEdits() const {
    return {ui->cnVHFEdit, ui->cnUHFEdit, ui->cnBSEdit, ui->cnCSEdit, ui->cnLeftEdit};
}

std::array<QLineEdit*, NetBandCount> NodeDetails::nfEdits() const {
    return {ui->nfVHFEdit, ui->nfUHFEdit, ui->nfBSEdit, ui->nfCSEdit, ui->nfLeftEdit};
}

void NodeDetails::showNode(NodeId id) {
    m_node = m_document->network().contains(id) ? id : HeadEndId;
    if (m_node == HeadEndId)
        showHead();
    else
        showSetup(m_document->network().node(m_node));
}

void NodeDetails::showHead() {
    const HeadEnd& head = m_document->network().head;
    ui->detailsPages->setCurrentWidget(ui->headPage);
    ui->sourceCombo->setCurrentIndex(int(head.source));
    ui->cnSourceCombo->setCurrentIndex(int(head.cnSource));
    const NetBandValues levels = headEndLevels(head);
    const bool typed = head.source == HeadSource::Typed;
    const bool withGain = head.source != HeadSource::TerminalScreen;
    for (size_t b = 0; b < NetBandCount; ++b) {
        levelEdits()[b]->setText(NumText(levels[b]));
        levelEdits()[b]->setReadOnly(!typed);
        gainEdits()[b]->setText(NumText(head.gain[b]));
        gainEdits()[b]->setEnabled(withGain);
        cnEdits()[b]->setText(NumText(head.incomingCn[b]));
        cnEdits()[b]->setEnabled(head.cnSource == CnSource::Typed);
        nfEdits()[b]->setText(NumText(head.noiseFigure[b]));
        nfEdits()[b]->setEnabled(head.cnSource != CnSource::None);
    }
    ui->takeTerminalButton->setEnabled(head.source == HeadSource::TerminalScreen);
}

void NodeDetails::showSetup(const NetNode& node) {
    const NodeSetup& setup = node.setup;
    ui->detailsPages->setCurrentWidget(ui->nodePage);
    ui->kindCombo->setCurrentIndex(kindPosition(setup.component.kind));
    fillModels(setup.component.kind, setup.component);
    m_booster->setVisible(setup.component.kind == ComponentKind::Booster);
    m_booster->setSpec(setup.component.booster);
    ui->endUnitCheck->setVisible(setup.component.kind == ComponentKind::SeriesUnit);
    ui->endUnitCheck->setChecked(setup.component.endUnit);
    fillPorts(node);
    fillCables(setup.coax.cable);
    ui->lengthEdit->setText(NumText(setup.coax.metres));
    ui->roomEdit->setText(setup.room);
    ui->floorEdit->setText(setup.floor);
}

void NodeDetails::fillModels(ComponentKind kind, const Component& current) {
    ui->modelCombo->clear();
    if (kind == ComponentKind::Booster) { // its model is the name it came with
        if (!current.userName.isEmpty()) ui->modelCombo->addItem(current.userName);
        return;
    }
    if (kind == ComponentKind::User) {
        for (const UserComponent& user : m_document->network().userComponents())
            ui->modelCombo->addItem(user.name);
        ui->modelCombo->setCurrentIndex(ui->modelCombo->findText(current.userName));
        return;
    }
    ui->modelCombo->addItems(catalogueModelNames(kind));
    ui->modelCombo->setCurrentIndex(current.model - 1);
}

void NodeDetails::fillCables(const QString& current) {
    ui->cableCombo->clear();
    ui->cableCombo->addItems(catalogueCoaxNames());
    for (const CableType& cable : standardCableTypes())
        ui->cableCombo->addItem(cable.name);
    for (const CableType& cable : m_document->network().cableTypes())
        ui->cableCombo->addItem(cable.name);
    ui->cableCombo->setCurrentIndex(ui->cableCombo->findText(current));
}

void NodeDetails::fillPorts(const NetNode& node) {
    const Network& net = m_document->network();
    ui->portCombo->clear();
    for (int p = 0; p < net.portCount(node.parent); ++p)
        if (net.canTakeChildren(node.parent, p))
            ui->portCombo->addItem(portName(net, node.parent, p), p);
    ui->portCombo->setCurrentIndex(ui->portCombo->findData(node.parentPort));
}

void NodeDetails::edit(const QString& text, const std::function<void(Network&)>& change) {
    const QString refusal = m_document->edit(text, change);
    if (refusal.isEmpty()) return;
    showNode(m_node);
    emit refused(refusal);
}

void NodeDetails::kindChosen() {
    const ComponentKind kind = Kinds[ui->kindCombo->currentIndex()];
    Component component;
    component.kind = kind;
    if (kind == ComponentKind::User) {
        const auto& users = m_document->network().userComponents();
        if (users.empty()) {
            showNode(m_node);
            emit refused(QStringLiteral("ユーザー部品が定義されていません。"));
            return;
        }
        component.userName = users.front().name;
    }
    if (kind == ComponentKind::Booster) component.booster = defaultBoosterSpec();
    m_booster->setSpec(component.booster);
    m_booster->setVisible(kind == ComponentKind::Booster);
    fillModels(kind, component);
    ui->endUnitCheck->setChecked(false);
    applySetup();
}

void NodeDetails::applySetup() {
    if (m_node == HeadEndId) return;
    const std::optional<double> metres =
        ui->lengthEdit->text().trimmed().isEmpty() ? 0.0 : typedNumber(ui->lengthEdit->text());
    if (!metres || *metres < 0) {
        showNode(m_node);
        emit refused(QStringLiteral("ケーブルの長さは 0 以上の数値 (m) で入力してください。"));
        return;
    }
    NodeSetup setup = m_document->network().node(m_node).setup;
    Component& c = setup.component;
    c.kind = Kinds[ui->kindCombo->currentIndex()];
    c.model = c.kind == ComponentKind::User ? 1 : std::max(1, ui->modelCombo->currentIndex() + 1);
    const bool named = c.kind == ComponentKind::User || c.kind == ComponentKind::Booster;
    c.userName = named ? ui->modelCombo->currentText() : QString();
    c.booster = BoosterSpec{};
    if (c.kind == ComponentKind::Booster) {
        QString problem;
        const auto sheet = m_booster->sheet(&problem);
        if (!sheet) {
            showNode(m_node);
            emit refused(problem);
            return;
        }
        c.booster = *sheet;
    }
    c.endUnit = c.kind == ComponentKind::SeriesUnit && ui->endUnitCheck->isChecked();
    setup.coax = CoaxRun{ui->cableCombo->currentText(), *metres};
    setup.room = ui->roomEdit->text().trimmed();
    setup.floor = ui->floorEdit->text().trimmed();
    if (setup == m_document->network().node(m_node).setup) return;
    const NodeId id = m_node;
    edit(QStringLiteral("部品の変更"), [id, setup](Network& n) { n.setSetup(id, setup); });
}

void NodeDetails::applyPort() {
    if (m_node == HeadEndId) return;
    const NetNode& node = m_document->network().node(m_node);
    const int port = ui->portCombo->currentData().toInt();
    if (port == node.parentPort) return;
    const NodeId id = m_node;
    const NodeId parent = node.parent;
    edit(QStringLiteral("接続先の変更"), [=](Network& n) { n.move(id, parent, port); });
}

void NodeDetails::applyHead() {
    HeadEnd head = m_document->network().head;
    head.source = HeadSource(ui->sourceCombo->currentIndex());
    for (int b = 0; b < NetBandCount; ++b) {
        const auto level = typedNumber(levelEdits()[size_t(b)]->text());
        const auto gain = typedNumber(gainEdits()[size_t(b)]->text());
        if (!level || !gain) {
            showNode(m_node);
            emit refused(QStringLiteral("%1 のレベルと利得は数値 (dB) で入力してください。")
                             .arg(netBandName(b)));
            return;
        }
        // The shown levels of the other sources are computed, not typed.
        if (head.source == HeadSource::Typed) head.levels[size_t(b)] = *level;
        head.gain[size_t(b)] = *gain;
    }
    if (!readCn(head)) return;
    if (head == m_document->network().head) return;
    edit(QStringLiteral("出力レベルの変更"), [head](Network& n) { n.setHead(head); });
}

bool NodeDetails::readCn(HeadEnd& head) {
    head.cnSource = CnSource(ui->cnSourceCombo->currentIndex());
    for (int b = 0; b < NetBandCount; ++b) {
        const auto cn = typedNumber(cnEdits()[size_t(b)]->text());
        const auto nf = typedNumber(nfEdits()[size_t(b)]->text());
        if (!cn || !nf) {
            showNode(m_node);
            emit refused(QStringLiteral("%1 の入力 C/N と NF は数値 (dB) で入力してください。")
                             .arg(netBandName(b)));
            return false;
        }
        head.incomingCn[size_t(b)] = *cn;
        head.noiseFigure[size_t(b)] = *nf;
    }
    return true;
}

} // namespace miravel::network
