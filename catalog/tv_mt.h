#pragma once
// The catalogue reference board (stand-in until the board itself lands).

#include <QMainWindow>

class Tv_Mt : public QMainWindow {
    Q_OBJECT
public:
    explicit Tv_Mt(QWidget* parent = nullptr);
};
