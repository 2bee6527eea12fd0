// The count fields of the terminal-level screen: each click on one adds one
// unit to its count.

#include "common/errors.h"
#include "common/version.h"
#include "platform/platform.h"
#include "terminal/keisan.h"
#include "terminal/ui/tanmatu.h"

#include <QMouseEvent>
#include <algorithm>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;

namespace miravel::terminal {

void tanmatu::watchCountFields() {
    m_countFields = {ui->Text4,  ui->Text5,  ui->Text6,  ui->Text30, ui->Text31,
                     ui->Text32, ui->Text11, ui->Text12, ui->Text35, ui->Text36,
                     ui->Text39, ui->Text40, ui->Text41, ui->Text42, ui->Text19};
    for (QLineEdit* field : m_countFields)
        field->installEventFilter(this);
}

bool tanmatu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const auto found = std::find(m_countFields.begin(), m_countFields.end(), watched);
        if (found != m_countFields.end()) {
            // The field takes the press as usual (focus, caret) before the
            // count changes, so the caret ends up after the new count.
            static_cast<QObject*>(*found)->event(event);
            countField_Click(*found);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void tanmatu::countField_Click(QLineEdit* field) {
    try {
        field->setText(countAfterClick(field->text()));
        field->setCursorPosition(int(field->text().size()));
    } catch (const RunTimeError&) {
        // A count beyond the range of numbers cannot grow; the text stays.
        Platform::message(this,
                          QStringLiteral("台数の数値が大きすぎるため、１台増やせません。") +
                              QChar(13) + QStringLiteral("台数を入力し直してください。"),
                          programTitle(), QMessageBox::Warning);
    }
}

} // namespace miravel::terminal
