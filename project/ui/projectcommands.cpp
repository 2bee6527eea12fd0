#include "project/ui/projectcommands.h"

#include "platform/hourglass.h"
#include "app/menu.h"
#include "platform/platform.h"
#include "app/screens.h"
#include "coax/ui/d_kbl.h"
#include "common/errors.h"
#include "common/filestamp.h"
#include "common/programvalues.h"
#include "common/text.h"
#include "common/usersettings.h"
#include "common/version.h"
#include "fieldstrength/ui/denkai.h"
#include "project/ui/projectdata.h"
#include "project/projectevents.h"
#include "project/recordcheck.h"
#include "project/records.h"
#include "project/tvdfile.h"
#include "terminal/ui/tanmatu.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QWidget>

namespace {

void setCalculationCaptionsWithName() {
    Screens::terminal()->setWindowTitle(withDataName(terminalCaption()));
    Screens::denkai()->setWindowTitle(withDataName(fieldStrengthCaption()));
}

void setMenuCaptionWithName() {
    if (Menu* menu = Screens::existingMenu()) menu->setWindowTitle(withDataName(menuCaption()));
}

void showRefusal(QWidget* from, const UserError& error) {
    Platform::message(from, error.message(), programTitle(), QMessageBox::Warning);
}

// The project file as it was when loaded or last saved.
FileStamp& projectFileStamp() {
    static FileStamp stamp;
    return stamp;
}

// Saving over the project's own file that another program changed since is
// asked about as such; any other existing file as every save command asks.
bool maySaveOver(QWidget* from, const QString& path) {
    const FileStamp& stamp = projectFileStamp();
    if (stamp.isOf(DataName) && stamp.changedOnDisk(path))
        return Platform::confirm(
            from, {changedOnDiskQuestion(path), programTitle(), QMessageBox::Question});
    return Platform::mayReplace(from, path);
}

// ".tvd" is added only when the whole path, folders included, has no ".".
QString withDefaultExtension(const QString& path) {
    return path.contains(u'.') ? path : path + QStringLiteral(".tvd");
}

} // namespace

void Data_Cls() {
    Denkai* fs = Screens::denkai();
    fs->d_cls();
    fs->ui->UserControl11->d_cls();
    tanmatu* tm = Screens::terminal();
    tm->Cls_MT();
    tm->ui->Check1->setChecked(false);
    if (Menu* menu = Screens::existingMenu()) menu->setWindowTitle(menuCaption());
    fs->setWindowTitle(fieldStrengthCaption());
    tm->setWindowTitle(terminalCaption());
    DataName.clear();
    tm->ui->Label19->setText(QStringLiteral("挿入損失"));
    tm->ui->Label20->setText(QStringLiteral("結合損失"));
    emit ProjectEvents::instance().fieldsReplaced();
}

void newProjectCommand(QWidget*) {
    Data_Cls();
}

void saveProjectCommand(QWidget* from, CommandOrigin origin) {
    Hourglass hourglass(from);
    const QString chosen =
        Platform::projectFileDialog(from, Platform::FileDialogKind::Save, DataName);
    const QString path = chosen.isEmpty() ? QString() : withDefaultExtension(chosen);
    // Keeping an existing file ends the save as a cancel in the dialog does.
    if (!path.isEmpty() && maySaveOver(from, path)) {
        try {
            RecordList records;
            Data_Save(records);
            saveProjectRecords(path, records.records());
            projectFileStamp().remember(path);
            DataName = path;
            UserSettings::addRecentProject(path);
        } catch (const UserError& error) {
            // Nothing on disk changed; the project keeps its name and captions.
            showRefusal(from, error);
            return;
        }
    }
    setCalculationCaptionsWithName();
    if (origin == CommandOrigin::Menu) setMenuCaptionWithName();
}

namespace {

// Reads and checks the whole file before any field changes; a refusal is
// shown and changes nothing.
bool loadChosenFile(QWidget* from, const QString& chosen) {
    try {
        FileStamp stamp; // before reading: a change meanwhile is not missed
        stamp.remember(chosen);
        RecordList records(loadProjectRecords(chosen));
        checkProjectNumbers(records.records());
        projectFileStamp() = stamp;
        DataName = chosen;
        Data_Load(records);
        emit ProjectEvents::instance().fieldsReplaced();
    } catch (const UserError& error) {
        showRefusal(from, error);
        // A recent file that no longer opens leaves the list at once.
        UserSettings::forgetRecentProject(chosen);
        return false;
    }
    UserSettings::addRecentProject(chosen);
    return true;
}

} // namespace

void loadProjectCommand(QWidget* from) {
    Hourglass hourglass(from);
    const QString chosen =
        Platform::projectFileDialog(from, Platform::FileDialogKind::Open, DataName);
    if (!chosen.isEmpty() && !loadChosenFile(from, chosen)) return;
    setCalculationCaptionsWithName();
    setMenuCaptionWithName();
}

bool loadProjectFile(QWidget* from, const QString& path) {
    Hourglass hourglass(from);
    if (!loadChosenFile(from, path)) return false;
    setCalculationCaptionsWithName();
    setMenuCaptionWithName();
    return true;
}
