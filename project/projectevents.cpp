#include "project/projectevents.h"

namespace miravel::project {

ProjectEvents& ProjectEvents::instance() {
    static ProjectEvents events;
    return events;
}

} // namespace miravel::project
