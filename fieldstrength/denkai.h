#pragma once
// The field-strength screen (stand-in until the screen itself lands).

#include <QMainWindow>

class Denkai : public QMainWindow {
    Q_OBJECT
public:
    explicit Denkai(QWidget* parent = nullptr);
};
