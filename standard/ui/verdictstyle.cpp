#include "standard/ui/verdictstyle.h"

#include <QLabel>

using namespace miravel::common;

namespace miravel::standard {

QColor verdictColour(Verdict verdict) {
    switch (verdict) {
    case Verdict::Pass:
        return QColor(0, 128, 0);
    case Verdict::Low:
        return QColor(204, 0, 0);
    case Verdict::High:
        return QColor(230, 115, 0);
    case Verdict::NoCriterion:
        break;
    }
    return QColor(96, 96, 96);
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void showVerdict(QLabel* label, const Judgement& judgement) {
    setTextColour(label, verdictColour(judgement.verdict));
    label->setText(verdictText(judgement));
}

void clearVerdict(QLabel* label) {
    label->clear();
    label->setToolTip(QString());
}

} // namespace miravel::standard
