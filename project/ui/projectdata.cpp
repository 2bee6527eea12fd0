#include "project/ui/projectdata.h"

#include "project/projectfields.h"

namespace miravel::project {

namespace {

ProjectScreens& screens() {
    static ProjectScreens set;
    return set;
}

} // namespace

void setProjectScreens(ProjectScreens set) {
    screens() = std::move(set);
}

const ProjectScreens& projectScreens() {
    return screens();
}

void Data_Save(RecordWriter& out) {
    screens().fieldStrength()->saveProjectFields(out);
    screens().terminal()->saveProjectFields(out);
}

void Data_Load(RecordReader& in) {
    screens().fieldStrength()->loadProjectFields(in);
    screens().terminal()->loadProjectFields(in);
}

} // namespace miravel::project
