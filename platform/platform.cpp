#include "platform/platform.h"

#include "common/usersettings.h"
#include "common/version.h"
#include "common/wholefile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

using namespace miravel::common;

namespace miravel::platform {

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
    // Messages quote file names and loaded values, which are never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool confirm(QWidget* parent, const Message& q) {
    if (hooks().confirm) return hooks().confirm(q);
    QMessageBox box(q.icon, q.title, q.text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool mayReplace(QWidget* parent, const QString& path) {
    // A named pipe or a device is refused before anyone is asked about it.
    const QString refusal = writeTargetRefusal(path);
    if (!refusal.isEmpty()) {
        message(parent, refusal, programTitle(), QMessageBox::Warning);
        return false;
    }
    if (!QFileInfo::exists(path)) return true;
    return confirm(parent, {QStringLiteral("ファイル「%1」は既にあります。置き換えますか？")
                                .arg(QDir::toNativeSeparators(path)),
                            programTitle(), QMessageBox::Question});
}

namespace {

QString showFileDialog(QWidget* parent, const FileDialogRequest& request) {
    if (hooks().fileDialog) return hooks().fileDialog(request);
    const bool save = request.kind == FileDialogKind::Save;
    QFileDialog dialog(parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The dialog would ask only about the name as typed, not about the one
    // the save command adds ".tvd" to.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
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

QString fileDialog(QWidget* parent, FileDialogKind kind, const QString& presetName,
                   const QStringList& filters) {
    return showFileDialog(parent, FileDialogRequest{kind, presetName, filters, QString()});
}

QString saveFileDialog(QWidget* parent, const QString& presetName, const QStringList& filters) {
    if (hooks().fileDialog)
        return hooks().fileDialog(FileDialogRequest{FileDialogKind::Save, presetName, filters, {}});
    return QFileDialog::getSaveFileName(parent, QString(), presetName, filters.join(u";;"));
}

void openUrl(const QString& address) {
    if (hooks().openUrl) {
        hooks().openUrl(address);
        return;
    }
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace Platform

} // namespace miravel::platform
