#pragma once
// The platform services the screens use: message boxes, file dialogs and the
// shell's "open". Every call goes through one place so that tests can stand
// in for the user (answer a dialog, read a message) without a modal loop.

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace miravel::platform {

namespace Platform {

struct Message {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind;
    QString presetName;
    QStringList filters;
    QString startFolder; // without a preset name: the folder last used, if any
};

// Shows a message box with an OK button.
void message(QWidget* parent, const Message& message);
inline void message(QWidget* parent, const QString& text, const QString& title,
                    QMessageBox::Icon icon = QMessageBox::NoIcon) {
    message(parent, Message{text, title, icon});
}

// A file dialog with a file-type list, its first entry preselected. An empty
// result means the user cancelled. Saving asks nothing about existing files:
// the command asks (mayReplace) once it knows the full name.
QString fileDialog(QWidget* parent, FileDialogKind kind, const QString& presetName,
                   const QStringList& filters);

// Asks a question with Yes and No buttons, No preselected; true for Yes.
bool confirm(QWidget* parent, const Message& question);

// Replacing a file is asked about the same way by every save command; true
// when there is no such file or the user agrees to replace it. False, with
// the refusal shown, where nothing may be written (a named pipe, a device).
bool mayReplace(QWidget* parent, const QString& path);

// The project file dialogs; the file-type list of the project commands with
// its first entry preselected. An empty result means the user cancelled. The
// save dialog asks nothing about existing files: the save command asks, once
// it knows the full name with its extension. Without a preset name the dialog
// starts in the folder of the last chosen file; the folder of every chosen
// file is remembered.
QString projectFileDialog(QWidget* parent, FileDialogKind kind, const QString& presetName);

// A save dialog for any other file (images, PDF) with the given file-type
// list; an empty result means the user cancelled.
QString saveFileDialog(QWidget* parent, const QString& presetName, const QStringList& filters);

// Asks the desktop to open an address; the result is ignored.
void openUrl(const QString& address);

// Test seams: when set, these stand in for the real dialogs.
struct Hooks {
    std::function<void(const Message&)> message;
    std::function<bool(const Message&)> confirm;
    std::function<QString(const FileDialogRequest&)> fileDialog;
    std::function<void(const QString&)> openUrl;
};
Hooks& hooks();

} // namespace Platform

} // namespace miravel::platform
