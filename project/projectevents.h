#pragma once
// Tells whoever shows something derived from the calculation screens' fields
// (verdicts, C/N) that a project command replaced those fields as a whole.

#include <QObject>

namespace miravel::project {

class ProjectEvents : public QObject {
    Q_OBJECT
public:
    static ProjectEvents& instance();

signals:
    // After a new project cleared the screens or a load filled them.
    void fieldsReplaced();
};

} // namespace miravel::project
