#include "print/ui/printerfontdialog.h"

#include "print/ui/fontfit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace miravel::print {

namespace {

// The sizes a font dialog commonly offers, within the report's 6 to 14.
const float StandardSizes[] = {6, 7, 8, 9, 10, 10.5f, 11, 12, 13, 14};

QString sizeText(float size) {
    return QString::number(double(size), 'g', 4);
}

float clampedSize(float size) {
    return std::clamp(size, SmallestFontSize, LargestFontSize);
}

// The size in points, also of a font given in pixels.
float pointSize(const QFont& font) {
    return float(font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF());
}

} // namespace

QList<float> PrinterFontDialog::offeredSizes(float initialSize) {
    QList<float> sizes(std::begin(StandardSizes), std::end(StandardSizes));
    const float initial = clampedSize(initialSize);
    if (!sizes.contains(initial))
        sizes.insert(std::upper_bound(sizes.begin(), sizes.end(), initial), initial);
    return sizes;
}

PrinterFontDialog::PrinterFontDialog(const QFont& initial, QPaintDevice& printer, QWidget* parent)
    : QDialog(parent), m_printer(printer), m_sizes(offeredSizes(pointSize(initial))),
      m_families(new QListWidget(this)), m_size(new QComboBox(this)),
      m_bold(new QCheckBox(QStringLiteral("太字(&B)"), this)) {
    setObjectName(QStringLiteral("PrinterFontDialog"));
    setWindowTitle(QStringLiteral("プリンター　フォント"));
    m_families->setObjectName(QStringLiteral("fontFamilies"));
    m_size->setObjectName(QStringLiteral("fontSize"));
    m_bold->setObjectName(QStringLiteral("fontBold"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    layOut(buttons);

    const float initialSize = clampedSize(pointSize(initial));
    for (float size : m_sizes)
        m_size->addItem(sizeText(size), size);
    m_size->setCurrentIndex(int(m_sizes.indexOf(initialSize)));

    fillFamilies(QFontInfo(initial).family());
    connect(m_families, &QListWidget::currentRowChanged, this, &PrinterFontDialog::familyChanged);
    familyChanged();
    m_bold->setChecked(initial.bold() && m_bold->isEnabled());
}

void PrinterFontDialog::layOut(QWidget* buttons) {
    auto* familyLabel = new QLabel(QStringLiteral("フォント名(&F):"), this);
    familyLabel->setBuddy(m_families);
    auto* sizeLabel = new QLabel(QStringLiteral("サイズ(&S):"), this);
    sizeLabel->setBuddy(m_size);
    auto* layout = new QGridLayout(this);
    layout->addWidget(familyLabel, 0, 0, Qt::AlignTop);
    layout->addWidget(m_families, 0, 1);
    layout->addWidget(sizeLabel, 1, 0);
    layout->addWidget(m_size, 1, 1);
    layout->addWidget(m_bold, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
}

void PrinterFontDialog::fillFamilies(const QString& initialFamily) {
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) continue;
        if (fitsFromEverySize(QFont(family), m_printer, m_sizes)) m_families->addItem(family);
    }
    const QList<QListWidgetItem*> initial = m_families->findItems(initialFamily, Qt::MatchExactly);
    m_families->setCurrentRow(initial.isEmpty() ? 0 : m_families->row(initial.first()));
}

// Bold is offered only where the report prints in bold too.
void PrinterFontDialog::familyChanged() {
    QListWidgetItem* item = m_families->currentItem();
    QFont bold(item ? item->text() : QString());
    bold.setBold(true);
    const bool boldFits = item && fitsFromEverySize(bold, m_printer, m_sizes);
    m_ok->setEnabled(item != nullptr);
    if (!boldFits) m_bold->setChecked(false);
    m_bold->setEnabled(boldFits);
}

QFont PrinterFontDialog::selectedFont() const {
    const QListWidgetItem* item = m_families->currentItem();
    QFont font(item ? item->text() : QString());
    font.setPointSizeF(double(m_size->currentData().toFloat()));
    font.setBold(m_bold->isChecked());
    return font;
}

} // namespace miravel::print
