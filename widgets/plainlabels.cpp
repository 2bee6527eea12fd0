#include "widgets/plainlabels.h"

#include <QLabel>

void makeLabelsPlainText(QWidget* screen) {
    for (QLabel* label : screen->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}
