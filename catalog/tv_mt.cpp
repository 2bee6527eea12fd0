#include "catalog/tv_mt.h"

Tv_Mt::Tv_Mt(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Tv_Mt"));
    setWindowTitle(QStringLiteral("データ"));
}
