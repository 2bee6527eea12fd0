#pragma once

class QString;

namespace miravel::project {

// A screen whose fields belong to the project: the project commands save,
// load and clear them through this, in the record order of the file, without
// knowing the screen.

class RecordReader;
class RecordWriter;

class ProjectFields {
public:
    // Writes or reads this screen's records, in file order.
    virtual void saveProjectFields(RecordWriter& out) = 0;
    virtual void loadProjectFields(RecordReader& in) = 0;
    // The fields as a new project has them.
    virtual void clearProjectFields() = 0;
    // The screen's caption, with the project name where it has one.
    virtual void setProjectCaption(const QString& caption) = 0;

protected:
    ~ProjectFields() = default;
};

} // namespace miravel::project
