#include "project/ui/projectcommands.h"

#include "common/errors.h"
#include "common/filestamp.h"
#include "common/programvalues.h"
#include "common/text.h"
#include "common/usersettings.h"
#include "common/version.h"
#include "platform/hourglass.h"
#include "platform/platform.h"
#include "project/projectevents.h"
#include "project/projectfields.h"
#include "project/recordcheck.h"
#include "project/records.h"
#include "project/tvdfile.h"
#include "project/ui/projectdata.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

using namespace miravel::common;
using namespace miravel::platform;

namespace miravel::project {

namespace {

void setCalculationCaptionsWithName() {
    projectScreens().terminal()->setProjectCaption(withDataName(terminalCaption()));
    projectScreens().fieldStrength()->setProjectCaption(withDataName(fieldStrengthCaption()));
}

void setMenuCaptionWithName() {
    projectScreens().setMenuCaption(withDataName(menuCaption()));
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
    ProjectFields* fs = projectScreens().fieldStrength();
    fs->clearProjectFields();
    ProjectFields* tm = projectScreens().terminal();
    tm->clearProjectFields();
    projectScreens().setMenuCaption(menuCaption());
    fs->setProjectCaption(fieldStrengthCaption());
    tm->setProjectCaption(terminalCaption());
    DataName.clear();
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

} // namespace miravel::project
