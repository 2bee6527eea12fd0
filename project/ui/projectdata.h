#pragma once
// The 67 records of a project, read from and written to the two calculation
// screens. Both routines create a screen invisibly when it does not exist yet,
// so a save before a screen was ever opened stores its start values and a load
// fills a screen that the user opens later.

#include <functional>

class QString;

namespace miravel::project {

class ProjectFields;
class RecordReader;
class RecordWriter;

// The screens the project commands act on, set up by app/ at start.
struct ProjectScreens {
    // The calculation screens, created invisibly when they do not exist yet.
    std::function<ProjectFields*()> fieldStrength;
    std::function<ProjectFields*()> terminal;
    // Sets the start menu's caption when the menu exists.
    std::function<void(const QString&)> setMenuCaption;
};
void setProjectScreens(ProjectScreens screens);
const ProjectScreens& projectScreens();

// Writes records 1 to 67 in order; values are trimmed except records 60, 66, 67.
void Data_Save(RecordWriter& out);

// Reads records 1 to 67 in order and applies each right after reading it.
void Data_Load(RecordReader& in);

} // namespace miravel::project
