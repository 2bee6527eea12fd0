#pragma once
// Tells every screen that shows verdicts that the stored criteria or the
// profile choice changed, wherever the change was made.

#include <QObject>

namespace miravel::standard {

class CriteriaEvents : public QObject {
    Q_OBJECT
public:
    static CriteriaEvents& instance();

signals:
    void changed();
};

} // namespace miravel::standard
