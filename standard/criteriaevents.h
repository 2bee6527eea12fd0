#pragma once
// Tells every screen that shows verdicts that the stored criteria or the
// profile choice changed, wherever the change was made.

#include <QObject>

class CriteriaEvents : public QObject {
    Q_OBJECT
public:
    static CriteriaEvents& instance();

signals:
    void changed();
};
