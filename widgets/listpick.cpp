#include "widgets/listpick.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace miravel::widgets {

ListPick* ListPick::attach(QComboBox* combo) {
    return new ListPick(combo);
}

ListPick::ListPick(QComboBox* combo)
    : QObject(combo), m_combo(combo), m_view(combo->view()), m_viewport(combo->view()->viewport()) {
    // The default completer completes inline, case-insensitively; and the
    // combo box itself picks the item matching the text on Return or when
    // the field loses focus. None of these is a choice from the list.
    combo->setCompleter(nullptr);
    if (QLineEdit* edit = combo->lineEdit()) {
        disconnect(edit, &QLineEdit::returnPressed, combo, nullptr);
        disconnect(edit, &QLineEdit::editingFinished, combo, nullptr);
    }
    combo->installEventFilter(this);
    // Installed after the list's own filters, so these run first.
    m_view->installEventFilter(this);
    m_viewport->installEventFilter(this);
}

bool ListPick::popupOpen() const {
    return m_combo->view()->isVisible();
}

bool ListPick::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_combo) return closedComboEvent(event);
    if (watched == m_view &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride))
        return listKeyPress(event);
    if (watched == m_viewport && event->type() == QEvent::MouseButtonRelease && popupOpen())
        return listMouseRelease(event);
    return false;
}

bool ListPick::closedComboEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_sincePress.start();
        return false;
    case QEvent::Wheel:
        // The wheel would step through the items of the closed list.
        return true;
    case QEvent::KeyPress:
        return closedComboKey(static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

// The combo box steps through its items on the arrows and page keys with any
// modifiers (Ctrl+PageDown, Alt+PageUp, Shift+Up ...), and on Home and End
// when it has no line edit: each would pick without a look, so none reaches
// it. The plain keys and Alt+Up/Down open the list instead, to choose in it;
// other combinations go on, unhandled, to the window (a tab switch, say).
bool ListPick::closedComboKey(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (m_combo->lineEdit()) return false; // they move the text cursor
        key->ignore();
        return true;
    default:
        return false;
    }
    const Qt::KeyboardModifiers held =
        key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool arrow = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down;
    if (held == Qt::NoModifier || (arrow && held == Qt::AltModifier)) {
        m_combo->showPopup();
        return true;
    }
    key->ignore();
    return true;
}

bool ListPick::listMouseRelease(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    const bool releaseOfOpeningPress =
        m_sincePress.isValid() && m_sincePress.elapsed() < QApplication::doubleClickInterval();
    m_sincePress.invalidate();
    const QModelIndex index = m_combo->view()->indexAt(mouse->position().toPoint());
    const Qt::ItemFlags needed = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!releaseOfOpeningPress && index.isValid() && (index.flags() & needed) == needed)
        choose(index.row());
    // Handled here in every case, so the list never sets the text unseen.
    return true;
}

// The list takes Return as a shortcut override before it arrives as a key
// press; whichever comes first while the list is open makes the choice, and
// the other finds it closed and is swallowed.
bool ListPick::listKeyPress(QEvent* event) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    const QModelIndex index = m_combo->view()->currentIndex();
    if (popupOpen() && index.isValid() && (index.flags() & Qt::ItemIsEnabled)) choose(index.row());
    event->accept();
    return true;
}

void ListPick::choose(int row) {
    m_combo->hidePopup();
    m_combo->setCurrentIndex(row);
    // Choosing the current item again must show its text over a typed one.
    m_combo->setEditText(m_combo->itemText(row));
    emit picked(row);
}

} // namespace miravel::widgets
