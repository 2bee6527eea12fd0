#include "widgets/plainlabels.h"

#include <QLabel>

namespace miravel::widgets {

void makeLabelsPlainText(QWidget* screen) {
    for (QLabel* label : screen->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}

} // namespace miravel::widgets
