#pragma once
// The confirmation of an automatic design: what it changes, and what cannot
// pass, before anything is applied.

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;

namespace miravel::network {

class DesignDialog : public QDialog {
    Q_OBJECT
public:
    // `passes`: every outlet passes with the design.
    DesignDialog(const QStringList& lines, bool passes, QWidget* parent = nullptr);

private:
    QLabel* heading;
    QListWidget* changeList;
};

} // namespace miravel::network
