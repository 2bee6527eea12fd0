#pragma once
// The terminal-level screen (stand-in until the screen itself lands).

#include <QMainWindow>

class tanmatu : public QMainWindow {
    Q_OBJECT
public:
    explicit tanmatu(QWidget* parent = nullptr);
};
