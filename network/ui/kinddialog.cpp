#include "network/ui/kinddialog.h"

#include "common/errors.h"
#include "network/catalogparts.h"
#include "network/kindchange.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

namespace miravel::network {

namespace {

bool fits(const Network& net, NodeId id, const Component& to) {
    try {
        return planKindChange(net, id, to).homeless.empty();
    } catch (const common::UserError&) {
        return false;
    }
}

// The first model of `kind` that takes every run, the same series (BS, CS)
// as the part's own model preferred.
Component proposal(const Network& net, NodeId id, ComponentKind kind) {
    const Component& now = net.node(id).setup.component;
    const QString series = catalogueModelNames(now.kind).value(now.model - 1).left(2);
    const QStringList models = catalogueModelNames(kind);
    for (int pass = 0; pass < 2; ++pass)
        for (int m = 1; m <= models.size(); ++m) {
            const Component c{kind, m, false, {}, {}};
            if ((pass == 1 || models[m - 1].startsWith(series)) && fits(net, id, c)) return c;
        }
    return {kind, 1, false, {}, {}};
}

} // namespace

KindDialog::KindDialog(const Network& net, NodeId id, QWidget* parent)
    : QDialog(parent), m_network(net), m_id(id) {
    setObjectName(QStringLiteral("KindDialog"));
    setWindowTitle(QStringLiteral("種類の変更"));
    kind = new QComboBox;
    kind->setObjectName(QStringLiteral("kindChangeKind"));
    for (ComponentKind k : {ComponentKind::Distributor, ComponentKind::Brancher,
                            ComponentKind::SeriesUnit, ComponentKind::Outlet})
        kind->addItem(componentKindName(k), int(k));
    model = new QComboBox;
    model->setObjectName(QStringLiteral("kindChangeModel"));
    fit = new QLabel;
    fit->setObjectName(QStringLiteral("kindChangeFit"));
    fit->setWordWrap(true);
    setMinimumWidth(360);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("変更前"),
                 new QLabel(componentLabel(net.node(id).setup.component)));
    form->addRow(QStringLiteral("種類"), kind);
    form->addRow(QStringLiteral("型式"), model);
    form->addRow(fit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    const ComponentKind own = net.node(id).setup.component.kind;
    setComponent(proposal(net, id,
                          own == ComponentKind::Brancher ? ComponentKind::Distributor
                                                         : ComponentKind::Brancher));
    connect(kind, &QComboBox::currentIndexChanged, this, [this] {
        fillModels();
        setComponent(proposal(m_network, m_id, component().kind));
    });
    connect(model, &QComboBox::currentIndexChanged, this, &KindDialog::showFit);
}

void KindDialog::fillModels() {
    const QSignalBlocker quiet(model);
    model->clear();
    model->addItems(catalogueModelNames(ComponentKind(kind->currentData().toInt())));
}

Component KindDialog::component() const {
    return {ComponentKind(kind->currentData().toInt()), model->currentIndex() + 1, false, {}, {}};
}

void KindDialog::setComponent(const Component& c) {
    {
        const QSignalBlocker quiet(kind);
        kind->setCurrentIndex(kind->findData(int(c.kind)));
    }
    fillModels();
    model->setCurrentIndex(c.model - 1);
    showFit();
}

void KindDialog::showFit() {
    QString text = QStringLiteral("下流の配線はすべて移ります。");
    try {
        const KindChangePlan plan = planKindChange(m_network, m_id, component());
        if (!plan.homeless.empty())
            text = QStringLiteral("出力が足りません: %1 本の配線を移せません。")
                       .arg(plan.homeless.size());
    } catch (const common::UserError& error) {
        text = error.message();
    }
    fit->setText(text);
}

} // namespace miravel::network
