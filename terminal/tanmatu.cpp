#include "terminal/tanmatu.h"

#include "common/text.h"

tanmatu::tanmatu(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("tanmatu"));
    setWindowTitle(terminalStartCaption());
}
