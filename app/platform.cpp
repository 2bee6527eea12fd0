#include "app/platform.h"

#include "common/usersettings.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

namespace Platform {

Hooks& hooks() {
    static Hooks h;
    return h;
}

void message(QWidget* parent, const Message& m) {
    if (hooks().message) {
        hooks().message(m);
        return;
    }
    QMessageBox box(m.icon, m.title, m.text, QMessageBox::Ok, parent);
    box.exec();
}

namespace {

QString showFileDialog(QWidget* parent, const FileDialogRequest& request) {
    if (hooks().fileDialog) return hooks().fileDialog(request);
    const bool save = request.kind == FileDialogKind::Save;
    QFileDialog dialog(parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    dialog.selectNameFilter(request.filters.first());
    if (!request.startFolder.isEmpty()) dialog.setDirectory(request.startFolder);
    if (!request.presetName.isEmpty()) dialog.selectFile(request.presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

} // namespace

QString projectFileDialog(QWidget* parent, FileDialogKind kind, const QString& presetName) {
    const QStringList filters = {
        QStringLiteral("電界強度ファイル(*.tvd)"),
        QStringLiteral("テキストファイル(*.txt)"),
        QStringLiteral("データ ファイル(*.dat)"),
        QStringLiteral("すべてのファィル(*.*)"),
    };
    const QString lastFolder = UserSettings::lastFolder();
    const bool folderKnown = presetName.isEmpty() && QFileInfo(lastFolder).isDir();
    const QString chosen = showFileDialog(
        parent, FileDialogRequest{kind, presetName, filters, folderKnown ? lastFolder : QString()});
    if (!chosen.isEmpty()) UserSettings::setLastFolder(QFileInfo(chosen).absolutePath());
    return chosen;
}

void openUrl(const QString& address) {
    if (hooks().openUrl) {
        hooks().openUrl(address);
        return;
    }
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace Platform
