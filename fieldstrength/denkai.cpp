#include "fieldstrength/denkai.h"

#include "common/text.h"

Denkai::Denkai(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Denkai"));
    setWindowTitle(fieldStrengthCaption());
}
