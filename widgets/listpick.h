#pragma once
// Editable model choosers whose look-up runs only when the user chooses an
// item in the open list, with the mouse or with the keyboard. Typing, Return,
// Tab and leaving the field change the shown text only, and nothing completes
// or rewrites what was typed: a loaded or typed model name is never replaced
// by a catalogue entry behind the user's back.

#include <QElapsedTimer>
#include <QObject>

class QComboBox;
class QKeyEvent;

namespace miravel::widgets {

class ListPick : public QObject {
    Q_OBJECT
public:
    // Takes over the pick handling of an editable combo box; the helper
    // belongs to the combo box. Connect to picked() instead of activated().
    static ListPick* attach(QComboBox* combo);

signals:
    // The user chose list item `index` in the open list.
    void picked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ListPick(QComboBox* combo);
    bool closedComboEvent(QEvent* event);
    bool closedComboKey(QKeyEvent* key);
    bool listMouseRelease(QEvent* event);
    bool listKeyPress(QEvent* event);
    bool popupOpen() const;
    void choose(int row);

    // The filters compare with these, never ask the combo box: events still
    // arrive while it is being destroyed, when it is no longer a combo box.
    QComboBox* m_combo;
    QObject* m_view;
    QObject* m_viewport;
    // Since a press on the combo box that may have opened the list: the
    // release of that press is no choice, even over an item.
    QElapsedTimer m_sincePress;
};

} // namespace miravel::widgets
